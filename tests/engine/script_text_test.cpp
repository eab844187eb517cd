// The script text as the engine reads it: keywords, script lines and files, the built-in
// scripts. (Operands, references, the web query and the common body run in the fixtures.)
#include <gtest/gtest.h>

#include "engine/builtin_script.h"
#include "engine/keywords.h"
#include "engine/script_failure.h"
#include "engine/script_file.h"
#include "engine/script_lines.h"
#include "support/temp_dir.h"

namespace zelidor {
namespace {

std::optional<Keyword> keywordOf(std::string_view line) {
    auto match = matchKeyword(line);
    return match ? std::optional<Keyword>(match->keyword) : std::nullopt;
}

TEST(Keywords, TheFirstKeywordOfTheListWinsWhereverItStands) {
    EXPECT_EQ(keywordOf("#FIND#=x#01# #FINDLINE#=y#02#"), Keyword::FindLine);
    EXPECT_EQ(keywordOf("#GOTO#=A #SAVEDATA#"), Keyword::SaveData);
    auto match = matchKeyword("    #find#=abc#01#");
    ASSERT_TRUE(match);
    EXPECT_EQ(match->keyword, Keyword::Find);
    EXPECT_EQ(match->position, 5u);
}

TEST(ScriptLines, EveryIndexIsCheckedAndLinesPast5000DoNotExist) {
    ScriptLines lines;
    std::vector<std::string> many(5003, "#PUT#=x#01#");
    many[4999] = ":LAST";
    lines.load(many);
    EXPECT_EQ(lines.text(5000), ":LAST");
    EXPECT_EQ(lines.text(0), "");
    EXPECT_THROW(lines.text(5001), ScriptFailure);
    EXPECT_THROW(lines.text(-1), ScriptFailure);
    EXPECT_THROW(lines.instruction(5001), ScriptFailure);
    EXPECT_EQ(lines.nextLineContaining(0, ":last"), 5000);
    EXPECT_EQ(lines.nextLineContaining(5000, ":LAST"), 0);
    lines.set(5001, "ignored");
    lines.clear();
    EXPECT_EQ(lines.text(5000), "");
}

TEST(ScriptFiles, LinesEndAtLfCrLfOrCrAndOnlyTheFirst5000AreRead) {
    EXPECT_EQ(splitScriptText("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(splitScriptText("a\n\nb\n"), (std::vector<std::string>{"a", "", "b"}));
    std::string big;
    for (int i = 1; i <= 5002; ++i) {
        big += "line " + std::to_string(i) + "\n";
    }
    test::TempDir dir;
    test::writeFile(dir / "Mine.zdr", big);
    auto lines = loadScriptFile(dir / "Mine.zdr");
    ASSERT_TRUE(lines);
    ASSERT_EQ(lines->size(), 5000u);
    EXPECT_EQ(lines->back(), "line 5000");
    EXPECT_FALSE(loadScriptFile(dir / "missing.zdr"));
}

// (That every channel's line one names its channel as the site expects, the end-to-end download
// of every channel shows.)
TEST(BuiltinScripts, LineOneNamesTheChannelOnTheListingsHostAndOnlyForAnExactName) {
    ScriptLines lines;
    EXPECT_TRUE(loadBuiltinScript(lines, "Canale 5.zdr", "www.guidatv.example"));
    EXPECT_EQ(lines.text(1),
              "#WEBQUERY#=http://www.guidatv.example/canali.phtml?giorno2=#DAY#%2F#MONTH#%2F"
              "#SHORTYEAR#&channel=Canale+5&x=6&y=11");
    lines.clear();
    EXPECT_FALSE(loadBuiltinScript(lines, "canale 5.zdr", "h"));
    EXPECT_EQ(lines.text(1), "");
    EXPECT_EQ(lines.text(3), "    #DOWNLOADINFO#");
}

}  // namespace
}  // namespace zelidor
