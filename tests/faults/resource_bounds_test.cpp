// What a download may take from the machine: its memory does not grow with the size of a page
// (measured as the peak resident memory of zelidor-cli), a single page line of 50 MB is read
// like any other, and many channel-days leave no temporary files behind.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <set>

#include "child_process.h"
#include "download_rig.h"
#include "fault_figures.h"
#include "samplesite/site_pages.h"
#include "support/local_server.h"

namespace zelidor::test {
namespace {

constexpr long kMiB = 1024;  // in KiB, the unit of the peak

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif

// zelidor-cli downloads the listing of Italia 1 from host; returns its peak memory in KiB.
long peakOfListingDownload(DownloadRig& rig, const std::string& host) {
    prepareCliFolder(rig.appFolder(), host);
    ChildProcess cli(
        cliProgram(),
        {"--app-folder", rig.appFolder().string(), "download", "--channel", kFaultyChannel,
         "--list-only", "--from", rigDay().stamp(), "--answers", "cancel"},
        rig.dir / "cli");
    ChildProcess::Exit exit = cli.wait();
    EXPECT_TRUE(WIFEXITED(exit.status) && WEXITSTATUS(exit.status) == 0) << exit.errors;
    return exit.peakKib;
}

class ResourceBounds : public testing::Test {
  protected:
    void SetUp() override {
        if (kAddressSanitizer) {
            GTEST_SKIP() << "AddressSanitizer keeps freed memory in quarantine: peaks say little";
        }
    }
    DownloadRig rig;
};

TEST_F(ResourceBounds, AHundredMegabyteListingTakesNoMoreMemoryThanASmallOne) {
    long usual = peakOfListingDownload(rig, rig.site.host());
    rig.site.faults().add(samplesite::AddressPattern::containing("channel=Italia+1"),
                          samplesite::Fault::hugePage(100));
    long huge = peakOfListingDownload(rig, rig.site.host());

    expectChannel(rig, kFaultyChannel, Kept::NewRows);
    EXPECT_LT(huge - usual, 16 * kMiB);
    recordFigure({"peak memory, 100 MB listing (MiB)",
                  "usual page " + std::to_string(usual / kMiB) + ", 100 MB page " +
                      std::to_string(huge / kMiB),
                  0, 0});
}

TEST_F(ResourceBounds, AFiftyMegabyteLineIsReadLikeAnyOther) {
    constexpr std::size_t kLine = 50u << 20;
    const ChannelInfo& channel = *findChannelByScriptName("Italia 1.zdr");
    std::string page = samplesite::listingPage(samplesite::sampleListing(channel, rigDay()));
    const std::size_t cut = page.find(samplesite::kStartMarker);
    const std::string head = page.substr(0, cut) + "<!-- ";
    const std::string tail = " -->\n" + page.substr(cut);
    // Made up as it is sent: the test itself must not hold the line, since a child process
    // starts with the memory of its parent and the peak would count it.
    LocalServer server;
    server.server().Get("/canali.phtml", [&](const httplib::Request&, httplib::Response& res) {
        res.set_content_provider(
            head.size() + kLine + tail.size(), "text/html",
            [&](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                if (offset < head.size()) {
                    return sink.write(head.data() + offset, head.size() - offset);
                }
                if (offset < head.size() + kLine) {
                    std::string filler(std::min<std::size_t>(1 << 16, head.size() + kLine - offset),
                                       'x');
                    return sink.write(filler.data(), filler.size());
                }
                std::size_t at = offset - head.size() - kLine;
                return sink.write(tail.data() + at, tail.size() - at);
            });
    });
    server.start();
    rig.listingsHost = server.host();
    long usual = peakOfListingDownload(rig, rig.site.host());
    long longLine = peakOfListingDownload(rig, server.host());

    expectChannel(rig, kFaultyChannel, Kept::NewRows);
    // The line is held while it is read and searched, a few times over at most.
    EXPECT_LT(longLine - usual, 4 * static_cast<long>(kLine / 1024));
    recordFigure({"peak memory, one 50 MB line (MiB)",
                  "usual page " + std::to_string(usual / kMiB) + ", with the line " +
                      std::to_string(longLine / kMiB),
                  0, 0});
}

TEST(TemporaryFiles, AWeekOfThreeChannelsLeavesOnlyTheWorkFilesAndTheCoversInUse) {
    DownloadRig rig;
    rig.listOnly = false;
    RigRun run = rig.run(7);
    ASSERT_EQ(run.summary.committedCount(), 21);

    std::set<std::string> workFiles = {"html.txt", "html1.txt", "FileWebB.txt", "FileWeb.txt",
                                       "buffercover.jpg"};
    for (const std::string& name : rig.filesUnder("TempDir")) {
        EXPECT_TRUE(workFiles.count(name)) << name;
    }
    std::set<std::string> inUse;
    ProgrammeStore store(rig.databaseFile(), Database::Mode::ReadOnly);
    Statement covers = store.database().prepare("SELECT Cover FROM Programmi WHERE Cover <> ''");
    while (covers.step()) {
        inUse.insert(*covers.latin1(0));
    }
    std::vector<std::string> files = rig.filesUnder("covers");
    EXPECT_EQ(std::set<std::string>(files.begin(), files.end()), inUse);
    EXPECT_EQ(files.size(), inUse.size());
}

}  // namespace
}  // namespace zelidor::test
