#include "engine/fetch/curl_fetcher.h"

#include "engine/fetch/curl_transfer.h"
#include "engine/fetch/download_target.h"

namespace zelidor {

namespace {

// A body read as text is kept in memory; a release file or a page is far below this, and an
// endless body is cut here as if the transfer had broken off.
constexpr std::size_t kMaxTextBytes = 16u << 20;

}  // namespace

struct CurlFetcher::Impl {
    explicit Impl(const FetchLimits& limits) : transfer(limits) {}
    CurlTransfer transfer;
};

CurlFetcher::CurlFetcher(FetchLimits limits) : impl_(std::make_unique<Impl>(limits)) {}

CurlFetcher::~CurlFetcher() = default;

bool CurlFetcher::downloadToFile(const std::string& url, const std::filesystem::path& file,
                                 const std::function<void(std::size_t)>& onBytes) {
    return deliverToFile(url, file, onBytes) != Delivery::NotOpened;
}

Delivery CurlFetcher::deliverToFile(const std::string& url, const std::filesystem::path& file,
                                    const std::function<void(std::size_t)>& onBytes) {
    if (url.empty() || file.empty() || !impl_->transfer.usable()) {
        return Delivery::NotOpened;
    }
    DownloadTarget target(file);
    if (!target.isOpen()) {
        return Delivery::NotOpened;
    }
    TransferOutcome outcome = impl_->transfer.run(url, [&target, &onBytes](std::string_view chunk) {
        if (!target.append(chunk)) {
            return ChunkVerdict::Failed;
        }
        if (onBytes) {
            onBytes(chunk.size());
        }
        return ChunkVerdict::Continue;
    });
    switch (outcome) {
        case TransferOutcome::Complete:
            return Delivery::Whole;
        case TransferOutcome::BrokenOff:
            return Delivery::BrokenOff;
        case TransferOutcome::NotKept:
            target.discard();
            return Delivery::NotOpened;
        case TransferOutcome::NotOpened:
            break;
    }
    return Delivery::NotOpened;
}

std::optional<std::string> CurlFetcher::downloadToText(const std::string& url) {
    if (url.empty()) {
        return std::nullopt;
    }
    std::string text;
    TransferOutcome outcome = impl_->transfer.run(url, [&text](std::string_view chunk) {
        std::size_t room = kMaxTextBytes - text.size();
        text.append(chunk.substr(0, room));
        return chunk.size() < room ? ChunkVerdict::Continue : ChunkVerdict::Enough;
    });
    if (outcome == TransferOutcome::Complete || outcome == TransferOutcome::BrokenOff) {
        return text;
    }
    return std::nullopt;
}

}  // namespace zelidor
