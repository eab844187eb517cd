// Title search: the programmes whose title contains a text, as a result tree grouped by day and
// channel. The keyword monitor runs the same routine once per watched word.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "browser/keyed_tree.h"
#include "common/day.h"
#include "engine/programme_store.h"

namespace zelidor {

// What a search leaves behind for the main window: whether anything matched since the flag was
// last cleared. Searches set it, never clear it.
struct SearchState {
    bool monitorHit = false;
};

// The columns a result needs, with the row's place in the table for a stable order.
struct FoundProgramme {
    std::int64_t rowid = 0;
    std::optional<std::int64_t> data;
    std::optional<std::string> ora;
    std::optional<std::string> titolo;
    std::optional<std::string> palinsesto;
};

// How programme nodes are keyed. The search window keys them by day, channel and hour alone, so
// two programmes at the same hour share a key and the second is reported; the monitor puts the
// search node's key in front, so one programme can show under every word that matches it.
enum class ProgrammeKeys { ByDayChannelHour, PerSearchNode };

// Empties the tree and adds the root "R" / "Risultati Ricerca" / "root2", expanded.
void prepareResultTree(KeyedTree& tree);

// The match test: text, untrimmed, occurs in the title without regard to letter case (Latin-1
// letters included); "*" and "?" are ordinary characters. A null or empty title never matches.
bool titleMatches(const std::optional<std::string>& title, std::string_view text);

// Adds the search node "R" & text under the root, and below it a day node, a channel node and a
// programme node for every row that passes the match test, in the order given. Day and channel
// nodes already present are reused; a programme node whose key is taken, or a node whose parent
// is missing, adds nothing and is reported in statusTexts.
void searchTitlesIntoTree(KeyedTree& tree, std::string_view text,
                          const std::vector<FoundProgramme>& rows, SearchState& state,
                          ProgrammeKeys keys, std::vector<std::string>& statusTexts);

// Reads the candidate rows of title searches from AppFolder/database/Zelidor.db.
class TitleFinder {
  public:
    // Opens the database, adding the title index when it is missing. A database that does not
    // exist yet has no rows (and is not created); one that cannot be read throws StoreError.
    explicit TitleFinder(const std::filesystem::path& appFolder);
    ~TitleFinder();
    TitleFinder(const TitleFinder&) = delete;
    TitleFinder& operator=(const TitleFinder&) = delete;

    // Every row whose title may contain text with its blanks trimmed (never one fewer than the
    // match test accepts), from the day fromDay on or of every day, ordered by day and then by
    // table order. Texts of two characters or more are looked up in the indexes; a text of one
    // character has SQLite test every title. Throws StoreError.
    std::vector<FoundProgramme> candidates(std::string_view text,
                                           std::optional<std::int64_t> fromDay);

    bool indexed() const { return indexed_; }

  private:
    std::unique_ptr<ProgrammeStore> store_;
    bool indexed_ = false;
    bool shortIndexed_ = false;  // the titles too short for a trigram
};

// The search window's command: prepares the tree and searches text from the day reference on
// (every day when allDays). Returns the texts for the main status bar.
std::vector<std::string> runTitleSearch(const std::filesystem::path& appFolder,
                                        std::string_view text, const Day& reference, bool allDays,
                                        KeyedTree& tree, SearchState& state);

}  // namespace zelidor
