// The fixture of the fetcher's tests: a local server to register pages on, a gate its handlers
// can stall at, and a folder for the downloaded files.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <string>

#include "engine/fetch/curl_fetcher.h"
#include "gate.h"
#include "support/local_server.h"
#include "support/temp_dir.h"

namespace zelidor::test {

class FetchServerTest : public testing::Test {
  protected:
    // Headers and body leave at once instead of waiting on the client's delayed acknowledgement.
    FetchServerTest() { server.server().set_tcp_nodelay(true); }

    void TearDown() override {
        gate.open();
        server.stop();
    }

    httplib::Server& routes() { return server.server(); }

    // Limits short enough that a stall ends a test within a few seconds.
    static FetchLimits shortLimits() {
        FetchLimits limits;
        limits.connectTimeout = std::chrono::seconds(2);
        limits.lowSpeedTime = std::chrono::seconds(1);
        return limits;
    }

    // Downloads into the folder's "page.txt", which already holds old text; returns the result
    // and sums the byte counts reported.
    bool download(CurlFetcher& fetcher, const std::string& path) {
        writeFile(file(), "old contents");
        reported = 0;
        return fetcher.downloadToFile(server.url(path), file(),
                                      [this](std::size_t count) { reported += count; });
    }

    std::filesystem::path file() const { return dir / "page.txt"; }
    std::string fileText() const { return readFile(file()); }

    LocalServer server;
    Gate gate;
    TempDir dir;
    std::size_t reported = 0;
};

// A deterministic body of any length in which every byte value occurs.
inline std::string patternBytes(std::size_t length, std::size_t offset = 0) {
    std::string bytes(length, '\0');
    for (std::size_t i = 0; i < length; ++i) {
        bytes[i] = static_cast<char>(((offset + i) * 131 + (offset + i) / 251) & 0xFF);
    }
    return bytes;
}

}  // namespace zelidor::test
