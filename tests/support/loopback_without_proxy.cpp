// The tests' servers listen on 127.0.0.1: a proxy that the developer's environment names for
// browsing must not catch their requests.
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class LoopbackWithoutProxy : public testing::Environment {
  public:
    void SetUp() override {
        ::setenv("no_proxy", "127.0.0.1,localhost", 1);
        ::setenv("NO_PROXY", "127.0.0.1,localhost", 1);
    }
};

[[maybe_unused]] testing::Environment* const kLoopbackWithoutProxy =
    testing::AddGlobalTestEnvironment(new LoopbackWithoutProxy);

}  // namespace
