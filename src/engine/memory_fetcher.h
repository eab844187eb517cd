// A page fetcher that serves bodies from memory instead of the network: for tests, fuzzers,
// the benchmark and the command line's saved-page mode. It records the order of the requests.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "engine/ports.h"

namespace zelidor {

class MemoryFetcher : public PageFetcher {
  public:
    // Serves body (raw bytes) for exactly this address. Adding it again replaces the body.
    void addPage(const std::string& url, std::string body);
    void removePage(const std::string& url);

    // An address that was never added cannot be opened: the file is left empty and the result
    // is false. The body is handed over in chunks, onBytes seeing each chunk's size. A file that
    // cannot be written throws std::runtime_error (a local fault, not an address fault).
    bool downloadToFile(const std::string& url, const std::filesystem::path& file,
                        const std::function<void(std::size_t)>& onBytes) override;
    std::optional<std::string> downloadToText(const std::string& url) override;

    // Every address asked for, in order, served or not.
    const std::vector<std::string>& requests() const { return requests_; }
    void clearRequests() { requests_.clear(); }

  private:
    std::map<std::string, std::string> pages_;
    std::vector<std::string> requests_;
};

}  // namespace zelidor
