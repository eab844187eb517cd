// Text helpers over single-byte Latin-1 (Windows-1252) strings, the encoding of pages, scripts,
// templates and everything the core passes around. Columns are 1-based byte positions.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zelidor {

// Converts Windows-1252 bytes to UTF-8. Every byte maps to one code point (the five bytes that
// Windows-1252 leaves undefined map to U+0081 etc.), so the round trip is lossless.
std::string latin1ToUtf8(std::string_view latin1);

// Converts UTF-8 to Windows-1252 bytes. Characters outside the code page become '?'; invalid
// UTF-8 sequences are taken byte by byte so no input is ever dropped.
std::string utf8ToLatin1(std::string_view utf8);

// Lower-case of one Latin-1 byte, folding the accented letters too (À -> à).
char foldLatin1(char c);
std::string foldLatin1(std::string_view text);

// 1-based column of the first occurrence of needle in haystack at or after column start,
// compared without regard to letter case; 0 when absent. An empty needle is found at start
// (as long as start lies within the text plus one).
std::size_t findNoCase(std::string_view haystack, std::string_view needle, std::size_t start = 1);

// The same, compared exactly.
std::size_t findExact(std::string_view haystack, std::string_view needle, std::size_t start = 1);

inline bool containsNoCase(std::string_view haystack, std::string_view needle) {
    return findNoCase(haystack, needle) != 0;
}

// Removes leading and trailing blanks (spaces only, not tabs or line ends).
std::string trimBlanks(std::string_view text);

// Replaces every non-overlapping occurrence of from, left to right, by to. An empty from
// changes nothing.
std::string replaceAll(std::string_view text, std::string_view from, std::string_view to);

// Characters [start, start + count) of text with 1-based start; parts past the end are cut.
std::string midText(std::string_view text, std::size_t start,
                    std::size_t count = std::string::npos);

}  // namespace zelidor
