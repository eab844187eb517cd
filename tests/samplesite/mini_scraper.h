// A small stand-in for the built-in channel script, written from the listing page format's
// rules (R1-R4, D1-D3) rather than from the site's code: it reads served pages and says which
// records a correct engine stores, so they can be held against the site's own expectation.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/programme_store.h"
#include "samplesite/expected_records.h"

namespace zelidor::samplesite::test {

// The body at an address, or no value when it cannot be fetched.
using Fetch = std::function<std::optional<std::string>(const std::string& url)>;

// Throws std::runtime_error when a page breaks a rule the script relies on.
std::vector<ProgrammeRow> scrapeChannelDay(const Fetch& fetch, const std::string& host,
                                           const ChannelInfo& channel, const Day& day,
                                           DownloadMode mode);

}  // namespace zelidor::samplesite::test
