// Scripts whose every line works on a large text: within the line budget they could run for
// hours, so the engine also counts the text its lines handle and ends such a run like an
// endless loop. (The fuzzer found the first one: a text growing by one letter per turn.)
#include <gtest/gtest.h>

#include <chrono>

#include "engine/memory_fetcher.h"
#include "engine/script_engine.h"
#include "support/temp_dir.h"

namespace zelidor::test {
namespace {

class Quiet : public EngineDisplay, public Dialogs, public Desktop, public ProgrammeSink {
  public:
    void message(const std::string&, const std::string&, MessageIcon) override {}
    Answer question(const std::string&, const std::string& text) override {
        questions.push_back(text);
        return Answer::Retry;
    }
    void open(const std::string&) override {}
    void save(const ProgrammeRow&) override {}
    std::vector<std::string> questions;
};

class Settings : public EngineSettings {
    bool listOnly() const override { return false; }
    bool takeOnlyListed() const override { return false; }
    std::vector<std::string> importTypes() const override { return {}; }
    bool openListingInBrowser() const override { return false; }
    int scriptErrorFlag() const override { return 0; }
    bool checkUpdate() const override { return false; }
    std::string listingsHost() const override { return "t"; }
    std::string updateHost() const override { return "t"; }
};

struct Ended {
    ChannelDayResult result;
    double seconds;
    std::vector<std::string> questions;
};

Ended runScript(const std::vector<std::string>& script, const std::string& page) {
    TempDir dir;
    Quiet quiet;
    Settings settings;
    MemoryFetcher pages;
    pages.addPage("http://t/list", page);
    ScriptEngine engine(dir.path(), EnginePorts{quiet, quiet, quiet, settings, pages, quiet});
    auto start = std::chrono::steady_clock::now();
    ChannelDayResult result = engine.runScript("Canale 5.zdr", "20021205", script);
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return {result, seconds, quiet.questions};
}

void expectEndedByTheBudget(const Ended& ended) {
    EXPECT_TRUE(ended.result.lineBudgetExhausted);
    EXPECT_LT(ended.result.linesDispatched, ScriptEngine::kLineBudget);
    EXPECT_LT(ended.seconds, 60.0);
}

TEST(TextBudget, ATextGrowingByOneLetterPerTurnEndsTheRun) {
    Ended ended = runScript({"#WEBQUERY#=http://t/list", "#DOWNLOADINFO#", ":AGAIN",
                             "#STRING#=#03#=#03#x", "#GOTO#=AGAIN", "#ENDDOWNLOADINFO#"},
                            "x\n");
    expectEndedByTheBudget(ended);
}

TEST(TextBudget, ComparingTwoLargeTextsOverAndOverEndsTheRun) {
    std::vector<std::string> script = {"#WEBQUERY#=http://t/list", "#DOWNLOADINFO#",
                                       "#PUT#=0123456789abcdef#01#"};
    for (int i = 0; i < 16; ++i) {  // 16 bytes doubled 16 times: 1 MiB
        script.push_back("#STRING#=#01#=#01##01#");
    }
    for (const char* line : {"#STRING#=#02#=#01#", ":AGAIN", "#IF# #01#==#02#", "#ENDIF#",
                             "#GOTO#=AGAIN", "#ENDDOWNLOADINFO#"}) {
        script.push_back(line);
    }
    expectEndedByTheBudget(runScript(script, "x\n"));
}

TEST(TextBudget, ReadingALargePageAgainAndAgainEndsTheRun) {
    std::string page(4 << 20, 'x');
    page += "\n";
    Ended ended =
        runScript({"#WEBQUERY#=http://t/list", "#DOWNLOADINFO#", ":AGAIN", "#STARTREADWEB#",
                   "#FINDLINE#=nowhere#01##ONERROR#=*OK*", "#GOTO#=AGAIN", "#ENDDOWNLOADINFO#"},
                  page);
    expectEndedByTheBudget(ended);
}

}  // namespace
}  // namespace zelidor::test
