// The page fetcher over libcurl: one connection reused for a whole download run.
#pragma once

#include <chrono>
#include <memory>

#include "engine/ports.h"

namespace zelidor {

struct FetchLimits {
    std::chrono::seconds connectTimeout{30};
    // A transfer slower than lowSpeedBytes per second for lowSpeedTime is abandoned.
    long lowSpeedBytes = 1;
    std::chrono::seconds lowSpeedTime{60};
};

// Serves one thread at a time; the engine's run owns one for its whole download run.
class CurlFetcher : public PageFetcher {
  public:
    explicit CurlFetcher(FetchLimits limits = {});
    ~CurlFetcher() override;
    CurlFetcher(const CurlFetcher&) = delete;
    CurlFetcher& operator=(const CurlFetcher&) = delete;

    bool downloadToFile(const std::string& url, const std::filesystem::path& file,
                        const std::function<void(std::size_t)>& onBytes) override;
    Delivery deliverToFile(const std::string& url, const std::filesystem::path& file,
                           const std::function<void(std::size_t)>& onBytes) override;
    std::optional<std::string> downloadToText(const std::string& url) override;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace zelidor
