#include "xmltv/time_zone.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <chrono>
#include <cstdlib>

#include "common/file_bytes.h"

namespace zelidor {

namespace {

constexpr std::string_view kEuropeanRule = "CET-1CEST,M3.5.0,M10.5.0/3";

std::int64_t dayNumber(int year, int month, int day) {
    using namespace std::chrono;
    return sys_days{std::chrono::year{year} / static_cast<unsigned>(month) /
                    static_cast<unsigned>(day)}
        .time_since_epoch()
        .count();
}

// A small reader over a POSIX TZ text.
class RuleReader {
  public:
    explicit RuleReader(std::string_view text) : text_(text) {}
    bool done() const { return pos_ == text_.size(); }
    bool take(char c) {
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    // A zone name: letters, or anything between < and >.
    bool name() {
        if (take('<')) {
            auto close = text_.find('>', pos_);
            if (close == std::string_view::npos) {
                return false;
            }
            pos_ = close + 1;
            return true;
        }
        std::size_t start = pos_;
        while (pos_ < text_.size() && std::isalpha(static_cast<unsigned char>(text_[pos_]))) {
            ++pos_;
        }
        return pos_ - start >= 3;
    }
    std::optional<int> number() {
        std::size_t start = pos_;
        int value = 0;
        while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_])) &&
               pos_ - start < 3) {
            value = value * 10 + (text_[pos_++] - '0');
        }
        return pos_ == start ? std::nullopt : std::optional<int>(value);
    }
    // [+-]hh[:mm[:ss]] in seconds.
    std::optional<int> time() {
        int sign = take('-') ? -1 : (take('+'), 1);
        auto hours = number();
        if (!hours) {
            return std::nullopt;
        }
        int seconds = *hours * 3600;
        if (take(':')) {
            auto minutes = number();
            if (!minutes) {
                return std::nullopt;
            }
            seconds += *minutes * 60;
            if (take(':')) {
                auto rest = number();
                if (!rest) {
                    return std::nullopt;
                }
                seconds += *rest;
            }
        }
        return sign * seconds;
    }
    // Mm.w.d[/time]
    std::optional<ZoneRule::Change> change() {
        ZoneRule::Change change;
        if (!take('M')) {
            return std::nullopt;
        }
        // Plain numbers, -1 for a missing one: GCC 12 warns falsely about optionals built from
        // conditional expressions in optimised builds.
        int month = number().value_or(-1);
        int week = take('.') ? number().value_or(-1) : -1;
        int weekday = take('.') ? number().value_or(-1) : -1;
        if (month < 1 || month > 12 || week < 1 || week > 5 || weekday < 0 || weekday > 6) {
            return std::nullopt;
        }
        change.month = month;
        change.week = week;
        change.weekday = weekday;
        if (take('/')) {
            auto at = time();
            if (!at) {
                return std::nullopt;
            }
            change.seconds = *at;
        }
        return change;
    }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// Local seconds (as if UTC) at which a rule's change happens in a year.
std::int64_t changeLocal(const ZoneRule::Change& change, int year) {
    using namespace std::chrono;
    const std::int64_t first = dayNumber(year, change.month, 1);
    const unsigned firstWeekday = weekday{sys_days{days{first}}}.c_encoding();
    std::int64_t day =
        first + (change.weekday - static_cast<int>(firstWeekday) + 7) % 7 + 7 * (change.week - 1);
    const int nextMonth = change.month == 12 ? 1 : change.month + 1;
    const std::int64_t monthEnd = dayNumber(change.month == 12 ? year + 1 : year, nextMonth, 1);
    while (day >= monthEnd) {
        day -= 7;
    }
    return day * 86400 + change.seconds;
}

int yearOf(std::int64_t seconds) {
    using namespace std::chrono;
    auto day = sys_days{days{seconds >= 0 ? seconds / 86400 : (seconds - 86399) / 86400}};
    return static_cast<int>(year_month_day{day}.year());
}

std::int64_t bigEndian(std::string_view bytes, std::size_t at, int size) {
    std::uint64_t value = 0;
    for (int i = 0; i < size; ++i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    }
    if (size == 4) {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    }
    return static_cast<std::int64_t>(value);
}

}  // namespace

std::int64_t civilSeconds(int year, int month, int day) {
    return dayNumber(year, month, day) * 86400;
}

std::optional<ZoneRule> ZoneRule::parse(std::string_view text) {
    RuleReader reader(text);
    ZoneRule rule;
    if (!reader.name()) {
        return std::nullopt;
    }
    auto standard = reader.time();
    if (!standard) {
        return std::nullopt;
    }
    rule.standardOffset = -*standard;  // POSIX counts west of UTC
    if (reader.done()) {
        return rule;
    }
    if (!reader.name()) {
        return std::nullopt;
    }
    rule.summerOffset = rule.standardOffset + 3600;
    if (!reader.take(',')) {
        auto summer = reader.time();
        if (!summer || !reader.take(',')) {
            return std::nullopt;
        }
        rule.summerOffset = -*summer;
    }
    auto start = reader.change();
    auto end = reader.take(',') ? reader.change() : std::nullopt;
    if (!start || !end || !reader.done()) {
        return std::nullopt;
    }
    rule.start = *start;
    rule.end = *end;
    return rule;
}

int ZoneRule::offsetAt(std::int64_t utc) const {
    if (!summerOffset) {
        return standardOffset;
    }
    const int year = yearOf(utc + standardOffset);
    const std::int64_t begins = changeLocal(start, year) - standardOffset;
    const std::int64_t ends = changeLocal(end, year) - *summerOffset;
    const bool summer = begins < ends ? (utc >= begins && utc < ends)    // northern hemisphere
                                      : !(utc >= ends && utc < begins);  // southern
    return summer ? *summerOffset : standardOffset;
}

std::optional<TimeZone> TimeZone::fromTzif(std::string_view bytes) {
    constexpr std::size_t kHeader = 44;
    auto counts = [&bytes](std::size_t at) {
        std::array<std::size_t, 6> c{};
        for (std::size_t i = 0; i < 6; ++i) {
            c[i] = static_cast<std::size_t>(bigEndian(bytes, at + 20 + 4 * i, 4));
        }
        return c;  // isutcnt, isstdcnt, leapcnt, timecnt, typecnt, charcnt
    };
    auto blockSize = [](const std::array<std::size_t, 6>& c, std::size_t timeSize) {
        return c[3] * timeSize + c[3] + c[4] * 6 + c[5] + c[2] * (timeSize + 4) + c[1] + c[0];
    };
    if (bytes.size() < kHeader || bytes.substr(0, 4) != "TZif") {
        return std::nullopt;
    }
    std::size_t at = 0;
    std::size_t timeSize = 4;
    auto c = counts(at);
    if (bytes[4] >= '2') {  // skip the 32-bit block for the 64-bit one
        at = kHeader + blockSize(c, 4);
        if (bytes.size() < at + kHeader || bytes.substr(at, 4) != "TZif") {
            return std::nullopt;
        }
        c = counts(at);
        timeSize = 8;
    }
    const std::size_t data = at + kHeader;
    if (c[4] == 0 || bytes.size() < data + blockSize(c, timeSize)) {
        return std::nullopt;
    }
    const std::size_t typeIndexes = data + c[3] * timeSize;
    const std::size_t types = typeIndexes + c[3];
    auto typeOffset = [&](std::size_t type) {
        return static_cast<int>(bigEndian(bytes, types + 6 * type, 4));
    };
    TimeZone zone;
    zone.fromDatabase_ = true;
    zone.initialOffset_ = typeOffset(0);
    for (std::size_t i = 0; i < c[3]; ++i) {
        auto type = static_cast<unsigned char>(bytes[typeIndexes + i]);
        if (type >= c[4]) {
            return std::nullopt;
        }
        zone.transitions_.push_back(
            {bigEndian(bytes, data + i * timeSize, static_cast<int>(timeSize)), typeOffset(type)});
    }
    if (timeSize == 8) {  // the footer: "\nRULE\n"
        std::size_t footer = data + blockSize(c, timeSize);
        if (footer < bytes.size() && bytes[footer] == '\n') {
            auto close = bytes.find('\n', footer + 1);
            if (close != std::string_view::npos && close > footer + 1) {
                zone.rule_ = ZoneRule::parse(bytes.substr(footer + 1, close - footer - 1));
            }
        }
    }
    return zone;
}

TimeZone TimeZone::fromRule(const ZoneRule& rule) {
    TimeZone zone;
    zone.rule_ = rule;
    zone.initialOffset_ = rule.standardOffset;
    return zone;
}

TimeZone TimeZone::italy(const std::filesystem::path& zoneinfoFolder) {
    if (auto bytes = readFileBytes(zoneinfoFolder / "Europe/Rome")) {
        if (auto zone = fromTzif(*bytes)) {
            return *zone;
        }
    }
    return fromRule(*ZoneRule::parse(kEuropeanRule));
}

TimeZone TimeZone::italy() {
    const char* folder = std::getenv("TZDIR");
    return italy(folder && *folder ? folder : "/usr/share/zoneinfo");
}

int TimeZone::offsetAt(std::int64_t utc) const {
    if (transitions_.empty() || utc >= transitions_.back().at) {
        if (rule_) {
            return rule_->offsetAt(utc);
        }
        return transitions_.empty() ? initialOffset_ : transitions_.back().offset;
    }
    auto next = std::upper_bound(transitions_.begin(), transitions_.end(), utc,
                                 [](std::int64_t t, const Transition& tr) { return t < tr.at; });
    return next == transitions_.begin() ? initialOffset_ : std::prev(next)->offset;
}

int TimeZone::offsetOfLocal(std::int64_t local) const {
    // Offsets change at most once within two days around the time.
    const int before = offsetAt(local - 86400);
    const int after = offsetAt(local + 86400);
    for (int offset : {before, after}) {
        if (offsetAt(local - offset) == offset) {
            return offset;  // "before" first: the first occurrence of a repeated time
        }
    }
    return before;
}

}  // namespace zelidor
