// The bundled sample listings site: an HTTP server on 127.0.0.1 serving every built-in channel
// for any day in the listing page format, detail pages, posters and the release file, with
// misbehaviour on request. It runs on its own threads from start() until stop() or destruction.
#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "samplesite/site_address.h"
#include "samplesite/site_answers.h"
#include "samplesite/site_faults.h"
#include "samplesite/stop_signal.h"

namespace httplib {
struct Request;
struct Response;
}  // namespace httplib

namespace zelidor::samplesite {

class StoppableServer;

struct RequestCounts {
    std::uint64_t listing = 0;
    std::uint64_t detail = 0;
    std::uint64_t poster = 0;
    std::uint64_t release = 0;
    std::uint64_t other = 0;

    std::uint64_t total() const { return listing + detail + poster + release + other; }
    friend bool operator==(const RequestCounts&, const RequestCounts&) = default;
};

inline constexpr std::string_view kDefaultReleaseText = "1.2";

class SampleSite {
  public:
    SampleSite();
    ~SampleSite();
    SampleSite(const SampleSite&) = delete;
    SampleSite& operator=(const SampleSite&) = delete;

    // Binds 127.0.0.1 on the port (0: any free port) and serves until stop(). Throws
    // std::runtime_error when the port cannot be bound. A site is started once.
    void start(int port = 0);
    // Ends every pending pause at once, closes the port and joins the server's threads.
    void stop();

    int port() const { return port_; }
    std::string host() const { return "127.0.0.1:" + std::to_string(port_); }  // "127.0.0.1:PORT"

    // Misbehaviour, changeable at any time from any thread.
    FaultPlan& faults() { return faults_; }
    void setLatency(std::chrono::milliseconds latency) { faults_.setLatency(latency); }

    // The body of the release file ("1.2" unless changed).
    void setReleaseText(std::string text);

    // Requests received since the start or the last reset, by kind (every request counts,
    // whatever it was answered).
    RequestCounts requestCounts() const;
    void resetRequestCounts();

  private:
    void handle(const httplib::Request& request, httplib::Response& response);
    std::string releaseText() const;

    SiteAnswers answers_;
    FaultPlan faults_;
    StopSignal stopSignal_;
    std::array<std::atomic<std::uint64_t>, 5> counts_{};
    mutable std::mutex releaseMutex_;
    std::string releaseText_{kDefaultReleaseText};
    std::unique_ptr<StoppableServer> server_;
    std::thread thread_;
    int port_ = 0;
    bool stopped_ = false;
};

}  // namespace zelidor::samplesite
