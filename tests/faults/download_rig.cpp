#include "download_rig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "download/engine_runner.h"
#include "engine/script_engine.h"

namespace zelidor {

void PrintTo(const ProgrammeRow& row, std::ostream* out) {
    auto text = [out](const auto& value) {
        if (value) {
            *out << *value << "|";
        } else {
            *out << "null|";
        }
    };
    text(row.data), text(row.ora), text(row.titolo), text(row.link), text(row.commenti);
    text(row.cover), text(row.palinsesto), text(row.numerazione), text(row.type);
}

}  // namespace zelidor

namespace zelidor::test {

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

class LogOfEngine : public EngineDisplay {
  public:
    explicit LogOfEngine(std::vector<std::string>& log) : log_(log) {}
    void appendLog(const std::string& line) override { log_.push_back(line); }

  private:
    std::vector<std::string>& log_;
};

// The driver's log, and how long each channel-day took from the driver's start of it (the
// store's transaction included) to its log line.
class LogOfDriver : public DownloadDisplay {
  public:
    explicit LogOfDriver(RigRun& run) : run_(run) {}
    void showRunStatus(const std::string&, StatusColour colour) override {
        if (colour == StatusColour::DarkRed) {  // "Download In Progress...Please Wait"
            started_ = Clock::now();
        }
    }
    void appendLog(const std::string& line) override {
        run_.log.push_back(line);
        const std::string prefix = "Network : ";
        std::size_t end = line.find(".zdr");
        if (line.rfind(prefix, 0) == 0 && line.find("Import Complete...") != std::string::npos) {
            run_.seconds[line.substr(prefix.size(), end - prefix.size())] += secondsSince(started_);
        }
    }

  private:
    RigRun& run_;
    Clock::time_point started_ = Clock::now();
};

class AnswerEveryQuestion : public Dialogs {
  public:
    explicit AnswerEveryQuestion(Answer answer) : answer_(answer) {}
    void message(const std::string&, const std::string&, MessageIcon) override {}
    Answer question(const std::string&, const std::string&) override { return answer_; }

  private:
    Answer answer_;
};

class NoDesktop : public Desktop {
  public:
    void open(const std::string&) override {}
};

class NoPower : public PowerControl {
  public:
    void request(ShutdownMode) override {}
};

class RigSettings : public EngineSettings {
  public:
    RigSettings(bool listOnly, std::string host) : listOnly_(listOnly), host_(std::move(host)) {}
    bool listOnly() const override { return listOnly_; }
    bool takeOnlyListed() const override { return false; }
    std::vector<std::string> importTypes() const override { return {}; }
    bool openListingInBrowser() const override { return false; }
    int scriptErrorFlag() const override { return 0; }
    bool checkUpdate() const override { return false; }
    std::string listingsHost() const override { return host_; }
    std::string updateHost() const override { return host_; }

  private:
    bool listOnly_;
    std::string host_;
};

}  // namespace

const std::vector<std::string>& rigChannels() {
    static const std::vector<std::string> channels = {"Canale 5", kFaultyChannel, "Rai Uno"};
    return channels;
}

Day rigDay() {
    return *Day::parse("20021205");
}

DownloadRig::DownloadRig() {
    // The site listens on 127.0.0.1: a proxy named for browsing must not catch the requests.
    ::setenv("no_proxy", "127.0.0.1,localhost", 1);
    ::setenv("NO_PROXY", "127.0.0.1,localhost", 1);
    dir.makeAppFolders();
    site.start();
    listingsHost = site.host();
    ProgrammeStore store(databaseFile());
    for (const std::string& channel : rigChannels()) {
        for (const ProgrammeRow& row : earlierRows(channel)) {
            store.insert(row);
        }
    }
}

std::filesystem::path DownloadRig::databaseFile() const {
    return ProgrammeStore::defaultFile(appFolder());
}

RigRun DownloadRig::run(int days) {
    RigRun result;
    ProgrammeStore store(databaseFile());
    if (busyTimeoutMs > 0) {
        store.database().setBusyTimeout(busyTimeoutMs);
    }
    LogOfEngine engineLog(result.log);
    LogOfDriver driverLog(result);
    AnswerEveryQuestion dialogs(answer);
    NoDesktop desktop;
    RigSettings settings(listOnly, listingsHost);
    CurlFetcher fetcher(limits);
    StoreSink sink(store);
    ScriptEngine engine(appFolder(),
                        EnginePorts{engineLog, dialogs, desktop, settings, fetcher, sink});
    EngineChannelDayRunner runner(engine);
    NoPower power;
    DownloadDriver driver(store, runner, driverLog, power);
    std::atomic<bool> stop{false};
    auto start = Clock::now();
    result.summary = driver.run(DownloadPlan{rigChannels(), rigDay(), days, {}}, stop);
    result.totalSeconds = secondsSince(start);
    return result;
}

std::vector<ProgrammeRow> DownloadRig::rows(const std::string& channel) const {
    ProgrammeStore store(databaseFile(), Database::Mode::ReadOnly);
    return store.channelDay(rigDay().number(), channel);
}

std::vector<ProgrammeRow> DownloadRig::expected(const std::string& channel) const {
    const ChannelInfo* info = findChannelByScriptName(channel + ".zdr");
    return samplesite::expectedRecords(
        *info, rigDay(), listingsHost,
        listOnly ? samplesite::DownloadMode::ListOnly : samplesite::DownloadMode::WithDetails);
}

std::vector<ProgrammeRow> DownloadRig::earlierRows(const std::string& channel) {
    std::vector<ProgrammeRow> rows;
    for (std::int64_t n = 1; n <= 2; ++n) {
        ProgrammeRow row;
        row.data = rigDay().number();
        row.ora = "0" + std::to_string(n) + ":00";
        row.titolo = "earlier " + std::to_string(n);
        row.palinsesto = channel;
        row.numerazione = n;
        rows.push_back(row);
    }
    return rows;
}

std::string DownloadRig::integrityCheck() const {
    Database db(databaseFile(), Database::Mode::ReadOnly);
    Statement check = db.prepare("PRAGMA integrity_check");
    return check.step() ? check.utf8(0) : "no answer";
}

std::vector<std::string> DownloadRig::filesUnder(const std::string& folder) const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir / folder)) {
        if (!entry.is_directory()) {
            names.push_back(entry.path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

void expectChannel(const DownloadRig& rig, const std::string& channel, Kept kept) {
    std::vector<ProgrammeRow> expected =
        kept == Kept::EarlierRows ? DownloadRig::earlierRows(channel) : rig.expected(channel);
    std::vector<ProgrammeRow> rows = rig.rows(channel);
    for (std::size_t i = 0; i < expected.size() && i < rows.size(); ++i) {
        if (kept == Kept::NewRowsWithoutCovers ||
            (kept == Kept::NewRowsWhereCoversFit && !rows[i].cover)) {
            expected[i].cover.reset();
        }
    }
    EXPECT_EQ(rows, expected) << channel;
}

}  // namespace zelidor::test
