// The download as the user runs it, against the sample site in-process: the real engine, libcurl
// fetcher, driver and store in a temporary application folder.
//
// 1. K channels x 1 day with detail pages and posters while the site waits L ms before every
//    answer: requests, wall time, the network floor (requests x L) and their ratio, where the time
//    beyond the floor goes (fetching, the engine's own work, storing rows, the driver's deletes
//    and commits), and the peak resident memory of the process (site included). Then the same
//    requests once more from a bare libcurl loop: what any client pays on this site, its own
//    time past the latency included.
// 2. The list only, for every channel x 7 days with no added latency: wall time and programmes/s.
//
// Usage: zelidor_download_bench [--channels K] [--latency L]   (defaults 10 and 5)
#include <sys/resource.h>
#include <time.h>

#include <curl/curl.h>

#include <CLI/CLI.hpp>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "config/config_store.h"
#include "config/import_types.h"
#include "download/download_driver.h"
#include "download/engine_runner.h"
#include "download/stored_settings.h"
#include "engine/fetch/curl_fetcher.h"
#include "engine/fetch/curl_transfer.h"
#include "engine/script_engine.h"
#include "samplesite/sample_site.h"

namespace zelidor {
namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// CPU seconds used so far by the calling thread, or by the whole process.
double cpuSeconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Adds the time spent in every call of a measured piece to a total.
class Stopwatch {
  public:
    template <class Work>
    auto time(Work&& work) {
        auto start = Clock::now();
        struct Add {
            Stopwatch& watch;
            Clock::time_point start;
            ~Add() { watch.seconds += secondsSince(start); }
        } add{*this, start};
        return work();
    }
    double seconds = 0;
};

class TimedFetcher : public PageFetcher {
  public:
    explicit TimedFetcher(PageFetcher& inner) : inner_(inner) {}
    bool downloadToFile(const std::string& url, const std::filesystem::path& file,
                        const std::function<void(std::size_t)>& onBytes) override {
        urls.push_back(url);
        return watch.time([&] { return inner_.downloadToFile(url, file, onBytes); });
    }
    std::optional<std::string> downloadToText(const std::string& url) override {
        urls.push_back(url);
        return watch.time([&] { return inner_.downloadToText(url); });
    }
    Stopwatch watch;
    std::vector<std::string> urls;

  private:
    PageFetcher& inner_;
};

class TimedSink : public ProgrammeSink {
  public:
    explicit TimedSink(ProgrammeStore& store) : inner_(store) {}
    void save(const ProgrammeRow& row) override {
        watch.time([&] { inner_.save(row); });
    }
    Stopwatch watch;

  private:
    StoreSink inner_;
};

class TimedRunner : public ChannelDayRunner {
  public:
    explicit TimedRunner(ScriptEngine& engine) : inner_(engine) {}
    void startSession() override { inner_.startSession(); }
    ChannelDayOutcome runChannelDay(const std::string& scriptName,
                                    const std::string& dayStamp) override {
        return watch.time([&] { return inner_.runChannelDay(scriptName, dayStamp); });
    }
    Stopwatch watch;

  private:
    EngineChannelDayRunner inner_;
};

// The requests of a run made again by one reused libcurl handle that asks for gzip, as the
// fetcher does, and throws the bodies away.
double bareClientSeconds(const std::vector<std::string>& urls) {
    CURL* handle = curl_easy_init();
    curl_easy_setopt(handle, CURLOPT_ACCEPT_ENCODING, "gzip");
    curl_easy_setopt(
        handle, CURLOPT_WRITEFUNCTION,
        +[](char*, std::size_t, std::size_t count, void*) { return count; });
    auto start = Clock::now();
    for (const std::string& url : urls) {
        const std::string address = escapeUnsafeBytes(url);
        curl_easy_setopt(handle, CURLOPT_URL, address.c_str());
        curl_easy_perform(handle);
    }
    double seconds = secondsSince(start);
    curl_easy_cleanup(handle);
    return seconds;
}

class NoPower : public PowerControl {
    void request(ShutdownMode) override {}
};

class QuietWindow : public DownloadDisplay, public EngineDisplay, public Dialogs, public Desktop {
  public:
    void appendLog(const std::string&) override {}
    void resetLiveView() override {}
    void message(const std::string&, const std::string&, MessageIcon) override {}
    Answer question(const std::string&, const std::string&) override { return Answer::Cancel; }
    void open(const std::string&) override {}
};

struct Figures {
    double wall = 0;
    double fetching = 0;
    double engine = 0;  // the runner's time, fetching included
    double storing = 0;
    double downloadCpu = 0;  // the thread that runs the driver, the engine and libcurl
    double processCpu = 0;   // the site's threads included
    double bareClient = 0;   // the same requests from a bare libcurl loop
    std::uint64_t requests = 0;
    std::int64_t programmes = 0;
};

// One download run in a fresh application folder.
Figures download(const std::vector<std::string>& channels, int days, bool listOnly,
                 std::chrono::milliseconds latency) {
    auto folder = std::filesystem::temp_directory_path() /
                  ("zelidor-download-bench-" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder / "database");

    samplesite::SampleSite site;
    site.start();
    site.setLatency(latency);
    Figures figures;
    {
        ConfigStore config(folder);
        ImportTypeStore types(folder);
        DownloadOptions options;
        options.listOnly = listOnly;
        StoredEngineSettings settings(config, types, options, site.host(), site.host());
        ProgrammeStore store(ProgrammeStore::defaultFile(folder));
        TimedSink sink(store);
        CurlFetcher curl;
        TimedFetcher fetcher(curl);
        QuietWindow window;
        NoPower power;
        ScriptEngine engine(folder, EnginePorts{window, window, window, settings, fetcher, sink});
        TimedRunner runner(engine);
        DownloadDriver driver(store, runner, window, power, folder / "covers");
        std::atomic<bool> stop{false};

        const double threadStart = cpuSeconds(CLOCK_THREAD_CPUTIME_ID);
        const double processStart = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
        auto start = Clock::now();
        DownloadSummary summary =
            driver.run(DownloadPlan{channels, *Day::parse("20021205"), days, {}}, stop);
        figures.wall = secondsSince(start);
        figures.downloadCpu = cpuSeconds(CLOCK_THREAD_CPUTIME_ID) - threadStart;
        figures.processCpu = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - processStart;
        figures.fetching = fetcher.watch.seconds;
        figures.engine = runner.watch.seconds;
        figures.storing = sink.watch.seconds;
        figures.requests = site.requestCounts().total();
        figures.programmes = summary.programmesStored();
        figures.bareClient = bareClientSeconds(fetcher.urls);
    }
    site.stop();
    std::filesystem::remove_all(folder);
    return figures;
}

long peakResidentKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

std::vector<std::string> firstChannels(std::size_t count) {
    std::vector<std::string> names;
    for (const ChannelInfo& channel : builtinChannels()) {
        if (names.size() < count) {
            names.emplace_back(channel.name);
        }
    }
    return names;
}

void withDetails(std::size_t channels, int latencyMs) {
    const std::chrono::milliseconds latency{latencyMs};
    Figures f = download(firstChannels(channels), 1, false, latency);
    double floor = static_cast<double>(f.requests) * latencyMs / 1000.0;
    std::printf("details: %zu channels x 1 day, %d ms latency per request\n", channels, latencyMs);
    std::printf("  requests            %llu\n", static_cast<unsigned long long>(f.requests));
    std::printf("  programmes          %lld\n", static_cast<long long>(f.programmes));
    std::printf("  wall                %.3f s\n", f.wall);
    std::printf("  network floor       %.3f s (requests x latency)\n", floor);
    std::printf("  wall / floor        %.3f (goal <= 1.10)\n", floor > 0 ? f.wall / floor : 0.0);
    std::printf("  beyond the floor    %.3f s, of which\n", f.wall - floor);
    std::printf("    fetching          %.3f s (%.2f ms per request over the latency)\n",
                f.fetching - floor,
                f.requests ? (f.fetching - floor) * 1000 / static_cast<double>(f.requests) : 0.0);
    std::printf("    engine's own work %.3f s (runs less fetching and storing)\n",
                f.engine - f.fetching - f.storing);
    std::printf("    storing rows      %.3f s\n", f.storing);
    std::printf("    driver            %.3f s (deletes, counts, commits)\n", f.wall - f.engine);
    std::printf("  CPU                 %.3f s downloading thread, %.3f s site threads\n",
                f.downloadCpu, f.processCpu - f.downloadCpu);
    std::printf("  peak RSS            %.1f MB (process, site included)\n",
                static_cast<double>(peakResidentKilobytes()) / 1024);
    std::printf("the same requests from a bare libcurl loop\n");
    std::printf("  wall                %.3f s (%.2f ms per request over the latency)\n",
                f.bareClient,
                f.requests ? (f.bareClient - floor) * 1000 / static_cast<double>(f.requests) : 0.0);
    std::printf("  bare wall / floor   %.3f\n", floor > 0 ? f.bareClient / floor : 0.0);
    std::printf("  download / bare     %.3f\n", f.bareClient > 0 ? f.wall / f.bareClient : 0.0);
}

void listOnlyWeek() {
    Figures f = download(firstChannels(builtinChannels().size()), 7, true, {});
    std::printf("list only: %zu channels x 7 days, no added latency\n", builtinChannels().size());
    std::printf("  requests            %llu\n", static_cast<unsigned long long>(f.requests));
    std::printf("  programmes          %lld\n", static_cast<long long>(f.programmes));
    std::printf("  wall                %.3f s\n", f.wall);
    std::printf("  programmes / s      %.0f\n", static_cast<double>(f.programmes) / f.wall);
    std::printf("  fetching            %.3f s\n", f.fetching);
    std::printf("  CPU                 %.3f s downloading thread, %.3f s site threads\n",
                f.downloadCpu, f.processCpu - f.downloadCpu);
    std::printf("  peak RSS            %.1f MB (process, site included)\n",
                static_cast<double>(peakResidentKilobytes()) / 1024);
}

}  // namespace
}  // namespace zelidor

int main(int argc, char** argv) {
    CLI::App app{"Download benchmark against the sample site in-process"};
    std::size_t channels = 10;
    int latency = 5;
    app.add_option("-k,--channels", channels, "Channels downloaded with details (1 day)")
        ->check(CLI::Range(1, 51))
        ->capture_default_str();
    app.add_option("-l,--latency", latency, "Milliseconds the site waits before every answer")
        ->check(CLI::Range(0, 10000))
        ->capture_default_str();
    CLI11_PARSE(app, argc, argv);
    // The site listens on 127.0.0.1: a proxy named in the environment must not catch it.
    ::setenv("no_proxy", "127.0.0.1", 1);
    zelidor::withDetails(channels, latency);
    zelidor::listOnlyWeek();
    return 0;
}
