#include "http_page_fetcher.h"

#include <httplib.h>

#include <fstream>
#include <stdexcept>

namespace zelidor::test {

namespace {

struct Address {
    std::string origin;  // "http://host:port"
    std::string target;  // "/path?query"
};

std::optional<Address> splitAddress(const std::string& url) {
    const std::string scheme = "http://";
    if (url.rfind(scheme, 0) != 0) {
        return std::nullopt;
    }
    std::size_t slash = url.find('/', scheme.size());
    if (slash == std::string::npos) {
        return Address{url, "/"};
    }
    return Address{url.substr(0, slash), url.substr(slash)};
}

}  // namespace

bool HttpPageFetcher::downloadToFile(const std::string& url, const std::filesystem::path& file,
                                     const std::function<void(std::size_t)>& onBytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) {
        throw std::runtime_error("cannot write " + file.string());
    }
    std::optional<Address> address = splitAddress(url);
    if (!address) {
        return false;
    }
    httplib::Client client(address->origin);
    client.set_url_encode(false);
    client.set_connection_timeout(timeout_);
    client.set_read_timeout(timeout_);
    int status = 0;
    bool bodyArrived = false;
    httplib::Result result = client.Get(
        address->target,
        [&](const httplib::Response& response) {
            status = response.status;
            return status < 400;
        },
        [&](const char* data, std::size_t size) {
            out.write(data, static_cast<std::streamsize>(size));
            bodyArrived = true;
            if (onBytes) {
                onBytes(size);
            }
            return true;
        });
    out.close();
    bool opened = status > 0 && status < 400 && (result || bodyArrived);
    if (!opened) {
        std::ofstream truncate(file, std::ios::binary | std::ios::trunc);
    }
    return opened;
}

std::optional<std::string> HttpPageFetcher::downloadToText(const std::string& url) {
    std::optional<Address> address = splitAddress(url);
    if (!address) {
        return std::nullopt;
    }
    httplib::Client client(address->origin);
    client.set_url_encode(false);
    client.set_connection_timeout(timeout_);
    client.set_read_timeout(timeout_);
    httplib::Result result = client.Get(address->target);
    if (!result || result->status >= 400) {
        return std::nullopt;
    }
    return result->body;
}

}  // namespace zelidor::test
