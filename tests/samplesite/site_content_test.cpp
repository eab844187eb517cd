// What the site serves, read through its routing without a socket: every channel on any day,
// the same bytes for the same channel-day, full days with codes unique across the site. (That
// the built-in script stores exactly the expected records is the end-to-end tests' to show.)
#include <gtest/gtest.h>

#include <set>

#include "samplesite/expected_records.h"
#include "samplesite/sample_vocabulary.h"
#include "samplesite/site_address.h"
#include "samplesite/site_answers.h"
#include "samplesite/site_pages.h"

namespace zelidor::samplesite {
namespace {

constexpr const char* kHost = "www.guidatv.example";
const Day kDays[] = {{2002, 12, 5}, {2004, 2, 29}};

SiteAnswer get(const std::string& target) {
    static const SiteAnswers answers;
    return answers.answer(target, "1.2");
}

std::string listingTarget(const char* script, const Day& day) {
    return listingAddress("", *findChannelByScriptName(script), day).substr(7);
}

TEST(SiteContent, TheSameChannelDayIsTheSameBytesAndOthersDiffer) {
    std::string first = get(listingTarget("Canale 5.zdr", Day{2002, 12, 5})).body;
    EXPECT_EQ(get(listingTarget("Canale 5.zdr", Day{2002, 12, 5})).body, first);
    EXPECT_NE(get(listingTarget("Canale 5.zdr", Day{2002, 12, 6})).body, first);
    EXPECT_NE(get(listingTarget("Italia 1.zdr", Day{2002, 12, 5})).body, first);
    SiteAnswers fresh;  // pictures and details do not depend on the instance either
    EXPECT_EQ(fresh.answer("/programmi.phtml?codice=1051202603", "").body,
              get("/programmi.phtml?codice=1051202603").body);
    EXPECT_EQ(fresh.posters(), SiteAnswers().posters());
}

TEST(SiteContent, EveryChannelIsServedOnAnyDay) {
    for (const ChannelInfo& channel : builtinChannels()) {
        for (const Day& day : {Day{2004, 2, 29}, Day{2002, 12, 31}, Day{1999, 12, 31}}) {
            SiteAnswer answer = get(listingAddress("", channel, day).substr(7));
            ASSERT_EQ(answer.status, 200) << channel.name << " " << day.stamp();
            EXPECT_EQ(answer.contentType, "text/html; charset=iso-8859-1");
            EXPECT_NE(
                answer.body.find(">" + std::string(channel.name) + "</td><td class=\"data\">"),
                std::string::npos);
        }
    }
    EXPECT_NE(get(listingTarget("Alice.zdr", Day{2004, 2, 29})).body.find("domenica 29 febbraio"),
              std::string::npos);
    // Two-digit years are read within 1970-2069; Data keeps the day asked for.
    EXPECT_NE(get(listingTarget("Alice.zdr", Day{1975, 3, 1})).body.find("1975"),
              std::string::npos);
    auto old =
        expectedRecords(builtinChannels()[1], Day{1902, 3, 1}, kHost, DownloadMode::ListOnly);
    EXPECT_EQ(old[0].data, 19020301);
    EXPECT_EQ(old[0].link, expectedRecords(builtinChannels()[1], Day{2002, 3, 1}, kHost,
                                           DownloadMode::ListOnly)[0]
                               .link);
}

TEST(SiteContent, ChannelValuesAreMatchedOnceDecodedAndUnknownAddressesAreNotFound) {
    std::string tele =
        get("/canali.phtml?giorno2=05%2F12%2F02&channel=Tele%2B+Bianco&x=7&y=11").body;
    EXPECT_NE(tele.find(">Tele+ Bianco</td>"), std::string::npos);
    EXPECT_EQ(get("/canali.phtml?channel=Tele%2b%20Bianco&giorno2=05/12/02").body, tele);
    EXPECT_EQ(get("/canali.phtml?giorno2=05%2F12%2F02&channel=D+F1&x=6&y=11").status, 200);
    for (const char* target : {
             "/canali.phtml?giorno2=05%2F12%2F02&channel=Canale+6&x=6&y=11",
             "/canali.phtml?giorno2=05%2F12%2F02&channel=canale+5&x=6&y=11",
             "/canali.phtml?giorno2=29%2F02%2F03&channel=Canale+5&x=6&y=11",
             "/canali.phtml?giorno2=5%2F12%2F02&channel=Canale+5&x=6&y=11",
             "/canali.phtml?giorno2=05%2F13%2F02&channel=Canale+5&x=6&y=11",
             "/canali.phtml?channel=Canale+5&x=6&y=11",
             "/canali.phtml?giorno2=05%2F12%2F02",
             "/programmi.phtml?codice=100231",
             "/programmi.phtml?codice=1520001001",  // channel 52
             "/programmi.phtml?codice=1051202699",  // row 99
             "/programmi.phtml?codice=x051202601",
             "/programmi.phtml?codice=105",
             "/statiche/media/foto/1051202699.jpg",
             "/index.html",
         }) {
        EXPECT_EQ(get(target).status, 404) << target;
    }
}

TEST(SiteContent, DaysAreFullRealisticAndCodesUniqueAcrossTheSite) {
    std::set<std::string> codes;
    std::set<std::string> titles;
    for (const ChannelInfo& channel : builtinChannels()) {
        for (const Day& day : kDays) {
            ChannelDayListing listing = sampleListing(channel, day);
            ASSERT_GE(listing.programmes.size(), 25u) << channel.name;
            ASSERT_LE(listing.programmes.size(), 45u) << channel.name;
            EXPECT_GE(listing.programmes.front().hour, "05:30");
            EXPECT_LE(listing.programmes.front().hour, "06:30");
            int midnights = 0;
            for (std::size_t i = 1; i < listing.programmes.size(); ++i) {
                const std::string& hour = listing.programmes[i].hour;
                midnights += hour < listing.programmes[i - 1].hour;
                EXPECT_NE(hour, listing.programmes[i - 1].hour);
            }
            EXPECT_EQ(midnights, 1) << channel.name << ": the day goes on past midnight once";
            for (const SampleProgramme& programme : listing.programmes) {
                EXPECT_TRUE(codes.insert(programme.code).second) << programme.code;
                titles.insert(programme.title);
            }
        }
    }
    EXPECT_GT(titles.size(), 300u);
}

// "Basket: Genova - Genova" is no match: a placeholder written twice in one pattern gives two
// different words, in titles and stories alike, while the rest of the page stays as it was.
TEST(SiteContent, TwoTeamsOrTownsOfOnePatternAreNeverTheSame) {
    for (std::uint64_t seed = 0; seed < 400; ++seed) {
        SampleRandom random(seed);
        std::string match = fillPattern("Basket: {citta} - {citta}", random);
        std::size_t dash = match.find(" - ");
        EXPECT_NE(match.substr(8, dash - 8), match.substr(dash + 3)) << match;
        std::string trip = fillPattern("da {citta} a {citta}, {citta}", random);
        std::size_t to = trip.find(" a ");
        std::size_t comma = trip.find(", ");
        std::set<std::string> towns{trip.substr(3, to - 3), trip.substr(to + 3, comma - to - 3),
                                    trip.substr(comma + 2)};
        EXPECT_EQ(towns.size(), 3u) << trip;
    }
}

}  // namespace
}  // namespace zelidor::samplesite
