// Italian local time as the listings write it, turned into instants with their UTC offset for
// the XMLTV export. The zone comes from the system's tz database (a TZif file such as
// /usr/share/zoneinfo/Europe/Rome); without it, the European summer-time rule in force since
// 1996 stands in (CET, CEST from the last Sunday of March 02:00 to the last Sunday of October
// 03:00), which is right for every day since then.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelidor {

// The rule of a POSIX TZ text with its month.week.day dates ("CET-1CEST,M3.5.0,M10.5.0/3").
struct ZoneRule {
    struct Change {
        int month = 1;       // 1 .. 12
        int week = 1;        // 1 .. 5, 5 = the last
        int weekday = 0;     // 0 = Sunday
        int seconds = 7200;  // local time of day of the change (may be negative or past 24 h)
    };
    int standardOffset = 0;  // seconds east of UTC
    std::optional<int> summerOffset;
    Change start, end;

    // No value for a text this reader does not understand (Julian-day dates, bad syntax).
    static std::optional<ZoneRule> parse(std::string_view text);
    int offsetAt(std::int64_t utc) const;
};

class TimeZone {
  public:
    // The zone of the Italian listings: TZDIR's or /usr/share/zoneinfo's Europe/Rome, or the
    // built-in European rule when that file is missing or unreadable.
    static TimeZone italy();
    static TimeZone italy(const std::filesystem::path& zoneinfoFolder);
    // A TZif file's zone (version 1 to 4); no value for bytes that are not one.
    static std::optional<TimeZone> fromTzif(std::string_view bytes);
    static TimeZone fromRule(const ZoneRule& rule);

    // True when the zone was read from the tz database, false for the built-in rule.
    bool fromDatabase() const { return fromDatabase_; }

    // Offset east of UTC, in seconds, in force at an instant (seconds since 1970 UTC).
    int offsetAt(std::int64_t utc) const;

    // Offset of a local wall time, given as seconds since 1970 as if it were UTC. A time that
    // occurs twice (the hour that is repeated when summer time ends) is taken at its first
    // occurrence; a time that never occurs (the hour skipped when it begins) takes the offset
    // in force before the change.
    int offsetOfLocal(std::int64_t local) const;

  private:
    struct Transition {
        std::int64_t at;
        int offset;
    };
    std::vector<Transition> transitions_;  // ascending
    int initialOffset_ = 0;                // before the first transition
    std::optional<ZoneRule> rule_;         // after the last transition
    bool fromDatabase_ = false;
};

// Seconds since 1970 of a calendar day's midnight, as if it were UTC.
std::int64_t civilSeconds(int year, int month, int day);

}  // namespace zelidor
