// One libcurl easy handle set up for fetching listing pages, kept for many requests so that the
// connection to the listings site stays open between them.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "engine/fetch/curl_fetcher.h"

namespace zelidor {

// What the receiver of a transfer's body says after each chunk.
enum class ChunkVerdict {
    Continue,
    Enough,  // stop here and keep what was taken (a size cap was reached)
    Failed,  // the receiver could not keep the chunk (a full disk)
};

enum class TransferOutcome {
    Complete,   // the whole body arrived
    BrokenOff,  // part of the body arrived, then the transfer ended early
    NotOpened,  // no body at all: no connection, an HTTP error status, a stall before the body
    NotKept,    // the receiver failed
};

using ChunkReceiver = std::function<ChunkVerdict(std::string_view)>;

class CurlTransfer {
  public:
    explicit CurlTransfer(const FetchLimits& limits);
    ~CurlTransfer();
    CurlTransfer(const CurlTransfer&) = delete;
    CurlTransfer& operator=(const CurlTransfer&) = delete;

    // False when libcurl could not give a handle; every run then ends NotOpened.
    bool usable() const { return handle_ != nullptr; }

    // GET url, handing every chunk of the (decoded) body to receive as it arrives.
    TransferOutcome run(const std::string& url, const ChunkReceiver& receive);

  private:
    void* handle_;
};

// Percent-encodes the bytes that may not stand in an address as they are (blanks, control
// characters, Latin-1 letters), as a browser does with an address typed or cut from a page.
std::string escapeUnsafeBytes(std::string_view address);

}  // namespace zelidor
