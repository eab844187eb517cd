// The numeric readings of texts used throughout the program.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelidor {

// Leading-number parse: skip leading blanks, read an optional sign, digits and at most one
// decimal point from the start, stop at the first other character; no number gives 0.
double leadingNumber(std::string_view text);

// Nearest integer, a half going to the even neighbour ("banker's rounding").
std::int64_t roundHalfEven(double value);

// Whole-number reading of a text that must be a number as a whole: blanks around it are allowed,
// then an optional sign, digits and an optional decimal part, rounded half to even. Anything else
// (an empty text, letters, "12abc") gives no value: callers treat that as a script failure.
std::optional<std::int64_t> wholeNumber(std::string_view text);

// Decimal text of a whole number, as variables hold numbers ("0", "15", "-2").
std::string numberText(std::int64_t value);

}  // namespace zelidor
