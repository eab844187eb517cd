// What the fetcher costs per request over a bare libcurl loop, on loopback against an in-process
// server that serves from memory, and how much memory a large download takes.
//
// Prints microseconds per request for the fetcher's downloadToFile and for a plain loop over one
// reused easy handle writing to the same file, and their ratio, for a listing-sized page
// (~10 KB) and a poster-sized picture (~30 KB); then the peak memory growth while a 100 MB body
// streams to disk.
#include <curl/curl.h>
#include <fcntl.h>
#include <httplib.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "engine/fetch/curl_fetcher.h"

namespace {

using Clock = std::chrono::steady_clock;

// Short alternating rounds and their median, because the machine is shared and a burst of other
// work should spoil a few rounds of both sides rather than a long stretch of one.
constexpr int kRounds = 41;
constexpr int kRequestsPerRound = 25;

std::string bytesOf(std::size_t length) {
    std::string bytes(length, '\0');
    for (std::size_t i = 0; i < length; ++i) {
        bytes[i] = static_cast<char>((i * 131 + i / 251) & 0xFF);
    }
    return bytes;
}

class MemoryServer {
  public:
    MemoryServer() {
        server_.set_tcp_nodelay(true);
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        while (!server_.is_running()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    ~MemoryServer() {
        server_.stop();
        thread_.join();
    }
    // Serves body at path; octet-stream so that neither side spends time compressing.
    void serve(const std::string& path, std::string body) {
        bodies_.push_back(std::move(body));
        const std::string& stored = bodies_.back();
        server_.Get(path, [&stored](const httplib::Request&, httplib::Response& res) {
            res.set_content(stored, "application/octet-stream");
        });
    }
    void serveLarge(const std::string& path, std::size_t size) {
        server_.Get(path, [size](const httplib::Request&, httplib::Response& res) {
            res.set_content_provider(size, "application/octet-stream",
                                     [](std::size_t, std::size_t length, httplib::DataSink& sink) {
                                         static const std::string piece = bytesOf(64u << 10);
                                         return sink.write(piece.data(),
                                                           std::min(length, piece.size()));
                                     });
        });
    }
    std::string url(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }

  private:
    httplib::Server server_;
    std::deque<std::string> bodies_;
    std::thread thread_;
    int port_ = 0;
};

std::size_t writeToFile(char* data, std::size_t, std::size_t count, void* file) {
    return std::fwrite(data, 1, count, static_cast<std::FILE*>(file));
}

// The bare loop: one easy handle, reused, writing each body to the file. It writes over the old
// file and cuts it at the end, as the fetcher does: emptying the file on open instead ("wb") makes
// ext4 flush the old contents on close, a cost of the file system, not of the transfer, that
// would make the fetcher look faster than libcurl itself.
class PlainCurl {
  public:
    PlainCurl() : handle_(curl_easy_init()) {
        curl_easy_setopt(handle_, CURLOPT_WRITEFUNCTION, writeToFile);
    }
    ~PlainCurl() { curl_easy_cleanup(handle_); }
    bool get(const std::string& url, const std::filesystem::path& file) {
        int fd = ::open(file.c_str(), O_WRONLY | O_CREAT, 0644);
        std::FILE* out = fd < 0 ? nullptr : ::fdopen(fd, "wb");
        if (out == nullptr) {
            return false;
        }
        curl_easy_setopt(handle_, CURLOPT_URL, url.c_str());
        curl_easy_setopt(handle_, CURLOPT_WRITEDATA, out);
        bool ok = curl_easy_perform(handle_) == CURLE_OK;
        std::fflush(out);
        ok = ::ftruncate(fd, ::lseek(fd, 0, SEEK_CUR)) == 0 && ok;
        std::fclose(out);
        return ok;
    }

  private:
    CURL* handle_;
};

template <typename Get>
double microsecondsPerRequest(Get get) {
    auto start = Clock::now();
    for (int i = 0; i < kRequestsPerRound; ++i) {
        if (!get()) {
            std::fprintf(stderr, "a request failed\n");
            std::exit(1);
        }
    }
    std::chrono::duration<double, std::micro> took = Clock::now() - start;
    return took.count() / kRequestsPerRound;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void compare(const char* label, const std::string& url, const std::filesystem::path& file) {
    zelidor::CurlFetcher fetcher;
    PlainCurl plain;
    std::size_t counted = 0;
    auto viaFetcher = [&] {
        return fetcher.downloadToFile(url, file, [&counted](std::size_t n) { counted += n; });
    };
    auto viaPlain = [&] { return plain.get(url, file); };
    microsecondsPerRequest(viaFetcher);  // warm-up: connection, caches
    microsecondsPerRequest(viaPlain);
    std::vector<double> fetcherTimes;
    std::vector<double> plainTimes;
    for (int round = 0; round < kRounds; ++round) {
        fetcherTimes.push_back(microsecondsPerRequest(viaFetcher));
        plainTimes.push_back(microsecondsPerRequest(viaPlain));
    }
    double ours = median(fetcherTimes);
    double bare = median(plainTimes);
    std::printf("%-22s fetcher %8.1f us/request   plain libcurl %8.1f us/request   ratio %.2f\n",
                label, ours, bare, ours / bare);
}

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace

int main() {
    const auto file = std::filesystem::temp_directory_path() / "zelidor-fetch-bench.tmp";
    MemoryServer server;
    server.serve("/canali.phtml", bytesOf(10 * 1024));
    server.serve("/statiche/media/foto/100232.jpg", bytesOf(30 * 1024));
    constexpr std::size_t kLarge = 100u << 20;
    server.serveLarge("/large", kLarge);

    std::printf("Loopback, in-process server, median of %d rounds of %d requests\n", kRounds,
                kRequestsPerRound);
    compare("listing page (10 KB)", server.url("/canali.phtml"), file);
    compare("poster (30 KB)", server.url("/statiche/media/foto/100232.jpg"), file);

    long before = peakKilobytes();
    zelidor::CurlFetcher fetcher;
    auto start = Clock::now();
    bool ok = fetcher.downloadToFile(server.url("/large"), file, nullptr);
    std::chrono::duration<double> took = Clock::now() - start;
    std::printf("100 MB body: %s in %.2f s, %.0f MB/s, file %ju bytes, peak memory growth %ld KB\n",
                ok ? "streamed" : "FAILED", took.count(), 100.0 / took.count(),
                static_cast<std::uintmax_t>(std::filesystem::file_size(file)),
                peakKilobytes() - before);
    std::filesystem::remove(file);
    return ok ? 0 : 1;
}
