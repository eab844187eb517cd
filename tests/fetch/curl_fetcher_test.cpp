#include "engine/fetch/curl_fetcher.h"

#include <fstream>
#include <mutex>

#include "fetch_server.h"

namespace zelidor {
namespace {

using test::FetchServerTest;
using test::patternBytes;

TEST_F(FetchServerTest, BodyIsWrittenByteForByteAndEveryByteIsReported) {
    const std::string body = patternBytes(70'000);
    std::string agent;
    routes().Get("/page", [&](const httplib::Request& req, httplib::Response& res) {
        agent = req.get_header_value("User-Agent");
        res.set_content(body, "application/octet-stream");
    });
    server.start();
    CurlFetcher fetcher;
    ASSERT_TRUE(download(fetcher, "/page"));
    EXPECT_EQ(fileText(), body);
    EXPECT_EQ(reported, body.size());
    EXPECT_EQ(agent, "Zelidor");
}

TEST_F(FetchServerTest, AnEmptyBodyGivesAnEmptyFileAndSucceeds) {
    routes().Get("/empty", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("", "text/html");
    });
    server.start();
    CurlFetcher fetcher;
    EXPECT_TRUE(download(fetcher, "/empty"));
    EXPECT_EQ(fileText(), "");
    EXPECT_EQ(reported, 0u);
}

TEST_F(FetchServerTest, AGzipBodyIsAskedForAndArrivesDecoded) {
    const std::string page =
        std::string(5000, 'x') + "<!-- start DX main -->\n" + patternBytes(300);
    std::string compressed;
    httplib::detail::gzip_compressor().compress(page.data(), page.size(), true,
                                                [&](const char* data, std::size_t n) {
                                                    compressed.append(data, n);
                                                    return true;
                                                });
    ASSERT_LT(compressed.size(), page.size());
    std::string acceptEncoding;
    routes().Get("/gz", [&](const httplib::Request& req, httplib::Response& res) {
        acceptEncoding = req.get_header_value("Accept-Encoding");
        res.set_header("Content-Encoding", "gzip");
        res.set_content(compressed, "application/octet-stream");
    });
    server.start();
    CurlFetcher fetcher;
    ASSERT_TRUE(download(fetcher, "/gz"));
    EXPECT_NE(acceptEncoding.find("gzip"), std::string::npos) << acceptEncoding;
    EXPECT_EQ(fileText(), page);
    EXPECT_EQ(reported, page.size());  // the bytes of the page, as they are written
}

TEST_F(FetchServerTest, RedirectsAreFollowedButNotForever) {
    routes().Get("/old",
                 [](const httplib::Request&, httplib::Response& res) { res.set_redirect("/hop"); });
    routes().Get("/hop", [](const httplib::Request&, httplib::Response& res) {
        res.set_redirect("/new", 301);
    });
    routes().Get("/new", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("moved page", "text/html");
    });
    routes().Get("/loop", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("redirect body", "text/html");
        res.set_redirect("/loop");
    });
    server.start();
    CurlFetcher fetcher;
    ASSERT_TRUE(download(fetcher, "/old"));
    EXPECT_EQ(fileText(), "moved page");

    EXPECT_FALSE(download(fetcher, "/loop"));
    EXPECT_EQ(fileText(), "");
}

TEST_F(FetchServerTest, OneConnectionServesTheRequestsOfAFetcher) {
    std::mutex mutex;
    std::set<int> clientPorts;
    routes().Get(R"(/p/(\d+))", [&](const httplib::Request& req, httplib::Response& res) {
        std::lock_guard lock(mutex);
        clientPorts.insert(req.remote_port);
        res.set_content("page " + req.matches[1].str(), "text/html");
    });
    routes().Get("/missing",
                 [](const httplib::Request&, httplib::Response& res) { res.status = 404; });
    server.start();
    CurlFetcher fetcher;
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(download(fetcher, "/p/" + std::to_string(i)));
        EXPECT_EQ(fileText(), "page " + std::to_string(i));
    }
    ASSERT_TRUE(fetcher.downloadToText(server.url("/p/9")));
    EXPECT_EQ(clientPorts.size(), 1u);

    CurlFetcher another;
    ASSERT_TRUE(another.downloadToText(server.url("/p/5")));
    EXPECT_EQ(clientPorts.size(), 2u);  // the count above is not blind to new connections
}

TEST_F(FetchServerTest, AHundredMegabyteBodyStreamsToDisk) {
    static constexpr std::size_t kSize = 100u << 20;
    static constexpr std::size_t kPiece = 64u << 10;
    routes().Get("/big", [&](const httplib::Request&, httplib::Response& res) {
        res.set_content_provider(
            kSize, "application/octet-stream",
            [](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
                std::string piece = patternBytes(std::min(length, kPiece), offset);
                return sink.write(piece.data(), piece.size());
            });
    });
    server.start();
    CurlFetcher fetcher;
    ASSERT_TRUE(download(fetcher, "/big"));
    EXPECT_EQ(reported, kSize);
    ASSERT_EQ(std::filesystem::file_size(file()), kSize);
    std::ifstream in(file(), std::ios::binary);
    std::string piece(kPiece, '\0');
    for (std::size_t offset = 0; offset < kSize; offset += kPiece) {
        in.read(piece.data(), kPiece);
        ASSERT_EQ(piece, patternBytes(kPiece, offset)) << "at offset " << offset;
    }
}

TEST_F(FetchServerTest, TextDownloadsGiveTheBodyOrNothing) {
    routes().Get("/release.txt", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("1.3\r\nnotes", "text/plain");
    });
    routes().Get("/gone", [](const httplib::Request&, httplib::Response& res) {
        res.status = 410;
        res.set_content("gone", "text/plain");
    });
    server.start();
    CurlFetcher fetcher;
    EXPECT_EQ(fetcher.downloadToText(server.url("/release.txt")), "1.3\r\nnotes");
    EXPECT_EQ(fetcher.downloadToText(server.url("/gone")), std::nullopt);
    EXPECT_EQ(fetcher.downloadToText(""), std::nullopt);
}

TEST_F(FetchServerTest, BlanksAndLatin1LettersInAnAddressAreSentEscaped) {
    std::string path;
    routes().Get(R"(/programmi\.phtml)", [&](const httplib::Request& req, httplib::Response& res) {
        path = req.get_param_value("codice");
        res.set_content("detail", "text/html");
    });
    server.start();
    CurlFetcher fetcher;
    ASSERT_EQ(fetcher.downloadToText(server.url("/programmi.phtml?codice=12 \xE8")), "detail");
    EXPECT_EQ(path, "12 \xE8");
}

TEST_F(FetchServerTest, AnEmptyAddressOrPathIsAnInvalidCallThatTouchesNothing) {
    int requests = 0;
    routes().Get("/page", [&](const httplib::Request&, httplib::Response& res) {
        ++requests;
        res.set_content("page", "text/html");
    });
    server.start();
    CurlFetcher fetcher;
    test::writeFile(file(), "kept");
    EXPECT_FALSE(fetcher.downloadToFile("", file(), nullptr));
    EXPECT_EQ(fileText(), "kept");
    EXPECT_FALSE(fetcher.downloadToFile(server.url("/page"), "", nullptr));
    EXPECT_EQ(requests, 0);
    // A missing callback is allowed.
    EXPECT_TRUE(fetcher.downloadToFile(server.url("/page"), file(), nullptr));
    EXPECT_EQ(fileText(), "page");
}

}  // namespace
}  // namespace zelidor
