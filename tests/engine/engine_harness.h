// Test doubles for the engine's ports and a harness that runs scripts in a temporary
// application folder. Everything the engine shows or asks is recorded as one ordered list of
// events, so a test states the whole conversation of a run.
#pragma once

#include <cstddef>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/memory_fetcher.h"
#include "engine/ports.h"
#include "engine/script_engine.h"
#include "support/temp_dir.h"

namespace zelidor::test {

// Events as text: "ask <text> -> Retry" (instruction box), "failure <line> -> Cancel" (general
// script failure box), "message <text>", "log <text>", "open <address>", "fetch <address>",
// "main-status <text>", "cover <file name>", "poster", "status <text>", "completion <text>".
// Only the first kKeptEvents are kept; count() tells how many happened.
class EventLog {
  public:
    static constexpr std::size_t kKeptEvents = 20000;
    void add(std::string event);
    const std::vector<std::string>& events() const { return events_; }
    std::size_t count() const { return count_; }
    // The most recent event, kept or not.
    const std::string& last() const { return last_; }
    std::size_t countStartingWith(const std::string& prefix) const;
    void clear();

  private:
    std::vector<std::string> events_;
    std::size_t count_ = 0;
    std::string last_;
};

class RecordingDisplay : public EngineDisplay {
  public:
    explicit RecordingDisplay(EventLog& log) : log_(log) {}
    void showField(RecordField field, const std::string& text) override;
    void resetLiveView() override;
    void showTitleCaption(const std::string& title) override { caption = title; }
    void showStatus(const std::string& text) override;
    void hideCompletion() override {}
    void showCompletion(const std::string& text) override;
    void appendLog(const std::string& line) override;
    void showTransfer(const std::string& pageText, const std::string& sessionText,
                      const std::optional<std::string>& speedText) override;
    void showPoster(const std::filesystem::path& picture) override;
    void coverFiled(const std::string& fileName) override;
    void showMainStatus(const std::string& text) override;

    std::map<RecordField, std::string> fields;  // the live view as the window would show it
    std::string caption;
    std::size_t transfers = 0;
    std::string lastSessionText;

  private:
    EventLog& log_;
};

// Answers questions from a queue; when it runs dry, with the fallback answer.
class ScriptedDialogs : public Dialogs {
  public:
    explicit ScriptedDialogs(EventLog& log) : log_(log) {}
    void message(const std::string& title, const std::string& text, MessageIcon icon) override;
    Answer question(const std::string& title, const std::string& text) override;

    std::deque<Answer> answers;
    Answer fallback = Answer::Cancel;
    std::vector<std::string> badTitles;  // boxes whose title is not the expected one

  private:
    EventLog& log_;
};

class RecordingDesktop : public Desktop {
  public:
    explicit RecordingDesktop(EventLog& log) : log_(log) {}
    void open(const std::string& address) override;

  private:
    EventLog& log_;
};

class FakeSettings : public EngineSettings {
  public:
    bool listOnly() const override { return listOnlyValue; }
    bool takeOnlyListed() const override { return takeOnlyListedValue; }
    std::vector<std::string> importTypes() const override { return importTypesValue; }
    bool openListingInBrowser() const override { return openInBrowserValue; }
    int scriptErrorFlag() const override { return scriptErrorFlagValue; }
    bool checkUpdate() const override { return checkUpdateValue; }
    std::string listingsHost() const override { return listingsHostValue; }
    std::string updateHost() const override { return updateHostValue; }

    bool listOnlyValue = false;
    bool takeOnlyListedValue = false;
    std::vector<std::string> importTypesValue;
    bool openInBrowserValue = false;
    int scriptErrorFlagValue = 0;
    bool checkUpdateValue = false;
    std::string listingsHostValue = "www.guidatv.example";
    std::string updateHostValue = "www.zelidor.example";
};

class RecordingSink : public ProgrammeSink {
  public:
    void save(const ProgrammeRow& row) override;
    std::vector<ProgrammeRow> rows;
    std::optional<std::string> failure;  // when set, every save throws StoreError with it
};

// Logs every request ("fetch <address>") and hands it on.
class LoggingFetcher : public PageFetcher {
  public:
    LoggingFetcher(PageFetcher& inner, EventLog& log) : inner_(inner), log_(log) {}
    bool downloadToFile(const std::string& url, const std::filesystem::path& file,
                        const std::function<void(std::size_t)>& onBytes) override;
    std::optional<std::string> downloadToText(const std::string& url) override;

  private:
    PageFetcher& inner_;
    EventLog& log_;
};

// A temporary application folder, recording ports, pages from memory, and one engine for the
// life of the harness (so variables survive between runs as in the program).
class EngineHarness {
  public:
    // fetcher: where pages come from; the harness's own MemoryFetcher when null.
    explicit EngineHarness(PageFetcher* fetcher = nullptr);

    ChannelDayResult run(const std::vector<std::string>& script,
                         const std::string& scriptName = "Canale 5.zdr",
                         const std::string& day = "20021205");
    ChannelDayResult runBuiltin(const std::string& scriptName = "Canale 5.zdr",
                                const std::string& day = "20021205");

    // Answers for the next questions, in order.
    void answer(std::initializer_list<Answer> answers);
    const std::vector<std::string>& events() const { return log.events(); }

    TempDir dir;
    EventLog log;
    RecordingDisplay display{log};
    ScriptedDialogs dialogs{log};
    RecordingDesktop desktop{log};
    FakeSettings settings;
    RecordingSink sink;
    MemoryFetcher pages;
    LoggingFetcher fetcher;
    ScriptEngine engine;
};

// A small real JPEG picture (made with stb_image_write), as a poster body.
std::string jpegPicture(int width = 8, int height = 6);

// Readable text of a row for failure messages.
std::string describe(const ProgrammeRow& row);

}  // namespace zelidor::test
