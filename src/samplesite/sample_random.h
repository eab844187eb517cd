// The sample site's source of variety. It must give the same page for the same channel-day on
// every machine and with every standard library, which rules out the std:: distributions (their
// output is implementation-defined), so this is a plain SplitMix64 with its own range helpers.
#pragma once

#include <cstdint>
#include <span>

namespace zelidor::samplesite {

class SampleRandom {
  public:
    explicit SampleRandom(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next();
    // 0 .. bound-1; bound must be at least 1.
    int below(int bound);
    // low .. high, both included.
    int between(int low, int high) { return low + below(high - low + 1); }
    bool chance(int percent) { return below(100) < percent; }

    template <typename T>
    const T& pick(std::span<const T> items) {
        return items[static_cast<std::size_t>(below(static_cast<int>(items.size())))];
    }

  private:
    std::uint64_t state_;
};

// Combines two values into one well-spread seed (order matters).
std::uint64_t mixSeed(std::uint64_t first, std::uint64_t second);

}  // namespace zelidor::samplesite
