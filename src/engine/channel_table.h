// The channels the program knows: the built-in scripts, the shipped channel files and the
// bundled sample listings site all work from this one table.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace zelidor {

enum class ChannelCategory { Satellite = 1, Television = 2, Cinema = 3, Sport = 4, Children = 5 };

struct ChannelInfo {
    std::string_view name;   // channel name; the script file is name + ".zdr"
    std::string_view value;  // the channel= value of the listing address
    int x;                   // the x= value of the listing address
    int y;                   // the y= value of the listing address
    ChannelCategory category;
};

// The 51 channels in the order in which script names are compared.
std::span<const ChannelInfo> builtinChannels();

// The channel whose name + ".zdr" equals scriptName exactly (case-sensitive), or null.
const ChannelInfo* findChannelByScriptName(std::string_view scriptName);

// The query part of the listing address after the host, with the day placeholders still in
// it: "/canali.phtml?giorno2=#DAY#%2F#MONTH#%2F#SHORTYEAR#&channel=Canale+5&x=6&y=11".
std::string listingQueryTemplate(const ChannelInfo& channel);

}  // namespace zelidor
