// The markup of the sample site's pages, in the listing page format the built-in channel
// scripts scrape: LF line ends, Latin-1, four-line programme rows that are not closed, the
// table found after the first column-1 </table> that follows the start marker.
#pragma once

#include <string>

#include "samplesite/sample_listing.h"

namespace zelidor::samplesite {

inline constexpr std::string_view kStartMarker = "<!-- start DX main -->";
inline constexpr std::string_view kPageContentType = "text/html; charset=iso-8859-1";

// The listing page of a channel-day.
std::string listingPage(const ChannelDayListing& listing);

// The detail page of one programme of that listing.
std::string detailPage(const ChannelDayListing& listing, const SampleProgramme& programme);

// The address of a programme's poster, as the detail page names it.
std::string posterPath(const SampleProgramme& programme);

}  // namespace zelidor::samplesite
