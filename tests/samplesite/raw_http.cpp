#include "raw_http.h"

#include <arpa/inet.h>
#include <httplib.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace zelidor::samplesite::test {

RawReply rawGet(int port, const std::string& target, std::chrono::milliseconds timeout) {
    httplib::Client client("127.0.0.1", port);
    client.set_connection_timeout(timeout);
    client.set_read_timeout(timeout);
    client.set_url_encode(false);
    client.set_keep_alive(false);
    client.set_decompress(false);
    RawReply reply;
    auto start = std::chrono::steady_clock::now();
    httplib::Result result = client.Get(
        target, {{"Accept-Encoding", "identity"}},
        [&](const httplib::Response& response) {
            reply.status = response.status;
            if (response.has_header("Content-Length")) {
                reply.contentLength = std::stol(response.get_header_value("Content-Length"));
            }
            return true;
        },
        [&](const char* data, std::size_t size) {
            reply.body.append(data, size);
            return true;
        });
    reply.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    reply.connected = result || result.error() != httplib::Error::Connection;
    reply.timedOut = !result && reply.elapsed >= timeout;
    return reply;
}

namespace {

// The length of the first complete answer at the start of bytes, or 0 while it is incomplete.
std::size_t completeAnswerLength(const std::string& bytes) {
    std::size_t headersEnd = bytes.find("\r\n\r\n");
    if (headersEnd == std::string::npos) {
        return 0;
    }
    std::size_t lengthAt = bytes.find("Content-Length: ");
    std::size_t body = 0;
    if (lengthAt != std::string::npos && lengthAt < headersEnd) {
        body = std::stoul(bytes.substr(lengthAt + 16));
    }
    std::size_t total = headersEnd + 4 + body;
    return bytes.size() >= total ? total : 0;
}

}  // namespace

RawConnection::RawConnection(int port) : fd_(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd_ >= 0 &&
        ::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

RawConnection::~RawConnection() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

void RawConnection::send(const std::string& bytes) {
    (void)!::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
}

std::string RawConnection::receiveAnswers(int count, std::chrono::milliseconds timeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    std::string answers;
    while (count > 0) {
        if (std::size_t length = completeAnswerLength(pending_)) {
            answers += pending_.substr(0, length);
            pending_.erase(0, length);
            --count;
            continue;
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd watched{fd_, POLLIN, 0};
        char chunk[4096];
        ssize_t got = 0;
        if (left.count() <= 0 || ::poll(&watched, 1, static_cast<int>(left.count())) <= 0 ||
            (got = ::recv(fd_, chunk, sizeof chunk, 0)) <= 0) {
            break;
        }
        pending_.append(chunk, static_cast<std::size_t>(got));
    }
    return answers;
}

bool RawConnection::closedWithin(std::chrono::milliseconds timeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd watched{fd_, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&watched, 1, static_cast<int>(left.count())) <= 0) {
            return false;
        }
        char chunk[65536];
        ssize_t got = ::recv(fd_, chunk, sizeof chunk, 0);
        if (got <= 0) {
            return true;
        }
    }
}

std::string getRequest(const std::string& target) {
    return "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
}

}  // namespace zelidor::samplesite::test
