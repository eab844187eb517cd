// The shape of a channel's day: which programme types it shows (by the kind of channel) and
// when each programme starts, from about 06:00 to past midnight.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/channel_table.h"
#include "samplesite/sample_random.h"

namespace zelidor::samplesite {

enum class ChannelTheme { General, Cinema, Sport, Children, News, Music, Documentary };

// The catalogue category decides, except for the few channels whose name says more (the news
// channel, the music and the documentary channels).
ChannelTheme channelTheme(const ChannelInfo& channel);

// How many programmes a day of this kind of channel holds, drawn within 25 .. 45: fewer on
// channels of long programmes (films, sport), more on those of short ones (cartoons, news).
int drawProgrammeCount(ChannelTheme theme, SampleRandom& random);

// One programme type, drawn with the theme's weights.
std::string_view drawProgrammeType(ChannelTheme theme, SampleRandom& random);

// Start hours "HH:MM" for programmes of these types, strictly increasing through the day from
// about 06:00; the last ones start after midnight ("00:30", "01:10"). Longer types (films,
// sport) get longer slots.
std::vector<std::string> startHours(std::span<const std::string_view> types, SampleRandom& random);

}  // namespace zelidor::samplesite
