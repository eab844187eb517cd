// The sample site on a remembered loopback port: where it starts, what it remembers, how a port
// held by something else is told from a port held by another program's site, and the hand-over
// when that program ends.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <thread>

#include "raw_http.h"
#include "samplesite/local_sample_site.h"
#include "samplesite/site_address.h"
#include "samplesite/site_pages.h"
#include "support/local_server.h"
#include "support/temp_dir.h"

namespace zelidor::samplesite {
namespace {

using std::chrono::milliseconds;

const Day kDay{2002, 12, 5};
const ChannelInfo& kCanale5 = builtinChannels()[4];
const std::string kListing = listingAddress("", kCanale5, kDay).substr(7);

// A port that takes connections and never answers them.
class SilentPort {
  public:
    SilentPort() : fd_(::socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof addr;
        if (::bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
            ::listen(fd_, 8) != 0 ||
            ::getsockname(fd_, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
            throw std::runtime_error("cannot listen");
        }
        port = ntohs(addr.sin_port);
    }
    ~SilentPort() { ::close(fd_); }
    int port = 0;

  private:
    int fd_;
};

LocalSiteOptions quickOptions(int firstPort, int portCount = 1) {
    return {firstPort, portCount, milliseconds(50), milliseconds(300)};
}

struct Settings {
    zelidor::test::TempDir app;
    ConfigStore store{app.path()};
    int remembered() { return store.read().samplePort; }
};

TEST(LocalSampleSite, ServesOnTheFirstFreePortThenOnTheRememberedOneAndStopsWithItsOwner) {
    Settings settings;
    const int first = zelidor::test::closedPort();
    {
        LocalSampleSite site(settings.store, quickOptions(first));
        EXPECT_EQ(site.host(), "127.0.0.1:" + std::to_string(first));
        EXPECT_TRUE(site.serving());
        EXPECT_EQ(settings.remembered(), first);
        EXPECT_EQ(test::rawGet(first, kListing).body, listingPage(sampleListing(kCanale5, kDay)));
    }
    EXPECT_FALSE(test::rawGet(first, "/").connected);

    LocalSampleSite again(settings.store, quickOptions(zelidor::test::closedPort()));
    EXPECT_EQ(again.port(), first);
    EXPECT_EQ(settings.remembered(), first);
}

// A server that answers, even with a page that begins like the site's identity, or one that
// never answers, is passed over; when nothing is left the site reports it.
TEST(LocalSampleSite, APortHeldBySomethingElseIsNeverTakenForTheSite) {
    zelidor::test::LocalServer impostor;
    impostor.server().Get(".*", [](const httplib::Request&, httplib::Response& response) {
        response.set_content(std::string(kSiteIdentity) + "and more", "text/plain");
    });
    impostor.start();
    SilentPort silent;
    EXPECT_FALSE(answersAsSampleSite(impostor.port(), milliseconds(300)));
    EXPECT_FALSE(answersAsSampleSite(silent.port, milliseconds(300)));

    Settings settings;
    settings.store.setNumber(ConfigField::SamplePort, impostor.port());
    EXPECT_THROW(LocalSampleSite(settings.store, quickOptions(silent.port)), std::runtime_error);
    EXPECT_EQ(settings.remembered(), impostor.port());

    const int free = zelidor::test::closedPort();
    LocalSampleSite site(settings.store, quickOptions(free));
    EXPECT_EQ(site.port(), free);
    EXPECT_TRUE(site.serving());
    EXPECT_EQ(settings.remembered(), free);
}

// The command line downloading while the desktop program runs: it uses the desktop program's
// site, and the one left running takes the port over when the other ends.
TEST(LocalSampleSite, ASecondProgramUsesTheRunningSiteAndTakesOverWhenItEnds) {
    Settings desktop, commandLine;
    auto first =
        std::make_unique<LocalSampleSite>(desktop.store, quickOptions(zelidor::test::closedPort()));
    const int port = first->port();
    commandLine.store.setNumber(ConfigField::SamplePort, port);
    LocalSampleSite second(commandLine.store, quickOptions(zelidor::test::closedPort()));
    EXPECT_EQ(second.port(), port);
    EXPECT_FALSE(second.serving());
    EXPECT_TRUE(answersAsSampleSite(port, milliseconds(1000)));

    first.reset();
    for (int i = 0; i < 200 && !second.serving(); ++i) {
        std::this_thread::sleep_for(milliseconds(10));
    }
    EXPECT_TRUE(second.serving());
    EXPECT_EQ(test::rawGet(port, kListing).status, 200);
}

}  // namespace
}  // namespace zelidor::samplesite
