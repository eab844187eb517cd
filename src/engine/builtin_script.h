// The channel scripts built into the program. They all read the same listings site and share
// one body; they differ only in line 1, the web query naming the channel.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/channel_table.h"
#include "engine/script_lines.h"

namespace zelidor {

inline constexpr int kCommonBodyFirstLine = 3;
inline constexpr int kCommonBodyLastLine = 229;

// Line 1 of a channel's script: "#WEBQUERY#=http://" + host + the channel's listing query.
std::string builtinWebQuery(const ChannelInfo& channel, std::string_view listingsHost);

// Lines 3 to 229 of every built-in script (element 0 is line 3). Lines 45 and 55 build detail
// and poster addresses on the listings host.
std::vector<std::string> commonScriptBody(std::string_view listingsHost);

// Fills lines (which the runner has cleared) with the built-in script for scriptName: line 1
// the channel's web query, lines 3-229 the common body. A name that is not a built-in channel
// (compared exactly) gets the body with an empty line 1; the result then says false.
bool loadBuiltinScript(ScriptLines& lines, std::string_view scriptName,
                       std::string_view listingsHost);

}  // namespace zelidor
