#include "engine/fetch/transfer_meter.h"

namespace zelidor {

namespace {

// round(bytes / 1000) with halves to the even neighbour, in whole numbers so that no binary
// fraction can tip a half either way.
std::uint64_t roundedThousands(std::uint64_t bytes) {
    std::uint64_t whole = bytes / 1000;
    std::uint64_t rest = bytes % 1000;
    if (rest > 500 || (rest == 500 && whole % 2 == 1)) {
        ++whole;
    }
    return whole;
}

// The "####.00" picture: as many digits as needed before the point, none at all for a zero
// whole part (".50"), and always two decimals.
std::string withTwoDecimals(std::uint64_t hundredths) {
    std::uint64_t whole = hundredths / 100;
    std::uint64_t cents = hundredths % 100;
    std::string text = whole == 0 ? std::string() : std::to_string(whole);
    text += '.';
    text += static_cast<char>('0' + cents / 10);
    text += static_cast<char>('0' + cents % 10);
    return text;
}

}  // namespace

void TransferMeter::startSession(Clock::time_point now) {
    sessionBytes_ = 0;
    sessionStart_ = now;
}

void TransferMeter::startPage() {
    pageBytes_ = 0;
}

void TransferMeter::addBytes(std::size_t count) {
    pageBytes_ += count;
    sessionBytes_ += count;
}

std::string TransferMeter::pageText() const {
    return std::to_string(roundedThousands(pageBytes_)) + " KBytes";
}

std::string TransferMeter::sessionText() const {
    return std::to_string(roundedThousands(sessionBytes_)) + " KBytes";
}

std::optional<std::string> TransferMeter::speedText(Clock::time_point now) const {
    auto elapsed = std::chrono::duration_cast<std::chrono::seconds>(now - sessionStart_).count();
    if (elapsed < 1) {
        return std::nullopt;
    }
    // (bytes / 1000) / seconds in hundredths is bytes / (10 * seconds); a half hundredth goes
    // up, as the display format has always rounded (12.345 shows as 12.35).
    auto seconds = static_cast<std::uint64_t>(elapsed);
    std::uint64_t hundredths = (sessionBytes_ + 5 * seconds) / (10 * seconds);
    return withTwoDecimals(hundredths) + " KByte/Sec";
}

}  // namespace zelidor
