// An independent reading of the listing page format: the rules a page must follow for the
// built-in channel script to store every programme, checked line by line. Each broken rule is
// reported as one text naming the line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zelidor::samplesite::test {

// The page split at LF, as the script's reader sees an LF page, plus its two lines of blanks.
std::vector<std::string> readerLines(std::string_view page);

std::vector<std::string> listingPageViolations(std::string_view page);
std::vector<std::string> detailPageViolations(std::string_view page);

}  // namespace zelidor::samplesite::test
