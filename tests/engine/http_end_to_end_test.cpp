// The built-in script through libcurl against a real HTTP server on 127.0.0.1 serving the
// worked example day, and against servers that refuse, fail, stall or cut a page short.
#include <gtest/gtest.h>

#include <future>

#include "engine/fetch/curl_fetcher.h"
#include "support/engine_harness.h"
#include "support/local_server.h"

namespace zelidor::test {
namespace {

FetchLimits shortLimits() {
    FetchLimits limits;
    limits.connectTimeout = std::chrono::seconds(2);
    limits.lowSpeedTime = std::chrono::seconds(1);
    return limits;
}

class OverHttp : public testing::Test {
  protected:
    enum class Listing { Whole, ServerError, CutShort };

    void SetUp() override {
        server.server().Get("/canali.phtml", [this](const httplib::Request& req,
                                                    httplib::Response& res) {
            listingQuery = req.get_param_value("giorno2") + "|" + req.get_param_value("channel") +
                           "|" + req.get_param_value("x") + "|" + req.get_param_value("y");
            std::string page = formatExampleFile("listing.html");
            if (listing == Listing::ServerError) {
                res.status = 500;
                res.set_content("<html>Internal error</html>", "text/html");
            } else if (listing == Listing::CutShort) {
                std::size_t cut = page.find("La vita &egrave;");
                res.set_content_provider(
                    page.size(), "text/html",
                    [page, cut](std::size_t, std::size_t, httplib::DataSink& sink) {
                        sink.write(page.data(), cut);
                        return false;  // the connection breaks off
                    });
            } else {
                res.set_content(page, "text/html");
            }
        });
        server.server().Get(
            "/programmi.phtml", [this](const httplib::Request& req, httplib::Response& res) {
                std::string code = req.get_param_value("codice");
                if (code == stallingCode) {
                    released.wait_for(std::chrono::seconds(20));
                }
                res.set_content(formatExampleFile("detail_" + code + ".html"), "text/html");
            });
        server.server().Get(R"(/statiche/media/foto/(\d+)\.jpg)",
                            [](const httplib::Request&, httplib::Response& res) {
                                res.set_content(jpegPicture(14, 10), "image/jpeg");
                            });
        server.start();
        h.settings.listingsHost = server.host();
    }
    ~OverHttp() override { release.set_value(); }  // lets a stalled handler finish

    // The example's records with the links on this server.
    std::vector<ProgrammeRow> expectedHere() {
        std::vector<ProgrammeRow> rows = formatExampleRecords();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            rows[i].link = exampleDetailUrl(kExampleCodes[i], server.host());
        }
        return rows;
    }

    LocalServer server;  // stops after the fetcher below has closed its kept-alive connection
    CurlFetcher curl{shortLimits()};
    EngineHarness h{&curl};
    Listing listing = Listing::Whole;
    std::string listingQuery;
    std::string stallingCode;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
};

TEST_F(OverHttp, TheWorkedExampleStoresTheSameProgrammes) {
    ChannelDayResult result = h.runBuiltin("Canale 5.zdr", "20021205");

    EXPECT_EQ(listingQuery, "05/12/02|Canale 5|6|11");
    EXPECT_EQ(h.rows, expectedHere());
    EXPECT_TRUE(result.completed);
    EXPECT_EQ(h.count("fetch "), 6u);
    EXPECT_GT(h.transfers, 0u);
}

TEST_F(OverHttp, ADetailPageThatStallsIsEmptyAndTheRunGoesOn) {
    stallingCode = "100231";
    ChannelDayResult result = h.runBuiltin();

    EXPECT_TRUE(result.completed);
    std::vector<ProgrammeRow> expected = expectedHere();
    expected[0].commenti.reset();
    expected[0].cover.reset();
    EXPECT_EQ(h.rows, expected);
}

TEST_F(OverHttp, AnErrorStatusIsAListingThatCannotBeOpened) {
    listing = Listing::ServerError;
    ChannelDayResult result = h.runBuiltin();

    EXPECT_FALSE(result.listingFetched);
    EXPECT_EQ(h.count("log ERRORE DI CONNESSIONE AL SITO http://" + server.host() +
                      "/canali.phtml?giorno2=05%2F12%2F02"),
              1u);
    EXPECT_TRUE(h.rows.empty());
    EXPECT_EQ(h.count("ask "), 0u);
}

TEST_F(OverHttp, AListingCutShortKeepsTheProgrammesBeforeTheCut) {
    listing = Listing::CutShort;
    ChannelDayResult result = h.runBuiltin();

    EXPECT_TRUE(result.listingFetched);
    EXPECT_FALSE(result.lineBudgetExhausted);
    ASSERT_GE(h.rows.size(), 1u);
    EXPECT_EQ(h.rows[0], expectedHere()[0]);
}

TEST_F(OverHttp, AListingsHostThatRefusesIsLoggedAndNothingIsStored) {
    h.settings.listingsHost = "127.0.0.1:" + std::to_string(closedPort());
    ChannelDayResult result = h.runBuiltin("Rai Uno.zdr", "20021205");

    EXPECT_TRUE(result.scriptValid);
    EXPECT_FALSE(result.listingFetched);
    EXPECT_EQ(h.lastEvent, "log ERRORE DI CONNESSIONE AL SITO http://" + h.settings.listingsHost +
                               "/canali.phtml?giorno2=05%2F12%2F02&channel=Rai+Uno&x=6&y=11");
    EXPECT_TRUE(h.rows.empty());
}

}  // namespace
}  // namespace zelidor::test
