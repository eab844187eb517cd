#include "samplesite/sample_random.h"

namespace zelidor::samplesite {

namespace {

std::uint64_t finalise(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

}  // namespace

std::uint64_t SampleRandom::next() {
    state_ += 0x9E3779B97F4A7C15ULL;
    return finalise(state_);
}

int SampleRandom::below(int bound) {
    // The modulo bias is far below anything a listing page could show.
    return static_cast<int>(next() % static_cast<std::uint64_t>(bound));
}

std::uint64_t mixSeed(std::uint64_t first, std::uint64_t second) {
    return finalise(finalise(first) ^ (second + 0x9E3779B97F4A7C15ULL));
}

}  // namespace zelidor::samplesite
