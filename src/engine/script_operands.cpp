#include "engine/script_operands.h"

#include <charconv>
#include <cmath>

#include "common/number.h"
#include "common/text.h"
#include "engine/script_failure.h"

namespace zelidor {

namespace {

constexpr int kHighestVariable = 50;

}  // namespace

std::string_view operandAt(std::string_view line, std::size_t keywordPos, std::size_t offset) {
    std::size_t start = keywordPos + offset;  // 1-based column
    if (start == 0 || start > line.size()) {
        return {};
    }
    return line.substr(start - 1);
}

std::optional<VariableReference> readReference(std::string_view text, std::size_t from) {
    std::size_t open = findExact(text, "#", from);
    if (open == 0) {
        return std::nullopt;
    }
    std::size_t close = findExact(text, "#", open + 1);
    if (close == 0) {
        return std::nullopt;
    }
    std::string digits = midText(text, open + 1, 2);
    std::optional<std::int64_t> number = wholeNumber(digits);
    if (!number) {
        throw ScriptFailure("\"" + digits + "\" is not a variable number");
    }
    if (*number < 0 || *number > kHighestVariable) {
        throw ScriptFailure("there is no variable " + digits);
    }
    return VariableReference{static_cast<int>(*number), close};
}

std::string_view textBeforeFirstHash(std::string_view operand) {
    return operand.substr(0, operand.find('#'));
}

std::string_view onErrorMode(std::string_view line) {
    std::size_t marker = findNoCase(line, kOnErrorMarker);
    if (marker == 0) {
        return {};
    }
    return line.substr(marker - 1 + kOnErrorMarker.size());
}

std::string decimalText(double value) {
    if (std::isfinite(value) && value == std::nearbyint(value) && std::fabs(value) < 9.0e18) {
        return numberText(static_cast<std::int64_t>(value));
    }
    char buffer[64];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (error != std::errc()) {
        return "0";
    }
    return std::string(buffer, end);
}

std::string substituteDayPlaceholders(std::string_view text, std::string_view dayStamp) {
    std::string out = replaceAll(text, "#DAY#", midText(dayStamp, 7, 2));
    out = replaceAll(out, "#MONTH#", midText(dayStamp, 5, 2));
    out = replaceAll(out, "#SHORTYEAR#", midText(dayStamp, 3, 2));
    return replaceAll(out, "#LONGYEAR#", midText(dayStamp, 1, 4));
}

std::optional<std::string> webQueryAddress(std::string_view line, std::string_view dayStamp) {
    std::size_t http = findNoCase(line, "http:");
    if (http == 0) {
        return std::nullopt;
    }
    return substituteDayPlaceholders(line.substr(http - 1), dayStamp);
}

}  // namespace zelidor
