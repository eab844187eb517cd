// What card pages and daily reports have in common: a card template filled from a list of
// programme rows and written to AppFolder/temp.htm, which the main window's HTML view shows.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "browser/card_template.h"
#include "common/day.h"
#include "common/dialogs.h"
#include "engine/programme_store.h"

namespace zelidor {

inline constexpr const char* kNoCardChosen = "Non e' stata selezionata nessuna CARD!";

// What a build did: the page written (none when nothing was built) and the texts written into
// the third panel of the main status bar, in order.
struct PageBuild {
    std::optional<std::filesystem::path> page;
    std::vector<std::string> statusTexts;
};

// How the rows become a page.
struct PageLayout {
    std::optional<std::string> headTitle;  // none leaves "<TV_TITLE>" as written
    Day day;
    std::optional<Day> lastDay;       // a page over several days: its head shows the period
    std::size_t listLimit = 101;      // rows the list pass looks at
    std::size_t describeLimit = 101;  // rows the description pass looks at
    bool withChannel = false;         // fill "<PR_TV>" in the list rows
    // The link target of a row and the anchor name of its description block, from the row and
    // its 0-based position in the list.
    std::function<std::string(const ProgrammeRow&, std::size_t)> anchorOf;
};

// The page text: head, list rows, middle, description blocks and tail, each followed by CR LF.
std::string assemblePage(const CardTemplate& card, const std::vector<ProgrammeRow>& rows,
                         const PageLayout& layout);

// AppFolder/temp.htm
std::filesystem::path generatedPagePath(const std::filesystem::path& appFolder);

// Replaces the file with the text as a whole (a reader never sees half a page); false when it
// cannot be written.
bool writePageFile(const std::filesystem::path& file, std::string_view text);

using RowQuery = std::function<std::vector<ProgrammeRow>(ProgrammeStore&)>;
using LayoutFor = std::function<PageLayout(const std::vector<ProgrammeRow>&)>;

// The build both pages share: asks for a template when none is chosen (a message box, nothing
// built), reports a template file that does not exist (nothing built), runs the query on the
// programme database (a database that cannot be read is reported and gives no rows; one that
// does not exist yet simply has no rows), fills the template and writes the page.
PageBuild buildGuidePage(const std::filesystem::path& appFolder, std::string_view templateName,
                         Dialogs& dialogs, const RowQuery& query, const LayoutFor& layoutFor);

}  // namespace zelidor
