// The built-in script against a real HTTP server on 127.0.0.1 serving the worked example day,
// and against servers that refuse, fail, stall or cut a page short.
#include <gtest/gtest.h>

#include <thread>

#include "engine_harness.h"
#include "http_page_fetcher.h"
#include "sample_day.h"
#include "support/local_server.h"

namespace zelidor::test {
namespace {

using namespace std::chrono_literals;

class SampleSite : public testing::Test {
  protected:
    void SetUp() override {
        server.server().Get("/canali.phtml", [this](const httplib::Request& req,
                                                    httplib::Response& res) {
            listingQuery = req.get_param_value("giorno2") + "|" + req.get_param_value("channel") +
                           "|" + req.get_param_value("x") + "|" + req.get_param_value("y");
            serveListing(res);
        });
        server.server().Get("/programmi.phtml",
                            [this](const httplib::Request& req, httplib::Response& res) {
                                std::string code = req.get_param_value("codice");
                                if (code == stallingCode) {
                                    std::this_thread::sleep_for(1500ms);
                                }
                                res.set_content(sampleDetail(code), "text/html");
                            });
        server.server().Get(R"(/statiche/media/foto/(\d+)\.jpg)",
                            [](const httplib::Request&, httplib::Response& res) {
                                res.set_content(jpegPicture(14, 10), "image/jpeg");
                            });
        server.start();
        h.settings.listingsHostValue = server.host();
    }

    virtual void serveListing(httplib::Response& res) {
        res.set_content(sampleListing(), "text/html");
    }

    std::vector<ProgrammeRow> expectedOnThisHost() {
        std::vector<ProgrammeRow> rows = sampleProgrammes();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            rows[i].link = sampleDetailUrl(kSampleCodes[i], server.host());
        }
        return rows;
    }

    LocalServer server;
    HttpPageFetcher http{500ms};
    EngineHarness h{&http};
    std::string listingQuery;
    std::string stallingCode;
};

TEST_F(SampleSite, TheWorkedExampleOverHttpStoresTheSameProgrammes) {
    ChannelDayResult result = h.runBuiltin("Canale 5.zdr", "20021205");

    EXPECT_EQ(listingQuery, "05/12/02|Canale 5|6|11");
    ASSERT_EQ(h.sink.rows.size(), 3u);
    std::vector<ProgrammeRow> expected = expectedOnThisHost();
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(describe(h.sink.rows[i]), describe(expected[i]));
    }
    EXPECT_TRUE(result.completed);
    EXPECT_EQ(h.log.countStartingWith("fetch "), 6u);
    EXPECT_GT(h.display.transfers, 0u);
}

TEST_F(SampleSite, ADetailPageThatStallsIsEmptyAndTheRunGoesOn) {
    stallingCode = "100231";
    ChannelDayResult result = h.runBuiltin();

    EXPECT_TRUE(result.completed);
    ASSERT_EQ(h.sink.rows.size(), 3u);
    EXPECT_EQ(h.sink.rows[0].titolo, "Il commissario Ferri");
    EXPECT_EQ(h.sink.rows[0].commenti, std::nullopt);
    EXPECT_EQ(h.sink.rows[0].cover, std::nullopt);
    EXPECT_EQ(describe(h.sink.rows[1]), describe(expectedOnThisHost()[1]));
}

class FailingListing : public SampleSite {
    void serveListing(httplib::Response& res) override {
        res.status = 500;
        res.set_content("<html>Internal error</html>", "text/html");
    }
};

TEST_F(FailingListing, AnErrorStatusIsAListingThatCannotBeOpened) {
    ChannelDayResult result = h.runBuiltin();

    EXPECT_FALSE(result.listingFetched);
    EXPECT_EQ(h.log.countStartingWith("log ERRORE DI CONNESSIONE AL SITO http://" + server.host() +
                                      "/canali.phtml?giorno2=05%2F12%2F02"),
              1u);
    EXPECT_TRUE(h.sink.rows.empty());
    EXPECT_EQ(h.log.countStartingWith("ask "), 0u);
}

class CutListing : public SampleSite {
    void serveListing(httplib::Response& res) override {
        std::string page = sampleListing();
        std::size_t cut = page.find("La vita &egrave;");
        res.set_chunked_content_provider(
            "text/html", [page, cut](std::size_t offset, httplib::DataSink& sink) {
                if (offset == 0) {
                    sink.write(page.data(), cut);
                    return true;
                }
                return false;  // the connection breaks off in the middle of the page
            });
    }
};

TEST_F(CutListing, AListingCutShortKeepsTheProgrammesBeforeTheCut) {
    ChannelDayResult result = h.runBuiltin();

    EXPECT_TRUE(result.listingFetched);
    EXPECT_FALSE(result.lineBudgetExhausted);
    ASSERT_GE(h.sink.rows.size(), 1u);
    EXPECT_EQ(describe(h.sink.rows[0]), describe(expectedOnThisHost()[0]));
}

TEST(ClosedPort, AListingsHostThatRefusesIsLoggedAndNothingIsStored) {
    HttpPageFetcher http{500ms};
    EngineHarness h{&http};
    h.settings.listingsHostValue = "127.0.0.1:" + std::to_string(closedPort());
    ChannelDayResult result = h.runBuiltin("Rai Uno.zdr", "20021205");

    EXPECT_TRUE(result.scriptValid);
    EXPECT_FALSE(result.listingFetched);
    EXPECT_EQ(h.log.last(), "log ERRORE DI CONNESSIONE AL SITO http://" +
                                h.settings.listingsHostValue +
                                "/canali.phtml?giorno2=05%2F12%2F02&channel=Rai+Uno&x=6&y=11");
    EXPECT_TRUE(h.sink.rows.empty());
}

}  // namespace
}  // namespace zelidor::test
