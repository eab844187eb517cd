// zelidor-cli as a process of its own. Killed with SIGKILL in the middle of a download of every
// channel: the database opens sound, every channel-day committed before the kill is there whole,
// and every other channel-day still has its earlier programmes; none is half stored. And a
// listing cut short keeps the earlier day through the command line's own fetcher too.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>
#include <csignal>
#include <set>
#include <thread>

#include "child_process.h"
#include "download_rig.h"
#include "fault_figures.h"

namespace zelidor::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// The channels whose day the download has replaced so far.
std::set<std::string> committedChannels(const DownloadRig& rig) {
    std::set<std::string> committed;
    for (const ChannelInfo& channel : builtinChannels()) {
        std::string name(channel.name);
        if (rig.rows(name) != DownloadRig::earlierRows(name)) {
            committed.insert(name);
        }
    }
    return committed;
}

TEST(KilledDownload, EveryCommittedChannelDayIsWholeAndNoneIsHalfStored) {
    DownloadRig rig;
    {
        ProgrammeStore store(rig.databaseFile());
        for (const ChannelInfo& channel : builtinChannels()) {
            std::string name(channel.name);
            if (rig.rows(name).empty()) {
                for (const ProgrammeRow& row : DownloadRig::earlierRows(name)) {
                    store.insert(row);
                }
            }
        }
    }
    prepareCliFolder(rig.appFolder(), rig.listingsHost);
    rig.site.setLatency(50ms);  // a download of all channels then takes a few seconds

    ChildProcess cli(cliProgram(),
                     {"--app-folder", rig.appFolder().string(), "download", "--all", "--list-only",
                      "--from", rigDay().stamp(), "--answers", "cancel"},
                     rig.dir / "cli");
    std::set<std::string> beforeKill;
    for (auto start = Clock::now(); beforeKill.size() < 5 && Clock::now() - start < 60s;) {
        std::this_thread::sleep_for(10ms);
        beforeKill = committedChannels(rig);
    }
    cli.kill(SIGKILL);
    ChildProcess::Exit exit = cli.wait();
    ASSERT_TRUE(WIFSIGNALED(exit.status)) << exit.errors;

    auto reopened = Clock::now();
    EXPECT_EQ(rig.integrityCheck(), "ok");
    double recoverSeconds = std::chrono::duration<double>(Clock::now() - reopened).count();
    std::set<std::string> committed = committedChannels(rig);
    for (const ChannelInfo& channel : builtinChannels()) {
        std::string name(channel.name);
        expectChannel(rig, name, committed.count(name) ? Kept::NewRows : Kept::EarlierRows);
    }
    for (const std::string& name : beforeKill) {
        EXPECT_TRUE(committed.count(name)) << name << " was committed before the kill";
    }
    EXPECT_GE(committed.size(), 5u);
    EXPECT_LT(committed.size(), builtinChannels().size()) << "the kill came too late";

    std::size_t kept = builtinChannels().size() - committed.size();
    recordFigure({"SIGKILL mid-download (zelidor-cli)",
                  std::to_string(committed.size()) + " channel-days whole, " +
                      std::to_string(kept) + " kept earlier, 0 half stored",
                  recoverSeconds, static_cast<std::int64_t>(kept * 2)});
}

TEST(CliDownload, AListingCutShortKeepsTheEarlierDay) {
    DownloadRig rig;
    prepareCliFolder(rig.appFolder(), rig.listingsHost);
    rig.site.faults().add(samplesite::AddressPattern::containing("channel=Italia+1"),
                          samplesite::Fault::closeMidBody(3000));
    ChildProcess cli(cliProgram(),
                     {"--app-folder", rig.appFolder().string(), "download", "--channel",
                      kFaultyChannel, "--list-only", "--from", rigDay().stamp()},
                     rig.dir / "cli");
    ChildProcess::Exit exit = cli.wait();

    EXPECT_EQ(WEXITSTATUS(exit.status), 3) << exit.errors;  // a channel-day failed
    expectChannel(rig, kFaultyChannel, Kept::EarlierRows);
}

}  // namespace
}  // namespace zelidor::test
