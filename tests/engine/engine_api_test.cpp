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

// ---- Faults in TempDir: a folder where a page file belongs cannot be written. ----

class TempDirFault : public testing::Test {
  protected:
    void blockWith(const char* file) {
        std::filesystem::remove(h.dir / "TempDir" / file);
        std::filesystem::create_directories(h.dir / "TempDir" / file / "in-the-way");
    }
    EngineHarness h;
};

TEST_F(TempDirFault, AListingThatCannotBeKeptIsReportedAndRunsNoBlock) {
    serveFormatExample(h.pages);
    ASSERT_EQ(h.runBuiltin().programmesStored, 3);
    h.rows.clear();
    h.events.clear();

    // html1.txt of the previous run is still there; it must not be scraped again.
    blockWith("html.txt");
    ChannelDayResult result = h.runBuiltin();
    EXPECT_TRUE(result.scriptValid);
    EXPECT_FALSE(result.listingFetched);
    EXPECT_TRUE(h.rows.empty());
    ASSERT_EQ(h.count("message ERROR : "), 1u) << h.lastEvent;
    EXPECT_EQ(h.count("status "), 0u);
}

TEST_F(TempDirFault, ALineFileThatCannotBeWrittenIsReportedAndRunsNoBlock) {
    blockWith("html1.txt");
    h.pages.addPage(kList, "x\n");
    ChannelDayResult result =
        h.run(script({"#DOWNLOADINFO#", "#PUT#=ran#01#", "#ENDDOWNLOADINFO#"}));
    EXPECT_FALSE(result.listingFetched);
    EXPECT_EQ(h.engine.variables().get(1), "");
    EXPECT_EQ(h.count("message ERROR : 21 "), 1u) << h.lastEvent;
}

TEST_F(TempDirFault, ADetailPageThatCannotBeKeptShowsTheOpenWebBox) {
    blockWith("FileWeb.txt");
    h.pages.addPage(kList, "L1\n");
    h.pages.addPage("http://t/detail", "D1\n");
    h.answers = {Answer::Retry};
    ChannelDayResult result = h.run(script({"#DOWNLOADINFO#", "#PUT#=http://t/detail#10#",
                                            "#OPENNEWWEB#=#10#", "#READNEXTLINE#", "#PUT#=0#01#",
                                            "#TAKEWORD#=#02#,#01#,#01#", "#ENDDOWNLOADINFO#"}));
    EXPECT_TRUE(result.completed);
    EXPECT_EQ(h.count("ask Error on Script Expression : #OPENNEWWEB# , The Poster Image isn't "
                      "valid!Line : 4"),
              1u);
    EXPECT_EQ(h.engine.variables().get(2), "L1") << "the listing stays the page being read";
}

TEST_F(TempDirFault, APosterThatCannotBeKeptIsSkippedSilently) {
    blockWith("buffercover.jpg");
    h.pages.addPage(kList, "x\n");
    h.pages.addPage("http://t/p.jpg", jpegPicture());
    ChannelDayResult result = h.run(
        script({"#DOWNLOADINFO#", "#PUT#=C#01#", "#TAKECODE#=#01#", "#PUT#=http://t/p.jpg#02#",
                "#TAKEPOSTER#=#02#", "#SAVEDATA#", "#ENDDOWNLOADINFO#"}));
    EXPECT_TRUE(result.completed);
    ASSERT_EQ(h.rows.size(), 1u);
    EXPECT_EQ(h.rows[0].cover, std::nullopt);
    EXPECT_EQ(h.count("ask "), 0u);
}

TEST_F(TempDirFault, AReadOnlyTempDirEndsTheRunWithAReportNotACrash) {
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

TEST(MemoryFetcher, ServesKnownAddressesInChunksAndLeavesUnknownOnesEmpty) {
    TempDir dir;
    MemoryFetcher fetcher;
    fetcher.addPage("http://a/", std::string(10000, 'a'));
    std::vector<std::size_t> chunks;
    auto count = [&](std::size_t n) { chunks.push_back(n); };
    EXPECT_TRUE(fetcher.downloadToFile("http://a/", dir / "a", count));
    EXPECT_EQ(readFile(dir / "a"), std::string(10000, 'a'));
    EXPECT_EQ(chunks, (std::vector<std::size_t>{4096, 4096, 1808}));

    writeFile(dir / "b", "stale");
    EXPECT_FALSE(fetcher.downloadToFile("http://b/", dir / "b", count));
    EXPECT_EQ(readFile(dir / "b"), "");
    fetcher.addPage("http://short/", "new");  // written over a longer file: nothing of it stays
    EXPECT_TRUE(fetcher.downloadToFile("http://short/", dir / "a", count));
    EXPECT_EQ(readFile(dir / "a"), "new");
    EXPECT_EQ(fetcher.downloadToText("http://a/"), std::string(10000, 'a'));
    EXPECT_EQ(fetcher.downloadToText("http://b/"), std::nullopt);
    EXPECT_EQ(fetcher.requests(),
              (std::vector<std::string>{"http://a/", "http://b/", "http://short/", "http://a/",
                                        "http://b/"}));
    EXPECT_THROW(fetcher.downloadToFile("http://a/", dir / "no" / "such", count),
                 std::runtime_error);
}

}  // namespace
}  // namespace zelidor::test
