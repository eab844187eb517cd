#include "monitor/monitor_search.h"

#include <memory>
#include <optional>

namespace zelidor {

void runMonitorSearch(const std::filesystem::path& appFolder, const std::vector<std::string>& words,
                      const Day& reference, KeyedTree& tree, SearchState& state) {
    prepareResultTree(tree);
    if (words.empty()) {
        return;
    }
    std::unique_ptr<TitleFinder> finder;
    try {
        finder = std::make_unique<TitleFinder>(appFolder);
    } catch (const StoreError&) {
        // No programmes to look at; every word still gets its search node.
    }
    std::vector<std::string> ignored;
    for (const std::string& word : words) {
        std::vector<FoundProgramme> rows;
        try {
            if (finder) {
                rows = finder->candidates(word, reference.number());
            }
        } catch (const StoreError&) {
            rows.clear();
        }
        searchTitlesIntoTree(tree, word, rows, state, ProgrammeKeys::PerSearchNode, ignored);
    }
}

}  // namespace zelidor
