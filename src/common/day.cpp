#include "common/day.h"

#include <chrono>
#include <cstdio>

namespace zelidor {

namespace {

std::chrono::year_month_day toYmd(const Day& d) {
    return std::chrono::year{d.year} / std::chrono::month{static_cast<unsigned>(d.month)} /
           std::chrono::day{static_cast<unsigned>(d.day)};
}

Day fromYmd(std::chrono::year_month_day ymd) {
    return Day{static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
               static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

}  // namespace

std::optional<Day> Day::parse(std::string_view stamp) {
    if (stamp.size() != 8) {
        return std::nullopt;
    }
    for (char c : stamp) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
    }
    auto number = [&](std::size_t pos, std::size_t len) {
        int v = 0;
        for (std::size_t i = pos; i < pos + len; ++i) {
            v = v * 10 + (stamp[i] - '0');
        }
        return v;
    };
    Day d{number(0, 4), number(4, 2), number(6, 2)};
    if (d.month < 1 || d.month > 12 || d.day < 1 || !toYmd(d).ok()) {
        return std::nullopt;
    }
    return d;
}

Day Day::fromNumber(std::int64_t yyyymmdd) {
    return Day{static_cast<int>(yyyymmdd / 10000), static_cast<int>(yyyymmdd / 100 % 100),
               static_cast<int>(yyyymmdd % 100)};
}

Day Day::today() {
    auto now = std::chrono::system_clock::now();
    std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    return Day{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

std::string Day::stamp() const {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d", year, month, day);
    return buf;
}

std::int64_t Day::number() const {
    return static_cast<std::int64_t>(year) * 10000 + month * 100 + day;
}

std::string Day::slashed() const {
    return slashedDay(stamp());
}

Day Day::plusDays(int count) const {
    auto days = std::chrono::sys_days{toYmd(*this)} + std::chrono::days{count};
    return fromYmd(std::chrono::year_month_day{days});
}

std::string slashedDay(std::string_view stamp) {
    if (stamp.size() < 8) {
        return std::string(stamp);
    }
    std::string out;
    out.append(stamp.substr(6, 2)).append("/").append(stamp.substr(4, 2)).append("/");
    out.append(stamp.substr(0, 4));
    return out;
}

}  // namespace zelidor
