#include "engine/script_file.h"

#include "common/file_bytes.h"
#include "engine/script_lines.h"

namespace zelidor {

std::vector<std::string> splitScriptText(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size() && lines.size() < ScriptLines::kLastLine) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') {
            ++start;
        }
    }
    return lines;
}

std::optional<std::vector<std::string>> loadScriptFile(const std::filesystem::path& file) {
    std::optional<std::string> text = readFileBytes(file);
    if (!text) {
        return std::nullopt;
    }
    return splitScriptText(*text);
}

}  // namespace zelidor
