#include "engine/fetch/curl_transfer.h"

#include <curl/curl.h>

namespace zelidor {

namespace {

// curl_global_init is not thread-safe: a function-local static runs it exactly once.
void initialiseCurlOnce() {
    static const CURLcode initialised = curl_global_init(CURL_GLOBAL_DEFAULT);
    (void)initialised;
}

constexpr long kMaxRedirects = 5;

struct RunState {
    const ChunkReceiver& receive;
    bool bodyArrived = false;
    ChunkVerdict verdict = ChunkVerdict::Continue;
};

std::size_t onBody(char* data, std::size_t /*one*/, std::size_t count, void* context) {
    auto& state = *static_cast<RunState*>(context);
    if (count == 0) {
        return 0;
    }
    state.bodyArrived = true;
    state.verdict = state.receive(std::string_view(data, count));
    // Taking less than offered makes libcurl end the transfer.
    return state.verdict == ChunkVerdict::Continue ? count : 0;
}

void configure(CURL* handle, const FetchLimits& limits) {
    curl_easy_setopt(handle, CURLOPT_USERAGENT, "Zelidor");
    // Time-outs without signals, so the fetcher may run on any thread.
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(
        handle, CURLOPT_CONNECTTIMEOUT_MS,
        static_cast<long>(
            std::chrono::duration_cast<std::chrono::milliseconds>(limits.connectTimeout).count()));
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, limits.lowSpeedBytes);
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME,
                     static_cast<long>(limits.lowSpeedTime.count()));
    // gzip only: offered brotli, the bundled site's server compresses at brotli's slowest
    // setting, which costs more per listing page (~60 ms) than the transfer it saves on loopback.
    curl_easy_setopt(handle, CURLOPT_ACCEPT_ENCODING, "gzip");
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(handle, CURLOPT_MAXREDIRS, kMaxRedirects);
    // Addresses are cut from downloaded pages: never let one reach a local file or another
    // protocol, directly or through a redirect.
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    // An error status ends the transfer before its body, so an error page is never scraped.
    curl_easy_setopt(handle, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, onBody);
}

}  // namespace

CurlTransfer::CurlTransfer(const FetchLimits& limits) {
    initialiseCurlOnce();
    handle_ = curl_easy_init();
    if (handle_ != nullptr) {
        configure(static_cast<CURL*>(handle_), limits);
    }
}

CurlTransfer::~CurlTransfer() {
    curl_easy_cleanup(static_cast<CURL*>(handle_));
}

TransferOutcome CurlTransfer::run(const std::string& url, const ChunkReceiver& receive) {
    if (handle_ == nullptr) {
        return TransferOutcome::NotOpened;
    }
    auto* handle = static_cast<CURL*>(handle_);
    RunState state{receive};
    const std::string address = escapeUnsafeBytes(url);
    curl_easy_setopt(handle, CURLOPT_URL, address.c_str());
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &state);
    CURLcode result = curl_easy_perform(handle);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, nullptr);

    if (result == CURLE_OK) {
        return TransferOutcome::Complete;
    }
    if (state.verdict == ChunkVerdict::Failed) {
        return TransferOutcome::NotKept;
    }
    // A body that began and then broke off (a cut connection, a stall, a size cap) is kept.
    return state.bodyArrived ? TransferOutcome::BrokenOff : TransferOutcome::NotOpened;
}

std::string escapeUnsafeBytes(std::string_view address) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string escaped;
    escaped.reserve(address.size());
    for (char c : address) {
        auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte >= 0x7F) {
            escaped += '%';
            escaped += kHex[byte >> 4];
            escaped += kHex[byte & 0x0F];
        } else {
            escaped += c;
        }
    }
    return escaped;
}

}  // namespace zelidor
