// A download as the program makes it, for fault tests: the real engine over libcurl with short
// time-outs, the download driver and the programme database of a temporary application folder,
// against the bundled sample site, which misbehaves as a test asks. Every channel-day starts
// with two earlier programmes stored, so a test sees whether a failure kept them.
#pragma once

#include <chrono>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "common/dialogs.h"
#include "download/download_driver.h"
#include "engine/fetch/curl_fetcher.h"
#include "samplesite/expected_records.h"
#include "samplesite/sample_site.h"
#include "support/temp_dir.h"

namespace zelidor {

// Readable rows in failure messages.
void PrintTo(const ProgrammeRow& row, std::ostream* out);

}  // namespace zelidor

namespace zelidor::test {

// The channels of a rig's download, in order; the middle one is the one tests make fail.
const std::vector<std::string>& rigChannels();
inline constexpr const char* kFaultyChannel = "Italia 1";
Day rigDay();

struct RigRun {
    DownloadSummary summary;
    std::vector<std::string> log;           // the download log, engine and driver lines
    std::map<std::string, double> seconds;  // how long each channel's day took
    double totalSeconds = 0;
};

class DownloadRig {
  public:
    DownloadRig();

    // One download of rigChannels() for 1, 2 or 7 days from rigDay().
    RigRun run(int days = 1);

    const std::filesystem::path& appFolder() const { return dir.path(); }
    std::filesystem::path databaseFile() const;
    // The programmes of a channel on rigDay(), read through a connection of their own.
    std::vector<ProgrammeRow> rows(const std::string& channel) const;
    // What the site's listing yields for the channel (covers as filed into an empty folder).
    std::vector<ProgrammeRow> expected(const std::string& channel) const;
    static std::vector<ProgrammeRow> earlierRows(const std::string& channel);
    // PRAGMA integrity_check of the programme database ("ok" when sound).
    std::string integrityCheck() const;
    // Names of the files under a folder of the application folder, recursively.
    std::vector<std::string> filesUnder(const std::string& folder) const;

    samplesite::SampleSite site;
    TempDir dir;
    std::string listingsHost;        // the site's host unless a test points elsewhere
    bool listOnly = true;            // detail pages and posters are fetched only when false
    Answer answer = Answer::Cancel;  // to every question box of the engine
    FetchLimits limits{std::chrono::seconds(2), 1, std::chrono::seconds(1)};
    int busyTimeoutMs = 0;  // 0 keeps the store's own
};

// How a channel-day must end up.
enum class Kept {
    EarlierRows,
    NewRows,
    NewRowsWithoutCovers,
    NewRowsWhereCoversFit,  // some covers may be missing, the rest is as usual
};

// Asserts that the channel's rows are what `kept` says.
void expectChannel(const DownloadRig& rig, const std::string& channel, Kept kept);

}  // namespace zelidor::test
