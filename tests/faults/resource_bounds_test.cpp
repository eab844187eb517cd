// What a download may take from the machine: its memory does not grow with the size of a page
// (measured as the peak resident memory of zelidor-cli), and a single page line of 50 MB is read
// like any other.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "samplesite/site_pages.h"
#include "support/child_process.h"
#include "support/download_rig.h"
#include "support/local_server.h"

namespace zelidor::test {
namespace {

constexpr long kMiB = 1024;  // in KiB, the unit of the peak

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif

// zelidor-cli downloads the listing of Italia 1 from the rig's listings host; returns its peak
// memory in KiB.
long peakOfListingDownload(DownloadRig& rig) {
    rig.options.listOnly = true;
    rig.prepareForCli();
    ProcessEnd end = runCli(rig.app.path(), {"download", "--channel", "Italia 1", "--list-only",
                                             "--from", kRigDay.stamp(), "--answers", "cancel"});
    EXPECT_EQ(end.exitCode, 0) << end.err;
    return end.peakKib;
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
    long usual = peakOfListingDownload(rig);
    rig.site.faults().add(samplesite::AddressPattern::containing("channel=Italia+1"),
                          samplesite::Fault::hugePage(100));
    long huge = peakOfListingDownload(rig);

    expectChannel(rig, "Italia 1", Kept::NewRows);
    EXPECT_LT(huge - usual, 16 * kMiB);
    std::printf("peak memory: usual page %ld MiB, 100 MB page %ld MiB\n", usual / kMiB,
                huge / kMiB);
}

TEST_F(ResourceBounds, AFiftyMegabyteLineIsReadLikeAnyOther) {
    constexpr std::size_t kLine = 50u << 20;
    const ChannelInfo& channel = *findChannelByScriptName("Italia 1.zdr");
    std::string page = samplesite::listingPage(samplesite::sampleListing(channel, kRigDay));
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
    long usual = peakOfListingDownload(rig);
    rig.listingsHost = server.host();
    long longLine = peakOfListingDownload(rig);

    expectChannel(rig, "Italia 1", Kept::NewRows);
    // The line is held while it is read and searched, a few times over at most.
    EXPECT_LT(longLine - usual, 4 * static_cast<long>(kLine / 1024));
    std::printf("peak memory: usual page %ld MiB, with a 50 MB line %ld MiB\n", usual / kMiB,
                longLine / kMiB);
}

}  // namespace
}  // namespace zelidor::test
