// The listing day of the listing page format's worked example (Canale 5, 5 December 2002):
// its pages as the listings site serves them, and the programmes the built-in script must store.
#pragma once

#include <string>
#include <vector>

#include "engine/memory_fetcher.h"
#include "engine/programme_store.h"

namespace zelidor::test {

inline constexpr const char* kSampleHost = "www.guidatv.example";
inline constexpr const char* kSampleListingUrl =
    "http://www.guidatv.example/canali.phtml?giorno2=05%2F12%2F02&channel=Canale+5&x=6&y=11";
inline constexpr const char* kSampleCodes[] = {"100231", "100232", "100233"};

std::string sampleDetailUrl(const std::string& code, const std::string& host = kSampleHost);
std::string samplePosterUrl(const std::string& code, const std::string& host = kSampleHost);

// tests/engine/pages/<name>, Latin-1 with LF line ends.
std::string samplePage(const std::string& name);
std::string sampleListing();
std::string sampleDetail(const std::string& code);

// The same text with CR LF line ends.
std::string withCrLf(const std::string& lfText);

// Serves the listing, the three detail pages and the two posters (real JPEGs).
void serveSampleDay(MemoryFetcher& fetcher);

// The three programmes, as stored.
std::vector<ProgrammeRow> sampleProgrammes();

}  // namespace zelidor::test
