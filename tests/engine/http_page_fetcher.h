// A small page fetcher over cpp-httplib, so that the engine can be driven end to end against a
// real HTTP server in the tests.
#pragma once

#include <chrono>

#include "engine/ports.h"

namespace zelidor::test {

class HttpPageFetcher : public PageFetcher {
  public:
    explicit HttpPageFetcher(std::chrono::milliseconds timeout = std::chrono::milliseconds(2000))
        : timeout_(timeout) {}

    // Only "http://host[:port]/path" addresses. A refused connection, an HTTP error status or
    // no body before the time-out leaves the file empty and gives false; a body that breaks off
    // keeps what arrived.
    bool downloadToFile(const std::string& url, const std::filesystem::path& file,
                        const std::function<void(std::size_t)>& onBytes) override;
    std::optional<std::string> downloadToText(const std::string& url) override;

  private:
    std::chrono::milliseconds timeout_;
};

}  // namespace zelidor::test
