#include "samplesite/sample_site.h"

#include <httplib.h>

#include <stdexcept>

#include "samplesite/fault_responses.h"
#include "samplesite/stoppable_server.h"

namespace zelidor::samplesite {

namespace {

// The server's default also sets SO_REUSEPORT, which lets a second site bind a port that is
// already serving and silently share its requests; a busy port must be reported instead.
void reuseAddressOnly(socket_t sock) {
    int yes = 1;
    ::setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
}

}  // namespace

SampleSite::SampleSite() : server_(std::make_unique<StoppableServer>()) {
    server_->set_socket_options(reuseAddressOnly);
    // A download run is thousands of requests on one kept-alive connection. An idle connection
    // holds one of the server's few threads, so it is closed after a second: the engine's next
    // request comes within milliseconds, and a client that went away frees its thread soon.
    server_->set_keep_alive_max_count(100000);
    server_->set_keep_alive_timeout(1);
    server_->Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
        handle(request, response);
    });
}

SampleSite::~SampleSite() {
    stop();
}

void SampleSite::start(int port) {
    if (thread_.joinable() || stopped_) {
        throw std::runtime_error("a sample site is started only once");
    }
    if (port == 0) {
        port_ = server_->bind_to_any_port("127.0.0.1");
    } else {
        port_ = server_->bind_to_port("127.0.0.1", port) ? port : -1;
    }
    if (port_ <= 0) {
        port_ = 0;
        throw std::runtime_error("the sample listings site cannot listen on 127.0.0.1:" +
                                 std::to_string(port));
    }
    thread_ = std::thread([this] { server_->listen_after_bind(); });
    while (!server_->is_running()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void SampleSite::stop() {
    stopped_ = true;
    stopSignal_.raise();
    if (thread_.joinable()) {
        server_->stopServing();
        thread_.join();
    }
}

void SampleSite::setReleaseText(std::string text) {
    std::lock_guard lock(releaseMutex_);
    releaseText_ = std::move(text);
}

std::string SampleSite::releaseText() const {
    std::lock_guard lock(releaseMutex_);
    return releaseText_;
}

RequestCounts SampleSite::requestCounts() const {
    auto count = [this](RequestKind kind) {
        return counts_[static_cast<std::size_t>(kind)].load();
    };
    return RequestCounts{count(RequestKind::Listing), count(RequestKind::Detail),
                         count(RequestKind::Poster), count(RequestKind::Release),
                         count(RequestKind::Other)};
}

void SampleSite::resetRequestCounts() {
    for (auto& count : counts_) {
        count = 0;
    }
}

void SampleSite::handle(const httplib::Request& request, httplib::Response& response) {
    const std::string& target = request.target;
    ++counts_[static_cast<std::size_t>(requestKind(target))];
    if (!stopSignal_.sleepFor(faults_.latency())) {
        return;
    }
    writeResponse(response, answers_.answer(target, releaseText()), faults_.faultFor(target),
                  stopSignal_, target);
}

}  // namespace zelidor::samplesite
