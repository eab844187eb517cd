#include "samplesite/local_sample_site.h"

#include <httplib.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <stop_token>
#include <thread>
#include <vector>

#include "samplesite/sample_site.h"
#include "samplesite/site_address.h"

namespace zelidor::samplesite {

namespace {

bool validPort(int port) {
    return port > 0 && port < 65536;
}

// The remembered port first, then the range from the first port on.
std::vector<int> portsToTry(int remembered, const LocalSiteOptions& options) {
    std::vector<int> ports;
    if (validPort(remembered)) {
        ports.push_back(remembered);
    }
    for (int i = 0; i < options.portCount; ++i) {
        int port = options.firstPort + i;
        if (validPort(port) && port != remembered) {
            ports.push_back(port);
        }
    }
    return ports;
}

}  // namespace

bool answersAsSampleSite(int port, std::chrono::milliseconds timeout) {
    httplib::Client client("127.0.0.1", port);
    client.set_connection_timeout(timeout);
    client.set_read_timeout(timeout);
    client.set_write_timeout(timeout);
    client.set_keep_alive(false);
    std::string body;
    // A server that sends more than the identity is not the site: stop reading it there.
    auto result = client.Get(std::string(kIdentityPath), [&body](const char* data, std::size_t n) {
        body.append(data, n);
        return body.size() <= kSiteIdentity.size();
    });
    return result && result->status == 200 && body == kSiteIdentity;
}

// The site this program serves, or waits to serve while another program's site holds the port.
class LocalSampleSite::Server {
  public:
    explicit Server(const LocalSiteOptions& options) : options_(options) {}
    ~Server() {
        watcher_.request_stop();
        if (watcher_.joinable()) {
            watcher_.join();
        }
        site_.stop();
    }

    bool tryServe(int port) {
        try {
            site_.start(port);
        } catch (const std::runtime_error&) {
            return false;  // the port is held; the site can be started again later
        }
        serving = true;
        return true;
    }

    // Tries the port again now and then, until it is free or this object goes.
    void takeOverWhenFree(int port) {
        watcher_ = std::jthread([this, port](std::stop_token stop) {
            std::mutex mutex;
            std::condition_variable_any wake;
            std::unique_lock lock(mutex);
            while (!stop.stop_requested()) {
                // Only a stop request ends the wait early.
                wake.wait_for(lock, stop, options_.takeOverEvery, [] { return false; });
                if (stop.stop_requested() || tryServe(port)) {
                    return;
                }
            }
        });
    }

    int portInUse = 0;  // whoever serves it; set once by the constructor
    std::atomic<bool> serving{false};

  private:
    LocalSiteOptions options_;
    SampleSite site_;
    std::jthread watcher_;  // declared last: it ends before the site it starts
};

LocalSampleSite::LocalSampleSite(ConfigStore& settings, LocalSiteOptions options)
    : server_(std::make_unique<Server>(options)) {
    const int remembered = settings.read().samplePort;
    for (int port : portsToTry(remembered, options)) {
        if (server_->tryServe(port)) {
            server_->portInUse = port;
            break;
        }
        // Held: by the site of another Zelidor program (use it), or by something else (skip it).
        if (answersAsSampleSite(port, options.identityTimeout)) {
            server_->portInUse = port;
            server_->takeOverWhenFree(port);
            break;
        }
    }
    if (server_->portInUse == 0) {
        throw std::runtime_error("the sample listings site finds no free port on 127.0.0.1 from " +
                                 std::to_string(options.firstPort) + " to " +
                                 std::to_string(options.firstPort + options.portCount - 1));
    }
    if (server_->portInUse != remembered) {
        settings.setNumber(ConfigField::SamplePort, server_->portInUse);
    }
}

LocalSampleSite::~LocalSampleSite() = default;

int LocalSampleSite::port() const {
    return server_->portInUse;
}

std::string LocalSampleSite::host() const {
    return "127.0.0.1:" + std::to_string(server_->portInUse);
}

bool LocalSampleSite::serving() const {
    return server_->serving;
}

}  // namespace zelidor::samplesite
