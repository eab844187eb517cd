// The channel-day listings the site built last, kept for the requests that follow: a listing
// page is followed by a detail page and a poster request for most of its programmes, and each of
// them would otherwise draw the whole channel-day again (about half a millisecond each).
#pragma once

#include <cstddef>
#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>

#include "samplesite/sample_listing.h"

namespace zelidor::samplesite {

// A programme of a cached listing; the listing keeps the programme alive.
struct FoundProgramme {
    std::shared_ptr<const ChannelDayListing> listing;
    const SampleProgramme* programme = nullptr;
};

// Safe to use from several threads at once. Holds at most `capacity` listings, dropping the
// one used longest ago; a listing is built outside the lock, so one slow build never holds up
// requests for other channel-days.
class ListingCache {
  public:
    static constexpr std::size_t kDefaultCapacity = 32;

    explicit ListingCache(std::size_t capacity = kDefaultCapacity);

    // The same listing as sampleListing(channel, day).
    std::shared_ptr<const ChannelDayListing> listing(const ChannelInfo& channel,
                                                     const Day& day) const;

    // The programme a code names, when its channel-day has that row.
    std::optional<FoundProgramme> programme(std::string_view code) const;

    std::size_t size() const;

  private:
    struct Entry {
        std::string_view channelName;  // the built-in channel's own name, which never goes away
        int daySerial = 0;
        std::shared_ptr<const ChannelDayListing> listing;
    };

    std::shared_ptr<const ChannelDayListing> find(std::string_view channelName,
                                                  int daySerial) const;
    void insert(Entry entry) const;

    const std::size_t capacity_;
    mutable std::mutex mutex_;
    mutable std::list<Entry> entries_;  // most recently used first
};

}  // namespace zelidor::samplesite
