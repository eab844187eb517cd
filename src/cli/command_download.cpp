// zelidor-cli download: the listings of the chosen channels for one, two or seven days.
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <memory>

#include "browser/catalogue.h"
#include "cli/answer_policy.h"
#include "cli/app_folder.h"
#include "cli/command.h"
#include "cli/console_display.h"
#include "cli/counting_fetcher.h"
#include "cli/day_option.h"
#include "common/text.h"
#include "config/config_store.h"
#include "config/import_types.h"
#include "download/download_driver.h"
#include "download/engine_runner.h"
#include "download/stored_settings.h"
#include "download/write_lock.h"
#include "engine/fetch/curl_fetcher.h"
#include "engine/script_engine.h"
#include "samplesite/embedded_hosts.h"

namespace zelidor::cli {

namespace {

struct DownloadArguments {
    std::vector<std::string> channels;
    bool all = false;
    int category = 0;
    std::string from = "today";
    int days = 1;
    bool listOnly = false;
    bool onlyListed = false;
    std::string answers;
    int waitBusy = 10;
};

// The exit code of a download that found the database locked by another program and changed
// nothing (EX_TEMPFAIL: a scheduled run may simply try again later).
constexpr int kDatabaseBusy = 75;

std::atomic<bool> stopRequested{false};

// Ctrl-C once: finish the channel-day in progress and stop; twice: the usual interruption.
extern "C" void onInterrupt(int) {
    if (stopRequested.exchange(true)) {
        std::signal(SIGINT, SIG_DFL);
        std::raise(SIGINT);
    }
}

// The channels in the order of the download window's list, filtered by category.
std::vector<std::string> chosenChannels(const std::filesystem::path& appFolder,
                                        const DownloadArguments& args) {
    Catalogue catalogue = loadCatalogue(appFolder, std::to_string(args.category));
    std::vector<std::string> known;
    for (const auto& item : catalogue.downloadList) {
        known.push_back(item.key);
    }
    if (args.all) {
        return known;
    }
    std::vector<std::string> chosen;
    for (const std::string& given : args.channels) {
        std::string name = utf8ToLatin1(given);
        if (std::find(known.begin(), known.end(), name) == known.end()) {
            throw CommandError("no channel '" + name + "' in " + (appFolder / "TV").string() +
                               (args.category ? " for that category" : ""));
        }
        chosen.push_back(name);
    }
    return chosen;
}

class NoPowerControl : public PowerControl {
  public:
    void request(ShutdownMode) override {}
};

class PrintingDesktop : public Desktop {
  public:
    void open(const std::string& address) override {
        std::fprintf(stderr, "open: %s\n", latin1ToUtf8(address).c_str());
    }
};

// Tells the display which channel the next channel-day belongs to.
class ShowingRunner : public ChannelDayRunner {
  public:
    ShowingRunner(ChannelDayRunner& inner, ConsoleDisplay& display)
        : inner_(inner), display_(display) {}
    void startSession() override { inner_.startSession(); }
    ChannelDayOutcome runChannelDay(const std::string& scriptName,
                                    const std::string& dayStamp) override {
        display_.setCurrentChannel(scriptName.substr(0, scriptName.size() - 4) + " " +
                                   slashedDay(dayStamp));
        return inner_.runChannelDay(scriptName, dayStamp);
    }

  private:
    ChannelDayRunner& inner_;
    ConsoleDisplay& display_;
};

void printReport(const std::string& kind, const std::string& title, const std::string& text,
                 const std::string& answer) {
    std::string line = "[" + title + "] " + text;
    if (kind == "question") {
        line += " -> " + answer;
    }
    std::fprintf(stderr, "%s\n", latin1ToUtf8(line).c_str());
}

// The one-line reason of a download with failed channel-days: the first of them and its cause.
std::string failureReason(const DownloadSummary& summary) {
    auto first = std::find_if(summary.channelDays.begin(), summary.channelDays.end(),
                              [](const ChannelDayReport& report) { return !report.committed; });
    const ChannelDayOutcome& outcome = first->outcome;
    std::string cause = first->storeError         ? "the database refused it: " + *first->storeError
                        : !outcome.scriptValid    ? std::string("its script is not valid")
                        : !outcome.listingFetched ? "the listing page could not be fetched"
                        : outcome.cancelled       ? "the script failed and was cancelled"
                                                  : "no programme was found";
    return first->channel + " " + first->day.slashed() + ": " + cause + " (" +
           std::to_string(summary.keptCount()) + " of " +
           std::to_string(summary.channelDays.size()) + " channel-days failed)";
}

int runDownload(const GlobalOptions& global, const DownloadArguments& args) {
    const auto appFolder = resolveAppFolder(global.appFolder);
    if (args.days != 1 && args.days != 2 && args.days != 7) {
        throw CommandError("--days takes 1, 2 or 7");
    }
    if (args.all == !args.channels.empty()) {
        throw CommandError("name channels with --channel, or take them all with --all");
    }
    const bool interactive = isatty(STDIN_FILENO) && isatty(STDERR_FILENO);
    AnswerPolicy policy =
        AnswerPolicy::parse(args.answers.empty() ? (interactive ? "ask" : "cancel") : args.answers);

    DownloadPlan plan{
        chosenChannels(appFolder, args), dayOption(args.from, "--from"), args.days, {}};
    ConfigStore config(appFolder);
    ImportTypeStore types(appFolder);
    ConfigRow settingsRow = config.read();
    samplesite::EmbeddedHosts hosts(settingsRow.listingsHost, settingsRow.updateHost, &config);
    DownloadOptions options;
    options.listOnly = args.listOnly;
    if (args.onlyListed) {
        options.takeOnlyListed = true;
    }
    StoredEngineSettings settings(config, types, options, hosts.listingsHost(), hosts.updateHost());

    ProgrammeStore store(ProgrammeStore::defaultFile(appFolder));
    // A lock held for long (the window's download, a compaction) would make every channel-day
    // wait and fail in turn: ask once, before anything is fetched or changed.
    if (!waitForWriteLock(store.database(), std::chrono::seconds(args.waitBusy),
                          std::chrono::seconds(10))) {
        std::fprintf(stderr,
                     "zelidor-cli: the database %s is busy: another program is writing to it "
                     "(a download in the window?); nothing was downloaded or changed, try again "
                     "later\n",
                     store.database().file().c_str());
        return kDatabaseBusy;
    }
    CurlFetcher curl;
    CountingFetcher fetcher(curl);
    ConsoleDisplay display(stdout, stderr, isatty(STDERR_FILENO) != 0);
    ConsoleDialogs dialogs(std::move(policy), printReport);
    PrintingDesktop desktop;
    StoreSink sink(store);
    ScriptEngine engine(appFolder, EnginePorts{display, dialogs, desktop, settings, fetcher, sink});
    EngineChannelDayRunner engineRunner(engine);
    ShowingRunner runner(engineRunner, display);
    NoPowerControl power;
    DownloadDriver driver(store, runner, display, power, appFolder / "covers");

    stopRequested = false;
    auto previous = std::signal(SIGINT, onInterrupt);
    auto started = std::chrono::steady_clock::now();
    DownloadSummary summary = driver.run(plan, stopRequested);
    std::signal(SIGINT, previous);
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    int failed = summary.keptCount();
    int kept = 0;
    for (const auto& day : summary.channelDays) {
        kept += !day.committed && day.oldRows > 0 ? 1 : 0;
    }
    std::fprintf(stderr,
                 "channel-days: %d ok, %d failed (%d kept their earlier programmes); "
                 "programmes stored: %lld; requests: %llu; bytes: %llu; seconds: %.1f%s\n",
                 summary.committedCount(), failed, kept,
                 static_cast<long long>(summary.programmesStored()),
                 static_cast<unsigned long long>(fetcher.requests()),
                 static_cast<unsigned long long>(fetcher.bytes()), seconds,
                 summary.stopped ? " (stopped)" : "");
    std::fprintf(stderr, "database: %s\n", store.database().file().c_str());
    if (failed > 0) {
        std::fprintf(stderr, "zelidor-cli: %s\n", latin1ToUtf8(failureReason(summary)).c_str());
        return 3;
    }
    return 0;
}

}  // namespace

void addDownloadCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action) {
    auto args = std::make_shared<DownloadArguments>();
    auto* cmd = app.add_subcommand(
        "download", "Download the listings of the chosen channels into the database");
    cmd->add_option("--channel", args->channels, "A channel to download (repeat for more)");
    cmd->add_flag("--all", args->all, "Download every channel (of --category)");
    cmd->add_option("--category", args->category,
                    "With --all: 1 Satellite, 2 Televisione, 3 Cinema, 4 Sport, 5 Ragazzi")
        ->check(CLI::Range(0, 5));
    cmd->add_option("--from", args->from, "First day: today or YYYYMMDD")->capture_default_str();
    cmd->add_option("--days", args->days, "Number of days: 1, 2 or 7")
        ->check(CLI::IsMember({1, 2, 7}))
        ->capture_default_str();
    cmd->add_flag("--list-only", args->listOnly,
                  "Only the listing: no detail pages, descriptions or covers (fast)");
    cmd->add_flag("--only-listed", args->onlyListed,
                  "Detail pages only for the listed types (see 'types')");
    cmd->add_option("--answers", args->answers,
                    "How to answer the script engine's questions: retry, cancel or ask "
                    "(default: ask on a terminal, otherwise cancel)");
    cmd->add_option("--wait-busy", args->waitBusy,
                    "Seconds to wait for a database another program is writing to; still busy "
                    "after that, nothing is downloaded and the exit code is 75")
        ->check(CLI::NonNegativeNumber)
        ->capture_default_str();
    cmd->callback([&action, &global, args] {
        action = [&global, args] { return runDownload(global, *args); };
    });
}

}  // namespace zelidor::cli
