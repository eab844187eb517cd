// The script engine in a temporary application folder, with the harness standing in for all of
// its ports. What the engine shows, asks, opens and fetches becomes one ordered list of events,
// so that a test states the whole conversation of a run:
//   "ask <text> -> Retry"       an instruction's box and the answer given
//   "failure <line> -> Cancel"  the general script failure box
//   "message <text>", "open <address>", "fetch <address>", "log <text>", "status <text>",
//   "completion <text>", "main-status <text>", "poster", "cover <file name>"
// A box whose title is not the one of its kind ends in " [title <title>]". Only the first
// kKeptEvents are kept, since a script looping for ever asks without end; lastEvent is the very
// last. The engine lives as long as the harness, so variables survive from one run to the next
// as in the program.
#pragma once

#include <stb_image_write.h>

#include <deque>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "engine/memory_fetcher.h"
#include "engine/script_engine.h"
#include "support/format_example.h"
#include "support/temp_dir.h"

namespace zelidor::test {

class EngineHarness : public EngineDisplay,
                      public Dialogs,
                      public Desktop,
                      public EngineSettings,
                      public PageFetcher,
                      public ProgrammeSink {
  public:
    static constexpr std::size_t kKeptEvents = 20000;

    struct Settings {
        bool listOnly = false;
        bool takeOnlyListed = false;
        std::vector<std::string> importTypes;
        bool openInBrowser = false;
        int scriptErrorFlag = 0;
        bool checkUpdate = false;
        std::string listingsHost = kExampleHost;
        std::string updateHost = "www.zelidor.example";
    };

    // source: where pages come from; the harness's own pages when null.
    explicit EngineHarness(PageFetcher* source = nullptr) : source_(source ? *source : pages) {
        dir.makeAppFolders();
        engine.startSession();
    }

    ChannelDayResult run(const std::vector<std::string>& script,
                         const std::string& scriptName = "Canale 5.zdr",
                         const std::string& day = "20021205") {
        return engine.runScript(scriptName, day, script);
    }
    ChannelDayResult runBuiltin(const std::string& scriptName = "Canale 5.zdr",
                                const std::string& day = "20021205") {
        return engine.runBuiltinScript(scriptName, day);
    }

    // How many kept events start with prefix.
    std::size_t count(std::string_view prefix) const {
        std::size_t n = 0;
        for (const std::string& event : events) {
            n += event.starts_with(prefix) ? 1 : 0;
        }
        return n;
    }

    TempDir dir;
    MemoryFetcher pages;
    Settings settings;
    std::deque<Answer> answers;  // for the next questions, in order
    Answer fallback = Answer::Cancel;
    std::optional<std::string> saveFailure;  // when set, every save throws StoreError with it

    std::vector<std::string> events;
    std::string lastEvent;
    std::map<RecordField, std::string> fields;  // the live view as the window would show it
    std::size_t transfers = 0;
    std::vector<ProgrammeRow> rows;  // saved programmes

  private:
    void note(std::string event) {
        lastEvent = event;
        if (events.size() < kKeptEvents) {
            events.push_back(std::move(event));
        }
    }
    static std::string titleMark(const std::string& title, std::string_view expected) {
        return title == expected ? "" : " [title " + title + "]";
    }

    // EngineDisplay
    void showField(RecordField field, const std::string& text) override { fields[field] = text; }
    void resetLiveView() override { fields.clear(); }
    void showStatus(const std::string& text) override { note("status " + text); }
    void showCompletion(const std::string& text) override { note("completion " + text); }
    void appendLog(const std::string& line) override { note("log " + line); }
    void showTransfer(const std::string&, const std::string&,
                      const std::optional<std::string>&) override {
        ++transfers;
    }
    void showPoster(const std::filesystem::path&) override { note("poster"); }
    void coverFiled(const std::string& fileName) override { note("cover " + fileName); }
    void showMainStatus(const std::string& text) override { note("main-status " + text); }

    // Dialogs and Desktop
    void message(const std::string& title, const std::string& text, MessageIcon) override {
        note("message " + text + titleMark(title, kProgramTitle));
    }
    Answer question(const std::string& title, const std::string& text) override {
        static constexpr std::string_view kFailure =
            "General Script Failure, Check Script's Line n\xB0 : ";
        Answer answer = fallback;
        if (!answers.empty()) {
            answer = answers.front();
            answers.pop_front();
        }
        std::string given = answer == Answer::Retry ? " -> Retry" : " -> Cancel";
        if (text.starts_with(kFailure)) {
            note("failure " + text.substr(kFailure.size()) + given +
                 titleMark(title, kProgramTitle));
        } else {
            note("ask " + text + given + titleMark(title, "Script Engine Information"));
        }
        return answer;
    }
    void open(const std::string& address) override { note("open " + address); }

    // EngineSettings
    bool listOnly() const override { return settings.listOnly; }
    bool takeOnlyListed() const override { return settings.takeOnlyListed; }
    std::vector<std::string> importTypes() const override { return settings.importTypes; }
    bool openListingInBrowser() const override { return settings.openInBrowser; }
    int scriptErrorFlag() const override { return settings.scriptErrorFlag; }
    bool checkUpdate() const override { return settings.checkUpdate; }
    std::string listingsHost() const override { return settings.listingsHost; }
    std::string updateHost() const override { return settings.updateHost; }

    // PageFetcher
    bool downloadToFile(const std::string& url, const std::filesystem::path& file,
                        const std::function<void(std::size_t)>& onBytes) override {
        note("fetch " + url);
        return source_.downloadToFile(url, file, onBytes);
    }
    std::optional<std::string> downloadToText(const std::string& url) override {
        note("fetch " + url);
        return source_.downloadToText(url);
    }

    // ProgrammeSink
    void save(const ProgrammeRow& row) override {
        if (saveFailure) {
            throw StoreError(*saveFailure);
        }
        rows.push_back(row);
    }

    PageFetcher& source_;

  public:
    ScriptEngine engine{dir.path(), EnginePorts{*this, *this, *this, *this, *this, *this}};
};

// A small real JPEG picture, as a poster body.
inline std::string jpegPicture(int width = 8, int height = 6) {
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width * height * 3));
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = static_cast<unsigned char>(i * 37);
    }
    std::string out;
    auto append = [](void* context, void* data, int size) {
        static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                                   static_cast<std::size_t>(size));
    };
    stbi_write_jpg_to_func(append, &out, width, height, 3, pixels.data(), 90);
    return out;
}

// The worked example day as the listings site serves it: the listing, the three detail pages
// and the two posters.
inline void serveFormatExample(MemoryFetcher& fetcher) {
    fetcher.addPage(kExampleListingUrl, formatExampleFile("listing.html"));
    for (const char* code : kExampleCodes) {
        fetcher.addPage(exampleDetailUrl(code),
                        formatExampleFile("detail_" + std::string(code) + ".html"));
    }
    fetcher.addPage(examplePosterUrl("100231"), jpegPicture(14, 10));
    fetcher.addPage(examplePosterUrl("100232"), jpegPicture(14, 10));
}

}  // namespace zelidor::test
