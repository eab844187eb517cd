#include <gtest/gtest.h>

#include <clocale>

#include "common/day.h"
#include "common/number.h"

namespace zelidor {
namespace {

TEST(LeadingNumber, ReadsTheNumberAtTheStartAndIgnoresTheRest) {
    EXPECT_EQ(leadingNumber("  +1"), 1.0);
    EXPECT_EQ(leadingNumber("-5"), -5.0);
    EXPECT_EQ(leadingNumber("03#"), 3.0);
    EXPECT_EQ(leadingNumber("1.21\r\nmore"), 1.21);
    EXPECT_EQ(leadingNumber("1,3"), 1.0);
    EXPECT_EQ(leadingNumber("1.2.3"), 1.2);
    EXPECT_EQ(leadingNumber("abc"), 0.0);
    EXPECT_EQ(leadingNumber(""), 0.0);
    EXPECT_EQ(leadingNumber("4 Sport"), 4.0);
    EXPECT_EQ(leadingNumber(".5"), 0.5);
    EXPECT_EQ(leadingNumber("-.5x"), -0.5);
}

TEST(LeadingNumber, ReadsAPointWhateverTheLocaleOfTheProcess) {
    const char* italian = std::setlocale(LC_NUMERIC, "it_IT.UTF-8");
    if (!italian) {
        italian = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    }
    EXPECT_EQ(leadingNumber("1.21"), 1.21);
    std::setlocale(LC_NUMERIC, "C");
}

TEST(WholeNumber, RequiresTheWholeTextToBeANumberAndRoundsHalvesToEven) {
    EXPECT_EQ(wholeNumber("15"), 15);
    EXPECT_EQ(wholeNumber(" 7 "), 7);
    EXPECT_EQ(wholeNumber("2.5"), 2);
    EXPECT_EQ(wholeNumber("3.5"), 4);
    EXPECT_EQ(wholeNumber("-2"), -2);
    EXPECT_FALSE(wholeNumber(""));
    EXPECT_FALSE(wholeNumber("12abc"));
    EXPECT_FALSE(wholeNumber("abc"));
    EXPECT_FALSE(wholeNumber("-"));
    EXPECT_FALSE(wholeNumber("99999999999999999999999"));
}

TEST(Day, CalendarArithmeticCrossesMonthAndYearEnds) {
    Day d = *Day::parse("20021228");
    EXPECT_EQ(d.plusDays(3).stamp(), "20021231");
    EXPECT_EQ(d.plusDays(4).stamp(), "20030101");
    EXPECT_EQ(Day::parse("20040228")->plusDays(1).stamp(), "20040229");
    EXPECT_EQ(d.number(), 20021228);
    EXPECT_EQ(Day::parse("20021205")->slashed(), "05/12/2002");
    EXPECT_FALSE(Day::parse("20020230"));
    EXPECT_FALSE(Day::parse("2002120"));
    EXPECT_FALSE(Day::parse("2002x205"));
    EXPECT_EQ(Day::fromNumber(20030105), (Day{2003, 1, 5}));
}

}  // namespace
}  // namespace zelidor
