// The keyword monitor's search: every watched word looked for in the programme titles from the
// reference day on, each word's results under its own search node of one result tree.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "browser/keyed_tree.h"
#include "common/day.h"
#include "search/title_search.h"

namespace zelidor {

// Prepares the tree and searches each word of the list, in list order, from the reference day
// on. A programme matched by several words shows under each of them. Like the monitor window's
// command, it reports nothing: a word whose search fails contributes only its search node.
// Sets state.monitorHit when anything matched; an empty list leaves only the root.
void runMonitorSearch(const std::filesystem::path& appFolder, const std::vector<std::string>& words,
                      const Day& reference, KeyedTree& tree, SearchState& state);

}  // namespace zelidor
