// A trigram index of the programme titles, kept in step with Programmi by triggers, so that a
// title search looks at the few rows that can contain the text instead of every row. The index
// only pre-selects: the search's own match test still decides.
#pragma once

#include <string_view>

#include "common/sqlite.h"

namespace zelidor {

inline constexpr std::string_view kTitleIndexTable = "ProgrammiTitoli";

// Creates the index and its triggers when the database lacks them, filling it from the rows
// already stored. False when it cannot be made (a read-only database); searches then read
// every row instead. Throws nothing.
bool ensureTitleIndex(Database& db);

// Refills the index from Programmi; for a tool that rewrote the table behind the triggers' back.
void rebuildTitleIndex(Database& db);

bool hasTitleIndex(Database& db);

// A partial index of the rows whose title is too short to hold a trigram (fewer than three
// characters): the trigram index never finds them, and a short search text must not read every
// row to meet them. Created like the title index; false when it cannot be.
bool ensureShortTitleIndex(Database& db);
bool hasShortTitleIndex(Database& db);

}  // namespace zelidor
