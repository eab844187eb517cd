// The whole download road in one process: the sample site on an ephemeral port, the channel list
// read from the shipped channel files, and the real engine, libcurl fetcher, driver and store in
// a temporary application folder. The site knows the exact rows a correct download stores.
#include <gtest/gtest.h>
#include <stb_image.h>

#include <algorithm>
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
#include "samplesite/expected_records.h"
#include "samplesite/poster_pictures.h"
#include "samplesite/sample_site.h"

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

// A row as text for failure messages: the nine columns, a null one shown as <null>.
std::string describe(const ProgrammeRow& row) {
    auto text = [](const std::optional<std::string>& t) { return t ? "'" + *t + "'" : "<null>"; };
    auto number = [](const std::optional<std::int64_t>& n) {
        return n ? std::to_string(*n) : "<null>";
    };
    return number(row.data) + " | " + text(row.ora) + " | " + text(row.titolo) + " | " +
           text(row.link) + " | " + text(row.commenti) + " | " + text(row.cover) + " | " +
           text(row.palinsesto) + " | " + number(row.numerazione) + " | " + text(row.type);
}

std::vector<ProgrammeRow> storedRows(ProgrammeStore& store) {
    Statement query = store.database().prepare("SELECT " + std::string(ProgrammeStore::kColumns) +
                                               " FROM Programmi ORDER BY rowid");
    std::vector<ProgrammeRow> rows;
    while (query.step()) {
        rows.push_back(ProgrammeStore::rowFrom(query));
    }
    return rows;
}

// Row for row, reporting the first difference.
testing::AssertionResult sameRows(const std::vector<ProgrammeRow>& stored,
                                  const std::vector<ProgrammeRow>& expected) {
    auto [s, e] = std::mismatch(stored.begin(), stored.end(), expected.begin(), expected.end());
    if (s == stored.end() && e == expected.end()) {
        return testing::AssertionSuccess();
    }
    auto failure = testing::AssertionFailure()
                   << stored.size() << " rows stored, " << expected.size() << " expected; row "
                   << (s - stored.begin()) + 1 << " differs:";
    failure << "\n  stored:   " << (s == stored.end() ? "(none)" : describe(*s));
    failure << "\n  expected: " << (e == expected.end() ? "(none)" : describe(*e));
    return failure;
}

std::uint64_t coverCount(const std::vector<ProgrammeRow>& rows) {
    return static_cast<std::uint64_t>(std::count_if(
        rows.begin(), rows.end(), [](const ProgrammeRow& row) { return row.cover.has_value(); }));
}

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
    void message(const std::string&, const std::string& text, MessageIcon) override {
        boxes.push_back(text);
    }
    Answer question(const std::string&, const std::string& text) override {
        boxes.push_back(text);
        return Answer::Cancel;
    }
    void open(const std::string& address) override { boxes.push_back("open " + address); }

    std::vector<std::string> log, boxes;
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
    std::vector<std::string> channels;  // in the order of the download window's list
    for (const auto& item : loadCatalogue(app.path(), "0 Visualizza Tutte").downloadList) {
        channels.push_back(item.key);
    }
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
    std::set<std::int64_t> days;
    for (const auto& row : rows) {
        days.insert(*row.data);
    }
    EXPECT_EQ(days, (std::set<std::int64_t>{20021228, 20021229, 20021230, 20021231, 20030101,
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
    EXPECT_TRUE(sameRows(storedRows(store), rows));
    EXPECT_EQ(site.requestCounts(), (RequestCounts{2, detailPages, coverCount(rows), 1, 0}));
}

}  // namespace
}  // namespace zelidor::test
