// The script engine against hostile scripts and pages, through the download driver into a
// programme table, as one channel-day of a download run.
//
// Input: byte 0 chooses the script and the settings (bit 0: the built-in "Canale 5.zdr" script,
// bit 1: list only, bit 2: details only for listed types, bits 3-4: the script-error flag);
// bytes 1 and 2 answer the first sixteen question boxes (a set bit is Retry, later boxes get
// Cancel); the rest is sections separated by a line "====": the script (unless the built-in one
// runs), then the pages. Pages are served in the order their addresses are first asked for, so
// the listing comes first and the detail pages and posters the script builds addresses for come
// after it; an address asked for when the pages have run out cannot be opened.
//
// What must hold after the run, beyond no crash, leak or undefined behaviour: the channel-day's
// earlier programmes are still there unless the run committed new ones, every programme the
// engine says it stored is in the table, no other channel-day is touched, and nothing is left
// in the application folder but the engine's five work files and the covers it filed.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "download/download_driver.h"
#include "download/engine_runner.h"
#include "engine/memory_fetcher.h"
#include "engine/script_engine.h"
#include "engine/script_file.h"
#include "scratch_folder.h"

namespace {

using namespace zelidor;

constexpr std::string_view kSectionBreak = "\n====\n";
constexpr std::int64_t kDay = 20021205;
constexpr const char* kChannel = "Canale 5";
constexpr const char* kOtherChannel = "Italia 1";

struct FuzzCase {
    bool builtin = false;
    bool listOnly = false;
    bool takeOnlyListed = false;
    int scriptErrorFlag = 0;
    std::uint16_t retries = 0;
    std::vector<std::string> script;
    std::vector<std::string> pages;
};

std::vector<std::string> splitSections(std::string_view text) {
    std::vector<std::string> sections;
    while (true) {
        std::size_t at = text.find(kSectionBreak);
        sections.emplace_back(text.substr(0, at));
        if (at == std::string_view::npos) {
            return sections;
        }
        text.remove_prefix(at + kSectionBreak.size());
    }
}

FuzzCase readCase(const std::uint8_t* data, std::size_t size) {
    FuzzCase fuzzCase;
    std::uint8_t choice = size > 0 ? data[0] : 0;
    fuzzCase.builtin = (choice & 1) != 0;
    fuzzCase.listOnly = (choice & 2) != 0;
    fuzzCase.takeOnlyListed = (choice & 4) != 0;
    fuzzCase.scriptErrorFlag = (choice >> 3) & 3;
    if (size > 2) {
        fuzzCase.retries = static_cast<std::uint16_t>(data[1] | (data[2] << 8));
    }
    std::string_view rest;
    if (size > 3) {
        rest = std::string_view(reinterpret_cast<const char*>(data) + 3, size - 3);
    }
    fuzzCase.pages = splitSections(rest);
    if (!fuzzCase.builtin) {
        fuzzCase.script = splitScriptText(fuzzCase.pages.front());
        fuzzCase.pages.erase(fuzzCase.pages.begin());
    }
    return fuzzCase;
}

// Binds the next unused page to every address the first time it is asked for.
class PagesInRequestOrder : public PageFetcher {
  public:
    explicit PagesInRequestOrder(std::vector<std::string> pages) : pages_(std::move(pages)) {}

    bool downloadToFile(const std::string& url, const std::filesystem::path& file,
                        const std::function<void(std::size_t)>& onBytes) override {
        bind(url);
        return memory_.downloadToFile(url, file, onBytes);
    }
    std::optional<std::string> downloadToText(const std::string& url) override {
        bind(url);
        return memory_.downloadToText(url);
    }

    std::size_t requestCount() const { return asked_.size(); }

  private:
    void bind(const std::string& url) {
        if (asked_.insert(url).second && next_ < pages_.size()) {
            memory_.addPage(url, std::move(pages_[next_++]));
        }
    }

    std::vector<std::string> pages_;
    std::size_t next_ = 0;
    std::set<std::string> asked_;
    MemoryFetcher memory_;
};

class AnsweringDialogs : public Dialogs {
  public:
    explicit AnsweringDialogs(std::uint16_t retries) : retries_(retries) {}
    void message(const std::string&, const std::string&, MessageIcon) override {}
    Answer question(const std::string&, const std::string&) override {
        bool retry = asked_ < 16 && ((retries_ >> asked_) & 1) != 0;
        ++asked_;
        return retry ? Answer::Retry : Answer::Cancel;
    }

  private:
    std::uint16_t retries_;
    int asked_ = 0;
};

class NoDesktop : public Desktop {
  public:
    void open(const std::string&) override {}
};

class QuietDownloadDisplay : public DownloadDisplay {};

class NoPower : public PowerControl {
  public:
    void request(ShutdownMode) override {}
};

class CaseSettings : public EngineSettings {
  public:
    explicit CaseSettings(const FuzzCase& fuzzCase) : case_(fuzzCase) {}
    bool listOnly() const override { return case_.listOnly; }
    bool takeOnlyListed() const override { return case_.takeOnlyListed; }
    std::vector<std::string> importTypes() const override { return {"Film", "Sport"}; }
    bool openListingInBrowser() const override { return false; }
    int scriptErrorFlag() const override { return case_.scriptErrorFlag; }
    bool checkUpdate() const override { return false; }
    std::string listingsHost() const override { return "fuzz.example"; }
    std::string updateHost() const override { return "fuzz.example"; }

  private:
    const FuzzCase& case_;
};

// Runs the case's own script lines, or the built-in script, as the channel-day's script.
class CaseRunner : public ChannelDayRunner {
  public:
    CaseRunner(ScriptEngine& engine, const FuzzCase& fuzzCase) : engine_(engine), case_(fuzzCase) {}
    void startSession() override { engine_.startSession(); }
    ChannelDayOutcome runChannelDay(const std::string& scriptName,
                                    const std::string& dayStamp) override {
        ChannelDayResult result = case_.builtin
                                      ? engine_.runBuiltinScript(scriptName, dayStamp)
                                      : engine_.runScript(scriptName, dayStamp, case_.script);
        return {result.scriptValid, result.listingFetched, result.cancelled,
                result.programmesStored};
    }

  private:
    ScriptEngine& engine_;
    const FuzzCase& case_;
};

ProgrammeRow earlierRow(const char* channel, std::int64_t number) {
    ProgrammeRow row;
    row.data = kDay;
    row.ora = "0" + std::to_string(number) + ":00";
    row.titolo = "earlier " + std::to_string(number);
    row.palinsesto = channel;
    row.numerazione = number;
    return row;
}

std::int64_t countRows(ProgrammeStore& store, const char* channel) {
    return static_cast<std::int64_t>(store.channelDay(kDay, channel).size());
}

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// Only the engine's work files in TempDir and filed covers under covers/.
void checkLeftovers(const std::filesystem::path& appFolder) {
    static const std::set<std::string> workFiles = {"html.txt", "html1.txt", "FileWebB.txt",
                                                    "FileWeb.txt", "buffercover.jpg"};
    for (const auto& entry : std::filesystem::directory_iterator(appFolder)) {
        std::string name = entry.path().filename().string();
        require(entry.is_directory() && (name == "TempDir" || name == "covers"));
    }
    for (const auto& entry : std::filesystem::directory_iterator(appFolder / "TempDir")) {
        require(workFiles.count(entry.path().filename().string()) == 1);
    }
    for (const auto& entry : std::filesystem::directory_iterator(appFolder / "covers")) {
        require(entry.is_regular_file() && entry.path().extension() == ".jpg");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const FuzzCase fuzzCase = readCase(data, size);
    const std::filesystem::path appFolder = fuzz::scratchFolder();

    ProgrammeStore store(":memory:");
    for (std::int64_t n = 1; n <= 2; ++n) {
        store.insert(earlierRow(kChannel, n));
    }
    store.insert(earlierRow(kOtherChannel, 1));

    QuietDownloadDisplay downloadDisplay;
    EngineDisplay engineDisplay;
    AnsweringDialogs dialogs(fuzzCase.retries);
    NoDesktop desktop;
    CaseSettings settings(fuzzCase);
    PagesInRequestOrder fetcher(fuzzCase.pages);
    StoreSink sink(store);
    ScriptEngine engine(appFolder,
                        EnginePorts{engineDisplay, dialogs, desktop, settings, fetcher, sink});
    CaseRunner runner(engine, fuzzCase);
    NoPower power;
    DownloadDriver driver(store, runner, downloadDisplay, power, appFolder / "covers");
    std::atomic<bool> stop{false};
    DownloadSummary summary =
        driver.run(DownloadPlan{{kChannel}, *Day::parse("20021205"), 1, {}}, stop);

    require(summary.channelDays.size() == 1);
    const ChannelDayReport& report = summary.channelDays.front();
    if (std::getenv("ZELIDOR_FUZZ_VERBOSE")) {  // for checking what a seed reaches
        std::fprintf(stderr, "fetched %d, committed %d, stored %d, requests %zu\n",
                     report.outcome.listingFetched, report.committed, report.outcome.saved,
                     fetcher.requestCount());
    }
    require(!report.storeError);
    if (report.committed) {
        require(countRows(store, kChannel) == report.outcome.saved);
    } else {
        require(store.channelDay(kDay, kChannel) ==
                std::vector<ProgrammeRow>{earlierRow(kChannel, 1), earlierRow(kChannel, 2)});
    }
    require(countRows(store, kOtherChannel) == 1);

    checkLeftovers(appFolder);
    fuzz::emptyFolder(appFolder);
    return 0;
}
