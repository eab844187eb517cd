// The channel catalogue: the tree of channels found in AppFolder/TV (one node per channel file,
// drawn by category, with its build date, author and web site below it), the matching channel
// list of the download window, and what the rebuild wrote into the main status bar.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "browser/keyed_tree.h"

namespace zelidor {

// One entry of the download window's channel list.
struct DownloadListItem {
    std::string key;  // the channel name; also the text shown
    int smallIcon;    // 1-based position in the channel image list
};

struct Catalogue {
    KeyedTree tree;
    std::vector<DownloadListItem> downloadList;  // in display order
    std::vector<std::string> statusTexts;        // panel 3 texts, in the order they were written
};

// The category filter of a filter list text ("0 Visualizza Tutte" .. "5 Ragazzi"): the number
// its first two characters start with; 0, meaning every category, when there is none.
int categoryFilter(std::string_view filterText);

// The category a channel file's "#ANTENNA#=" value gives: its leading number rounded half to
// even. A value that does not fit 16 bits is not taken (no value), as is a missing key.
std::optional<std::int16_t> channelCategory(const std::optional<std::string>& antenna);

// Rebuilds the catalogue from the files AppFolder/TV/*.zdr, in alphabetical order, showing the
// channels of the category the filter text names (all when it names 0).
Catalogue loadCatalogue(const std::filesystem::path& appFolder, std::string_view filterText);

}  // namespace zelidor
