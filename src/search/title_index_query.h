// Choosing what to ask the trigram title index for a search text. Every query chosen here finds
// at least the rows whose title contains the text (letter case ignored, Latin-1 letters
// included); the search's own match test removes the rest.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "common/sqlite.h"

namespace zelidor {

// Texts shorter than this cannot be looked up in a trigram index.
inline constexpr std::size_t kShortestIndexedText = 3;

// The text as one quoted phrase (its double quotes doubled), UTF-8 for binding.
std::string titleIndexPhrase(std::string_view latin1Text);

// A few of the text's trigrams joined with AND, UTF-8 for binding (the text must have at least
// kShortestIndexedText characters). Every row holding the text holds them too, and the index
// answers such a query far faster than the phrase of the whole text, whose common trigrams it
// would have to walk with their positions. The rarest trigrams are chosen, apart from each other
// where possible, rarity being probed by counting each trigram's rows up to a small cap.
std::string titleIndexQuery(Database& db, std::string_view latin1Text);

// For a text of two characters, which no trigram query can name: every trigram that begins or
// ends with it, joined with OR, UTF-8 for binding. A title of three characters or more holding
// the text holds one of them; shorter titles must be looked up apart.
std::string titleIndexPairQuery(std::string_view latin1Pair);

// Every Latin-1 character that equals c when letter case is ignored, c included.
std::string sameLetterIgnoringCase(char c);

}  // namespace zelidor
