// The ground truth of the sample site: the exact rows of Programmi that a correct engine running
// the built-in channel script stores for a channel-day served by this site.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/day.h"
#include "engine/channel_table.h"
#include "engine/programme_store.h"
#include "samplesite/sample_listing.h"

namespace zelidor::samplesite {

enum class DownloadMode {
    ListOnly,     // "Scarica Solo La Lista": no detail pages, no posters
    WithDetails,  // detail pages read and posters filed into an empty covers folder
};

// The rows for the channel on the day, as stored when the listing was fetched from
// http://host/... . Data is the day asked for (the engine's day), even when the site serves it
// from its hundred-year window.
std::vector<ProgrammeRow> expectedRecords(const ChannelInfo& channel, const Day& day,
                                          std::string_view host, DownloadMode mode);

// The same from an already built listing.
std::vector<ProgrammeRow> expectedRecordsFor(const ChannelDayListing& listing, const Day& day,
                                             std::string_view host, DownloadMode mode);

// The film credits as the comment stores them after the script's tag cleaning: the delete list
// turns each listed tag into one blank, <br> becomes " | ", character references 160..254 and
// the five grave-accent entities become Latin-1 letters; the result is trimmed.
std::string cleanedCredits(std::string_view credits);

// <channel>_<code> with every ' blank / ( ) : < > * ? replaced by '_'.
std::string coverFileBase(std::string_view channelName, std::string_view code);

}  // namespace zelidor::samplesite
