// Lets the site's deliberate pauses (latency, stalls) end at once when the site stops, so that
// stopping never waits for a stall to run out.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace zelidor::samplesite {

class StopSignal {
  public:
    // Waits for the pause; false when the signal was raised before it ran out.
    bool sleepFor(std::chrono::milliseconds pause) {
        std::unique_lock lock(mutex_);
        return !raisedChanged_.wait_for(lock, pause, [this] { return raised_; });
    }

    void raise() {
        {
            std::lock_guard lock(mutex_);
            raised_ = true;
        }
        raisedChanged_.notify_all();
    }

  private:
    std::mutex mutex_;
    std::condition_variable raisedChanged_;
    bool raised_ = false;
};

}  // namespace zelidor::samplesite
