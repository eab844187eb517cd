// One GET of a target on 127.0.0.1 with a read time-out, for watching exactly what the site
// sends when it misbehaves: how many bytes came, and whether the connection was closed or went
// quiet. Nothing is retried or decoded, and a body that breaks off is kept.
#pragma once

#include <chrono>
#include <string>

namespace zelidor::samplesite::test {

struct RawReply {
    bool connected = false;
    bool timedOut = false;    // the server went quiet for the whole time-out
    int status = 0;           // from the status line, 0 when none arrived
    long contentLength = -1;  // from the headers, -1 when absent
    std::string body;         // what arrived after the headers
    std::chrono::milliseconds elapsed{0};
};

RawReply rawGet(int port, const std::string& target,
                std::chrono::milliseconds timeout = std::chrono::seconds(5));

// A bare TCP connection to 127.0.0.1, for sending requests byte by byte as written (several at
// once, or half of one) and reading whatever comes back on the same connection.
class RawConnection {
  public:
    explicit RawConnection(int port);
    ~RawConnection();
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;

    bool connected() const { return fd_ >= 0; }
    void send(const std::string& bytes);
    // Reads until `count` answers (status line to the end of the Content-Length body) have
    // arrived, the server closed, or the time-out ran out; returns the bytes read.
    std::string receiveAnswers(int count, std::chrono::milliseconds timeout);
    // Whether the server closed the connection within the time-out.
    bool closedWithin(std::chrono::milliseconds timeout);

  private:
    int fd_;
    std::string pending_;
};

// "GET <target> HTTP/1.1" with a Host header and nothing else.
std::string getRequest(const std::string& target);

}  // namespace zelidor::samplesite::test
