// The site over real sockets: pages, posters, the release file, request counters, every kind
// of misbehaviour, stopping, a busy port and the embedded default host.
#include <gtest/gtest.h>
#include <httplib.h>

#include "common/text.h"
#include "raw_http.h"
#include "samplesite/embedded_site.h"
#include "samplesite/fault_responses.h"
#include "samplesite/site_pages.h"

namespace zelidor::samplesite {
namespace {

using std::chrono::milliseconds;
using test::rawGet;

const Day kDay{2002, 12, 5};
const ChannelInfo& kCanale5 = builtinChannels()[4];
const std::string kListing = listingAddress("", kCanale5, kDay).substr(7);

std::string normalListing() {
    return listingPage(sampleListing(kCanale5, kDay));
}

class SampleSiteTest : public ::testing::Test {
  protected:
    void SetUp() override { site.start(); }
    test::RawReply get(const std::string& target, milliseconds timeout = milliseconds(5000)) {
        return rawGet(site.port(), target, timeout);
    }
    void onListing(Fault fault) { site.faults().add(AddressPattern::containing("canali"), fault); }
    SampleSite site;
};

TEST_F(SampleSiteTest, ServesPagesPostersAndTheReleaseFileAndCountsRequests) {
    EXPECT_EQ(get(kListing).body, normalListing());
    auto programmes = sampleListing(kCanale5, kDay).programmes;
    auto withPoster = std::find_if(programmes.begin(), programmes.end(),
                                   [](const SampleProgramme& p) { return p.poster.has_value(); });
    ASSERT_NE(withPoster, programmes.end());
    EXPECT_EQ(get(posterPath(*withPoster)).status, 200);
    EXPECT_EQ(get("/zelidor/codes/release.txt").body, "1.2");
    site.setReleaseText("1.21\nnote");
    EXPECT_EQ(get("/zelidor/codes/release.txt").body, "1.21\nnote");
    site.faults().add(AddressPattern::containing("programmi"), Fault::refuse(500));
    get("/programmi.phtml?codice=1");
    get("/stile.css");
    EXPECT_EQ(site.requestCounts(), (RequestCounts{1, 1, 1, 2, 1}));
    site.resetRequestCounts();
    EXPECT_EQ(site.requestCounts().total(), 0u);
}

TEST_F(SampleSiteTest, RefusalsFollowTheFirstMatchingRuleUntilCleared) {
    site.faults().add(AddressPattern::containing("channel=Canale+5"), Fault::refuse(500));
    site.faults().add(AddressPattern::matching(R"(codice=\d+$)"), Fault::refuse(404));
    site.faults().add(AddressPattern::containing("Canale"), Fault::garbage());  // never reached
    EXPECT_EQ(get(kListing).status, 500);
    EXPECT_EQ(get("/programmi.phtml?codice=1051202601").status, 404);
    EXPECT_EQ(get(replaceAll(kListing, "Canale+5", "Rai+Uno")).status, 200);
    site.faults().clear();
    EXPECT_EQ(get(kListing).body, normalListing());
    EXPECT_THROW(AddressPattern::matching("(unclosed"), std::regex_error);
}

// What each misbehaviour sends, byte for byte: the download's fault tests rely on it.
TEST_F(SampleSiteTest, EachMisbehaviourSendsWhatItSays) {
    const std::string page = normalListing();
    auto with = [&](Fault fault, milliseconds timeout = milliseconds(5000)) {
        site.faults().clear();
        onListing(fault);
        return get(kListing, timeout);
    };
    test::RawReply quiet = with(Fault::stallBefore(milliseconds(1500)), milliseconds(300));
    EXPECT_TRUE(quiet.timedOut);
    EXPECT_EQ(quiet.status, 0);
    test::RawReply paused = with(Fault::stallMidBody(milliseconds(1500), 1000), milliseconds(400));
    EXPECT_TRUE(paused.timedOut);
    EXPECT_EQ(paused.body, page.substr(0, 1000));
    test::RawReply resumed = with(Fault::stallMidBody(milliseconds(300), 1000));
    EXPECT_GE(resumed.elapsed, milliseconds(300));
    EXPECT_EQ(resumed.body, page);

    test::RawReply cut = with(Fault::closeMidBody());
    EXPECT_FALSE(cut.timedOut);
    EXPECT_EQ(cut.contentLength, static_cast<long>(page.size()));
    EXPECT_EQ(cut.body, page.substr(0, page.size() / 2));

    test::RawReply garbage = with(Fault::garbage(5000));
    EXPECT_EQ(garbage.body.size(), 5000u);
    EXPECT_EQ(garbage.body.find("<tr bgcolor"), std::string::npos);
    EXPECT_EQ(get(kListing).body, garbage.body) << "garbage is repeatable";
    EXPECT_EQ(with(Fault::noStartMarker()).body, replaceAll(page, "<!-- start DX main -->\n", ""));
    constexpr std::size_t kFiller = 3 * 1024 * 1024;
    std::string huge = with(Fault::hugePage(3), milliseconds(20000)).body;
    ASSERT_EQ(huge.size(), kFiller + page.size());
    EXPECT_EQ(huge.substr(0, kFiller), fillerBytes(0, kFiller));
    EXPECT_EQ(huge.substr(kFiller), page);
}

TEST_F(SampleSiteTest, LatencyDelaysEveryRequest) {
    site.setLatency(milliseconds(250));
    EXPECT_GE(get("/zelidor/codes/release.txt").elapsed, milliseconds(250));
    site.setLatency(milliseconds(0));
    EXPECT_LT(get("/zelidor/codes/release.txt").elapsed, milliseconds(250));
}

TEST_F(SampleSiteTest, AKeptAliveConnectionAnswersRequestsInTurnAndSentTogether) {
    test::RawConnection connection(site.port());
    ASSERT_TRUE(connection.connected());
    connection.send(test::getRequest("/zelidor/codes/release.txt") + test::getRequest(kListing));
    std::string both = connection.receiveAnswers(2, milliseconds(5000));
    EXPECT_TRUE(both.starts_with("HTTP/1.1 200 OK\r\n"));
    EXPECT_NE(both.find("\r\n\r\n1.2HTTP/1.1 200 OK\r\n"), std::string::npos);
    EXPECT_TRUE(both.ends_with(normalListing()));
    EXPECT_EQ(both.find("Connection: close"), std::string::npos);
    connection.send(test::getRequest("/zelidor/codes/release.txt"));
    EXPECT_TRUE(connection.receiveAnswers(1, milliseconds(5000)).ends_with("\r\n\r\n1.2"));
    EXPECT_EQ(site.requestCounts(), (RequestCounts{1, 0, 0, 2, 0}));
    // Left idle, the connection is closed after a second and its server thread is free again.
    EXPECT_TRUE(connection.closedWithin(milliseconds(3000)));
}

// Every way a connection can be waiting: for its answer, idle between requests, halfway
// through sending a request, and halfway through receiving a page it does not read.
TEST(SampleSite, StoppingEndsEveryWaitingConnectionAtOnceAndClosesThePort) {
    SampleSite site;
    site.start();
    site.faults().add(AddressPattern::containing("canali"),
                      Fault::stallBefore(std::chrono::hours(1)));
    site.faults().add(AddressPattern::containing("codice"), Fault::hugePage(64));
    std::thread caller([&] { rawGet(site.port(), kListing, milliseconds(30000)); });
    httplib::Client idle("127.0.0.1", site.port());  // a client that would keep its connection
    idle.set_keep_alive(true);
    ASSERT_TRUE(idle.Get("/zelidor/codes/release.txt"));
    test::RawConnection halfSent(site.port());
    halfSent.send("GET /zelidor/codes/rel");
    test::RawConnection notReading(site.port());
    notReading.send(test::getRequest("/programmi.phtml?codice=1051202601"));
    std::this_thread::sleep_for(milliseconds(200));
    auto before = std::chrono::steady_clock::now();
    site.stop();
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(1));
    caller.join();
    EXPECT_TRUE(halfSent.closedWithin(milliseconds(100)));
    EXPECT_TRUE(notReading.closedWithin(milliseconds(1000)));
    EXPECT_FALSE(rawGet(site.port(), "/").connected);
}

TEST(SampleSite, APortInUseIsReportedNotShared) {
    SampleSite first;
    first.start();
    SampleSite second;
    EXPECT_THROW(second.start(first.port()), std::runtime_error);
}

TEST(EmbeddedSite, TheSampleSettingServesInProcessUntilDestroyed) {
    int port = 0;
    {
        EmbeddedSite embedded("sample");
        ASSERT_NE(embedded.site(), nullptr);
        port = embedded.site()->port();
        EXPECT_EQ(embedded.host(), "127.0.0.1:" + std::to_string(port));
        EXPECT_EQ(rawGet(port, kListing).body, normalListing());
    }
    EXPECT_FALSE(rawGet(port, "/").connected);
    for (const char* setting : {"www.guidatv.example", "Sample", "127.0.0.1:8080", ""}) {
        EmbeddedSite other(setting);
        EXPECT_EQ(other.host(), setting);
        EXPECT_EQ(other.site(), nullptr);
    }
}

}  // namespace
}  // namespace zelidor::samplesite
