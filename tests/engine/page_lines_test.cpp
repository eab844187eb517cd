#include "engine/page_lines.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/temp_dir.h"

namespace zelidor {
namespace {

std::vector<std::string> readerLines(const std::string& raw) {
    test::TempDir dir;
    test::writeFile(dir / "html.txt", raw);
    splitPageLines(dir / "html.txt", dir / "html1.txt");
    PageLineReader reader(dir / "html1.txt");
    std::vector<std::string> lines;
    while (!reader.atEnd()) {
        lines.push_back(reader.readLine());
    }
    return lines;
}

TEST(PageLines, TwoLinesOfTwoBlanksAreAppendedAndCrLfGivesAnEmptyLineAfterEveryLine) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(readerLines("A\nB\n"), (Lines{"A", "B", "  ", "", "  ", ""}));
    EXPECT_EQ(readerLines("A\r\nB\r\n"), (Lines{"A", "", "B", "", "  ", "", "  ", ""}));
    EXPECT_EQ(readerLines(""), (Lines{"  ", "", "  ", ""}));
    EXPECT_EQ(readerLines("A\nB"), (Lines{"A", "B  ", "", "  ", ""}));  // no last line end
}

TEST(PageLines, LinesLongerThanTheCopyBufferStayWhole) {
    std::string longLine(200000, 'x');
    auto lines = readerLines(longLine + "\nend\n");
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], longLine);
    EXPECT_EQ(lines[1], "end");
}

TEST(PageLines, AMissingFileIsAnError) {
    test::TempDir dir;
    EXPECT_THROW(PageLineReader(dir / "none.txt"), std::runtime_error);
    EXPECT_THROW(splitPageLines(dir / "nodir" / "a", dir / "nodir" / "b"), std::runtime_error);
}

}  // namespace
}  // namespace zelidor
