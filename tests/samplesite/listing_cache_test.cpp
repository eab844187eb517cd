// The site's cache of built channel-day listings: the listings it hands out are the ones built
// from scratch, it stays within its bound, and it holds up under concurrent requests.
#include "samplesite/listing_cache.h"

#include <gtest/gtest.h>

#include <thread>

#include "samplesite/site_pages.h"

namespace zelidor::samplesite {
namespace {

const Day kDay{2002, 12, 5};
const ChannelInfo& channel(std::size_t index) {
    return builtinChannels()[index];
}

std::string freshPage(const ChannelInfo& of, const Day& day) {
    return listingPage(sampleListing(of, day));
}

TEST(ListingCache, HandsOutTheListingBuiltFromScratchAndFindsItsProgrammesByCode) {
    ListingCache cache;
    auto first = cache.listing(channel(4), kDay);
    EXPECT_EQ(listingPage(*first), freshPage(channel(4), kDay));
    EXPECT_EQ(cache.listing(channel(4), kDay), first);
    // The site reads two-digit years: 1902 is its 2002, the same channel-day.
    EXPECT_EQ(cache.listing(channel(4), Day{1902, 12, 5}), first);
    EXPECT_NE(cache.listing(channel(4), kDay.plusDays(1)), first);
    EXPECT_EQ(cache.size(), 2u);

    const SampleProgramme& last = first->programmes.back();
    std::optional<FoundProgramme> found = cache.programme(last.code);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->listing, first);
    EXPECT_EQ(found->programme, &last);
    EXPECT_FALSE(cache.programme(programmeCode(4, kDay, last.row + 1)));  // past the last row
}

TEST(ListingCache, DropsTheListingUsedLongestAgo) {
    ListingCache cache(2);
    auto a = cache.listing(channel(0), kDay);
    auto b = cache.listing(channel(1), kDay);
    EXPECT_EQ(cache.listing(channel(0), kDay), a);  // a is now used more recently than b
    cache.listing(channel(2), kDay);
    EXPECT_EQ(cache.size(), 2u);
    EXPECT_EQ(cache.listing(channel(0), kDay), a);
    auto rebuilt = cache.listing(channel(1), kDay);
    EXPECT_NE(rebuilt, b);
    EXPECT_EQ(listingPage(*rebuilt), listingPage(*b));
}

TEST(ListingCache, ConcurrentRequestsGetTheRightListingsWithinTheBound) {
    constexpr std::size_t kCapacity = 4;
    constexpr int kDays = 6;
    std::vector<std::string> expected;
    for (int d = 0; d < kDays; ++d) {
        expected.push_back(freshPage(channel(3), kDay.plusDays(d)));
    }
    ListingCache cache(kCapacity);
    std::vector<std::thread> threads;
    std::atomic<int> wrong{0};
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 60; ++i) {
                int d = (i + t) % kDays;
                if (listingPage(*cache.listing(channel(3), kDay.plusDays(d))) != expected[d]) {
                    ++wrong;
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_LE(cache.size(), kCapacity);
}

}  // namespace
}  // namespace zelidor::samplesite
