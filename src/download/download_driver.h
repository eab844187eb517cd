// The download driver: for every chosen channel and one, two or seven days it replaces the
// stored programmes of the channel-day with what the channel's script finds, keeps the window
// informed, honours Stop between channel-days and can switch the computer off afterwards.
#pragma once

#include <atomic>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/day.h"
#include "download/channel_day_runner.h"
#include "download/download_display.h"
#include "download/power_control.h"
#include "engine/programme_store.h"

namespace zelidor {

// What the user chose, captured when the run starts: later changes to the window's lists do not
// reach a running download.
struct DownloadPlan {
    std::vector<std::string> channels;  // channel names in the order of the download list
    Day firstDay;
    int dayCount = 1;                      // 1, 2 or 7
    std::optional<ShutdownMode> shutdown;  // requested after the run when set
};

struct ChannelDayReport {
    std::string channel;
    Day day;
    ChannelDayOutcome outcome;
    bool committed = false;       // the new programmes replaced the old ones
    std::int64_t rowsStored = 0;  // programmes now stored for the channel-day by this run
    std::int64_t oldRows = 0;     // programmes stored before the run (kept unless committed)
    int coversRemoved = 0;        // covers of the replaced programmes that nothing names now
    std::optional<std::string> storeError;
};

struct DownloadSummary {
    std::vector<ChannelDayReport> channelDays;
    bool stopped = false;
    bool shutdownRequested = false;

    int committedCount() const;
    int keptCount() const;
    std::int64_t programmesStored() const;
};

class DownloadDriver {
  public:
    // coversDir is the folder the engine files covers in (AppFolder/covers): the covers of
    // replaced programmes that no programme names any more are removed from it.
    DownloadDriver(ProgrammeStore& store, ChannelDayRunner& runner, DownloadDisplay& display,
                   PowerControl& power, std::filesystem::path coversDir);

    // Runs the whole download. stop is examined between channel-days: the channel-day in
    // progress always finishes.
    DownloadSummary run(const DownloadPlan& plan, const std::atomic<bool>& stop);

    // "Network : Canale 5.zdr   Day : 05/12/2002 Import Complete..."
    static std::string completionLogLine(const std::string& scriptName, const Day& day);
    static std::string keptLogLine(const std::string& scriptName, const Day& day);

  private:
    void downloadChannel(const std::string& channel, const DownloadPlan& plan,
                         const std::atomic<bool>& stop, DownloadSummary& summary);
    ChannelDayReport downloadChannelDay(const std::string& channel, const Day& day);

    ProgrammeStore& store_;
    ChannelDayRunner& runner_;
    DownloadDisplay& display_;
    PowerControl& power_;
    std::filesystem::path coversDir_;
};

}  // namespace zelidor
