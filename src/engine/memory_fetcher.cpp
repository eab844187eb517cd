#include "engine/memory_fetcher.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

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
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) {
        throw std::runtime_error("cannot write " + file.string());
    }
    auto page = pages_.find(url);
    if (page == pages_.end()) {
        return false;
    }
    const std::string& body = page->second;
    for (std::size_t at = 0; at < body.size(); at += kChunkSize) {
        std::size_t size = std::min(kChunkSize, body.size() - at);
        out.write(body.data() + at, static_cast<std::streamsize>(size));
        if (onBytes) {
            onBytes(size);
        }
    }
    out.flush();
    if (!out) {
        throw std::runtime_error("cannot write " + file.string());
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
