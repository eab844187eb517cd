// A download as the program makes it, for end-to-end and fault tests: the bundled sample site on
// an ephemeral port, an application folder holding the shipped channel files, and the real
// engine, libcurl fetcher (with short time-outs), stored settings, download driver and programme
// store. The site misbehaves as a test asks and knows the exact rows a correct download stores.
// The rig is also the download window: it keeps the log and every box, and gives every question
// the same answer.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "download/download_driver.h"
#include "download/engine_runner.h"
#include "download/stored_settings.h"
#include "engine/fetch/curl_fetcher.h"
#include "samplesite/expected_records.h"
#include "samplesite/sample_site.h"
#include "support/format_example.h"
#include "support/temp_dir.h"

namespace zelidor::test {

inline const Day kRigDay{2002, 12, 5};

// An application folder holding the shipped channel files, as the catalogue and zelidor-cli
// read them.
struct AppFolder : TempDir {
    AppFolder();
};

class DownloadRig : public DownloadDisplay,
                    public EngineDisplay,
                    public Dialogs,
                    public Desktop,
                    public PowerControl {
  public:
    DownloadRig();

    // One engine serves every download of the rig, as one serves a whole program run. It is made
    // at the first download, with the options and hosts set by then.
    DownloadSummary download(const std::vector<std::string>& channels, const Day& first = kRigDay,
                             int days = 1);

    // What a correct download stores, in order (covers as filed into an empty folder); the mode
    // follows options.listOnly unless given.
    std::vector<ProgrammeRow> expected(const std::vector<std::string>& channels,
                                       const Day& first = kRigDay, int days = 1,
                                       std::optional<samplesite::DownloadMode> mode = {}) const;
    // Read through a connection of their own: every row in the order stored, or a channel-day's.
    std::vector<ProgrammeRow> storedRows() const;
    std::vector<ProgrammeRow> rows(const std::string& channel, const Day& day = kRigDay) const;

    // Two programmes of a channel on kRigDay, stored before a download so that a test sees
    // whether a failure kept them.
    static std::vector<ProgrammeRow> earlierRows(const std::string& channel);
    void storeEarlierRows(const std::vector<std::string>& channels);

    std::string integrityCheck() const;  // "ok" when the programme database is sound
    // TempDir holds nothing but the engine's own work files, and covers/ exactly the pictures
    // the stored rows name.
    void expectTidyFolders() const;
    std::vector<std::string> filesUnder(const std::string& folder) const;
    // Settings for zelidor-cli run on the rig's folder: the rig's listings host, no update check.
    void prepareForCli();

    AppFolder app;
    samplesite::SampleSite site;
    std::string listingsHost;  // the site's, unless a test points elsewhere
    DownloadOptions options;
    ConfigStore config{app.path()};
    ImportTypeStore types{app.path()};
    ProgrammeStore store{ProgrammeStore::defaultFile(app.path())};
    Answer answer = Answer::Cancel;
    std::atomic<bool> stop{false};
    std::function<void(int channelDay)> whileReading;  // called as each title is read
    std::vector<std::string> log, boxes;
    // Per channel: from the driver's start of its day (the store's work included) to its log line.
    std::map<std::string, double> seconds;

  private:
    void showRunStatus(const std::string& text, StatusColour) override;
    void appendLog(const std::string& line) override;
    void showField(RecordField field, const std::string&) override {
        if (field == RecordField::Title && whileReading) {
            whileReading(channelDaysStarted_);
        }
    }
    void message(const std::string&, const std::string& text, MessageIcon) override {
        boxes.push_back(text);
    }
    Answer question(const std::string&, const std::string& text) override {
        boxes.push_back(text);
        return answer;
    }
    void open(const std::string& address) override { boxes.push_back("open " + address); }
    void request(ShutdownMode) override {}

    CurlFetcher fetcher_{FetchLimits{std::chrono::seconds(2), 1, std::chrono::seconds(1)}};
    StoreSink sink_{store};
    std::optional<StoredEngineSettings> settings_;
    std::unique_ptr<ScriptEngine> engine_;
    int channelDaysStarted_ = 0;
    std::chrono::steady_clock::time_point dayStarted_;
};

// How a channel-day must end up after a download that met a fault.
enum class Kept {
    EarlierRows,
    NewRows,
    NewRowsWithoutCovers,
    NewRowsWhereCoversFit,       // some covers may be missing, the rest is as usual
    NewRowsFirstWithoutDetails,  // the first programme has neither description nor cover
};
void expectChannel(const DownloadRig& rig, const std::string& channel, Kept kept);

// Row for row, naming the first difference (a whole listing is too long to print).
testing::AssertionResult sameRows(const std::vector<ProgrammeRow>& stored,
                                  const std::vector<ProgrammeRow>& expected);

}  // namespace zelidor::test
