#include "support/download_rig.h"

#include <algorithm>
#include <set>

#include "engine/script_engine.h"

namespace zelidor::test {

namespace {

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

AppFolder::AppFolder() {
    makeAppFolders();
    std::filesystem::copy(std::filesystem::path(ZELIDOR_SOURCE_DIR) / "data/app/TV", *this / "TV",
                          std::filesystem::copy_options::recursive);
}

DownloadRig::DownloadRig() {
    site.start();
    listingsHost = site.host();
}

DownloadSummary DownloadRig::download(const std::vector<std::string>& channels, const Day& first,
                                      int days) {
    if (!engine_) {
        settings_.emplace(config, types, options, listingsHost, site.host());
        engine_ = std::make_unique<ScriptEngine>(
            app.path(), EnginePorts{*this, *this, *this, *settings_, fetcher_, sink_});
    }
    EngineChannelDayRunner runner(*engine_);
    DownloadDriver driver(store, runner, *this, *this, app / "covers");
    return driver.run(DownloadPlan{channels, first, days, std::nullopt}, stop);
}

std::vector<ProgrammeRow> DownloadRig::expected(
    const std::vector<std::string>& channels, const Day& first, int days,
    std::optional<samplesite::DownloadMode> mode) const {
    using samplesite::DownloadMode;
    std::vector<ProgrammeRow> all;
    for (const std::string& channel : channels) {
        for (int d = 0; d < days; ++d) {
            auto day = samplesite::expectedRecords(
                *findChannelByScriptName(channel + ".zdr"), first.plusDays(d), listingsHost,
                mode.value_or(options.listOnly ? DownloadMode::ListOnly
                                               : DownloadMode::WithDetails));
            all.insert(all.end(), day.begin(), day.end());
        }
    }
    return all;
}

std::vector<ProgrammeRow> DownloadRig::storedRows() const {
    ProgrammeStore reader(ProgrammeStore::defaultFile(app.path()), Database::Mode::ReadOnly);
    Statement query = reader.database().prepare("SELECT " + std::string(ProgrammeStore::kColumns) +
                                                " FROM Programmi ORDER BY rowid");
    std::vector<ProgrammeRow> all;
    while (query.step()) {
        all.push_back(ProgrammeStore::rowFrom(query));
    }
    return all;
}

std::vector<ProgrammeRow> DownloadRig::rows(const std::string& channel, const Day& day) const {
    ProgrammeStore reader(ProgrammeStore::defaultFile(app.path()), Database::Mode::ReadOnly);
    return reader.channelDay(day.number(), channel);
}

std::vector<ProgrammeRow> DownloadRig::earlierRows(const std::string& channel) {
    const std::int64_t day = kRigDay.number();
    return {{day, "01:00", "earlier 1", {}, {}, {}, channel, 1, {}},
            {day, "02:00", "earlier 2", {}, {}, {}, channel, 2, {}}};
}

void DownloadRig::storeEarlierRows(const std::vector<std::string>& channels) {
    for (const std::string& channel : channels) {
        for (const ProgrammeRow& row : earlierRows(channel)) {
            store.insert(row);
        }
    }
}

std::string DownloadRig::integrityCheck() const {
    Database db(ProgrammeStore::defaultFile(app.path()), Database::Mode::ReadOnly);
    Statement check = db.prepare("PRAGMA integrity_check");
    return check.step() ? check.utf8(0) : "no answer";
}

void DownloadRig::expectTidyFolders() const {
    const std::set<std::string> workFiles = {"html.txt", "html1.txt", "FileWebB.txt", "FileWeb.txt",
                                             "buffercover.jpg"};
    for (const std::string& name : filesUnder("TempDir")) {
        EXPECT_TRUE(workFiles.contains(name)) << name;
    }
    std::multiset<std::string> named;
    for (const ProgrammeRow& row : storedRows()) {
        if (row.cover) {
            named.insert(*row.cover);
        }
    }
    std::vector<std::string> filed = filesUnder("covers");
    EXPECT_EQ(std::multiset<std::string>(filed.begin(), filed.end()), named);
}

std::vector<std::string> DownloadRig::filesUnder(const std::string& folder) const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(app / folder)) {
        if (!entry.is_directory()) {
            names.push_back(entry.path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

void DownloadRig::prepareForCli() {
    config.setText(ConfigField::ListingsHost, listingsHost);
    config.setText(ConfigField::UpdateHost, listingsHost);
    config.setNumber(ConfigField::CheckUpdate, 0);
}

void DownloadRig::showRunStatus(const std::string& text, StatusColour) {
    if (text == "Download In Progress...Please Wait") {
        ++channelDaysStarted_;
        dayStarted_ = std::chrono::steady_clock::now();
    }
}

void DownloadRig::appendLog(const std::string& line) {
    log.push_back(line);
    const std::string prefix = "Network : ";
    if (line.starts_with(prefix) && line.ends_with("Import Complete...")) {
        seconds[line.substr(prefix.size(), line.find(".zdr") - prefix.size())] +=
            secondsSince(dayStarted_);
    }
}

void expectChannel(const DownloadRig& rig, const std::string& channel, Kept kept) {
    std::vector<ProgrammeRow> expected =
        kept == Kept::EarlierRows ? DownloadRig::earlierRows(channel) : rig.expected({channel});
    std::vector<ProgrammeRow> rows = rig.rows(channel);
    for (std::size_t i = 0; i < expected.size() && i < rows.size(); ++i) {
        bool coverMissing = kept == Kept::NewRowsWithoutCovers ||
                            (kept == Kept::NewRowsWhereCoversFit && !rows[i].cover) ||
                            (kept == Kept::NewRowsFirstWithoutDetails && i == 0);
        if (coverMissing) {
            expected[i].cover.reset();
        }
        if (kept == Kept::NewRowsFirstWithoutDetails && i == 0) {
            expected[i].commenti.reset();
        }
    }
    EXPECT_TRUE(sameRows(rows, expected)) << channel;
}

testing::AssertionResult sameRows(const std::vector<ProgrammeRow>& stored,
                                  const std::vector<ProgrammeRow>& expected) {
    auto [s, e] = std::mismatch(stored.begin(), stored.end(), expected.begin(), expected.end());
    if (s == stored.end() && e == expected.end()) {
        return testing::AssertionSuccess();
    }
    auto show = [](auto at, auto end) {
        return at == end ? std::string("(none)") : testing::PrintToString(*at);
    };
    return testing::AssertionFailure()
           << stored.size() << " rows stored, " << expected.size() << " expected; row "
           << (s - stored.begin()) + 1 << " differs:\n  stored:   " << show(s, stored.end())
           << "\n  expected: " << show(e, expected.end());
}

}  // namespace zelidor::test
