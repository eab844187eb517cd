#include "engine/script_header.h"

#include <gtest/gtest.h>

#include <sstream>

namespace zelidor {
namespace {

ScriptHeader read(const std::string& text) {
    std::istringstream in(text);
    return readScriptHeader(in);
}

TEST(ScriptHeader, ReadsTheFourKeysCaseInsensitivelyAnywhereInAField) {
    auto h =
        read("#antenna#=3\r\nxx #DATEBUILD#=05/12/2002\r\n#MADEBY#=Staff\n#WEBSITE#=www.x.it\n");
    EXPECT_EQ(h.antenna, "3");
    EXPECT_EQ(h.dateBuild, "05/12/2002");
    EXPECT_EQ(h.madeBy, "Staff");
    EXPECT_EQ(h.webSite, "www.x.it");
}

TEST(ScriptHeader, TheLastOccurrenceWinsAndAnUnquotedCommaCutsTheValue) {
    auto h = read("#MADEBY#=First\n#MADEBY#=Rossi, Bianchi\n");
    EXPECT_EQ(h.madeBy, "Rossi");
    auto q = read("\"#MADEBY#=Rossi, Bianchi\"\n");
    EXPECT_EQ(q.madeBy, "Rossi, Bianchi");
}

TEST(ScriptHeader, AMissingKeyHasNoValue) {
    auto h = read("#ANTENNA#=1\n");
    EXPECT_EQ(h.antenna, "1");
    EXPECT_FALSE(h.madeBy);
    EXPECT_EQ(read("#MADEBY#=\n").madeBy, "");
}

TEST(ScriptHeader, OnlyTheFirst4900FieldsAreExamined) {
    std::string text;
    for (int i = 0; i < 4900; ++i) {
        text += "x,";
    }
    EXPECT_FALSE(read(text + "#ANTENNA#=2\n").antenna);
    EXPECT_EQ(read(text.substr(2) + "#ANTENNA#=2\n").antenna, "2");
}

}  // namespace
}  // namespace zelidor
