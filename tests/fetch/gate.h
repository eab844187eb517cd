// A door that a test server's handler waits at, so a test can make the server stall. Open it
// before the server is stopped, or stopping waits for the stalled handler.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace zelidor::test {

class Gate {
  public:
    void open() {
        std::lock_guard lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }

    // Waits until the gate opens, at most for the given time.
    void wait(std::chrono::seconds atMost = std::chrono::seconds(20)) {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, atMost, [this] { return open_; });
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool open_ = false;
};

}  // namespace zelidor::test
