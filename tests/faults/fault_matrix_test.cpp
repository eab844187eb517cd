// The download against a listings site that misbehaves, and against a database and a disk that
// fail. Whatever goes wrong, the failing channel-day ends in bounded time, the log says so, the
// programmes stored before are kept unless a whole new day replaced them, every other
// channel-day is downloaded as usual, and the database stays sound.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>

#include "download_rig.h"
#include "fault_figures.h"
#include "support/local_server.h"

namespace zelidor::test {
namespace {

using namespace std::chrono_literals;
using samplesite::AddressPattern;
using samplesite::Fault;

const AddressPattern kFaultyListing = AddressPattern::containing("channel=Italia+1");
const AddressPattern kPosters = AddressPattern::containing("/statiche/media/");

// Whatever a scenario holds on to while the download runs (a lock, a mount), released after.
using Holder = std::shared_ptr<void>;

// A small tmpfs over a folder for as long as the object lives (root only).
class SmallDisk {
  public:
    explicit SmallDisk(std::string folder) : folder_(std::move(folder)) {
        mounted_ =
            ::geteuid() == 0 && ::mount("tmpfs", folder_.c_str(), "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallDisk() {
        if (mounted_) {
            ::umount2(folder_.c_str(), MNT_DETACH);
        }
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    bool mounted() const { return mounted_; }

  private:
    std::string folder_;
    bool mounted_ = false;
};

// covers/ on a 64 KiB file system of its own, so covers stop fitting after a dozen or so.
Holder coversOnSmallDisk(DownloadRig& rig) {
    rig.listOnly = false;
    auto disk = std::make_shared<SmallDisk>((rig.dir / "covers").string());
    return disk->mounted() ? disk : nullptr;
}

// Another connection holds the write lock for the whole download.
Holder databaseLockedElsewhere(DownloadRig& rig) {
    auto other = std::make_shared<Database>(rig.databaseFile());
    other->exec("BEGIN IMMEDIATE");
    rig.busyTimeoutMs = 200;
    return other;
}

struct Scenario {
    const char* name;
    std::function<Holder(DownloadRig&)> arrange;
    Kept faulty;          // how the failing channel-day ends up
    Kept others;          // how the other channel-days end up
    const char* logged;   // what the log says about it
    double boundSeconds;  // the failing channel-day ends within this
};

void PrintTo(const Scenario& scenario, std::ostream* out) {
    *out << scenario.name;
}

const Scenario kScenarios[] = {
    {"refused connection (closed port)",
     [](DownloadRig& rig) {
         rig.listingsHost = "127.0.0.1:" + std::to_string(closedPort());
         return Holder();
     },
     Kept::EarlierRows, Kept::EarlierRows, "ERRORE DI CONNESSIONE AL SITO", 5},
    {"HTTP 500 on a listing",
     [](DownloadRig& rig) {
         rig.site.faults().add(kFaultyListing, Fault::refuse(500));
         return Holder();
     },
     Kept::EarlierRows, Kept::NewRows, "ERRORE DI CONNESSIONE AL SITO", 5},
    {"404 on posters",
     [](DownloadRig& rig) {
         rig.listOnly = false;
         rig.site.faults().add(kPosters, Fault::refuse(404));
         return Holder();
     },
     Kept::NewRowsWithoutCovers, Kept::NewRowsWithoutCovers, "Import Complete...", 30},
    {"listing stalls past the low-speed limit",
     [](DownloadRig& rig) {
         rig.site.faults().add(kFaultyListing, Fault::stallMidBody(30s, 3000));
         return Holder();
     },
     Kept::EarlierRows, Kept::NewRows, "ERRORE DI CONNESSIONE AL SITO", 10},
    {"listing cut short (connection closed)",
     [](DownloadRig& rig) {
         rig.site.faults().add(kFaultyListing, Fault::closeMidBody(3000));
         return Holder();
     },
     Kept::EarlierRows, Kept::NewRows, "ERRORE DI CONNESSIONE AL SITO", 5},
    {"listing of garbage bytes",
     [](DownloadRig& rig) {
         rig.site.faults().add(kFaultyListing, Fault::garbage());
         return Holder();
     },
     Kept::EarlierRows, Kept::NewRows, "Conservati I Dati Precedenti", 5},
    {"100 MB listing page",
     [](DownloadRig& rig) {
         rig.site.faults().add(kFaultyListing, Fault::hugePage(100));
         return Holder();
     },
     Kept::NewRows, Kept::NewRows, "Italia 1.zdr   Day : 05/12/2002 Import Complete...", 120},
    {"poster that is not a picture",
     [](DownloadRig& rig) {
         rig.listOnly = false;
         rig.site.faults().add(kPosters, Fault::garbage(4096));
         return Holder();
     },
     Kept::NewRowsWithoutCovers, Kept::NewRowsWithoutCovers, "Import Complete...", 30},
    {"no start marker, every box Retry",
     [](DownloadRig& rig) {
         rig.answer = Answer::Retry;  // the script loops until the line budget ends it
         rig.site.faults().add(kFaultyListing, Fault::noStartMarker());
         return Holder();
     },
     Kept::EarlierRows, Kept::NewRows, "Conservati I Dati Precedenti", 60},
    {"database locked by another connection", databaseLockedElsewhere, Kept::EarlierRows,
     Kept::EarlierRows, "ERRORE DATABASE", 5},
    {"disk full for covers/", coversOnSmallDisk, Kept::NewRowsWhereCoversFit,
     Kept::NewRowsWhereCoversFit, "Import Complete...", 30},
};

class FaultMatrix : public testing::TestWithParam<Scenario> {};

std::int64_t earlierRowsKept(const DownloadRig& rig) {
    std::int64_t kept = 0;
    for (const std::string& channel : rigChannels()) {
        std::vector<ProgrammeRow> rows = rig.rows(channel);
        if (rows == DownloadRig::earlierRows(channel)) {
            kept += static_cast<std::int64_t>(rows.size());
        }
    }
    return kept;
}

bool logHas(const RigRun& run, const std::string& text) {
    return std::any_of(run.log.begin(), run.log.end(), [&](const std::string& line) {
        return line.find(text) != std::string::npos;
    });
}

TEST_P(FaultMatrix, TheFailingChannelDayEndsInTimeAndNothingElseIsLost) {
    const Scenario& scenario = GetParam();
    DownloadRig rig;
    rig.listOnly = true;
    Holder holder = scenario.arrange(rig);
    if (scenario.faulty == Kept::NewRowsWhereCoversFit && !holder) {
        GTEST_SKIP() << "mounting a small tmpfs on covers/ needs root";
    }
    RigRun run = rig.run();

    double seconds = run.seconds[kFaultyChannel];
    EXPECT_LT(seconds, scenario.boundSeconds);
    EXPECT_TRUE(logHas(run, scenario.logged)) << testing::PrintToString(run.log);
    if (scenario.faulty == Kept::EarlierRows) {
        EXPECT_TRUE(logHas(run, DownloadDriver::keptLogLine("Italia 1.zdr", rigDay())));
    }
    for (const std::string& channel : rigChannels()) {
        expectChannel(rig, channel, channel == kFaultyChannel ? scenario.faulty : scenario.others);
    }
    EXPECT_EQ(rig.integrityCheck(), "ok");
    // Nothing but the engine's own work files stays behind, and every cover is one in use.
    for (const std::string& name : rig.filesUnder("TempDir")) {
        EXPECT_TRUE(std::set<std::string>(
                        {"html.txt", "html1.txt", "FileWebB.txt", "FileWeb.txt", "buffercover.jpg"})
                        .count(name))
            << name;
    }
    std::set<std::string> coversInUse;
    for (const std::string& channel : rigChannels()) {
        for (const ProgrammeRow& row : rig.rows(channel)) {
            if (row.cover) {
                coversInUse.insert(*row.cover);
            }
        }
    }
    std::vector<std::string> coverFiles = rig.filesUnder("covers");
    EXPECT_EQ(std::set<std::string>(coverFiles.begin(), coverFiles.end()), coversInUse);
    if (scenario.faulty == Kept::NewRowsWhereCoversFit) {  // the disk did fill up
        std::size_t wanted = 0;
        for (const std::string& channel : rigChannels()) {
            for (const ProgrammeRow& row : rig.expected(channel)) {
                wanted += row.cover ? 1 : 0;
            }
        }
        EXPECT_GT(coverFiles.size(), 0u);
        EXPECT_LT(coverFiles.size(), wanted);
    }

    const ChannelDayReport& report = run.summary.channelDays.at(1);
    std::string outcome = report.committed    ? std::to_string(report.rowsStored) + " new stored"
                          : report.storeError ? "database refused, earlier kept"
                                              : "earlier kept";
    if (scenario.faulty == Kept::NewRowsWhereCoversFit) {
        outcome += ", " + std::to_string(coverFiles.size()) + " covers fitted";
    }
    recordFigure({scenario.name, outcome, seconds, earlierRowsKept(rig)});
}

INSTANTIATE_TEST_SUITE_P(Download, FaultMatrix, testing::ValuesIn(kScenarios));

}  // namespace
}  // namespace zelidor::test
