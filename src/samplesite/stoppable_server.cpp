#include "samplesite/stoppable_server.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>
#include <stdexcept>

#include "samplesite/connection_stream.h"

namespace zelidor::samplesite {

namespace {

std::chrono::microseconds duration(time_t seconds, time_t microseconds) {
    return std::chrono::seconds(seconds) + std::chrono::microseconds(microseconds);
}

}  // namespace

StoppableServer::StoppableServer() : stopEvent_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    if (stopEvent_ < 0) {
        throw std::runtime_error("the sample site cannot create its stop event");
    }
}

StoppableServer::~StoppableServer() {
    ::close(stopEvent_);
}

void StoppableServer::stopServing() {
    const std::uint64_t one = 1;
    (void)!::write(stopEvent_, &one, sizeof one);
    stop();
}

// The connection loop of httplib::Server, with waits that watch the stop event.
bool StoppableServer::process_and_close_socket(socket_t sock) {
    // The headers and the body of an answer are sent separately; without this the body would
    // wait for the client's delayed acknowledgement of the headers on a kept-alive connection.
    int yes = 1;
    ::setsockopt(sock, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
    ConnectionStream stream(sock, stopEvent_,
                            {duration(read_timeout_sec_, read_timeout_usec_),
                             duration(write_timeout_sec_, write_timeout_usec_)});
    const auto idle = std::chrono::seconds(keep_alive_timeout_sec_);
    bool served = false;
    for (std::size_t left = keep_alive_max_count_; left > 0; --left) {
        if (!stream.waitForRequest(idle)) {
            break;
        }
        bool clientClosed = false;
        served = process_request(stream, left == 1, clientClosed, nullptr);
        if (!served || clientClosed) {
            break;
        }
    }
    ::shutdown(sock, SHUT_RDWR);
    ::close(sock);
    return served;
}

}  // namespace zelidor::samplesite
