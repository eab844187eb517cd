// Reading the parts of an instruction line: the operand after the keyword, variable references
// (#nn#), the error suffix, and the web query line with its day placeholders.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zelidor {

// The operand of an instruction: the line from column keywordPos + offset to its end,
// untrimmed. Each instruction has its own offset, so the character after the keyword is skipped
// whatever it is. Empty when the line is shorter.
std::string_view operandAt(std::string_view line, std::size_t keywordPos, std::size_t offset);

// A complete variable reference inside a text: "#", the two characters after it read as the
// variable number, and the next "#" after the first one, which closes it.
struct VariableReference {
    int number;         // 0 to 50
    std::size_t close;  // 1-based column of the closing "#" within the text searched
};

// Reads the first reference at or after column from (1-based). No value when the reference is
// not complete (no "#", or no second "#" after it). Two characters that do not make a whole
// number, or a number outside 0..50, are a run-time failure of the script (ScriptFailure).
std::optional<VariableReference> readReference(std::string_view text, std::size_t from = 1);

// The text of an operand before its first "#": the word of #FIND#=, #FINDLINE#= and #PUT#=.
std::string_view textBeforeFirstHash(std::string_view operand);

// "#ONERROR#=" as it is searched in a line (like keywords, without regard to letter case).
inline constexpr std::string_view kOnErrorMarker = "#ONERROR#=";

// The error mode of a line: the text after its first "#ONERROR#=" to the end of the line,
// compared by callers exactly (case and trailing blanks count). Empty without a suffix.
std::string_view onErrorMode(std::string_view line);

// The cursor and column numbers that instructions keep as text, written back as text: whole
// values as plain digits ("15", "-2"), others with their decimals ("2.5").
std::string decimalText(double value);

// The address of a web query line: from its first "http:" (any case) to the end, with
// "#DAY#", "#MONTH#", "#SHORTYEAR#" and "#LONGYEAR#" (exactly so written) replaced by parts of
// dayStamp ("yyyymmdd"). No value when the line holds no "http:".
std::optional<std::string> webQueryAddress(std::string_view line, std::string_view dayStamp);

// Only the placeholder replacement of webQueryAddress().
std::string substituteDayPlaceholders(std::string_view text, std::string_view dayStamp);

}  // namespace zelidor
