// The fetcher against servers and disks that misbehave.
#include <chrono>

#include "engine/fetch/curl_fetcher.h"
#include "fetch_server.h"

namespace zelidor {
namespace {

using test::FetchServerTest;
using test::patternBytes;
using Clock = std::chrono::steady_clock;

// libcurl judges the speed over its last five seconds or so, so a stall after a burst of body is
// noticed some seconds later than one before any byte.
constexpr auto kBounded = std::chrono::seconds(15);

TEST_F(FetchServerTest, AnErrorStatusIsAnAddressThatCannotBeOpenedAndLeavesTheFileEmpty) {
    for (int status : {404, 500}) {
        routes().Get("/" + std::to_string(status), [status](const httplib::Request&,
                                                            httplib::Response& res) {
            res.status = status;
            res.set_content("<html>error page with a <!-- start DX main --> marker</html>",
                            "text/html");
        });
    }
    server.start();
    CurlFetcher fetcher;
    for (const char* path : {"/404", "/500"}) {
        EXPECT_FALSE(download(fetcher, path)) << path;
        EXPECT_EQ(fileText(), "") << path;
        EXPECT_EQ(reported, 0u) << path;
    }
}

TEST_F(FetchServerTest, ARefusedConnectionFailsAndLeavesTheFileEmpty) {
    CurlFetcher fetcher;
    test::writeFile(file(), "old contents");
    std::string url = "http://127.0.0.1:" + std::to_string(test::closedPort()) + "/page";
    EXPECT_FALSE(fetcher.downloadToFile(url, file(), nullptr));
    EXPECT_EQ(fileText(), "");
    EXPECT_EQ(fetcher.downloadToText(url), std::nullopt);
}

TEST_F(FetchServerTest, AServerThatStallsBeforeTheBodyCannotBeOpened) {
    routes().Get("/stall", [this](const httplib::Request&, httplib::Response& res) {
        gate.wait();
        res.set_content("too late", "text/html");
    });
    routes().Get("/headers-only", [this](const httplib::Request&, httplib::Response& res) {
        res.set_content_provider(100, "application/octet-stream",
                                 [this](std::size_t, std::size_t, httplib::DataSink&) {
                                     gate.wait();
                                     return false;
                                 });
    });
    server.start();
    CurlFetcher fetcher(shortLimits());
    for (const char* path : {"/stall", "/headers-only"}) {
        auto start = Clock::now();
        EXPECT_FALSE(download(fetcher, path)) << path;
        EXPECT_LT(Clock::now() - start, kBounded) << path;
        EXPECT_EQ(fileText(), "") << path;
    }
    EXPECT_EQ(fetcher.downloadToText(server.url("/stall")), std::nullopt);
}

TEST_F(FetchServerTest, AServerThatStallsMidBodyKeepsWhatArrived) {
    const std::string firstHalf = patternBytes(20'000);
    routes().Get("/half", [&](const httplib::Request&, httplib::Response& res) {
        res.set_content_provider(40'000, "application/octet-stream",
                                 [&](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                                     if (offset == 0) {
                                         return sink.write(firstHalf.data(), firstHalf.size());
                                     }
                                     gate.wait();
                                     return false;
                                 });
    });
    server.start();
    CurlFetcher fetcher(shortLimits());
    auto start = Clock::now();
    EXPECT_TRUE(download(fetcher, "/half"));
    EXPECT_LT(Clock::now() - start, kBounded);
    EXPECT_EQ(fileText(), firstHalf);
    EXPECT_EQ(reported, firstHalf.size());
}

TEST_F(FetchServerTest, ABodyCutShortOfItsLengthKeepsWhatArrived) {
    const std::string sent = patternBytes(3000);
    routes().Get("/cut", [&](const httplib::Request&, httplib::Response& res) {
        res.set_content_provider(5000, "application/octet-stream",
                                 [&](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                                     // The first call sends part of the body; the second closes the
                                     // connection.
                                     return offset == 0 && sink.write(sent.data(), sent.size());
                                 });
    });
    server.start();
    CurlFetcher fetcher(shortLimits());
    EXPECT_TRUE(download(fetcher, "/cut"));
    EXPECT_EQ(fileText(), sent);
    EXPECT_EQ(fetcher.downloadToText(server.url("/cut")), sent);
}

TEST_F(FetchServerTest, TheNextRequestWorksAfterABrokenOne) {
    routes().Get("/cut", [](const httplib::Request&, httplib::Response& res) {
        res.set_content_provider(5000, "application/octet-stream",
                                 [](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                                     return offset == 0 && sink.write("abc", 3);
                                 });
    });
    routes().Get("/fine", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("fine", "text/html");
    });
    server.start();
    CurlFetcher fetcher(shortLimits());
    EXPECT_TRUE(download(fetcher, "/cut"));
    EXPECT_TRUE(download(fetcher, "/fine"));
    EXPECT_EQ(fileText(), "fine");
}

TEST_F(FetchServerTest, AFullDiskIsAFailureNotASuccess) {
    routes().Get("/page", [](const httplib::Request&, httplib::Response& res) {
        res.set_content(patternBytes(50'000), "application/octet-stream");
    });
    server.start();
    CurlFetcher fetcher;
    EXPECT_FALSE(fetcher.downloadToFile(server.url("/page"), "/dev/full", nullptr));
}

TEST_F(FetchServerTest, ATargetThatCannotBeCreatedFailsWithoutARequest) {
    int requests = 0;
    routes().Get("/page", [&](const httplib::Request&, httplib::Response& res) {
        ++requests;
        res.set_content("page", "text/html");
    });
    server.start();
    CurlFetcher fetcher;
    EXPECT_FALSE(
        fetcher.downloadToFile(server.url("/page"), dir / "no-such-folder" / "p.txt", nullptr));
    EXPECT_EQ(requests, 0);
}

TEST_F(FetchServerTest, AddressesCutFromPagesCannotReachLocalFiles) {
    test::writeFile(dir / "secret.txt", "secret");
    routes().Get("/to-file", [&](const httplib::Request&, httplib::Response& res) {
        res.set_redirect("file://" + (dir / "secret.txt").string());
    });
    server.start();
    CurlFetcher fetcher;
    EXPECT_EQ(fetcher.downloadToText("file://" + (dir / "secret.txt").string()), std::nullopt);
    EXPECT_FALSE(download(fetcher, "/to-file"));
    EXPECT_EQ(fileText(), "");
}

}  // namespace
}  // namespace zelidor
