// The bundled sample site as a program serves it for its whole run: on a fixed loopback port, so
// that the web links stored with the programmes it listed still open afterwards. The port is
// remembered in the settings (Config.SamplePort); the first time it is the first free one from
// kFirstSamplePort up. A program that finds the port held by a sample site that another Zelidor
// program is serving uses that site instead, and takes the port over when the other one ends.
//
// The desktop program makes one at its start when the listings-host setting is "sample", keeps it
// until it closes, and gives host() to the engine as the listings host; `zelidor-cli download`
// does the same for the length of a download.
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "config/config_store.h"

namespace zelidor::samplesite {

// The first port tried on a fresh installation, and how many ports from it are tried.
inline constexpr int kFirstSamplePort = 27480;
inline constexpr int kSamplePortCount = 20;

struct LocalSiteOptions {
    int firstPort = kFirstSamplePort;
    int portCount = kSamplePortCount;
    // How often a program that uses another program's site tries to take the port over.
    std::chrono::milliseconds takeOverEvery{1000};
    // How long a server on a taken port may take to prove that it is a sample site.
    std::chrono::milliseconds identityTimeout{2000};
};

class LocalSampleSite {
  public:
    // Serves the site on the remembered port, or else on the first port from firstPort on that
    // is free or already serves a sample site, and remembers that port in the settings (the
    // store is used only here). Throws std::runtime_error when every port tried is held by
    // something else, and StoreError when the settings cannot be read or written.
    explicit LocalSampleSite(ConfigStore& settings, LocalSiteOptions options = {});
    // Stops the site when this object serves it.
    ~LocalSampleSite();
    LocalSampleSite(const LocalSampleSite&) = delete;
    LocalSampleSite& operator=(const LocalSampleSite&) = delete;

    int port() const;
    std::string host() const;  // "127.0.0.1:PORT", the listings (and update) host to use
    // True while this object's own site serves the port; false while another program's does.
    bool serving() const;

  private:
    class Server;
    std::unique_ptr<Server> server_;
};

// Whether the server listening on 127.0.0.1:port (if any) is a sample site: it answers the
// identity page with the site's identity within the time-out.
bool answersAsSampleSite(int port, std::chrono::milliseconds timeout);

}  // namespace zelidor::samplesite
