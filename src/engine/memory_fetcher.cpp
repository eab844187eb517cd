#include "engine/memory_fetcher.h"

#include <stdexcept>

#include "engine/fetch/download_target.h"

namespace zelidor {

namespace {

// Small enough that a page of a few kilobytes arrives in several pieces, as over a network.
constexpr std::size_t kChunkSize = 4096;

}  // namespace

void MemoryFetcher::addPage(const std::string& url, std::string body) {
    pages_[url] = std::move(body);
}

void MemoryFetcher::removePage(const std::string& url) {
    pages_.erase(url);
}

bool MemoryFetcher::downloadToFile(const std::string& url, const std::filesystem::path& file,
                                   const std::function<void(std::size_t)>& onBytes) {
    requests_.push_back(url);
    // Written like the real fetcher writes (over the old file, cut at the end), so that what the
    // engine's benchmark measures is the engine and not a costlier way of emptying files.
    DownloadTarget target(file);
    if (!target.isOpen()) {
        throw std::runtime_error("cannot write " + file.string());
    }
    auto page = pages_.find(url);
    if (page == pages_.end()) {
        return false;
    }
    const std::string_view body = page->second;
    for (std::size_t at = 0; at < body.size(); at += kChunkSize) {
        std::string_view chunk = body.substr(at, kChunkSize);
        if (!target.append(chunk)) {
            target.discard();
            throw std::runtime_error("cannot write " + file.string());
        }
        if (onBytes) {
            onBytes(chunk.size());
        }
    }
    return true;
}

std::optional<std::string> MemoryFetcher::downloadToText(const std::string& url) {
    requests_.push_back(url);
    auto page = pages_.find(url);
    if (page == pages_.end()) {
        return std::nullopt;
    }
    return page->second;
}

}  // namespace zelidor
