// What the site serves, read through its routing without a socket: every channel on any day,
// the same bytes for the same channel-day, pages that follow the listing page format, and
// expected records that agree with the pages.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "mini_scraper.h"
#include "page_rules.h"
#include "record_printing.h"
#include "samplesite/sample_listing.h"
#include "samplesite/sample_schedule.h"
#include "samplesite/site_address.h"
#include "samplesite/site_answers.h"
#include "samplesite/site_pages.h"

namespace zelidor::samplesite {
namespace {

constexpr const char* kHost = "www.guidatv.example";

const SiteAnswers& site() {
    static const SiteAnswers answers;
    return answers;
}

SiteAnswer get(const std::string& target) {
    return site().answer(target, "1.2");
}

std::string listingTarget(const ChannelInfo& channel, const Day& day) {
    return listingAddress("", channel, day).substr(7);  // without "http://"
}

test::Fetch siteFetch() {
    return [](const std::string& url) -> std::optional<std::string> {
        std::string prefix = std::string("http://") + kHost;
        SiteAnswer answer = get(url.substr(prefix.size()));
        return answer.status == 200 ? std::optional(answer.body) : std::nullopt;
    };
}

TEST(SiteContent, TheSameChannelDayIsTheSameBytesAndOtherDaysDiffer) {
    const ChannelInfo& canale5 = *findChannelByScriptName("Canale 5.zdr");
    std::string first = get(listingTarget(canale5, Day{2002, 12, 5})).body;
    EXPECT_EQ(get(listingTarget(canale5, Day{2002, 12, 5})).body, first);
    EXPECT_NE(get(listingTarget(canale5, Day{2002, 12, 6})).body, first);
    EXPECT_NE(get(listingTarget(*findChannelByScriptName("Italia 1.zdr"), Day{2002, 12, 5})).body,
              first);
    // A fresh site (new posters, new state) serves the same detail pages and pictures.
    SiteAnswers other;
    std::string code = sampleListing(canale5, Day{2002, 12, 5}).programmes[3].code;
    EXPECT_EQ(other.answer("/programmi.phtml?codice=" + code, "").body,
              get("/programmi.phtml?codice=" + code).body);
    EXPECT_EQ(other.posters(), site().posters());
}

TEST(SiteContent, EveryChannelIsServedOnAnyDayIncludingLeapDaysAndYearEnds) {
    const Day days[] = {{2004, 2, 29}, {2002, 12, 31}, {2003, 1, 1}, {1999, 12, 31}, {2025, 6, 15}};
    for (const ChannelInfo& channel : builtinChannels()) {
        for (const Day& day : days) {
            SiteAnswer answer = get(listingTarget(channel, day));
            ASSERT_EQ(answer.status, 200) << channel.name << " " << day.stamp();
            EXPECT_EQ(answer.contentType, "text/html; charset=iso-8859-1");
            EXPECT_NE(answer.body.find(std::string(channel.name) + "</td><td class=\"data\">"),
                      std::string::npos);
        }
    }
    EXPECT_NE(get(listingTarget(builtinChannels()[0], Day{2004, 2, 29})).body.find(
                  "domenica 29 febbraio 2004"),
              std::string::npos);
}

TEST(SiteContent, UnknownChannelsDaysAndProgrammesAreNotFound) {
    const char* missing[] = {
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
        "/programmi.phtml?codice=105120260'",
        "/statiche/media/foto/1051202699.jpg",
        "/statiche/media/foto/logo.gif",
        "/index.html",
    };
    for (const char* target : missing) {
        EXPECT_EQ(get(target).status, 404) << target;
    }
}

TEST(SiteContent, ChannelValuesAreMatchedOnceDecodedAndXyAreIgnored) {
    const char* tele = "/canali.phtml?giorno2=05%2F12%2F02&channel=Tele%2B+Bianco&x=7&y=11";
    EXPECT_NE(get(tele).body.find(">Tele+ Bianco</td>"), std::string::npos);
    EXPECT_EQ(get("/canali.phtml?channel=Tele%2b%20Bianco&giorno2=05/12/02").body, get(tele).body);
    EXPECT_NE(get("/canali.phtml?giorno2=05%2F12%2F02&channel=D+F1&x=6&y=11").body.find(">D+F1<"),
              std::string::npos);
    EXPECT_EQ(get("/canali.phtml?giorno2=05%2F12%2F02&channel=Eurosport").status, 200);
}

TEST(SiteContent, TwoDigitYearsAreReadWithinOneHundredYears) {
    const ChannelInfo& rai = *findChannelByScriptName("Rai Uno.zdr");
    EXPECT_EQ(get(listingTarget(rai, Day{1902, 3, 1})).body,
              get(listingTarget(rai, Day{2002, 3, 1})).body);
    EXPECT_NE(get(listingTarget(rai, Day{1975, 3, 1})).body.find("1975"), std::string::npos);
    // Data holds the day asked for, even when the site serves it from its window.
    EXPECT_EQ(expectedRecords(rai, Day{1902, 3, 1}, kHost, DownloadMode::ListOnly)[0].data,
              19020301);
}

TEST(SiteContent, DaysAreFullRealisticAndCodesUniqueAcrossTheSite) {
    std::set<std::string> codes;
    std::set<std::string> titles;
    for (const ChannelInfo& channel : builtinChannels()) {
        for (const Day& day : {Day{2002, 12, 5}, Day{2002, 12, 6}}) {
            ChannelDayListing listing = sampleListing(channel, day);
            ASSERT_GE(listing.programmes.size(), 25u) << channel.name;
            ASSERT_LE(listing.programmes.size(), 45u) << channel.name;
            EXPECT_GE(listing.programmes.front().hour, "05:30");
            EXPECT_LE(listing.programmes.front().hour, "06:30");
            EXPECT_LE(listing.programmes.back().hour, "02:00") << "the day ends past midnight";
            std::string previous;
            bool pastMidnight = false;
            for (const SampleProgramme& programme : listing.programmes) {
                pastMidnight = pastMidnight || programme.hour < previous;
                EXPECT_TRUE(pastMidnight || programme.hour > previous) << programme.hour;
                previous = programme.hour;
                EXPECT_TRUE(codes.insert(programme.code).second) << programme.code;
                titles.insert(programme.title);
                EXPECT_EQ(locateCode(programme.code)->channel, &channel);
            }
            EXPECT_TRUE(pastMidnight) << channel.name;
        }
    }
    EXPECT_GT(titles.size(), 300u);
    EXPECT_TRUE(titles.contains("L'ispettore Derrick") || titles.contains("Un'estate al mare"));
}

TEST(SiteContent, TheKindOfChannelShapesTheMixOfTypes) {
    auto share = [](const char* script, std::set<std::string> types) {
        int matching = 0;
        int all = 0;
        for (int d = 0; d < 7; ++d) {
            for (const SampleProgramme& p :
                 sampleListing(*findChannelByScriptName(script), Day{2003, 3, 1}.plusDays(d))
                     .programmes) {
                matching += types.contains(p.type) ? 1 : 0;
                ++all;
            }
        }
        return matching * 100 / all;
    };
    EXPECT_GT(share("EuroSport.zdr", {"Sport"}), 55);
    EXPECT_GT(share("Cartoon Network.zdr", {"Cartoni"}), 55);
    EXPECT_GT(share("Cine Movie.zdr", {"Film", "Film TV"}), 55);
    EXPECT_GT(share("24Ore.zdr", {"Notiziario", "Informazione"}), 55);
    EXPECT_LT(share("Canale 5.zdr", {"Sport"}), 20);
}

TEST(SiteContent, ListingAndDetailPagesFollowTheFormatForEveryChannel) {
    for (const ChannelInfo& channel : builtinChannels()) {
        for (const Day& day : {Day{2002, 12, 5}, Day{2004, 2, 29}}) {
            ChannelDayListing listing = sampleListing(channel, day);
            EXPECT_EQ(test::listingPageViolations(listingPage(listing)),
                      std::vector<std::string>{})
                << channel.name << " " << day.stamp();
            for (const SampleProgramme& programme : listing.programmes) {
                EXPECT_EQ(test::detailPageViolations(detailPage(listing, programme)),
                          std::vector<std::string>{})
                    << programme.code;
            }
        }
    }
}

TEST(SiteContent, TheRuleCheckerCatchesPagesThatBreakTheScript) {
    ChannelDayListing listing = sampleListing(builtinChannels()[4], Day{2002, 12, 5});
    std::string page = listingPage(listing);
    auto broken = [&](std::string_view from, std::string_view to) {
        return !test::listingPageViolations(replaceAll(page, from, to)).empty();
    };
    EXPECT_TRUE(broken("\n", "\r\n"));
    EXPECT_TRUE(broken("<!-- start DX main -->", ""));
    EXPECT_TRUE(broken("<tr class=\"intestazione\">", "<tr bgcolor=\"#CCCCCC\">"));
    EXPECT_TRUE(broken("</td>\n<td align=\"right\">", "</td>\n</tr>\n<td align=\"right\">"));
    EXPECT_TRUE(broken("width=\"45\">0", "width=\"45\"><b>0"));
    EXPECT_TRUE(broken("codice=1", "codice='1"));

    std::string detail = detailPage(listing, listing.programmes[0]);
    EXPECT_FALSE(test::detailPageViolations(
                     replaceAll(detail, "<body", "<img src=\"/statiche/media/logo.gif\"><body"))
                     .empty());
    EXPECT_FALSE(test::detailPageViolations(detail + "<b>Film</b>\n").empty());
}

TEST(SiteContent, ExpectedRecordsAgreeWithTheServedPages) {
    for (const ChannelInfo& channel : builtinChannels()) {
        for (const Day& day : {Day{2002, 12, 5}, Day{2004, 2, 29}}) {
            for (DownloadMode mode : {DownloadMode::ListOnly, DownloadMode::WithDetails}) {
                EXPECT_EQ(test::scrapeChannelDay(siteFetch(), kHost, channel, day, mode),
                          expectedRecords(channel, day, kHost, mode))
                    << channel.name << " " << day.stamp();
            }
        }
    }
}

TEST(SiteContent, PagesCarryTheMarkupTheScriptMustCopeWith) {
    std::map<std::string, int> seen;
    for (const ChannelInfo& channel : builtinChannels()) {
        ChannelDayListing listing = sampleListing(channel, Day{2002, 12, 5});
        for (const SampleProgramme& p : listing.programmes) {
            seen["type with blank"] += p.type.find(' ') != std::string::npos;
            seen["padded type class"] += p.typeClass != p.type;
            seen["apostrophe title"] += p.title.find('\'') != std::string::npos;
            seen["entity title"] += p.title.find('&') != std::string::npos;
            seen["no description"] += !p.description;
            seen["no poster"] += !p.poster;
            seen["film credits"] += p.hasFilmCredits();
            seen["credits preface"] += p.cast && p.cast->preface;
            seen["series cast"] += p.cast && !p.hasFilmCredits();
            std::string text = p.description.value_or("") + (p.cast ? p.cast->credits : "");
            for (const char* markup : {"&egrave;", "&#232;", "&agrave;", "&ograve;", "<BR>",
                                       "<i>", "&nbsp;", "&Egrave;", "<br>"}) {
                seen[markup] += text.find(markup) != std::string::npos;
            }
        }
    }
    for (const auto& [what, count] : seen) {
        EXPECT_GT(count, 0) << what;
    }
}

}  // namespace
}  // namespace zelidor::samplesite
