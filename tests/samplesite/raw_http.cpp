#include "raw_http.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace zelidor::samplesite::test {

namespace {

int connectTo(int port, std::chrono::milliseconds timeout) {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    timeval tv{};
    tv.tv_sec = static_cast<time_t>(timeout.count() / 1000);
    tv.tv_usec = static_cast<suseconds_t>(timeout.count() % 1000 * 1000);
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(static_cast<std::uint16_t>(port));
    if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void readHeaders(std::string& received, RawReply& reply) {
    std::size_t end = received.find("\r\n\r\n");
    std::string head = received.substr(0, end);
    if (head.starts_with("HTTP/1.")) {
        reply.status = std::atoi(head.c_str() + 9);
    }
    if (std::size_t at = head.find("Content-Length: "); at != std::string::npos) {
        reply.contentLength = std::atol(head.c_str() + at + 16);
    }
    received.erase(0, end + 4);
}

}  // namespace

RawReply rawGet(int port, const std::string& target, std::chrono::milliseconds timeout) {
    RawReply reply;
    auto start = std::chrono::steady_clock::now();
    int fd = connectTo(port, timeout);
    if (fd < 0) {
        return reply;
    }
    reply.connected = true;
    std::string request = "GET " + target + " HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n";
    ::send(fd, request.data(), request.size(), MSG_NOSIGNAL);

    std::string received;
    bool inBody = false;
    char buffer[16384];
    while (true) {
        ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            reply.timedOut = true;
        }
        if (n <= 0) {
            break;
        }
        received.append(buffer, static_cast<std::size_t>(n));
        if (!inBody && received.find("\r\n\r\n") != std::string::npos) {
            readHeaders(received, reply);
            inBody = true;
        }
        if (inBody) {
            reply.body += received;
            received.clear();
        }
    }
    ::close(fd);
    reply.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    return reply;
}

}  // namespace zelidor::samplesite::test
