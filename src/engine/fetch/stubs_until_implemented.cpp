// Placeholder implementations so the engine links while the fetcher is being written.
#include "engine/fetch/cover_filer.h"
#include "engine/fetch/curl_fetcher.h"
#include "engine/fetch/transfer_meter.h"
#include "engine/fetch/update_check.h"

namespace zelidor {

void TransferMeter::startSession(Clock::time_point now) {
    sessionBytes_ = 0;
    sessionStart_ = now;
}
void TransferMeter::startPage() {
    pageBytes_ = 0;
}
void TransferMeter::addBytes(std::size_t count) {
    pageBytes_ += count;
    sessionBytes_ += count;
}
std::string TransferMeter::pageText() const {
    return std::to_string(pageBytes_ / 1000) + " KBytes";
}
std::string TransferMeter::sessionText() const {
    return std::to_string(sessionBytes_ / 1000) + " KBytes";
}
std::optional<std::string> TransferMeter::speedText(Clock::time_point) const {
    return {};
}

std::string coverBaseName(std::string_view channelName, std::string_view code) {
    return std::string(channelName) + "_" + std::string(code);
}
std::optional<std::string> fileCover(const std::filesystem::path&, const std::filesystem::path&,
                                     std::string_view, std::string_view) {
    return std::nullopt;
}

void checkForUpdate(PageFetcher&, Dialogs&, Desktop&, const std::string&) {}
std::string homePageAddress(const std::string& updateHost) {
    return "http://" + updateHost + "/";
}

struct CurlFetcher::Impl {};
CurlFetcher::CurlFetcher(FetchLimits) : impl_(std::make_unique<Impl>()) {}
CurlFetcher::~CurlFetcher() = default;
bool CurlFetcher::downloadToFile(const std::string&, const std::filesystem::path&,
                                 const std::function<void(std::size_t)>&) {
    return false;
}
std::optional<std::string> CurlFetcher::downloadToText(const std::string&) {
    return std::nullopt;
}

}  // namespace zelidor
