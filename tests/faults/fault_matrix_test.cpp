// The download against a listings site that misbehaves, and against a database and a disk that
// fail. Whatever goes wrong, the failing channel-day ends in bounded time, the log says so, the
// programmes stored before are kept unless a whole new day replaced them, every other
// channel-day is downloaded as usual, the database stays sound and no stray file is left.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

#include "samplesite/sample_listing.h"
#include "support/download_rig.h"
#include "support/local_server.h"

namespace zelidor::test {
namespace {

using namespace std::chrono_literals;
using samplesite::AddressPattern;
using samplesite::Fault;

// The middle channel is the one that meets the fault.
const std::vector<std::string> kChannels = {"Canale 5", "Italia 1", "Rai Uno"};
const std::string kFaulty = "Italia 1";
const AddressPattern kFaultyListing = AddressPattern::containing("channel=Italia+1");
const AddressPattern kPosters = AddressPattern::containing("/statiche/media/");

// Whatever a scenario holds on to while the download runs (a lock, a mount), released after;
// no holder at all when the scenario cannot be set up here.
using Holder = std::shared_ptr<void>;

Holder nothingHeld() {
    return std::make_shared<int>();
}

// covers/ on a 64 KiB tmpfs of its own (root only), so covers stop fitting after a dozen or so.
struct Mount {
    explicit Mount(std::string at) : folder(std::move(at)) {}
    ~Mount() { ::umount2(folder.c_str(), MNT_DETACH); }
    std::string folder;
};
Holder coversOnSmallDisk(DownloadRig& rig) {
    rig.options.listOnly = false;
    std::string folder = (rig.app / "covers").string();
    if (::geteuid() != 0 || ::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k") != 0) {
        return nullptr;
    }
    return std::make_shared<Mount>(folder);
}

// Another process (the sqlite3 shell) holds the write lock for the whole download; closing its
// input ends it and frees the lock.
struct LockingProcess {
    ~LockingProcess() {
        ::close(input);
        if (pid > 0) {
            int status = 0;
            ::waitpid(pid, &status, 0);
        }
    }
    pid_t pid = -1;
    int input = -1;
};

Holder databaseLockedByAnotherProcess(DownloadRig& rig) {
    int toShell[2];
    int fromShell[2];
    if (::pipe2(toShell, O_CLOEXEC) != 0 || ::pipe2(fromShell, O_CLOEXEC) != 0) {
        return nullptr;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, toShell[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, fromShell[1], STDOUT_FILENO);
    std::string file = ProgrammeStore::defaultFile(rig.app.path()).string();
    char* argv[] = {const_cast<char*>("sqlite3"), file.data(), nullptr};
    auto holder = std::make_shared<LockingProcess>();
    int spawned = ::posix_spawnp(&holder->pid, "sqlite3", &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(toShell[0]);
    ::close(fromShell[1]);
    holder->input = toShell[1];
    if (spawned != 0) {
        ::close(fromShell[0]);
        holder->pid = -1;
        return nullptr;
    }
    // The shell answers only once it holds the lock.
    const std::string commands = ".bail on\nBEGIN IMMEDIATE;\nSELECT 'locked';\n";
    bool written = ::write(holder->input, commands.data(), commands.size()) ==
                   static_cast<ssize_t>(commands.size());
    std::string answer;
    char chunk[64];
    for (ssize_t got; written && answer.find("locked") == std::string::npos &&
                      (got = ::read(fromShell[0], chunk, sizeof chunk)) > 0;) {
        answer.append(chunk, static_cast<std::size_t>(got));
    }
    ::close(fromShell[0]);
    if (answer.find("locked") == std::string::npos) {
        ADD_FAILURE() << "the sqlite3 shell did not take the lock: " << answer;
        return nullptr;
    }
    rig.store.database().setBusyTimeout(200);
    return holder;
}

// One detail page of the faulty channel answers nothing at all.
Holder stalledDetailPage(DownloadRig& rig) {
    rig.options.listOnly = false;
    const std::string code =
        samplesite::sampleListing(*findChannelByScriptName(kFaulty + ".zdr"), kRigDay)
            .programmes.front()
            .code;
    rig.site.faults().add(AddressPattern::containing("codice=" + code), Fault::stallBefore(30s));
    return nothingHeld();
}

// A fault on every address that matches the pattern.
std::function<Holder(DownloadRig&)> on(AddressPattern pattern, Fault fault, bool listOnly = true) {
    return [=](DownloadRig& rig) -> Holder {
        rig.options.listOnly = listOnly;
        rig.site.faults().add(pattern, fault);
        return nothingHeld();
    };
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
         return nothingHeld();
     },
     Kept::EarlierRows, Kept::EarlierRows, "ERRORE DI CONNESSIONE AL SITO", 5},
    {"HTTP 500 on a listing", on(kFaultyListing, Fault::refuse(500)), Kept::EarlierRows,
     Kept::NewRows, "ERRORE DI CONNESSIONE AL SITO", 5},
    {"404 on posters", on(kPosters, Fault::refuse(404), false), Kept::NewRowsWithoutCovers,
     Kept::NewRowsWithoutCovers, "Import Complete...", 30},
    {"listing stalls past the low-speed limit", on(kFaultyListing, Fault::stallMidBody(30s, 3000)),
     Kept::EarlierRows, Kept::NewRows, "ERRORE DI CONNESSIONE AL SITO", 10},
    {"listing cut short (connection closed)", on(kFaultyListing, Fault::closeMidBody(3000)),
     Kept::EarlierRows, Kept::NewRows, "ERRORE DI CONNESSIONE AL SITO", 5},
    {"detail page that never answers", stalledDetailPage, Kept::NewRowsFirstWithoutDetails,
     Kept::NewRows, "Italia 1.zdr   Day : 05/12/2002 Import Complete...", 30},
    {"listing of garbage bytes", on(kFaultyListing, Fault::garbage()), Kept::EarlierRows,
     Kept::NewRows, "Conservati I Dati Precedenti", 5},
    {"100 MB listing page", on(kFaultyListing, Fault::hugePage(100)), Kept::NewRows, Kept::NewRows,
     "Italia 1.zdr   Day : 05/12/2002 Import Complete...", 120},
    {"poster that is not a picture", on(kPosters, Fault::garbage(4096), false),
     Kept::NewRowsWithoutCovers, Kept::NewRowsWithoutCovers, "Import Complete...", 30},
    {"no start marker, every box Retry",
     [](DownloadRig& rig) {
         rig.answer = Answer::Retry;  // the script loops until the line budget ends it
         return on(kFaultyListing, Fault::noStartMarker())(rig);
     },
     Kept::EarlierRows, Kept::NewRows, "Conservati I Dati Precedenti", 60},
    {"database locked by another process", databaseLockedByAnotherProcess, Kept::EarlierRows,
     Kept::EarlierRows, "ERRORE DATABASE", 5},
    {"disk full for covers/", coversOnSmallDisk, Kept::NewRowsWhereCoversFit,
     Kept::NewRowsWhereCoversFit, "Import Complete...", 30},
};

class FaultMatrix : public testing::TestWithParam<Scenario> {};

bool logHas(const DownloadRig& rig, const std::string& text) {
    return std::any_of(rig.log.begin(), rig.log.end(), [&](const std::string& line) {
        return line.find(text) != std::string::npos;
    });
}

TEST_P(FaultMatrix, TheFailingChannelDayEndsInTimeAndNothingElseIsLost) {
    const Scenario& scenario = GetParam();
    DownloadRig rig;
    rig.storeEarlierRows(kChannels);
    Holder holder = scenario.arrange(rig);
    if (!holder) {
        GTEST_SKIP() << "cannot be set up here: a small tmpfs on covers/ needs root, the lock "
                        "needs the sqlite3 program";
    }
    DownloadSummary summary = rig.download(kChannels);

    EXPECT_LT(rig.seconds[kFaulty], scenario.boundSeconds);
    EXPECT_TRUE(logHas(rig, scenario.logged)) << testing::PrintToString(rig.log);
    if (scenario.faulty == Kept::EarlierRows) {
        EXPECT_TRUE(logHas(rig, DownloadDriver::keptLogLine(kFaulty + ".zdr", kRigDay)));
    }
    for (const std::string& channel : kChannels) {
        expectChannel(rig, channel, channel == kFaulty ? scenario.faulty : scenario.others);
    }
    EXPECT_EQ(rig.integrityCheck(), "ok");
    rig.expectTidyFolders();
    std::size_t covers = rig.filesUnder("covers").size();
    if (scenario.faulty == Kept::NewRowsWhereCoversFit) {  // the disk did fill up
        std::vector<ProgrammeRow> wanted = rig.expected(kChannels);
        EXPECT_GT(covers, 0u);
        EXPECT_LT(covers, static_cast<std::size_t>(std::count_if(
                              wanted.begin(), wanted.end(),
                              [](const ProgrammeRow& row) { return row.cover.has_value(); })));
    }

    const ChannelDayReport& report = summary.channelDays.at(1);
    std::printf("%s: %s, %zu covers, after %.2f s\n", scenario.name,
                report.committed    ? (std::to_string(report.rowsStored) + " new stored").c_str()
                : report.storeError ? "database refused, earlier kept"
                                    : "earlier kept",
                covers, rig.seconds[kFaulty]);
}

INSTANTIATE_TEST_SUITE_P(Download, FaultMatrix, testing::ValuesIn(kScenarios));

}  // namespace
}  // namespace zelidor::test
