// The byte counters and average speed that the download window shows while pages arrive.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace zelidor {

class TransferMeter {
  public:
    using Clock = std::chrono::steady_clock;

    // A new download run: the session counter goes back to 0 and the clock starts.
    void startSession(Clock::time_point now = Clock::now());
    // A new file download: the page counter goes back to 0.
    void startPage();
    // Bytes actually received.
    void addBytes(std::size_t count);

    std::uint64_t pageBytes() const { return pageBytes_; }
    std::uint64_t sessionBytes() const { return sessionBytes_; }

    // round(bytes / 1000) + " KBytes", halves to even ("1 KBytes" for 600 bytes).
    std::string pageText() const;
    std::string sessionText() const;
    // (session bytes / 1000) / whole elapsed seconds, "####.00" + " KByte/Sec" (0.5 shows as
    // ".50"); no value while less than one whole second has passed.
    std::optional<std::string> speedText(Clock::time_point now = Clock::now()) const;

  private:
    std::uint64_t pageBytes_ = 0;
    std::uint64_t sessionBytes_ = 0;
    Clock::time_point sessionStart_ = Clock::now();
};

}  // namespace zelidor
