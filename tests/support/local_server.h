// An HTTP server on 127.0.0.1 with an ephemeral port, running on its own thread for the life of
// the object. Tests register handlers on server() before calling start().
#pragma once

#include <httplib.h>

#include <string>
#include <thread>

namespace zelidor::test {

class LocalServer {
  public:
    LocalServer();
    ~LocalServer();
    LocalServer(const LocalServer&) = delete;
    LocalServer& operator=(const LocalServer&) = delete;

    httplib::Server& server() { return server_; }
    // Binds an ephemeral port, starts serving and waits until the server accepts connections.
    void start();
    void stop();
    int port() const { return port_; }
    std::string host() const { return "127.0.0.1:" + std::to_string(port_); }
    std::string url(const std::string& path) const { return "http://" + host() + path; }

  private:
    httplib::Server server_;
    std::thread thread_;
    int port_ = 0;
};

// A port on 127.0.0.1 that nobody listens on (bound, then released).
int closedPort();

}  // namespace zelidor::test
