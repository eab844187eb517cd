// zelidor-sample-site as a program: it prints the address it serves, serves it, and ends
// cleanly on SIGTERM; a bad command line fails.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "raw_http.h"
#include "support/child_process.h"

namespace zelidor::samplesite {
namespace {

using zelidor::test::builtProgram;
using zelidor::test::ChildProcess;

TEST(SampleSiteProgram, PrintsItsAddressServesAndEndsOnSigterm) {
    ChildProcess site(builtProgram("zelidor-sample-site"), {"--port", "0", "--latency-ms", "10"});
    std::string line;
    for (int i = 0; i < 1000 && line.find('\n') == std::string::npos; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        line = site.outputSoFar();
    }
    int port = 0;
    ASSERT_EQ(std::sscanf(line.c_str(), "http://127.0.0.1:%d/", &port), 1) << line;
    EXPECT_EQ(test::rawGet(port, "/zelidor/codes/release.txt").body, "1.2");
    site.kill(SIGTERM);
    EXPECT_EQ(site.wait().exitCode, 0);

    // --port is required
    EXPECT_NE(
        ChildProcess(builtProgram("zelidor-sample-site"), {"--latency-ms", "5"}).wait().exitCode,
        0);
}

}  // namespace
}  // namespace zelidor::samplesite
