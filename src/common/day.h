// Calendar days as the program writes them: "yyyymmdd" texts, yyyymmdd numbers, dd/mm/yyyy.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelidor {

struct Day {
    int year = 2000;
    int month = 1;
    int day = 1;

    // Parses "yyyymmdd"; an invalid calendar date gives no value.
    static std::optional<Day> parse(std::string_view stamp);
    static Day fromNumber(std::int64_t yyyymmdd);
    static Day today();

    std::string stamp() const;      // "20021205"
    std::int64_t number() const;    // 20021205
    std::string slashed() const;    // "05/12/2002"
    Day plusDays(int count) const;  // calendar arithmetic across months and years

    friend bool operator==(const Day&, const Day&) = default;
};

// "05/12/2002" from a "yyyymmdd" text or number, by character positions, without validation.
std::string slashedDay(std::string_view stamp);

}  // namespace zelidor
