#include "browser/card_template.h"

#include <algorithm>
#include <array>
#include <system_error>

#include "browser/status_texts.h"
#include "common/file_bytes.h"
#include "common/text.h"

namespace zelidor {

namespace {

constexpr std::array<std::string_view, 4> kMarkers = {
    "<!--END_HEAD-->", "<!--END_BODY-->", "<!--BEGIN_DESCRIPTION-->", "<!--END_DESCRIPTION-->"};

// Splits off the next line of text from pos; a line ends at CR LF or a lone CR, and the text's
// end ends the last line only when something stands on it.
std::optional<std::string_view> nextLine(std::string_view text, std::size_t& pos) {
    if (pos >= text.size()) {
        return std::nullopt;
    }
    std::size_t end = text.find('\r', pos);
    if (end == std::string_view::npos) {
        end = text.size();
    }
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    if (pos < text.size() && text[pos] == '\n') {
        ++pos;  // CR LF is one line end
    }
    return line;
}

}  // namespace

CardTemplate parseCardTemplate(std::string_view text) {
    CardTemplate card;
    std::array<std::string*, 5> sections = {&card.head, &card.row, &card.middle, &card.detail,
                                            &card.tail};
    std::size_t section = 0;
    std::size_t kept = 0;
    std::size_t pos = 0;
    while (kept < kMaxTemplateLines) {
        auto line = nextLine(text, pos);
        if (!line) {
            break;
        }
        if (section < kMarkers.size() && line->find(kMarkers[section]) != std::string_view::npos) {
            ++section;
            continue;
        }
        sections[section]->append(*line).append("\r\n");
        ++kept;
    }
    return card;
}

std::optional<CardTemplate> readCardTemplateFile(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) {
        return std::nullopt;
    }
    std::optional<std::string> text = readFileBytes(file);
    if (!text) {
        return std::nullopt;
    }
    return parseCardTemplate(*text);
}

CardTemplateList listCardTemplates(const std::filesystem::path& appFolder) {
    CardTemplateList list;
    std::filesystem::path folder = appFolder / "htmlcards" / "";
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    if (error) {
        list.statusTexts.push_back(status::missingFolder(folder));
        return list;
    }
    for (; it != std::filesystem::directory_iterator(); it.increment(error)) {
        std::string name = utf8ToLatin1(it->path().filename().string());
        if (it->is_regular_file(error) && name.size() > 4 &&
            foldLatin1(name.substr(name.size() - 4)) == ".htm") {
            list.names.push_back(name);
        }
    }
    std::sort(list.names.begin(), list.names.end(), [](const auto& a, const auto& b) {
        return std::make_pair(foldLatin1(a), a) < std::make_pair(foldLatin1(b), b);
    });
    return list;
}

std::filesystem::path cardTemplatePath(const std::filesystem::path& appFolder,
                                       std::string_view name) {
    return appFolder / "htmlcards" / latin1ToUtf8(name);  // names on disk are UTF-8
}

}  // namespace zelidor
