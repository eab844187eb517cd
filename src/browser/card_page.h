// The card page of one channel on one day: the chosen card template filled with the channel's
// programmes in their listing order, written to AppFolder/temp.htm.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

#include "browser/guide_page.h"
#include "common/day.h"
#include "common/dialogs.h"

namespace zelidor {

struct CardRequest {
    std::filesystem::path appFolder;
    std::string templateName;  // a file name in AppFolder/htmlcards, as the template list shows
    Day day;
    std::string channel;  // the key of the selected catalogue node
};

// At most this many programmes are listed, and only those can be described.
inline constexpr std::size_t kCardRowLimit = 101;

// The head shows the channel of the first programme (no programme: "<TV_TITLE>" stays) and the
// day; each row links to its description block through the programme's number.
PageBuild buildCardPage(const CardRequest& request, Dialogs& dialogs);

}  // namespace zelidor
