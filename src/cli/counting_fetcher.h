// Wraps a page fetcher to count requests and bytes, and to tell every fetch to an observer
// (the summary of a download, the event list of run-script).
#pragma once

#include <cstdint>
#include <functional>

#include "engine/ports.h"

namespace zelidor::cli {

class CountingFetcher : public PageFetcher {
  public:
    using Observer =
        std::function<void(const std::string& url, const std::filesystem::path& file, bool ok)>;

    explicit CountingFetcher(PageFetcher& inner, Observer observer = {})
        : inner_(inner), observer_(std::move(observer)) {}

    bool downloadToFile(const std::string& url, const std::filesystem::path& file,
                        const std::function<void(std::size_t)>& onBytes) override {
        return deliverToFile(url, file, onBytes) != Delivery::NotOpened;
    }

    Delivery deliverToFile(const std::string& url, const std::filesystem::path& file,
                           const std::function<void(std::size_t)>& onBytes) override {
        ++requests_;
        Delivery delivery = inner_.deliverToFile(url, file, [&](std::size_t n) {
            bytes_ += n;
            if (onBytes) {
                onBytes(n);
            }
        });
        if (observer_) {
            observer_(url, file, delivery != Delivery::NotOpened);
        }
        return delivery;
    }

    std::optional<std::string> downloadToText(const std::string& url) override {
        ++requests_;
        auto body = inner_.downloadToText(url);
        bytes_ += body ? body->size() : 0;
        if (observer_) {
            observer_(url, {}, body.has_value());
        }
        return body;
    }

    std::uint64_t requests() const { return requests_; }
    std::uint64_t bytes() const { return bytes_; }

  private:
    PageFetcher& inner_;
    Observer observer_;
    std::uint64_t requests_ = 0;
    std::uint64_t bytes_ = 0;
};

}  // namespace zelidor::cli
