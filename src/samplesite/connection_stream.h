// One accepted connection of the sample site, as the HTTP server's request parser reads and
// writes it: buffered reads, whole writes, and every wait (for a request, for bytes, for room to
// send) cut short the moment the site stops.
#pragma once

#include <httplib.h>

#include <array>
#include <chrono>
#include <cstddef>

namespace zelidor::samplesite {

struct StreamTimeouts {
    std::chrono::microseconds read;
    std::chrono::microseconds write;
};

class ConnectionStream : public httplib::Stream {
  public:
    // stopEvent: a descriptor that becomes readable when the site stops (it is not read).
    ConnectionStream(int socket, int stopEvent, StreamTimeouts timeouts);

    // Whether a request has begun to arrive within the idle time; false when the client closed
    // nothing but went quiet, or the site stopped. A closed connection counts as arrived: the
    // parser then reads its end.
    bool waitForRequest(std::chrono::microseconds idle);

    bool is_readable() const override;
    bool is_writable() const override;
    ssize_t read(char* ptr, std::size_t size) override;
    // Sends all of the bytes or fails (-1): the parser does not resend the rest of a short write.
    ssize_t write(const char* ptr, std::size_t size) override;
    void get_remote_ip_and_port(std::string& ip, int& port) const override;
    void get_local_ip_and_port(std::string& ip, int& port) const override;
    socket_t socket() const override { return socket_; }

  private:
    bool buffered() const { return bufferStart_ < bufferEnd_; }
    bool waitFor(short events, std::chrono::microseconds timeout) const;

    int socket_;
    int stopEvent_;
    StreamTimeouts timeouts_;
    std::array<char, 4096> buffer_{};
    std::size_t bufferStart_ = 0;
    std::size_t bufferEnd_ = 0;
};

}  // namespace zelidor::samplesite
