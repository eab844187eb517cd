// The whole download road in one process: the sample site on an ephemeral port, the channel list
// read from the shipped channel files, and the real engine, libcurl fetcher, driver and store in
// a temporary application folder. The site knows the exact rows a correct download stores.
#include <gtest/gtest.h>
#include <stb_image.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <set>

#include "app_folder.h"
#include "browser/catalogue.h"
#include "config/config_store.h"
#include "config/import_types.h"
#include "download/download_driver.h"
#include "download/engine_runner.h"
#include "download/stored_settings.h"
#include "engine/fetch/curl_fetcher.h"
#include "engine/script_engine.h"
#include "programme_rows.h"
#include "samplesite/expected_records.h"
#include "samplesite/poster_pictures.h"
#include "samplesite/sample_site.h"
#include "samplesite/site_address.h"

namespace zelidor::test {
namespace {

using samplesite::DownloadMode;
using samplesite::RequestCounts;

// The download window, its boxes and the desktop as the engine and the driver use them. A test
// can act while a programme is being read, as a user pressing Stop would.
class Window : public DownloadDisplay, public EngineDisplay, public Dialogs, public Desktop {
  public:
    void appendLog(const std::string& line) override { log.push_back(line); }
    void resetLiveView() override {}
    void showRunStatus(const std::string& text, StatusColour) override {
        channelDaysStarted += text == "Download In Progress...Please Wait" ? 1 : 0;
    }
    void showField(RecordField field, const std::string&) override {
        if (field == RecordField::Title && whileReading) {
            whileReading(channelDaysStarted);
        }
    }
    void message(const std::string& title, const std::string& text, MessageIcon) override {
        boxes.push_back(title + ": " + text);
    }
    Answer question(const std::string& title, const std::string& text) override {
        boxes.push_back(title + ": " + text);
        return Answer::Cancel;
    }
    void open(const std::string& address) override { opened.push_back(address); }

    std::vector<std::string> log, boxes, opened;
    int channelDaysStarted = 0;
    std::function<void(int channelDay)> whileReading;
};

class NoPower : public PowerControl {
    void request(ShutdownMode) override {}
};

class DownloadEndToEnd : public testing::Test {
  protected:
    void SetUp() override {
        ::setenv("no_proxy", "127.0.0.1", 1);
        site.start();
    }

    // One engine serves every download of a test, as one serves a whole program run.
    DownloadSummary download(const std::vector<std::string>& channels, const Day& first, int days) {
        if (!engine) {
            settings.emplace(config, types, options, site.host(), site.host());
            engine = std::make_unique<ScriptEngine>(
                app.path(), EnginePorts{window, window, window, *settings, fetcher, sink});
        }
        EngineChannelDayRunner runner(*engine);
        DownloadDriver driver(store, runner, window, power);
        return driver.run(DownloadPlan{channels, first, days, std::nullopt}, stop);
    }

    std::vector<ProgrammeRow> expected(const std::vector<std::string>& channels, const Day& first,
                                       int days, DownloadMode mode) {
        std::vector<ProgrammeRow> rows;
        for (const std::string& channel : channels) {
            for (int d = 0; d < days; ++d) {
                auto day = samplesite::expectedRecords(*findChannelByScriptName(channel + ".zdr"),
                                                       first.plusDays(d), site.host(), mode);
                rows.insert(rows.end(), day.begin(), day.end());
            }
        }
        return rows;
    }

    std::vector<std::string> catalogueChannels() {
        std::vector<std::string> names;
        for (const auto& item : loadCatalogue(app.path(), "0 Visualizza Tutte").downloadList) {
            names.push_back(item.key);
        }
        return names;
    }

    // covers/ holds exactly the pictures the rows name, each a JPEG of the poster's size.
    void expectCoversNamedBy(const std::vector<ProgrammeRow>& rows) {
        std::multiset<std::string> named;
        for (const auto& row : rows) {
            if (row.cover) {
                named.insert(*row.cover);
            }
        }
        std::multiset<std::string> filed;
        for (const auto& entry : std::filesystem::directory_iterator(app / "covers")) {
            filed.insert(entry.path().filename().string());
            std::string bytes = readFile(entry.path());
            int width = 0, height = 0, channels = 0;
            stbi_uc* pixels = stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()),
                                                    static_cast<int>(bytes.size()), &width, &height,
                                                    &channels, 0);
            EXPECT_NE(pixels, nullptr) << entry.path();
            stbi_image_free(pixels);
            EXPECT_TRUE(bytes.starts_with("\xFF\xD8\xFF")) << entry.path() << " is no JPEG";
            EXPECT_EQ(width, samplesite::kPosterWidth);
            EXPECT_EQ(height, samplesite::kPosterHeight);
        }
        EXPECT_EQ(filed, named);
    }

    AppFolder app;
    samplesite::SampleSite site;
    ConfigStore config{app.path()};
    ImportTypeStore types{app.path()};
    ProgrammeStore store{ProgrammeStore::defaultFile(app.path())};
    StoreSink sink{store};
    CurlFetcher fetcher;
    Window window;
    NoPower power;
    std::atomic<bool> stop{false};
    DownloadOptions options;
    std::optional<StoredEngineSettings> settings;
    std::unique_ptr<ScriptEngine> engine;
};

TEST_F(DownloadEndToEnd, EveryCatalogueChannelForTwoDaysStoresExactlyTheListedProgrammes) {
    options.listOnly = true;
    const Day first = *Day::parse("20021205");
    std::vector<std::string> channels = catalogueChannels();
    ASSERT_EQ(channels.size(), builtinChannels().size());

    DownloadSummary summary = download(channels, first, 2);

    EXPECT_EQ(summary.committedCount(), 102);
    EXPECT_TRUE(sameRows(storedRows(store), expected(channels, first, 2, DownloadMode::ListOnly)));
    EXPECT_EQ(site.requestCounts(), (RequestCounts{102, 0, 0, 1, 0}));
    EXPECT_TRUE(std::filesystem::is_empty(app / "covers"));
    EXPECT_EQ(window.log.size(), 102u);
    EXPECT_TRUE(window.boxes.empty());
}

TEST_F(DownloadEndToEnd, DetailsGiveEveryProgrammeItsDescriptionAndEveryPosterItsCover) {
    // One channel of each category, two days.
    const std::vector<std::string> channels = {"Rai Uno",  "Tele+ Bianco",  "EuroSport",
                                               "Fox Kids", "VIVA - Rete A", "Cult Network"};
    const Day first = *Day::parse("20030301");

    download(channels, first, 2);

    std::vector<ProgrammeRow> rows = expected(channels, first, 2, DownloadMode::WithDetails);
    EXPECT_TRUE(sameRows(storedRows(store), rows));
    expectCoversNamedBy(storedRows(store));
    EXPECT_EQ(site.requestCounts(), (RequestCounts{12, rows.size(), coverCount(rows), 1, 0}));
}

TEST_F(DownloadEndToEnd, SevenDaysFromTheTwentyEighthOfDecemberCrossIntoJanuary) {
    options.listOnly = true;
    const std::vector<std::string> channels = {"Rai Uno", "Italia 1"};
    const Day first = *Day::parse("20021228");

    download(channels, first, 7);

    std::vector<ProgrammeRow> rows = storedRows(store);
    EXPECT_TRUE(sameRows(rows, expected(channels, first, 7, DownloadMode::ListOnly)));
    std::vector<std::int64_t> days;
    for (const auto& row : rows) {
        if (row.palinsesto == "Italia 1" && (days.empty() || days.back() != *row.data)) {
            days.push_back(*row.data);
        }
    }
    EXPECT_EQ(days, (std::vector<std::int64_t>{20021228, 20021229, 20021230, 20021231, 20030101,
                                               20030102, 20030103}));
    EXPECT_EQ(site.requestCounts().listing, 14u);
}

TEST_F(DownloadEndToEnd, StopDuringAChannelDayFinishesThatDayAndFetchesNothingMore) {
    // Stop while the first day of the second of three channels is being read: its detail pages
    // and posters are still fetched, its second day and the third channel are not.
    window.whileReading = [this](int channelDay) { stop = stop || channelDay == 3; };
    const Day first = *Day::parse("20021205");

    DownloadSummary summary = download({"Rai Uno", "Canale 5", "Italia 1"}, first, 2);

    EXPECT_TRUE(summary.stopped);
    ASSERT_EQ(summary.channelDays.size(), 3u);
    EXPECT_TRUE(summary.channelDays.back().committed);
    std::vector<ProgrammeRow> rows = expected({"Rai Uno"}, first, 2, DownloadMode::WithDetails);
    std::vector<ProgrammeRow> second = expected({"Canale 5"}, first, 1, DownloadMode::WithDetails);
    rows.insert(rows.end(), second.begin(), second.end());
    EXPECT_TRUE(sameRows(storedRows(store), rows));
    EXPECT_EQ(site.requestCounts(), (RequestCounts{3, rows.size(), coverCount(rows), 1, 0}));
}

TEST_F(DownloadEndToEnd, TheUpdateCheckAsksOnceForTheEnginesLifeAndSaysNothingForOurRelease) {
    options.listOnly = true;
    download({"Rai Uno"}, *Day::parse("20021205"), 1);
    // A newer release published now is not seen: the check was made for this program run.
    site.setReleaseText("1.3");
    download({"Rai Due"}, *Day::parse("20021205"), 2);

    EXPECT_EQ(site.requestCounts().release, 1u);
    EXPECT_TRUE(window.boxes.empty());
    EXPECT_TRUE(window.opened.empty());
}

TEST_F(DownloadEndToEnd, OnlyListedTypesHaveTheirDetailPagesFetched) {
    // "Film" is part of "Film TV" but not of "Telefilm": the comparison is case-sensitive.
    types.add("Film");
    options.takeOnlyListed = true;
    const std::vector<std::string> channels = {"Tele+ Bianco", "Rai Uno"};
    const Day first = *Day::parse("20021205");

    download(channels, first, 1);

    std::vector<ProgrammeRow> rows = expected(channels, first, 1, DownloadMode::ListOnly);
    std::vector<ProgrammeRow> detailed = expected(channels, first, 1, DownloadMode::WithDetails);
    std::set<std::string> listedTypes, otherTypes;
    std::uint64_t detailPages = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        std::string type = rows[i].type.value_or("");
        bool listed = type.find("Film") != std::string::npos;
        (listed ? listedTypes : otherTypes).insert(type);
        if (listed) {
            rows[i] = detailed[i];
            ++detailPages;
        }
    }
    ASSERT_TRUE(listedTypes.contains("Film TV") && otherTypes.contains("Telefilm"));
    EXPECT_TRUE(sameRows(storedRows(store), rows));
    EXPECT_EQ(site.requestCounts(), (RequestCounts{2, detailPages, coverCount(rows), 1, 0}));
}

TEST_F(DownloadEndToEnd, AChannelDayThatYieldsNothingKeepsWhatWasStoredBefore) {
    options.listOnly = true;
    const Day first = *Day::parse("20021205");
    download({"Rai Uno", "Canale 5"}, first, 1);
    std::vector<ProgrammeRow> before = storedRows(store);

    site.faults().add(samplesite::AddressPattern::containing("channel=Rai+Uno"),
                      samplesite::Fault::refuse(503));
    site.faults().add(samplesite::AddressPattern::containing("channel=Canale+5"),
                      samplesite::Fault::noStartMarker());
    DownloadSummary summary = download({"Rai Uno", "Canale 5"}, first, 1);

    EXPECT_EQ(summary.keptCount(), 2);
    EXPECT_TRUE(sameRows(storedRows(store), before));
    EXPECT_EQ(window.log[2], "ERRORE DI CONNESSIONE AL SITO " +
                                 samplesite::listingAddress(
                                     site.host(), *findChannelByScriptName("Rai Uno.zdr"), first));
    EXPECT_EQ(window.log[3], DownloadDriver::keptLogLine("Rai Uno.zdr", first));
    EXPECT_EQ(window.log[5], DownloadDriver::keptLogLine("Canale 5.zdr", first));
}

}  // namespace
}  // namespace zelidor::test
