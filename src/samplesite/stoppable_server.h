// The sample site's HTTP server: cpp-httplib's server with kept-alive connections that end the
// moment it stops. cpp-httplib's own connection loop notices a stop only between requests, so a
// client idling on a kept-alive connection would hold the stop (and the program's exit) for the
// whole keep-alive time-out; here every wait of a connection also watches a stop event.
#pragma once

#include <httplib.h>

namespace zelidor::samplesite {

class StoppableServer : public httplib::Server {
  public:
    StoppableServer();
    ~StoppableServer() override;
    StoppableServer(const StoppableServer&) = delete;
    StoppableServer& operator=(const StoppableServer&) = delete;

    // Ends every connection's wait at once, then stops listening (httplib::Server::stop()).
    // Requests being answered are cut off when they next wait to read or send.
    void stopServing();

  private:
    bool process_and_close_socket(socket_t sock) override;

    int stopEvent_;  // an eventfd that turns readable, and stays so, on stopServing()
};

}  // namespace zelidor::samplesite
