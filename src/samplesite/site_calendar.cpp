#include "samplesite/site_calendar.h"

#include <array>
#include <chrono>
#include <cstdio>

namespace zelidor::samplesite {

namespace {

std::chrono::year_month_day calendarDay(const Day& day) {
    return std::chrono::year{day.year} / std::chrono::month{static_cast<unsigned>(day.month)} /
           std::chrono::day{static_cast<unsigned>(day.day)};
}

int twoDigits(std::string_view text, std::size_t at) {
    char high = text[at];
    char low = text[at + 1];
    if (high < '0' || high > '9' || low < '0' || low > '9') {
        return -1;
    }
    return (high - '0') * 10 + (low - '0');
}

constexpr std::array<const char*, 7> kWeekdays = {
    "domenica",       "luned&igrave;",  "marted&igrave;", "mercoled&igrave;",
    "gioved&igrave;", "venerd&igrave;", "sabato"};

constexpr std::array<const char*, 12> kMonths = {"gennaio",   "febbraio", "marzo",    "aprile",
                                                 "maggio",    "giugno",   "luglio",   "agosto",
                                                 "settembre", "ottobre",  "novembre", "dicembre"};

}  // namespace

Day siteDay(const Day& day) {
    int shortYear = ((day.year % 100) + 100) % 100;
    int year = kFirstSiteYear - kFirstSiteYear % 100 + shortYear;
    if (year < kFirstSiteYear) {
        year += 100;
    }
    return Day{year, day.month, day.day};
}

int daySerial(const Day& day) {
    return static_cast<int>(std::chrono::sys_days{calendarDay(day)}.time_since_epoch().count());
}

Day dayFromSerial(int serial) {
    std::chrono::year_month_day ymd{std::chrono::sys_days{std::chrono::days{serial}}};
    return Day{static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
               static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

std::optional<Day> parseShortDay(std::string_view text) {
    if (text.size() != 8 || text[2] != '/' || text[5] != '/') {
        return std::nullopt;
    }
    int d = twoDigits(text, 0);
    int m = twoDigits(text, 3);
    int y = twoDigits(text, 6);
    if (d < 1 || m < 1 || m > 12 || y < 0) {
        return std::nullopt;
    }
    Day day = siteDay(Day{y, m, d});
    if (!calendarDay(day).ok()) {
        return std::nullopt;
    }
    return day;
}

std::string shortDay(const Day& day) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d/%02d/%02d", day.day, day.month,
                  ((day.year % 100) + 100) % 100);
    return text;
}

std::string italianLongDate(const Day& day) {
    std::chrono::weekday weekday{std::chrono::sys_days{calendarDay(day)}};
    return std::string(kWeekdays[weekday.c_encoding()]) + " " + std::to_string(day.day) + " " +
           kMonths[static_cast<std::size_t>(day.month - 1)] + " " + std::to_string(day.year);
}

}  // namespace zelidor::samplesite
