#include "samplesite/connection_stream.h"

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace zelidor::samplesite {

namespace {

using Clock = std::chrono::steady_clock;

// Either kind of address, as the server reports it in the request.
void describeAddress(const sockaddr_storage& address, std::string& ip, int& port) {
    char text[INET6_ADDRSTRLEN] = {};
    if (address.ss_family == AF_INET) {
        const auto& v4 = reinterpret_cast<const sockaddr_in&>(address);
        ::inet_ntop(AF_INET, &v4.sin_addr, text, sizeof text);
        port = ntohs(v4.sin_port);
    } else if (address.ss_family == AF_INET6) {
        const auto& v6 = reinterpret_cast<const sockaddr_in6&>(address);
        ::inet_ntop(AF_INET6, &v6.sin6_addr, text, sizeof text);
        port = ntohs(v6.sin6_port);
    }
    ip = text;
}

}  // namespace

ConnectionStream::ConnectionStream(int socket, int stopEvent, StreamTimeouts timeouts)
    : socket_(socket), stopEvent_(stopEvent), timeouts_(timeouts) {}

bool ConnectionStream::waitForRequest(std::chrono::microseconds idle) {
    return buffered() || waitFor(POLLIN, idle);
}

bool ConnectionStream::is_readable() const {
    return buffered() || waitFor(POLLIN, timeouts_.read);
}

bool ConnectionStream::is_writable() const {
    return waitFor(POLLOUT, timeouts_.write);
}

ssize_t ConnectionStream::read(char* ptr, std::size_t size) {
    if (!buffered()) {
        if (!waitFor(POLLIN, timeouts_.read)) {
            return -1;
        }
        ssize_t received;
        do {
            received = ::recv(socket_, buffer_.data(), buffer_.size(), 0);
        } while (received < 0 && errno == EINTR);
        if (received <= 0) {
            return received;
        }
        bufferStart_ = 0;
        bufferEnd_ = static_cast<std::size_t>(received);
    }
    std::size_t count = std::min(size, bufferEnd_ - bufferStart_);
    std::memcpy(ptr, buffer_.data() + bufferStart_, count);
    bufferStart_ += count;
    return static_cast<ssize_t>(count);
}

ssize_t ConnectionStream::write(const char* ptr, std::size_t size) {
    std::size_t sent = 0;
    while (sent < size) {
        if (!waitFor(POLLOUT, timeouts_.write)) {
            return -1;
        }
        // Never blocks inside send(), so a slow reader cannot hold up the site's stop.
        ssize_t n = ::send(socket_, ptr + sent, size - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)) {
            continue;
        }
        if (n <= 0) {
            return -1;
        }
        sent += static_cast<std::size_t>(n);
    }
    return static_cast<ssize_t>(size);
}

void ConnectionStream::get_remote_ip_and_port(std::string& ip, int& port) const {
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (::getpeername(socket_, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        describeAddress(address, ip, port);
    }
}

void ConnectionStream::get_local_ip_and_port(std::string& ip, int& port) const {
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        describeAddress(address, ip, port);
    }
}

// True when the socket is ready for the events within the time-out and the site has not
// stopped.
bool ConnectionStream::waitFor(short events, std::chrono::microseconds timeout) const {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        pollfd watched[2] = {{socket_, events, 0}, {stopEvent_, POLLIN, 0}};
        auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        int ready = ::poll(watched, 2, static_cast<int>(std::max<long long>(left.count(), 0)));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0 || watched[1].revents != 0) {
            return false;
        }
        // A closed or failed connection is "ready" too: the next read or send reports it.
        return watched[0].revents != 0;
    }
}

}  // namespace zelidor::samplesite
