// Reading and writing the sample site's addresses: the request target (path and query, as sent)
// is taken apart here, independently of the HTTP server, so the routing is plain text work.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/day.h"
#include "engine/channel_table.h"

namespace zelidor::samplesite {

enum class RequestKind { Listing, Detail, Poster, Release, Other };

inline constexpr std::string_view kListingPath = "/canali.phtml";
inline constexpr std::string_view kDetailPath = "/programmi.phtml";
inline constexpr std::string_view kPosterFolder = "/statiche/media/foto/";
inline constexpr std::string_view kReleasePath = "/zelidor/codes/release.txt";
// A page by which a program that finds its port taken tells a running sample site from any
// other server: only the sample site answers it with exactly kSiteIdentity.
inline constexpr std::string_view kIdentityPath = "/zelidor/sample-site.txt";
inline constexpr std::string_view kSiteIdentity = "Zelidor sample listings site\n";

// %XX sequences decoded, and '+' read as a blank when asked (query values); a broken %
// sequence is kept as it stands.
std::string percentDecode(std::string_view text, bool plusIsBlank);

// The path of a target, without its query.
std::string_view targetPath(std::string_view target);

// The decoded value of the first key=value of the target's query with that key.
std::optional<std::string> queryValue(std::string_view target, std::string_view key);

RequestKind requestKind(std::string_view target);

// The channel whose channel= value reads the same as the given one once both are decoded, so
// "Canale+5", "Canale%205" and "Tele%2B+Bianco" all find their channel; null when none does.
const ChannelInfo* channelByQueryValue(std::string_view decodedValue);

// "http://host/canali.phtml?giorno2=05%2F12%2F02&channel=Canale+5&x=6&y=11": the address the
// built-in script fetches for the channel on the day.
std::string listingAddress(std::string_view host, const ChannelInfo& channel, const Day& day);

}  // namespace zelidor::samplesite
