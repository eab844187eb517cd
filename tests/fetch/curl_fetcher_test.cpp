#include "engine/fetch/curl_fetcher.h"

#include <gtest/gtest.h>

#include <future>
#include <mutex>
#include <set>

#include "support/local_server.h"
#include "support/temp_dir.h"

namespace zelidor {
namespace {

using Clock = std::chrono::steady_clock;
using httplib::Request;
using httplib::Response;

// libcurl judges the speed over its last seconds, so a stall after a burst of body is noticed a
// few seconds later than one before any byte.
constexpr auto kBounded = std::chrono::seconds(15);

// A deterministic body of any length in which every byte value occurs.
std::string patternBytes(std::size_t length) {
    std::string bytes(length, '\0');
    for (std::size_t i = 0; i < length; ++i) {
        bytes[i] = static_cast<char>((i * 131 + i / 251) & 0xFF);
    }
    return bytes;
}

class Fetcher : public testing::Test {
  protected:
    // Headers and body leave at once instead of waiting on the client's delayed acknowledgement.
    Fetcher() { server.server().set_tcp_nodelay(true); }
    void TearDown() override {
        release.set_value();  // stopping the server waits for stalled handlers
        server.stop();
    }
    void stall() { released.wait_for(std::chrono::seconds(20)); }

    httplib::Server& routes() { return server.server(); }
    // Serves body at path as a body whose length says total, sending only body and then
    // closing, or stalling until the test ends when stall is set.
    void serveCut(const std::string& path, std::string body, std::size_t total, bool stall) {
        routes().Get(path, [this, body, total, stall](const Request&, Response& res) {
            res.set_content_provider(
                total, "application/octet-stream",
                [=, this](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                    if (offset == 0 && !body.empty()) {
                        return sink.write(body.data(), body.size());
                    }
                    if (stall) {
                        this->stall();
                    }
                    return false;
                });
        });
    }

    static FetchLimits shortLimits() {
        FetchLimits limits;
        limits.connectTimeout = std::chrono::seconds(2);
        limits.lowSpeedTime = std::chrono::seconds(1);
        return limits;
    }

    // Downloads a path of the server or an address into "page.txt", which holds old text
    // before; sums the reported bytes.
    bool download(CurlFetcher& fetcher, const std::string& target) {
        test::writeFile(file(), "old contents");
        reported = 0;
        return fetcher.downloadToFile(target.starts_with("/") ? server.url(target) : target, file(),
                                      [this](std::size_t count) { reported += count; });
    }
    std::filesystem::path file() const { return dir / "page.txt"; }
    std::string fileText() const { return test::readFile(file()); }

    test::LocalServer server;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    test::TempDir dir;
    std::size_t reported = 0;
};

TEST_F(Fetcher, BodiesArriveByteForByteAndEveryByteIsReported) {
    std::string agent;
    routes().Get(R"(/(\d+))", [&](const Request& req, Response& res) {
        agent = req.get_header_value("User-Agent");
        res.set_content(patternBytes(std::stoul(req.matches[1])), "application/octet-stream");
    });
    server.start();
    CurlFetcher fetcher;
    for (std::size_t size : {70'000u, 0u}) {
        ASSERT_TRUE(download(fetcher, "/" + std::to_string(size)));
        EXPECT_EQ(fileText(), patternBytes(size));
        EXPECT_EQ(reported, size);
    }
    EXPECT_EQ(agent, "Zelidor");
    EXPECT_EQ(fetcher.downloadToText(server.url("/300")), patternBytes(300));
}

TEST_F(Fetcher, AGzipBodyIsAskedForAndArrivesDecoded) {
    const std::string page = std::string(5000, 'x') + patternBytes(300);
    std::string gzip;
    httplib::detail::gzip_compressor().compress(page.data(), page.size(), true,
                                                [&](const char* data, std::size_t n) {
                                                    gzip.append(data, n);
                                                    return true;
                                                });
    std::string accepted;
    routes().Get("/gz", [&](const Request& req, Response& res) {
        accepted = req.get_header_value("Accept-Encoding");
        res.set_header("Content-Encoding", "gzip");
        res.set_content(gzip, "application/octet-stream");
    });
    server.start();
    CurlFetcher fetcher;
    ASSERT_TRUE(download(fetcher, "/gz"));
    EXPECT_NE(accepted.find("gzip"), std::string::npos) << accepted;
    EXPECT_EQ(fileText(), page);
    EXPECT_EQ(reported, page.size());
}

TEST_F(Fetcher, RedirectsAreFollowedButNotForever) {
    routes().Get("/old", [](const Request&, Response& res) { res.set_redirect("/new", 301); });
    routes().Get("/new",
                 [](const Request&, Response& res) { res.set_content("moved", "text/html"); });
    routes().Get("/loop", [](const Request&, Response& res) { res.set_redirect("/loop"); });
    server.start();
    CurlFetcher fetcher;
    ASSERT_TRUE(download(fetcher, "/old"));
    EXPECT_EQ(fileText(), "moved");
    EXPECT_FALSE(download(fetcher, "/loop"));
    EXPECT_EQ(fileText(), "");
}

TEST_F(Fetcher, OneConnectionServesAllTheRequestsOfAFetcher) {
    std::mutex mutex;
    std::set<int> clientPorts;
    routes().Get("/p", [&](const Request& req, Response& res) {
        std::lock_guard lock(mutex);
        clientPorts.insert(req.remote_port);
        res.set_content("page", "text/html");
    });
    server.start();
    CurlFetcher fetcher;
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(download(fetcher, "/p"));
    }
    ASSERT_TRUE(fetcher.downloadToText(server.url("/p")));
    EXPECT_EQ(clientPorts.size(), 1u);
    ASSERT_TRUE(CurlFetcher().downloadToText(server.url("/p")));
    EXPECT_EQ(clientPorts.size(), 2u);  // the count does see a new connection
}

TEST_F(Fetcher, WhatCannotBeOpenedLeavesTheFileEmptyAndIsNeverKept) {
    routes().Get(R"(/(\d+))", [](const Request& req, Response& res) {
        res.status = std::stoi(req.matches[1]);
        res.set_content("<html>error page <!-- start DX main --></html>", "text/html");
    });
    routes().Get("/no-answer", [this](const Request&, Response& res) {
        stall();
        res.set_content("too late", "text/html");
    });
    serveCut("/headers-only", "", 100, true);
    server.start();
    CurlFetcher fetcher(shortLimits());
    const std::string refused = "http://127.0.0.1:" + std::to_string(test::closedPort()) + "/";
    for (const std::string& url : {server.url("/404"), server.url("/500"), refused,
                                   server.url("/no-answer"), server.url("/headers-only")}) {
        auto start = Clock::now();
        EXPECT_FALSE(download(fetcher, url)) << url;
        EXPECT_LT(Clock::now() - start, kBounded) << url;
        EXPECT_EQ(fileText(), "") << url;
        EXPECT_EQ(reported, 0u) << url;
        EXPECT_EQ(fetcher.downloadToText(url), std::nullopt) << url;
    }
}

TEST_F(Fetcher, ABodyThatStallsOrIsCutShortKeepsWhatArrived) {
    const std::string part = patternBytes(20'000);
    serveCut("/stall", part, 40'000, true);
    serveCut("/cut", part, 40'000, false);
    routes().Get("/fine",
                 [](const Request&, Response& res) { res.set_content("fine", "text/html"); });
    server.start();
    CurlFetcher fetcher(shortLimits());
    for (const char* path : {"/stall", "/cut"}) {
        auto start = Clock::now();
        EXPECT_TRUE(download(fetcher, path)) << path;
        EXPECT_LT(Clock::now() - start, kBounded) << path;
        EXPECT_EQ(fileText(), part) << path;
        EXPECT_EQ(reported, part.size()) << path;
    }
    EXPECT_EQ(fetcher.downloadToText(server.url("/cut")), part);
    EXPECT_EQ(fetcher.downloadToText(server.url("/fine")), "fine");  // the handle recovers
}

// A full disk, a missing folder, or no address or file at all: a failure, never a success.
TEST_F(Fetcher, AFileThatCannotBeWrittenOrAnEmptyCallIsAFailureNotASuccess) {
    int requests = 0;
    routes().Get("/page", [&](const Request&, Response& res) {
        ++requests;
        res.set_content(patternBytes(50'000), "application/octet-stream");
    });
    server.start();
    CurlFetcher fetcher;
    EXPECT_FALSE(fetcher.downloadToFile(server.url("/page"), "/dev/full", nullptr));
    EXPECT_EQ(requests, 1);
    EXPECT_FALSE(fetcher.downloadToFile(server.url("/page"), dir / "missing" / "p.txt", nullptr));
    EXPECT_FALSE(fetcher.downloadToFile(server.url("/page"), "", nullptr));
    EXPECT_EQ(requests, 1);  // no request for a file that cannot even be created
    test::writeFile(file(), "kept");
    EXPECT_FALSE(fetcher.downloadToFile("", file(), nullptr));
    EXPECT_EQ(fetcher.downloadToText(""), std::nullopt);
    EXPECT_EQ(fileText(), "kept");
}

TEST_F(Fetcher, AddressesCutFromPagesAreEscapedAndNeverReachLocalFiles) {
    std::string code;
    routes().Get("/programmi.phtml", [&](const Request& req, Response& res) {
        code = req.get_param_value("codice");
        res.set_content("detail", "text/html");
    });
    test::writeFile(dir / "secret.txt", "secret");
    const std::string secret = "file://" + (dir / "secret.txt").string();
    routes().Get("/to-file", [&](const Request&, Response& res) { res.set_redirect(secret); });
    server.start();
    CurlFetcher fetcher;
    EXPECT_EQ(fetcher.downloadToText(server.url("/programmi.phtml?codice=12 \xE8")), "detail");
    EXPECT_EQ(code, "12 \xE8");
    EXPECT_EQ(fetcher.downloadToText(secret), std::nullopt);
    EXPECT_FALSE(download(fetcher, "/to-file"));
    EXPECT_EQ(fileText(), "");
}

}  // namespace
}  // namespace zelidor
