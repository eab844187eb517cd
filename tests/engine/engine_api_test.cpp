// The engine as its callers use it: the trace for script authors, the once-per-run update check,
// the day it is given, and local file faults in TempDir.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>

#include "support/engine_harness.h"

namespace zelidor::test {
namespace {

const std::string kList = "http://t/list";

std::vector<std::string> script(std::initializer_list<const char*> lines) {
    std::vector<std::string> out{"#WEBQUERY#=" + kList};
    out.insert(out.end(), lines.begin(), lines.end());
    return out;
}

TEST(Trace, EveryDispatchedLineIsReportedBeforeTheLinesItRunsWithTheVariablesItChanged) {
    EngineHarness h;
    h.pages.addPage(kList, "x\n");
    std::vector<std::string> steps;
    h.engine.setTraceHook([&](const TraceStep& step) {
        steps.push_back(std::to_string(step.line) + " " + step.text);
        for (const VariableChange& change : step.changes) {
            steps.back() += " [" + std::to_string(change.number) + "=" + change.value + "]";
        }
    });
    h.run(script({"#DOWNLOADINFO#", "#PUT#=1#09#", "    #IF# #09#==#09#", "#PUT#=a#01#",
                  "#PUT#=a#01#", "    #ENDIF#", ":LABEL", "#ENDDOWNLOADINFO#"}));
    // Writing the same text again is no change.
    EXPECT_EQ(steps, (std::vector<std::string>{"3 #PUT#=1#09# [9=1]", "4     #IF# #09#==#09#",
                                               "5 #PUT#=a#01# [1=a]", "6 #PUT#=a#01#"}));

    steps.clear();  // a failing line is reported too
    h.answers = {Answer::Retry};
    h.run(script({"#DOWNLOADINFO#", "#FIND#=x#01#", "#PUT#=y#02#", "#ENDDOWNLOADINFO#"}));
    EXPECT_EQ(steps, (std::vector<std::string>{"3 #FIND#=x#01#", "4 #PUT#=y#02# [2=y]"}));

    steps.clear();
    h.engine.setTraceHook({});
    h.run(script({"#DOWNLOADINFO#", "#PUT#=1#09#", "#ENDDOWNLOADINFO#"}));
    EXPECT_TRUE(steps.empty());
}

TEST(UpdateCheck, IsMadeOnceForTheLifeOfTheEngineAndOnlyWhenWanted) {
    const std::string release = "http://www.zelidor.example/zelidor/codes/release.txt";
    EngineHarness quiet;
    quiet.pages.addPage(kList, "x\n");
    quiet.run(script({}));
    EXPECT_EQ(quiet.count("fetch " + release), 0u);

    EngineHarness h;
    h.settings.checkUpdate = true;
    h.pages.addPage(kList, "x\n");
    h.pages.addPage(release, "1.2\n");
    h.run(script({}));
    h.run(script({}));
    EXPECT_EQ(h.count("fetch " + release), 1u);
    EXPECT_EQ(h.pages.requests().front(), release) << "before the first listing is fetched";
}

TEST(Days, ADayThatIsNotYyyymmddIsRefused) {
    EngineHarness h;
    for (const char* day : {"2002125", "20021332", "2002-1-5", ""}) {
        EXPECT_THROW(h.run(script({}), "Canale 5.zdr", day), std::invalid_argument) << day;
    }
    EXPECT_TRUE(h.pages.requests().empty());
}

TEST(Limits, ABlockOpenedOnTheLastLineHoldsNoLine) {
    EngineHarness h;
    h.pages.addPage(kList, "x\n");
    std::vector<std::string> lines = script({});
    lines.resize(4999);
    lines.push_back("#DOWNLOADINFO#");
    lines.push_back("#PUT#=never#01#");
    ChannelDayResult result = h.run(lines);
    EXPECT_TRUE(result.completed);
    EXPECT_EQ(h.engine.variables().get(1), "");
}

// Cheap lines over large texts could run for hours within the line budget; the text budget ends
// them. (Texts grown or compared over and over are cases of scripts/control.zdt.)
TEST(Limits, ReadingALargePageFromItsTopAgainAndAgainEndsByTheTextBudget) {
    EngineHarness h;
    h.pages.addPage(kList, std::string(4 << 20, 'x') + "\n");
    ChannelDayResult result = h.run(
        script({"#DOWNLOADINFO#", ":AGAIN", "#STARTREADWEB#",
                "#FINDLINE#=nowhere#01##ONERROR#=*OK*", "#GOTO#=AGAIN", "#ENDDOWNLOADINFO#"}));
    EXPECT_TRUE(result.lineBudgetExhausted);
    EXPECT_LT(result.linesDispatched, ScriptEngine::kLineBudget);
}

TEST(PageFiles, CancelReleasesAnOpenDetailPageBeforeTheNextChannelDay) {
    EngineHarness h;
    h.pages.addPage(kList, "L1\n");
    h.pages.addPage("http://t/detail", "D1\n");
    auto lines = script({"#DOWNLOADINFO#", "#PUT#=http://t/detail#10#", "#OPENNEWWEB#=#10#",
                         "#STARTREADWEB#", "#FIND#=D1#01#", "#ENDDOWNLOADINFO#"});
    h.answers = {Answer::Cancel};
    EXPECT_TRUE(h.run(lines).cancelled);

    lines[5] = "#READNEXTLINE#";
    ChannelDayResult second = h.run(lines);
    EXPECT_TRUE(second.completed);
    EXPECT_EQ(h.count("ask "), 0u) << h.lastEvent;
}

// Faults in TempDir; the page files that cannot be written are cases of the fixtures too.
TEST(TempDirFault, AListingThatCannotBeKeptIsReportedAndRunsNoBlock) {
    EngineHarness h;
    serveFormatExample(h.pages);
    ASSERT_EQ(h.runBuiltin().programmesStored, 3);
    h.rows.clear();
    h.events.clear();

    // html1.txt of the previous run is still there; it must not be scraped again.
    std::filesystem::remove(h.dir / "TempDir/html.txt");
    std::filesystem::create_directories(h.dir / "TempDir/html.txt/in-the-way");
    ChannelDayResult result = h.runBuiltin();
    EXPECT_TRUE(result.scriptValid);
    EXPECT_FALSE(result.listingFetched);
    EXPECT_TRUE(h.rows.empty());
    ASSERT_EQ(h.count("message ERROR : "), 1u) << h.lastEvent;
    EXPECT_EQ(h.count("status "), 0u);
}

TEST(TempDirFault, AReadOnlyTempDirEndsTheRunWithAReportNotACrash) {
    EngineHarness h;
    h.pages.addPage(kList, "x\n");
    shareWithOthers(h.dir.path());
    ::chmod((h.dir / "TempDir").c_str(), 0555);
    EXPECT_EXIT(
        {
            becomeUnprivileged();
            ChannelDayResult result = h.run(script({"#DOWNLOADINFO#", "#ENDDOWNLOADINFO#"}));
            bool reported = h.count("message ERROR : 13 ") == 1;
            std::exit(!result.listingFetched && reported ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

// The stand-in fetcher of these tests writes like the real one: over the old file, cut at its
// end; an address it does not know leaves the file empty.
TEST(MemoryFetcher, WritesOverTheOldFileAndLeavesItEmptyForAnUnknownAddress) {
    TempDir dir;
    MemoryFetcher fetcher;
    fetcher.addPage("http://a/", "new");
    writeFile(dir / "a", "a longer old text");
    EXPECT_TRUE(fetcher.downloadToFile("http://a/", dir / "a", nullptr));
    EXPECT_EQ(readFile(dir / "a"), "new");
    EXPECT_FALSE(fetcher.downloadToFile("http://b/", dir / "a", nullptr));
    EXPECT_EQ(readFile(dir / "a"), "");
    EXPECT_EQ(fetcher.requests(), (std::vector<std::string>{"http://a/", "http://b/"}));
}

}  // namespace
}  // namespace zelidor::test
