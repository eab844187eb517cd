// The site over real sockets: pages, posters, the release file, request counters, every kind
// of misbehaviour, stopping, and the embedded default host.
#include <gtest/gtest.h>
#include <httplib.h>
#include <stb_image.h>

#include "common/text.h"
#include "mini_scraper.h"
#include "raw_http.h"
#include "record_printing.h"
#include "samplesite/embedded_site.h"
#include "samplesite/fault_responses.h"
#include "samplesite/sample_site.h"
#include "samplesite/site_pages.h"
#include "support/local_server.h"

namespace zelidor::samplesite {
namespace {

using std::chrono::milliseconds;
using test::rawGet;

const Day kDay{2002, 12, 5};

const ChannelInfo& canale5() {
    return *findChannelByScriptName("Canale 5.zdr");
}

std::string listingTarget() {
    return listingAddress("", canale5(), kDay).substr(7);
}

std::string normalListing() {
    return listingPage(sampleListing(canale5(), kDay));
}

class SampleSiteTest : public ::testing::Test {
  protected:
    void SetUp() override { site.start(); }
    test::RawReply get(const std::string& target, milliseconds timeout = std::chrono::seconds(5)) {
        return rawGet(site.port(), target, timeout);
    }
    SampleSite site;
};

TEST_F(SampleSiteTest, ServesListingsDetailsPostersAndTheReleaseFile) {
    test::RawReply listing = get(listingTarget());
    EXPECT_EQ(listing.status, 200);
    EXPECT_EQ(listing.body, normalListing());

    const SampleProgramme* withPoster = nullptr;
    for (const SampleProgramme& p : sampleListing(canale5(), kDay).programmes) {
        withPoster = withPoster ? withPoster : (p.poster ? &p : nullptr);
    }
    ASSERT_NE(withPoster, nullptr);
    std::string poster = get(posterPath(*withPoster)).body;
    int width = 0, height = 0, components = 0;
    stbi_uc* pixels = stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(poster.data()),
                                            static_cast<int>(poster.size()), &width, &height,
                                            &components, 0);
    ASSERT_NE(pixels, nullptr) << "the poster is not a picture";
    stbi_image_free(pixels);
    EXPECT_EQ(width, 140);
    EXPECT_EQ(height, 105);
    EXPECT_EQ(poster.substr(0, 3), "\xFF\xD8\xFF");

    EXPECT_EQ(get("/zelidor/codes/release.txt").body, "1.2");
    site.setReleaseText("1.21\nnote");
    EXPECT_EQ(get("/zelidor/codes/release.txt").body, "1.21\nnote");
}

TEST_F(SampleSiteTest, EveryPosterPictureDecodes) {
    SiteAnswers answers;
    for (const std::string& jpeg : answers.posters()) {
        int w = 0, h = 0, n = 0;
        EXPECT_EQ(stbi_info_from_memory(reinterpret_cast<const stbi_uc*>(jpeg.data()),
                                        static_cast<int>(jpeg.size()), &w, &h, &n),
                  1);
    }
    EXPECT_EQ(answers.posters().size(), static_cast<std::size_t>(kSamplePictureCount));
}

TEST_F(SampleSiteTest, RecordsScrapedOverHttpAreTheExpectedOnes) {
    httplib::Client client("127.0.0.1", site.port());
    test::Fetch fetch = [&](const std::string& url) -> std::optional<std::string> {
        auto result = client.Get(url.substr(url.find('/', 7)));
        return result && result->status == 200 ? std::optional(result->body) : std::nullopt;
    };
    for (const char* script : {"VIVA - Rete A.zdr", "Tele+ Grigio.zdr"}) {
        const ChannelInfo& channel = *findChannelByScriptName(script);
        EXPECT_EQ(test::scrapeChannelDay(fetch, site.host(), channel, Day{2004, 12, 31},
                                         DownloadMode::WithDetails),
                  expectedRecords(channel, Day{2004, 12, 31}, site.host(),
                                  DownloadMode::WithDetails));
    }
}

TEST_F(SampleSiteTest, CountsRequestsByKind) {
    get(listingTarget());
    get(listingTarget() + "x");
    get("/programmi.phtml?codice=1");
    get("/statiche/media/foto/1.jpg");
    get("/zelidor/codes/release.txt");
    site.faults().add(AddressPattern::containing("stile"), Fault::refuse(500));
    get("/stile.css");
    EXPECT_EQ(site.requestCounts(), (RequestCounts{2, 1, 1, 1, 1}));
    site.resetRequestCounts();
    EXPECT_EQ(site.requestCounts().total(), 0u);
}

TEST_F(SampleSiteTest, RefusalsApplyOnlyToMatchingAddressesUntilCleared) {
    site.faults().add(AddressPattern::containing("channel=Canale+5"), Fault::refuse(500));
    site.faults().add(AddressPattern::matching(R"(codice=\d+$)"), Fault::refuse(404));
    site.faults().add(AddressPattern::containing("Canale"), Fault::garbage());  // never reached
    EXPECT_EQ(get(listingTarget()).status, 500);
    EXPECT_EQ(get("/programmi.phtml?codice=1051202601").status, 404);
    EXPECT_EQ(get(listingAddress("", *findChannelByScriptName("Rai Uno.zdr"), kDay).substr(7))
                  .status,
              200);
    site.faults().clear();
    EXPECT_EQ(get(listingTarget()).body, normalListing());
    EXPECT_THROW(AddressPattern::matching("(unclosed"), std::regex_error);
}

TEST_F(SampleSiteTest, AStallBeforeTheAnswerHoldsBackEverything) {
    site.faults().add(AddressPattern::containing("canali"), Fault::stallBefore(milliseconds(1500)));
    test::RawReply quiet = get(listingTarget(), milliseconds(300));
    EXPECT_TRUE(quiet.timedOut);
    EXPECT_EQ(quiet.status, 0);

    site.faults().clear();
    site.faults().add(AddressPattern::containing("canali"), Fault::stallBefore(milliseconds(300)));
    test::RawReply late = get(listingTarget());
    EXPECT_GE(late.elapsed, milliseconds(300));
    EXPECT_EQ(late.body, normalListing());
}

TEST_F(SampleSiteTest, AStallMidBodySendsTheStartThenPausesThenTheRest) {
    site.faults().add(AddressPattern::containing("canali"),
                      Fault::stallMidBody(milliseconds(1500), 1000));
    test::RawReply start = get(listingTarget(), milliseconds(400));
    EXPECT_TRUE(start.timedOut);
    EXPECT_EQ(start.status, 200);
    EXPECT_EQ(start.body, normalListing().substr(0, 1000));

    test::RawReply whole = get(listingTarget());
    EXPECT_FALSE(whole.timedOut);
    EXPECT_GE(whole.elapsed, milliseconds(1500));
    EXPECT_EQ(whole.body, normalListing());
}

TEST_F(SampleSiteTest, ACloseMidBodyDropsTheConnectionAfterPartOfThePage) {
    site.faults().add(AddressPattern::containing("canali"), Fault::closeMidBody());
    site.faults().add(AddressPattern::containing("codice"), Fault::closeMidBody(0));
    test::RawReply cut = get(listingTarget());
    EXPECT_FALSE(cut.timedOut);
    EXPECT_EQ(cut.contentLength, static_cast<long>(normalListing().size()));
    EXPECT_EQ(cut.body, normalListing().substr(0, normalListing().size() / 2));

    test::RawReply headersOnly = get("/programmi.phtml?codice=1051202601");
    EXPECT_EQ(headersOnly.status, 200);
    EXPECT_EQ(headersOnly.bodyBytes, 0u);

    httplib::Client client("127.0.0.1", site.port());
    EXPECT_FALSE(client.Get(listingTarget())) << "a client must see the transfer fail";
}

TEST_F(SampleSiteTest, GarbageAndAMissingStartMarkerReplaceThePage) {
    site.faults().add(AddressPattern::containing("giorno2=05"), Fault::garbage(5000));
    site.faults().add(AddressPattern::containing("giorno2=06"), Fault::noStartMarker());
    test::RawReply garbage = get(listingTarget());
    EXPECT_EQ(garbage.status, 200);
    EXPECT_EQ(garbage.body.size(), 5000u);
    EXPECT_EQ(garbage.body.find("<tr bgcolor"), std::string::npos);
    EXPECT_EQ(get(listingTarget()).body, garbage.body) << "garbage is repeatable";

    std::string nextDay = listingAddress("", canale5(), kDay.plusDays(1)).substr(7);
    std::string page = listingPage(sampleListing(canale5(), kDay.plusDays(1)));
    EXPECT_EQ(get(nextDay).body, replaceAll(page, "<!-- start DX main -->\n", ""));
}

TEST_F(SampleSiteTest, AHugePageIsStreamedFillerFollowedByThePage) {
    site.faults().add(AddressPattern::containing("canali"), Fault::hugePage(3));
    test::RawReply huge = rawGet(site.port(), listingTarget(), std::chrono::seconds(20), false);
    std::string page = normalListing();
    EXPECT_EQ(huge.contentLength, static_cast<long>(3 * 1024 * 1024 + page.size()));
    EXPECT_EQ(huge.bodyBytes, static_cast<std::size_t>(huge.contentLength));
    ASSERT_GE(huge.body.size(), page.size());
    EXPECT_EQ(huge.body.substr(huge.body.size() - page.size()), page);
    std::string filler = fillerBytes(0, 128);
    EXPECT_EQ(filler.substr(0, 64),
              "<!-- riempitivo 0000000000 -------------------------------- -->\n");
    EXPECT_EQ(fillerBytes(70, 10), fillerBytes(0, 128).substr(70, 10));
}

TEST_F(SampleSiteTest, LatencyDelaysEveryRequest) {
    site.setLatency(milliseconds(250));
    EXPECT_GE(get("/zelidor/codes/release.txt").elapsed, milliseconds(250));
    site.setLatency(milliseconds(0));
    EXPECT_LT(get("/zelidor/codes/release.txt").elapsed, milliseconds(250));
}

TEST(SampleSite, StoppingEndsPendingStallsAtOnce) {
    SampleSite site;
    site.start();
    site.faults().add(AddressPattern::containing("canali"), Fault::stallBefore(std::chrono::hours(1)));
    std::thread caller([&] { rawGet(site.port(), listingTarget(), std::chrono::seconds(30)); });
    std::this_thread::sleep_for(milliseconds(200));
    auto before = std::chrono::steady_clock::now();
    site.stop();
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(3));
    caller.join();
    EXPECT_FALSE(rawGet(site.port(), "/").connected);
}

TEST(SampleSite, APortInUseIsReported) {
    SampleSite first;
    first.start();
    SampleSite second;
    EXPECT_THROW(second.start(first.port()), std::runtime_error);
    SampleSite onFreePort;
    int port = zelidor::test::closedPort();
    onFreePort.start(port);
    EXPECT_EQ(onFreePort.port(), port);
    EXPECT_EQ(rawGet(port, "/zelidor/codes/release.txt").body, "1.2");
}

TEST(EmbeddedSite, TheSampleSettingServesInProcessUntilDestroyed) {
    int port = 0;
    {
        EmbeddedSite embedded("sample");
        ASSERT_NE(embedded.site(), nullptr);
        EXPECT_EQ(embedded.host(), "127.0.0.1:" + std::to_string(embedded.site()->port()));
        port = embedded.site()->port();
        EXPECT_EQ(rawGet(port, listingTarget()).body, normalListing());
    }
    EXPECT_FALSE(rawGet(port, "/").connected);
}

TEST(EmbeddedSite, AnyOtherSettingIsUsedAsItStands) {
    for (const char* setting : {"www.guidatv.example", "Sample", "127.0.0.1:8080", ""}) {
        EmbeddedSite embedded(setting);
        EXPECT_EQ(embedded.host(), setting);
        EXPECT_EQ(embedded.site(), nullptr);
    }
}

}  // namespace
}  // namespace zelidor::samplesite
