// Word lists and sentence patterns the sample listings are composed from. Patterns hold
// placeholders such as {citta} that are filled from the list of that name; they are written in
// UTF-8 here for readability and come out as Latin-1, the encoding of the pages.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "samplesite/sample_random.h"

namespace zelidor::samplesite {

// The list a placeholder name stands for; empty for an unknown name.
std::span<const std::string_view> wordList(std::string_view name);

// Fills every {name} of the pattern with a word picked from that list; {ora} is filled with
// the given hour text. Returns Latin-1 text.
std::string fillPattern(std::string_view pattern, SampleRandom& random, std::string_view hour = {});

// A pattern picked from the named list and filled (Latin-1).
std::string composeFrom(std::string_view listName, SampleRandom& random,
                        std::string_view hour = {});

}  // namespace zelidor::samplesite
