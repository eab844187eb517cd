// The card template: an HTML file of AppFolder/htmlcards cut into five sections at marker
// comments. Card pages and daily reports are both made from it.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelidor {

struct CardTemplate {
    std::string head;    // before "<!--END_HEAD-->"
    std::string row;     // repeated once per listed programme
    std::string middle;  // between the list and the descriptions
    std::string detail;  // repeated once per described programme
    std::string tail;    // after "<!--END_DESCRIPTION-->"
};

inline constexpr std::size_t kMaxTemplateLines = 30000;

// Cuts template text into its sections. A line ends at CR LF or at a lone CR (a lone LF stays in
// the line). The markers are looked for one after the other, each found anywhere in a line by
// exact comparison; the line holding one ends its section and is dropped whole. A missing
// marker lets its section run to the end and leaves the later sections empty. At most
// kMaxTemplateLines lines are kept; each kept line is followed by CR LF in its section.
CardTemplate parseCardTemplate(std::string_view text);

// The same for a file; no value when the file cannot be read.
std::optional<CardTemplate> readCardTemplateFile(const std::filesystem::path& file);

// The card templates the main window offers: the "*.htm" files of AppFolder/htmlcards by name,
// extension included, in alphabetical order. A missing folder gives no names and the status text
// that says so.
struct CardTemplateList {
    std::vector<std::string> names;
    std::vector<std::string> statusTexts;
};
CardTemplateList listCardTemplates(const std::filesystem::path& appFolder);

// AppFolder/htmlcards/name
std::filesystem::path cardTemplatePath(const std::filesystem::path& appFolder,
                                       std::string_view name);

}  // namespace zelidor
