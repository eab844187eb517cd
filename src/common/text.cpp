#include "common/text.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace zelidor {

namespace {

// Code points of Windows-1252 bytes 0x80-0x9F; undefined bytes keep their C1 value.
constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char latin1ForCodePoint(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        return static_cast<char>(cp);
    }
    for (std::size_t i = 0; i < kCp1252High.size(); ++i) {
        if (kCp1252High[i] == cp) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

}  // namespace

std::string latin1ToUtf8(std::string_view latin1) {
    std::string out;
    out.reserve(latin1.size() + latin1.size() / 8);
    for (char c : latin1) {
        auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 && byte < 0xA0) {
            appendUtf8(out, kCp1252High[byte - 0x80]);
        } else {
            appendUtf8(out, byte);
        }
    }
    return out;
}

std::string utf8ToLatin1(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        auto lead = static_cast<unsigned char>(utf8[i]);
        std::size_t extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
        char32_t cp = lead & (0x3F >> extra);
        bool valid = extra > 0 && i + extra < utf8.size();
        for (std::size_t k = 1; valid && k <= extra; ++k) {
            auto next = static_cast<unsigned char>(utf8[i + k]);
            valid = (next & 0xC0) == 0x80;
            cp = (cp << 6) | (next & 0x3F);
        }
        if (!valid) {
            // Plain ASCII, a stray continuation byte or a broken sequence: keep the byte as it is.
            out += static_cast<char>(lead);
            ++i;
            continue;
        }
        out += latin1ForCodePoint(cp);
        i += extra + 1;
    }
    return out;
}

namespace {

constexpr unsigned char foldByte(unsigned char byte) {
    if (byte >= 'A' && byte <= 'Z') {
        return static_cast<unsigned char>(byte + 32);
    }
    // À-Þ fold to à-þ, except the multiplication sign ×.
    if (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7) {
        return static_cast<unsigned char>(byte + 32);
    }
    // Windows-1252 capitals Š, Œ, Ž and Ÿ.
    switch (byte) {
        case 0x8A:
            return 0x9A;
        case 0x8C:
            return 0x9C;
        case 0x8E:
            return 0x9E;
        case 0x9F:
            return 0xFF;
        default:
            return byte;
    }
}

struct FoldTables {
    std::array<unsigned char, 256> fold{};
    // Bytes that some other byte folds to: a search for them must look at two byte values.
    std::array<bool, 256> hasCapital{};
};

constexpr FoldTables makeFoldTables() {
    FoldTables tables;
    for (int byte = 0; byte < 256; ++byte) {
        auto folded = foldByte(static_cast<unsigned char>(byte));
        tables.fold[static_cast<std::size_t>(byte)] = folded;
        if (folded != byte) {
            tables.hasCapital[folded] = true;
        }
    }
    return tables;
}

constexpr FoldTables kFoldTables = makeFoldTables();

unsigned char folded(char c) {
    return kFoldTables.fold[static_cast<unsigned char>(c)];
}

}  // namespace

char foldLatin1(char c) {
    return static_cast<char>(folded(c));
}

std::string foldLatin1(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = foldLatin1(c);
    }
    return out;
}

std::size_t findNoCase(std::string_view haystack, std::string_view needle, std::size_t start) {
    if (start == 0) {
        start = 1;
    }
    if (start > haystack.size() + 1 || needle.size() > haystack.size() - (start - 1)) {
        return 0;
    }
    if (needle.empty()) {
        return start;
    }
    // The script engine looks for keywords and markers that begin with a byte without a capital
    // ('#', '<'): those candidates are found with memchr instead of byte by byte.
    const unsigned char first = folded(needle[0]);
    const bool oneByteValue =
        first == static_cast<unsigned char>(needle[0]) && !kFoldTables.hasCapital[first];
    const char* text = haystack.data();
    const std::size_t last = haystack.size() - needle.size();
    for (std::size_t i = start - 1; i <= last; ++i) {
        if (oneByteValue) {
            const void* hit = std::memchr(text + i, needle[0], last - i + 1);
            if (hit == nullptr) {
                return 0;
            }
            i = static_cast<std::size_t>(static_cast<const char*>(hit) - text);
        } else if (folded(text[i]) != first) {
            continue;
        }
        std::size_t k = 1;
        while (k < needle.size() && folded(text[i + k]) == folded(needle[k])) {
            ++k;
        }
        if (k == needle.size()) {
            return i + 1;
        }
    }
    return 0;
}

std::size_t findExact(std::string_view haystack, std::string_view needle, std::size_t start) {
    if (start == 0) {
        start = 1;
    }
    if (start > haystack.size() + 1) {
        return 0;
    }
    auto pos = haystack.find(needle, start - 1);
    return pos == std::string_view::npos ? 0 : pos + 1;
}

std::string trimBlanks(std::string_view text) {
    auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

std::string replaceAll(std::string_view text, std::string_view from, std::string_view to) {
    if (from.empty()) {
        return std::string(text);
    }
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (true) {
        auto hit = text.find(from, pos);
        if (hit == std::string_view::npos) {
            out.append(text.substr(pos));
            return out;
        }
        out.append(text.substr(pos, hit - pos));
        out.append(to);
        pos = hit + from.size();
    }
}

std::string midText(std::string_view text, std::size_t start, std::size_t count) {
    if (start == 0 || start > text.size()) {
        return {};
    }
    return std::string(text.substr(start - 1, count));
}

}  // namespace zelidor
