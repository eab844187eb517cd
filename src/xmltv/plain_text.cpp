#include "xmltv/plain_text.h"

#include <array>
#include <cctype>
#include <charconv>

#include "common/text.h"

namespace zelidor {

namespace {

// The HTML 4 names of U+00A0 .. U+00FF, in code point order.
constexpr std::array<std::string_view, 96> kLatin1Names = {
    "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",
    "copy",   "ordf",   "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn",
    "sup2",   "sup3",   "acute",  "micro",  "para",   "middot", "cedil",  "sup1",   "ordm",
    "raquo",  "frac14", "frac12", "frac34", "iquest", "Agrave", "Aacute", "Acirc",  "Atilde",
    "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute", "Ecirc",  "Euml",   "Igrave",
    "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde",
    "Ouml",   "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",
    "szlig",  "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil",
    "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",  "iuml",   "eth",
    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide", "oslash", "ugrave",
    "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml"};

struct NamedCharacter {
    std::string_view name;
    char32_t codePoint;
};

// The other entities Italian listings use.
constexpr std::array<NamedCharacter, 17> kOtherNames = {{{"amp", U'&'},
                                                         {"lt", U'<'},
                                                         {"gt", U'>'},
                                                         {"quot", U'"'},
                                                         {"apos", U'\''},
                                                         {"euro", U'\u20AC'},
                                                         {"hellip", U'\u2026'},
                                                         {"ndash", U'\u2013'},
                                                         {"mdash", U'\u2014'},
                                                         {"lsquo", U'\u2018'},
                                                         {"rsquo", U'\u2019'},
                                                         {"ldquo", U'\u201C'},
                                                         {"rdquo", U'\u201D'},
                                                         {"bull", U'\u2022'},
                                                         {"trade", U'\u2122'},
                                                         {"OElig", U'\u0152'},
                                                         {"oelig", U'\u0153'}}};

// The character of an entity's name ("egrave", "#232", "#xE8"); 0 when unknown.
char32_t entityCharacter(std::string_view name) {
    if (name.size() > 1 && name[0] == '#') {
        const bool hex = name[1] == 'x' || name[1] == 'X';
        std::string_view digits = name.substr(hex ? 2 : 1);
        std::uint32_t value = 0;
        auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), value, hex ? 16 : 10);
        if (error != std::errc() || end != digits.data() + digits.size() || digits.empty()) {
            return 0;
        }
        // References into 128 .. 159 mean the Windows-1252 characters, as browsers read them.
        if (value >= 0x80 && value <= 0x9F) {
            std::string windows = latin1ToUtf8(std::string(1, static_cast<char>(value)));
            return windows.size() == 3
                       ? static_cast<char32_t>(((windows[0] & 0x0F) << 12) |
                                               ((windows[1] & 0x3F) << 6) | (windows[2] & 0x3F))
                       : 0;
        }
        return value;
    }
    for (std::size_t i = 0; i < kLatin1Names.size(); ++i) {
        if (kLatin1Names[i] == name) {
            return static_cast<char32_t>(0xA0 + i);
        }
    }
    for (const auto& named : kOtherNames) {
        if (named.name == name) {
            return named.codePoint;
        }
    }
    return 0;
}

// Characters an XML 1.0 document may hold, less the C1 controls that mark mis-encoded text.
bool xmlCharacter(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c < 0x7F) ||
           (c >= 0xA0 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

// A tag begins with '<' and a letter, '/' or '!'; any other '<' is text.
bool tagStart(std::string_view text, std::size_t at) {
    if (at + 1 >= text.size()) {
        return false;
    }
    const unsigned char next = static_cast<unsigned char>(text[at + 1]);
    return std::isalpha(next) || next == '/' || next == '!';
}

}  // namespace

std::string utf8Of(char32_t c) {
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

std::string plainText(std::string_view latin1) {
    std::string out;
    bool blank = true;  // drops leading blanks and folds runs
    auto emit = [&out, &blank](char32_t c) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == 0xA0 || c < 0x20) {
            if (!blank) {
                out += ' ';
                blank = true;
            }
            return;
        }
        if (xmlCharacter(c)) {
            out += utf8Of(c);
            blank = false;
        }
    };
    for (std::size_t i = 0; i < latin1.size(); ++i) {
        const char byte = latin1[i];
        if (byte == '<' && tagStart(latin1, i)) {
            auto close = latin1.find('>', i);
            if (close != std::string_view::npos) {
                emit(' ');
                i = close;
                continue;
            }
        }
        if (byte == '&') {
            auto semicolon = latin1.find(';', i + 1);
            if (semicolon != std::string_view::npos && semicolon - i <= 10) {
                if (char32_t c = entityCharacter(latin1.substr(i + 1, semicolon - i - 1))) {
                    emit(c);
                    i = semicolon;
                    continue;
                }
            }
        }
        // One Windows-1252 byte: its character, decoded from its UTF-8 form.
        std::string encoded = latin1ToUtf8(std::string_view(&latin1[i], 1));
        char32_t c = static_cast<unsigned char>(encoded[0]);
        if (encoded.size() == 2) {
            c = static_cast<char32_t>(((encoded[0] & 0x1F) << 6) | (encoded[1] & 0x3F));
        } else if (encoded.size() == 3) {
            c = static_cast<char32_t>(((encoded[0] & 0x0F) << 12) | ((encoded[1] & 0x3F) << 6) |
                                      (encoded[2] & 0x3F));
        }
        emit(c);
    }
    if (!out.empty() && out.back() == ' ') {
        out.pop_back();
    }
    return out;
}

std::string xmlEscaped(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (char c : utf8) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

}  // namespace zelidor
