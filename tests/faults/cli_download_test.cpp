// zelidor-cli as a process of its own. Killed with SIGKILL in the middle of a download of every
// channel: the database opens sound, every channel-day committed before the kill is there whole,
// and every other channel-day still has its earlier programmes; none is half stored. And a
// listing cut short keeps the earlier day through the command line's own fetcher too.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <set>
#include <thread>

#include "support/child_process.h"
#include "support/download_rig.h"

namespace zelidor::test {
namespace {

using namespace std::chrono_literals;

std::vector<std::string> everyChannel() {
    std::vector<std::string> names;
    for (const ChannelInfo& channel : builtinChannels()) {
        names.emplace_back(channel.name);
    }
    return names;
}

// The channels whose day the download has replaced so far.
std::set<std::string> committedChannels(const DownloadRig& rig) {
    std::set<std::string> committed;
    for (const std::string& name : everyChannel()) {
        if (rig.rows(name) != DownloadRig::earlierRows(name)) {
            committed.insert(name);
        }
    }
    return committed;
}

// Arguments of a list-only download of kRigDay into the rig's folder; the rig expects the same.
std::vector<std::string> listOnlyDownload(DownloadRig& rig, std::vector<std::string> what) {
    rig.options.listOnly = true;
    rig.prepareForCli();
    what.insert(what.begin(), {"--app-folder", rig.app.path().string(), "download"});
    what.insert(what.end(), {"--list-only", "--from", kRigDay.stamp(), "--answers", "cancel"});
    return what;
}

TEST(KilledDownload, EveryCommittedChannelDayIsWholeAndNoneIsHalfStored) {
    DownloadRig rig;
    rig.storeEarlierRows(everyChannel());
    rig.site.setLatency(50ms);  // a download of all channels then takes a few seconds

    ChildProcess cli(builtProgram("zelidor-cli"), listOnlyDownload(rig, {"--all"}));
    std::set<std::string> beforeKill;
    for (auto start = std::chrono::steady_clock::now();
         beforeKill.size() < 5 && std::chrono::steady_clock::now() - start < 60s;) {
        std::this_thread::sleep_for(10ms);
        beforeKill = committedChannels(rig);
    }
    cli.kill(SIGKILL);
    ProcessEnd end = cli.wait();
    ASSERT_EQ(end.signal, SIGKILL) << end.err;

    EXPECT_EQ(rig.integrityCheck(), "ok");
    std::set<std::string> committed = committedChannels(rig);
    for (const std::string& name : everyChannel()) {
        expectChannel(rig, name, committed.contains(name) ? Kept::NewRows : Kept::EarlierRows);
    }
    for (const std::string& name : beforeKill) {
        EXPECT_TRUE(committed.contains(name)) << name << " was committed before the kill";
    }
    EXPECT_GE(committed.size(), 5u);
    EXPECT_LT(committed.size(), builtinChannels().size()) << "the kill came too late";
    std::printf("killed: %zu channel-days whole, %zu kept earlier, 0 half stored\n",
                committed.size(), builtinChannels().size() - committed.size());
}

TEST(CliDownload, AListingCutShortKeepsTheEarlierDay) {
    DownloadRig rig;
    rig.storeEarlierRows({"Italia 1"});
    rig.site.faults().add(samplesite::AddressPattern::containing("channel=Italia+1"),
                          samplesite::Fault::closeMidBody(3000));
    ProcessEnd end =
        ChildProcess(builtProgram("zelidor-cli"), listOnlyDownload(rig, {"--channel", "Italia 1"}))
            .wait();

    EXPECT_EQ(end.exitCode, 3) << end.err;  // a channel-day failed
    expectChannel(rig, "Italia 1", Kept::EarlierRows);
}

// Another program writes to the database (the window's own download, a compaction): the
// command line waits for it as long as it was told, then either downloads or gives up before it
// has fetched or changed anything, with its own exit code for a scheduled run.
TEST(CliDownload, ABusyDatabaseIsWaitedForOrLeftUntouched) {
    DownloadRig rig;
    rig.storeEarlierRows({"Italia 1"});
    Database other(ProgrammeStore::defaultFile(rig.app.path()));
    other.exec("BEGIN IMMEDIATE");
    ProcessEnd busy =
        ChildProcess(builtProgram("zelidor-cli"),
                     listOnlyDownload(rig, {"--channel", "Italia 1", "--wait-busy", "1"}))
            .wait();
    EXPECT_EQ(busy.exitCode, 75) << busy.err;
    EXPECT_NE(busy.err.find("is busy"), std::string::npos) << busy.err;
    EXPECT_EQ(rig.site.requestCounts().listing, 0u);
    other.exec("ROLLBACK");
    expectChannel(rig, "Italia 1", Kept::EarlierRows);

    other.exec("BEGIN IMMEDIATE");
    ChildProcess waiting(builtProgram("zelidor-cli"),
                         listOnlyDownload(rig, {"--channel", "Italia 1", "--wait-busy", "60"}));
    std::this_thread::sleep_for(500ms);
    other.exec("ROLLBACK");
    ProcessEnd waited = waiting.wait();
    EXPECT_EQ(waited.exitCode, 0) << waited.err;
    expectChannel(rig, "Italia 1", Kept::NewRows);
}

}  // namespace
}  // namespace zelidor::test
