#include "engine/keywords.h"

#include "common/text.h"

namespace zelidor {

std::optional<KeywordMatch> matchKeyword(std::string_view line) {
    // Every keyword starts with '#', so a line without one is inert; most lines of a page-sized
    // script are blank or labels, and this keeps the 32 searches off them.
    if (line.find('#') == std::string_view::npos) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < kKeywordCount; ++i) {
        if (std::size_t position = findNoCase(line, kKeywordTexts[i]); position != 0) {
            return KeywordMatch{static_cast<Keyword>(i), position};
        }
    }
    return std::nullopt;
}

}  // namespace zelidor
