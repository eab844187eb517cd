#include "download/download_driver.h"

#include <exception>
#include <utility>

#include "download/cover_sweep.h"

namespace zelidor {

namespace {

constexpr int kMaxDays = 7;

std::int64_t countChannelDay(ProgrammeStore& store, const Day& day, const std::string& channel) {
    Statement count = store.database().prepare(
        "SELECT count(*) FROM Programmi WHERE Data = ? AND fold(Palinsesto) = fold(?)");
    count.bind(1, day.number()).bindLatin1(2, std::string_view(channel));
    count.step();
    return count.integer(0);
}

}  // namespace

int DownloadSummary::committedCount() const {
    int n = 0;
    for (const auto& report : channelDays) {
        n += report.committed ? 1 : 0;
    }
    return n;
}

int DownloadSummary::keptCount() const {
    return static_cast<int>(channelDays.size()) - committedCount();
}

std::int64_t DownloadSummary::programmesStored() const {
    std::int64_t n = 0;
    for (const auto& report : channelDays) {
        n += report.committed ? report.rowsStored : 0;
    }
    return n;
}

DownloadDriver::DownloadDriver(ProgrammeStore& store, ChannelDayRunner& runner,
                               DownloadDisplay& display, PowerControl& power,
                               std::filesystem::path coversDir)
    : store_(store),
      runner_(runner),
      display_(display),
      power_(power),
      coversDir_(std::move(coversDir)) {}

std::string DownloadDriver::completionLogLine(const std::string& scriptName, const Day& day) {
    return "Network : " + scriptName + "   Day : " + day.slashed() + " Import Complete...";
}

std::string DownloadDriver::keptLogLine(const std::string& scriptName, const Day& day) {
    return "Network : " + scriptName + "   Day : " + day.slashed() +
           " Nessun Programma Importato, Conservati I Dati Precedenti";
}

DownloadSummary DownloadDriver::run(const DownloadPlan& plan, const std::atomic<bool>& stop) {
    DownloadSummary summary;
    runner_.startSession();
    const int dayMaximum = plan.dayCount;
    display_.runStarted(1 + static_cast<int>(plan.channels.size()), dayMaximum);
    int channelsDone = 0;
    for (const std::string& channel : plan.channels) {
        if (stop.load()) {
            break;
        }
        downloadChannel(channel, plan, stop, summary);
        display_.channelProgress(++channelsDone);
        display_.dayProgress(0);
        display_.showCalendarDay(plan.firstDay);
    }
    summary.stopped = stop.load();
    display_.channelProgress(++channelsDone);
    display_.dayProgress(dayMaximum);
    display_.showRunStatus("Import Completed !", StatusColour::Green);
    display_.runFinished();
    if (plan.shutdown) {
        summary.shutdownRequested = true;
        power_.request(*plan.shutdown);
    }
    return summary;
}

void DownloadDriver::downloadChannel(const std::string& channel, const DownloadPlan& plan,
                                     const std::atomic<bool>& stop, DownloadSummary& summary) {
    if (stop.load()) {
        return;
    }
    const std::string scriptName = channel + ".zdr";
    int daysDone = 0;
    for (int d = 1; d <= kMaxDays; ++d) {
        const Day day = plan.firstDay.plusDays(d - 1);
        if (d > 1) {
            display_.showCalendarDay(day);
        }
        display_.showRunStatus("Download In Progress...Please Wait", StatusColour::DarkRed);
        ChannelDayReport report = downloadChannelDay(channel, day);
        display_.dayProgress(++daysDone);
        if (d > 1) {
            display_.resetLiveView();
        }
        if (!report.committed) {
            display_.appendLog(keptLogLine(scriptName, day));
        }
        display_.appendLog(completionLogLine(scriptName, day));
        summary.channelDays.push_back(std::move(report));
        if (stop.load() || d >= plan.dayCount) {
            return;
        }
    }
}

// Removing the old programmes and storing the new ones is one transaction: it is committed only
// when the listing was fetched and at least one programme was stored, so a failed fetch, an
// invalid script or a page that yields nothing never wipes what the user already had. Once the
// new programmes are committed, the covers only the replaced ones named are removed.
ChannelDayReport DownloadDriver::downloadChannelDay(const std::string& channel, const Day& day) {
    ChannelDayReport report;
    report.channel = channel;
    report.day = day;
    std::vector<std::string> replacedCovers;
    try {
        Transaction transaction(store_.database());
        replacedCovers = filedCoversOf(store_, day.number(), channel);
        report.oldRows = store_.deleteChannelDay(day.number(), channel);
        report.outcome = runner_.runChannelDay(channel + ".zdr", day.stamp());
        report.rowsStored = countChannelDay(store_, day, channel);
        if (report.outcome.listingFetched && report.rowsStored > 0) {
            transaction.commit();
            report.committed = true;
        }
    } catch (const std::exception& e) {
        report.storeError = e.what();
        report.committed = false;
        display_.appendLog("ERRORE DATABASE : " + std::string(e.what()));
    }
    if (report.committed) {
        report.coversRemoved = removeUnnamedCovers(store_, coversDir_, replacedCovers);
    }
    return report;
}

}  // namespace zelidor
