// The whole download road in one process: the sample site on an ephemeral port, the channel list
// read from the shipped channel files, and the real engine, libcurl fetcher, driver and store in
// a temporary application folder. The site knows the exact rows a correct download stores.
#include <gtest/gtest.h>
#include <stb_image.h>

#include <algorithm>
#include <set>

#include "browser/catalogue.h"
#include "samplesite/poster_pictures.h"
#include "samplesite/sample_listing.h"
#include "samplesite/site_pages.h"
#include "support/download_rig.h"

namespace zelidor::samplesite {
// Request counts in failure messages.
void PrintTo(const RequestCounts& c, std::ostream* out) {
    *out << "{listing " << c.listing << ", detail " << c.detail << ", poster " << c.poster
         << ", release " << c.release << ", other " << c.other << "}";
}
}  // namespace zelidor::samplesite

namespace zelidor::test {
namespace {

using samplesite::DownloadMode;
using samplesite::RequestCounts;

std::uint64_t coverCount(const std::vector<ProgrammeRow>& rows) {
    return static_cast<std::uint64_t>(std::count_if(
        rows.begin(), rows.end(), [](const ProgrammeRow& row) { return row.cover.has_value(); }));
}

// Every filed cover is a JPEG of the poster's size.
void expectCoversArePosterSizedJpegs(const DownloadRig& rig) {
    for (const std::string& name : rig.filesUnder("covers")) {
        std::string bytes = readFile(rig.app / "covers" / name);
        int width = 0, height = 0, channels = 0;
        stbi_uc* pixels =
            stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()),
                                  static_cast<int>(bytes.size()), &width, &height, &channels, 0);
        stbi_image_free(pixels);
        EXPECT_TRUE(bytes.starts_with("\xFF\xD8\xFF")) << name << " is no JPEG";
        EXPECT_EQ(width, samplesite::kPosterWidth) << name;
        EXPECT_EQ(height, samplesite::kPosterHeight) << name;
    }
}

TEST(DownloadEndToEnd, EveryCatalogueChannelForTwoDaysStoresExactlyTheListedProgrammes) {
    DownloadRig rig;
    rig.options.listOnly = true;
    std::vector<std::string> channels;  // in the order of the download window's list
    for (const auto& item : loadCatalogue(rig.app.path(), "0 Visualizza Tutte").downloadList) {
        channels.push_back(item.key);
    }
    ASSERT_EQ(channels.size(), builtinChannels().size());

    const Day first{2004, 2, 28};  // and the leap day after it

    DownloadSummary summary = rig.download(channels, first, 2);

    EXPECT_EQ(summary.committedCount(), 102);
    EXPECT_TRUE(sameRows(rig.storedRows(), rig.expected(channels, first, 2)));
    EXPECT_EQ(rig.site.requestCounts(), (RequestCounts{102, 0, 0, 1, 0}));
    EXPECT_TRUE(rig.filesUnder("covers").empty());
    EXPECT_EQ(rig.log.size(), 102u);
    EXPECT_TRUE(rig.boxes.empty());
}

// The markup of the format that is easy to get wrong, found in the programmes' pages.
std::set<std::string> hardCasesOf(const samplesite::ChannelDayListing& listing) {
    std::set<std::string> seen;
    for (const samplesite::SampleProgramme& p : listing.programmes) {
        std::string detail = samplesite::detailPage(listing, p);
        for (const char* hard :
             {"&egrave;", "&#232;", "&agrave;", "&ograve;", "<BR>", "<br>", "<i>", "&nbsp;",
              "&Egrave;", "nofoto", "<!--<br>", "<b>Film</b>", "<b>Telefilm</b>", "crediti", "'"}) {
            if (detail.find(hard) != std::string::npos) {
                seen.insert(hard);
            }
        }
        if (p.typeClass != p.type || p.type.find(' ') != std::string::npos) {
            seen.insert(p.typeClass != p.type ? "padded type" : "type with blank");
        }
    }
    return seen;
}

TEST(DownloadEndToEnd, DetailsGiveEveryProgrammeItsDescriptionAndEveryPosterItsCover) {
    // Every eighth channel, whose detail pages between them carry every hard case of the format.
    DownloadRig rig;
    std::vector<std::string> channels;
    std::set<std::string> hardCases;
    for (std::size_t i = 0; i < builtinChannels().size(); i += 8) {
        channels.emplace_back(builtinChannels()[i].name);
        auto found = hardCasesOf(samplesite::sampleListing(builtinChannels()[i], kRigDay));
        hardCases.insert(found.begin(), found.end());
    }
    ASSERT_EQ(hardCases.size(), 17u);

    rig.download(channels, kRigDay, 2);

    std::vector<ProgrammeRow> rows = rig.expected(channels, kRigDay, 2);
    EXPECT_TRUE(sameRows(rig.storedRows(), rows));
    EXPECT_TRUE(rig.boxes.empty());
    rig.expectTidyFolders();
    expectCoversArePosterSizedJpegs(rig);
    EXPECT_EQ(rig.site.requestCounts(), (RequestCounts{14, rows.size(), coverCount(rows), 1, 0}));
}

// A user who refreshes his week keeps one picture per programme that names one, not one per
// refresh.
TEST(DownloadEndToEnd, AWeekDownloadedTwiceKeepsOnlyTheCoversItsProgrammesName) {
    DownloadRig rig;
    const std::vector<std::string> channels = {"Canale 5"};
    rig.download(channels, kRigDay, 7);
    const std::size_t firstCovers = rig.filesUnder("covers").size();
    ASSERT_GT(firstCovers, 7u);

    DownloadSummary again = rig.download(channels, kRigDay, 7);

    EXPECT_EQ(again.committedCount(), 7);
    EXPECT_EQ(rig.filesUnder("covers").size(), firstCovers);
    rig.expectTidyFolders();
}

TEST(DownloadEndToEnd, SevenDaysFromTheTwentyEighthOfDecemberCrossIntoJanuary) {
    DownloadRig rig;
    rig.options.listOnly = true;
    const std::vector<std::string> channels = {"Rai Uno", "Italia 1"};
    const Day first{2002, 12, 28};

    rig.download(channels, first, 7);

    std::vector<ProgrammeRow> rows = rig.storedRows();
    EXPECT_TRUE(sameRows(rows, rig.expected(channels, first, 7)));
    std::set<std::int64_t> days;
    for (const auto& row : rows) {
        days.insert(*row.data);
    }
    EXPECT_EQ(days, (std::set<std::int64_t>{20021228, 20021229, 20021230, 20021231, 20030101,
                                            20030102, 20030103}));
    EXPECT_EQ(rig.site.requestCounts().listing, 14u);
}

TEST(DownloadEndToEnd, StopDuringAChannelDayFinishesThatDayAndFetchesNothingMore) {
    // Stop while the first day of the second of three channels is being read: its detail pages
    // and posters are still fetched, its second day and the third channel are not.
    DownloadRig rig;
    rig.whileReading = [&rig](int channelDay) { rig.stop = rig.stop || channelDay == 3; };

    DownloadSummary summary = rig.download({"Rai Uno", "Canale 5", "Italia 1"}, kRigDay, 2);

    EXPECT_TRUE(summary.stopped);
    ASSERT_EQ(summary.channelDays.size(), 3u);
    EXPECT_TRUE(summary.channelDays.back().committed);
    std::vector<ProgrammeRow> rows = rig.expected({"Rai Uno"}, kRigDay, 2);
    std::vector<ProgrammeRow> second = rig.expected({"Canale 5"});
    rows.insert(rows.end(), second.begin(), second.end());
    EXPECT_TRUE(sameRows(rig.storedRows(), rows));
    EXPECT_EQ(rig.site.requestCounts(), (RequestCounts{3, rows.size(), coverCount(rows), 1, 0}));
}

TEST(DownloadEndToEnd, OnlyListedTypesHaveTheirDetailPagesFetched) {
    // "Film" is part of "Film TV" but not of "Telefilm": the comparison is case-sensitive.
    DownloadRig rig;
    rig.types.add("Film");
    rig.options.takeOnlyListed = true;
    const std::vector<std::string> channels = {"Tele+ Bianco", "Rai Uno"};

    rig.download(channels);

    std::vector<ProgrammeRow> rows = rig.expected(channels, kRigDay, 1, DownloadMode::ListOnly);
    std::vector<ProgrammeRow> detailed = rig.expected(channels, kRigDay, 1);
    std::set<std::string> typesSeen;
    std::uint64_t detailPages = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        typesSeen.insert(*rows[i].type);
        if (rows[i].type->find("Film") != std::string::npos) {
            rows[i] = detailed[i];
            ++detailPages;
        }
    }
    ASSERT_TRUE(typesSeen.contains("Film TV") && typesSeen.contains("Telefilm"));
    EXPECT_TRUE(sameRows(rig.storedRows(), rows));
    EXPECT_EQ(rig.site.requestCounts(), (RequestCounts{2, detailPages, coverCount(rows), 1, 0}));
}

}  // namespace
}  // namespace zelidor::test
