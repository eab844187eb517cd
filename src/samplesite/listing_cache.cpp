#include "samplesite/listing_cache.h"

#include <algorithm>

#include "samplesite/site_calendar.h"

namespace zelidor::samplesite {

ListingCache::ListingCache(std::size_t capacity) : capacity_(std::max<std::size_t>(capacity, 1)) {}

std::shared_ptr<const ChannelDayListing> ListingCache::listing(const ChannelInfo& channel,
                                                               const Day& day) const {
    const int serial = daySerial(siteDay(day));
    if (auto cached = find(channel.name, serial)) {
        return cached;
    }
    auto built = std::make_shared<const ChannelDayListing>(sampleListing(channel, day));
    insert(Entry{built->channel->name, serial, built});
    return built;
}

std::optional<FoundProgramme> ListingCache::programme(std::string_view code) const {
    std::optional<CodeLocation> location = locateCode(code);
    if (!location) {
        return std::nullopt;
    }
    std::shared_ptr<const ChannelDayListing> found = listing(*location->channel, location->day);
    if (location->row > static_cast<int>(found->programmes.size())) {
        return std::nullopt;
    }
    const SampleProgramme* programme =
        &found->programmes[static_cast<std::size_t>(location->row - 1)];
    return FoundProgramme{std::move(found), programme};
}

std::size_t ListingCache::size() const {
    std::lock_guard lock(mutex_);
    return entries_.size();
}

std::shared_ptr<const ChannelDayListing> ListingCache::find(std::string_view channelName,
                                                            int daySerial) const {
    std::lock_guard lock(mutex_);
    auto hit = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& entry) {
        return entry.daySerial == daySerial && entry.channelName == channelName;
    });
    if (hit == entries_.end()) {
        return nullptr;
    }
    entries_.splice(entries_.begin(), entries_, hit);
    return hit->listing;
}

// Two threads may build the same listing at once; the second finds the first one's entry and
// keeps it (the listings are the same), so no channel-day is held twice.
void ListingCache::insert(Entry entry) const {
    std::lock_guard lock(mutex_);
    auto same = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& other) {
        return other.daySerial == entry.daySerial && other.channelName == entry.channelName;
    });
    if (same != entries_.end()) {
        return;
    }
    entries_.push_front(std::move(entry));
    if (entries_.size() > capacity_) {
        entries_.pop_back();
    }
}

}  // namespace zelidor::samplesite
