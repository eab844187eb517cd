// Days as the sample site sees them. Its listing addresses carry only a two-digit year
// ("giorno2=05%2F12%2F02"), so the site reads every year within one hundred-year window; a day
// outside it is served as the day with the same two-digit year inside it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/day.h"

namespace zelidor::samplesite {

inline constexpr int kFirstSiteYear = 1970;  // the window is 1970 .. 2069

// The day inside the window with the same two-digit year, month and day.
Day siteDay(const Day& day);

// Days from 1 January 1970; the window's days give 0 .. 36524.
int daySerial(const Day& day);
Day dayFromSerial(int serial);

// "05/12/02" (two digits each, as the listing address carries it, decoded) to the site's day;
// no value for any other shape or an impossible date (31/02/03).
std::optional<Day> parseShortDay(std::string_view text);

// "05/12/02"
std::string shortDay(const Day& day);

// "gioved&igrave; 5 dicembre 2002", as the listing page's heading writes it.
std::string italianLongDate(const Day& day);

}  // namespace zelidor::samplesite
