#include "common/text.h"

#include <gtest/gtest.h>

#include <random>

namespace zelidor {
namespace {

TEST(Latin1, EveryByteSurvivesTheRoundTripThroughUtf8) {
    std::string all;
    for (int b = 1; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    std::string utf8 = latin1ToUtf8(all);
    EXPECT_EQ(utf8ToLatin1(utf8), all);
    EXPECT_EQ(latin1ToUtf8("\xE8"), "\xC3\xA8");      // è
    EXPECT_EQ(latin1ToUtf8("\x80"), "\xE2\x82\xAC");  // € of Windows-1252
}

TEST(Latin1, CharactersOutsideTheCodePageAndBrokenUtf8StayVisible) {
    EXPECT_EQ(utf8ToLatin1("a\xE4\xB8\xAD"
                           "b"),
              "a?b");                           // a CJK character
    EXPECT_EQ(utf8ToLatin1("x\xC3"), "x\xC3");  // sequence cut short
    EXPECT_EQ(utf8ToLatin1("\xA8z"), "\xA8z");  // stray continuation byte
}

TEST(FindNoCase, FoldsAccentedLettersAndCountsColumnsFromOne) {
    EXPECT_EQ(findNoCase("xxABCxx", "abc", 1), 3u);
    EXPECT_EQ(findNoCase("xxABCxx", "abc", 3), 3u);
    EXPECT_EQ(findNoCase("xxABCxx", "abc", 4), 0u);
    EXPECT_EQ(findNoCase("Perch\xC9 no", "perch\xE9"), 1u);
    EXPECT_EQ(findNoCase("</TABLE>", "</table>"), 1u);
    EXPECT_EQ(findNoCase("abc", "abcd"), 0u);
    EXPECT_EQ(findNoCase("abc", "c", 9), 0u);
    EXPECT_EQ(foldLatin1('\xD7'), '\xD7');  // the multiplication sign has no lower case
}

// Every answer, for texts made of bytes with and without capitals, equals that of a plain
// byte-by-byte comparison of the folded texts.
TEST(FindNoCase, AgreesWithAPlainComparisonOfFoldedTexts) {
    const std::string alphabet = "#a#A\xC9\xE9\xF7\xD7<x";
    std::mt19937 random(7);
    auto text = [&](std::size_t length) {
        std::string out;
        for (std::size_t i = 0; i < length; ++i) {
            out += alphabet[random() % alphabet.size()];
        }
        return out;
    };
    for (int round = 0; round < 20000; ++round) {
        std::string haystack = text(random() % 12);
        std::string needle = text(random() % 4);
        std::size_t start = random() % (haystack.size() + 3);
        std::size_t expected = 0;
        std::string foldedHaystack = foldLatin1(haystack);
        std::size_t from = start == 0 ? 0 : start - 1;
        if (from <= haystack.size()) {
            std::size_t at = foldedHaystack.find(foldLatin1(needle), from);
            expected = at == std::string::npos ? 0 : at + 1;
        }
        ASSERT_EQ(findNoCase(haystack, needle, start), expected)
            << testing::PrintToString(haystack) << " " << testing::PrintToString(needle) << " "
            << start;
    }
}

TEST(TextHelpers, TrimReplaceAndMid) {
    EXPECT_EQ(trimBlanks("  Film  "), "Film");
    EXPECT_EQ(trimBlanks("\tFilm "), "\tFilm");
    EXPECT_EQ(trimBlanks("   "), "");
    EXPECT_EQ(replaceAll("a<br>b<br>", "<br>", " | "), "a | b | ");
    EXPECT_EQ(replaceAll("aaa", "aa", "b"), "ba");
    EXPECT_EQ(replaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(midText("<b>Film</b>", 4, 4), "Film");
    EXPECT_EQ(midText("abc", 3, 10), "c");
    EXPECT_EQ(midText("abc", 4, 1), "");
}

}  // namespace
}  // namespace zelidor
