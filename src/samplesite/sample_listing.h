// The sample site's programme model: what one channel shows on one day. The listing page, the
// detail pages, the posters and the records a correct engine stores are all derived from it, so
// they cannot drift apart.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/day.h"
#include "engine/channel_table.h"

namespace zelidor::samplesite {

// The film credits block of a detail page.
struct CastBlock {
    std::string heading;                 // the bold heading: "Film", or "Telefilm" for series
    std::optional<std::string> preface;  // a line without </td> between heading and credits
    std::string credits;                 // the credits line up to (not including) its </td>
};

// How many different poster pictures the site has; SampleProgramme::poster indexes them.
inline constexpr int kSamplePictureCount = 6;

struct SampleProgramme {
    int row = 0;                             // 1, 2, ... in page order
    std::string hour;                        // "HH:MM"
    std::string type;                        // programme type as the engine stores it
    std::string typeClass;                   // the text after "g-" in the type cell's class
    std::string title;                       // Latin-1, entities as written
    std::string code;                        // digits only, unique over the whole site
    std::optional<std::string> description;  // the detail page's description, as written
    std::optional<CastBlock> cast;
    std::optional<int> poster;  // which of the site's pictures, if any

    bool hasFilmCredits() const { return cast && cast->heading == "Film"; }
};

struct ChannelDayListing {
    const ChannelInfo* channel = nullptr;
    Day day;  // the site's day (see siteDay)
    std::vector<SampleProgramme> programmes;
};

// The deterministic listing of a channel on a day; the same arguments always give the same
// listing. The day is taken within the site's hundred-year window. Throws std::invalid_argument
// for a channel that is not one of the built-in channels.
ChannelDayListing sampleListing(const ChannelInfo& channel, const Day& day);

// Where a programme code points: the channel, the site's day and the row. Codes are
// "1" + channel number (2 digits, from 01) + day serial (5 digits) + row (2 digits).
struct CodeLocation {
    const ChannelInfo* channel = nullptr;
    Day day;
    int row = 0;
};
std::string programmeCode(std::size_t channelIndex, const Day& day, int row);
std::optional<CodeLocation> locateCode(std::string_view code);

}  // namespace zelidor::samplesite
