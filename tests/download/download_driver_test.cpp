#include "download/download_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>

#include "support/temp_dir.h"

namespace zelidor {
namespace {

// Stands in for the engine: stores the programmes a test scripted for each channel-day through
// the same connection the driver uses, and can fail or press Stop on request.
class ScriptedRunner : public ChannelDayRunner {
  public:
    explicit ScriptedRunner(ProgrammeStore& store) : store_(store) {}

    void startSession() override { ++sessions; }

    ChannelDayOutcome runChannelDay(const std::string& scriptName,
                                    const std::string& dayStamp) override {
        calls.push_back(scriptName + "@" + dayStamp);
        if (onRun) {
            onRun(scriptName, dayStamp);
        }
        auto it = outcomes.find(scriptName + "@" + dayStamp);
        ChannelDayOutcome outcome = it != outcomes.end() ? it->second : defaultOutcome;
        std::string channel = scriptName.substr(0, scriptName.size() - 4);
        for (std::int64_t n = 1; n <= outcome.saved; ++n) {
            store_.insert(
                {std::stoll(dayStamp), {}, "new " + std::to_string(n), {}, {}, {}, channel, n, {}});
        }
        return outcome;
    }

    ChannelDayOutcome defaultOutcome{true, true, false, 3};
    std::map<std::string, ChannelDayOutcome> outcomes;
    std::function<void(const std::string&, const std::string&)> onRun;
    std::vector<std::string> calls;
    int sessions = 0;

  private:
    ProgrammeStore& store_;
};

class RecordingDisplay : public DownloadDisplay {
  public:
    void runStarted(int channels, int days) override {
        events.push_back("start " + std::to_string(channels) + " " + std::to_string(days));
    }
    void channelProgress(int v) override { events.push_back("channel " + std::to_string(v)); }
    void dayProgress(int v) override { events.push_back("day " + std::to_string(v)); }
    void showRunStatus(const std::string& text, StatusColour) override {
        events.push_back("status " + text);
    }
    void showCalendarDay(const Day& day) override { events.push_back("calendar " + day.stamp()); }
    void resetLiveView() override { events.push_back("reset"); }
    void appendLog(const std::string& line) override { log.push_back(line); }
    void runFinished() override { events.push_back("finished"); }

    std::vector<std::string> events;
    std::vector<std::string> log;
};

class RecordingPower : public PowerControl {
  public:
    void request(ShutdownMode mode) override { requests.push_back(mode); }
    std::vector<ShutdownMode> requests;
};

class DownloadDriverTest : public testing::Test {
  protected:
    DownloadSummary run(DownloadPlan plan) {
        DownloadDriver driver(store, runner, display, power, dir / "covers");
        return driver.run(plan, stop);
    }
    void storeOld(const std::string& channel, std::int64_t day, int count) {
        for (int n = 1; n <= count; ++n) {
            store.insert(ProgrammeRow{day, "06:00", "old", {}, {}, {}, channel, n, {}});
        }
    }
    std::vector<std::string> titles(std::int64_t day, const std::string& channel) {
        std::vector<std::string> out;
        for (const auto& row : store.channelDay(day, channel)) {
            out.push_back(row.titolo.value_or(""));
        }
        return out;
    }

    test::TempDir dir;
    ProgrammeStore store{dir / "Zelidor.db"};
    ScriptedRunner runner{store};
    RecordingDisplay display;
    RecordingPower power;
    std::atomic<bool> stop{false};
};

TEST_F(DownloadDriverTest, ReplacesEachChannelDayAndLogsItInListOrder) {
    storeOld("Rai Uno", 20021205, 5);
    auto summary = run({{"Rai Uno", "Canale 5"}, *Day::parse("20021205"), 2, std::nullopt});
    EXPECT_EQ(runner.calls,
              (std::vector<std::string>{"Rai Uno.zdr@20021205", "Rai Uno.zdr@20021206",
                                        "Canale 5.zdr@20021205", "Canale 5.zdr@20021206"}));
    EXPECT_EQ(titles(20021205, "Rai Uno"), (std::vector<std::string>{"new 1", "new 2", "new 3"}));
    EXPECT_EQ(display.log, (std::vector<std::string>{
                               "Network : Rai Uno.zdr   Day : 05/12/2002 Import Complete...",
                               "Network : Rai Uno.zdr   Day : 06/12/2002 Import Complete...",
                               "Network : Canale 5.zdr   Day : 05/12/2002 Import Complete...",
                               "Network : Canale 5.zdr   Day : 06/12/2002 Import Complete..."}));
    EXPECT_EQ(summary.committedCount(), 4);
    EXPECT_EQ(summary.programmesStored(), 12);
    EXPECT_EQ(runner.sessions, 1);
    EXPECT_EQ(display.events.front(), "start 3 2");
    EXPECT_EQ(display.events.back(), "finished");
    // Days after the first reset the live view; after a channel the calendar shows the first day.
    auto count = [&](const char* event) {
        return std::count(display.events.begin(), display.events.end(), event);
    };
    EXPECT_EQ(count("reset"), 2);
    EXPECT_EQ(count("calendar 20021205"), 2);
}

// A listing that cannot be fetched or yields nothing meets the same rule in the fault tests.
TEST_F(DownloadDriverTest, AnInvalidScriptKeepsTheOldProgrammesAndTheRunGoesOn) {
    storeOld("A", 20021205, 4);
    runner.outcomes["A.zdr@20021205"] = {false, false, false, 0};
    auto summary = run({{"A", "B"}, *Day::parse("20021205"), 1, std::nullopt});
    EXPECT_EQ(titles(20021205, "A"), std::vector<std::string>(4, "old"));
    EXPECT_EQ(titles(20021205, "B").size(), 3u);
    EXPECT_EQ(summary.keptCount(), 1);
    EXPECT_EQ(summary.channelDays[0].oldRows, 4);
    EXPECT_EQ(display.log[0], DownloadDriver::keptLogLine("A.zdr", *Day::parse("20021205")));
    EXPECT_EQ(display.log[1], "Network : A.zdr   Day : 05/12/2002 Import Complete...");
}

// The page was there but held nothing the script could store: the old day is worth more.
TEST_F(DownloadDriverTest, AListingThatStoresNothingKeepsTheOldProgrammesAndTheirCovers) {
    store.insert({20021205, "06:00", "old", {}, {}, "A_1.jpg", "A", 1, {}});
    std::filesystem::create_directories(dir / "covers");
    test::writeFile(dir / "covers/A_1.jpg", "jpeg");
    runner.outcomes["A.zdr@20021205"] = {true, true, false, 0};
    auto summary = run({{"A"}, *Day::parse("20021205"), 1, std::nullopt});
    EXPECT_EQ(titles(20021205, "A"), std::vector<std::string>{"old"});
    EXPECT_FALSE(summary.channelDays[0].committed);
    EXPECT_TRUE(std::filesystem::exists(dir / "covers/A_1.jpg"));
    EXPECT_EQ(display.log[0], DownloadDriver::keptLogLine("A.zdr", *Day::parse("20021205")));
}

TEST_F(DownloadDriverTest, TwoDaysFromTheLastOfDecemberCrossIntoTheNewYear) {
    run({{"A", "B"}, *Day::parse("20021231"), 2, std::nullopt});
    EXPECT_EQ(runner.calls, (std::vector<std::string>{"A.zdr@20021231", "A.zdr@20030101",
                                                      "B.zdr@20021231", "B.zdr@20030101"}));
    EXPECT_EQ(titles(20030101, "B").size(), 3u);
}

// Every refresh files new covers; the replaced programmes' pictures go unless a programme still
// names them. Files the program did not file itself are never touched.
TEST_F(DownloadDriverTest, ACommittedDayRemovesTheCoversOnlyItsReplacedProgrammesNamed) {
    const std::vector<std::string> files = {"A_1.jpg",  "A_2.jpg",       "A_7.jpg",
                                            "none.jpg", "elsewhere.jpg", "B_3.jpg"};
    std::filesystem::create_directories(dir / "covers");
    for (const std::string& name : files) {
        test::writeFile(dir / "covers" / name, "jpeg");
    }
    test::writeFile(dir / "kept.jpg", "not a cover");
    std::filesystem::create_directories(dir / "covers/A_");
    std::filesystem::create_directories(dir / "covers/A_9.jpg");
    std::int64_t n = 0;
    for (const char* cover : {"A_1.jpg", "A_1.jpg", "A_2.jpg", "A_7.jpg", "none.jpg",
                              "elsewhere.jpg", "B_3.jpg", "A_/../../kept.jpg", "A_9.jpg"}) {
        store.insert({20021205, {}, "old", {}, {}, std::string(cover), "A", ++n, {}});
    }
    store.insert({20021206, {}, "other day", {}, {}, "A_7.jpg", "A", 1, {}});  // shared
    runner.onRun = [&](const std::string&, const std::string&) {
        store.insert({20021205, {}, "new", {}, {}, "A_2.jpg", "A", 9, {}});  // filed again
    };

    auto summary = run({{"A"}, *Day::parse("20021205"), 1, std::nullopt});

    ASSERT_TRUE(summary.channelDays[0].committed);
    EXPECT_EQ(summary.channelDays[0].coversRemoved, 1);
    for (const std::string& name : files) {
        EXPECT_EQ(std::filesystem::exists(dir / "covers" / name), name != "A_1.jpg") << name;
    }
    EXPECT_TRUE(std::filesystem::exists(dir / "kept.jpg"));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "covers/A_9.jpg"));
}

TEST_F(DownloadDriverTest, ARunThatFailsHalfwayLeavesNoHalfReplacedDay) {
    storeOld("A", 20021205, 4);
    runner.onRun = [](const std::string&, const std::string&) {
        throw std::runtime_error("engine blew up");
    };
    auto summary = run({{"A"}, *Day::parse("20021205"), 1, std::nullopt});
    EXPECT_EQ(titles(20021205, "A").size(), 4u);
    ASSERT_TRUE(summary.channelDays[0].storeError);
    EXPECT_EQ(display.log[0], "ERRORE DATABASE : engine blew up");
}

TEST_F(DownloadDriverTest, NoChannelOrStopEndsAtOnceAndStillSwitchesOffWhenAsked) {
    auto summary = run({{}, *Day::parse("20021205"), 1, ShutdownMode::PowerOff});
    EXPECT_TRUE(runner.calls.empty());
    EXPECT_EQ(display.events, (std::vector<std::string>{"start 1 1", "channel 1", "day 1",
                                                        "status Import Completed !", "finished"}));
    EXPECT_TRUE(summary.shutdownRequested);

    stop = true;  // Stop pressed: nothing more is fetched, and the switch-off still comes
    EXPECT_TRUE(run({{"A"}, *Day::parse("20021205"), 1, ShutdownMode::Reboot}).stopped);
    EXPECT_TRUE(runner.calls.empty());
    EXPECT_EQ(power.requests,
              (std::vector<ShutdownMode>{ShutdownMode::PowerOff, ShutdownMode::Reboot}));
}

TEST(ShutdownMode, StoredTextsMapToTheFiveModes) {
    EXPECT_EQ(shutdownModeFromText("0"), ShutdownMode::LogOff);
    EXPECT_EQ(shutdownModeFromText("4"), ShutdownMode::PowerOff);
    EXPECT_FALSE(shutdownModeFromText("5"));
    EXPECT_FALSE(shutdownModeFromText(""));
    EXPECT_EQ(shutdownCommand(ShutdownMode::Reboot),
              (std::vector<std::string>{"systemctl", "reboot"}));
}

}  // namespace
}  // namespace zelidor
