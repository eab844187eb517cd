#include "common/number.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace zelidor {

namespace {

// Length of the numeric prefix of text from pos (sign, digits, one decimal point).
std::size_t numericPrefix(std::string_view text, std::size_t pos, bool& hasDigits) {
    std::size_t end = pos;
    if (end < text.size() && (text[end] == '+' || text[end] == '-')) {
        ++end;
    }
    bool seenPoint = false;
    hasDigits = false;
    while (end < text.size()) {
        char c = text[end];
        if (c >= '0' && c <= '9') {
            hasDigits = true;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
        ++end;
    }
    return end - pos;
}

// Always a point as decimal separator, whatever the locale of the process (a window toolkit
// sets it from the environment, and strtod would then read "1.21" as 1 in an Italian locale).
double parsePrefix(std::string_view text, std::size_t pos, std::size_t length) {
    std::string_view digits = text.substr(pos, length);
    if (!digits.empty() && digits.front() == '+') {
        digits.remove_prefix(1);  // from_chars takes a minus sign only
    }
    double value = 0.0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return value;
}

}  // namespace

double leadingNumber(std::string_view text) {
    std::size_t pos = text.find_first_not_of(' ');
    if (pos == std::string_view::npos) {
        return 0.0;
    }
    bool hasDigits = false;
    std::size_t length = numericPrefix(text, pos, hasDigits);
    return hasDigits ? parsePrefix(text, pos, length) : 0.0;
}

std::int64_t roundHalfEven(double value) {
    if (!std::isfinite(value)) {
        return 0;
    }
    // Clamp far outside any range the program uses, so the conversion stays defined.
    if (value > 9.0e18) {
        value = 9.0e18;
    } else if (value < -9.0e18) {
        value = -9.0e18;
    }
    return static_cast<std::int64_t>(std::nearbyint(value));
}

std::optional<std::int64_t> wholeNumber(std::string_view text) {
    std::size_t pos = text.find_first_not_of(' ');
    if (pos == std::string_view::npos) {
        return std::nullopt;
    }
    bool hasDigits = false;
    std::size_t length = numericPrefix(text, pos, hasDigits);
    if (!hasDigits || text.find_first_not_of(' ', pos + length) != std::string_view::npos) {
        return std::nullopt;
    }
    double value = parsePrefix(text, pos, length);
    if (std::fabs(value) > 9.0e18) {
        return std::nullopt;
    }
    return roundHalfEven(value);
}

std::string numberText(std::int64_t value) {
    return std::to_string(value);
}

}  // namespace zelidor
