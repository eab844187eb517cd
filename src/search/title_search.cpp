#include "search/title_search.h"

#include "browser/status_texts.h"
#include "common/number.h"
#include "common/text.h"
#include "search/title_index.h"

namespace zelidor {

namespace {

constexpr const char* kRootKey = "R";

void report(NodeAdded added, std::vector<std::string>& statusTexts) {
    if (added == NodeAdded::KeyTaken) {
        statusTexts.emplace_back(status::kKeyNotUnique);
    } else if (added == NodeAdded::ParentMissing) {
        statusTexts.emplace_back(status::kElementNotFound);
    }
}

// A day or channel node already present is the one to use; only a missing parent is a failure.
void addGroupNode(KeyedTree& tree, const std::string& parent, const std::string& key,
                  const std::string& text, const char* image,
                  std::vector<std::string>& statusTexts) {
    NodeAdded added = tree.addChild(parent, key, text, image);
    if (added == NodeAdded::ParentMissing) {
        report(added, statusTexts);
    }
}

void addFoundProgramme(KeyedTree& tree, const std::string& searchKey, const FoundProgramme& row,
                       ProgrammeKeys keys, std::vector<std::string>& statusTexts) {
    std::string day = row.data ? slashedDay(numberText(*row.data)) : std::string();
    std::string dayKey = searchKey + "D" + day;
    if (row.data) {
        addGroupNode(tree, searchKey, dayKey, day, "calendario", statusTexts);
    }
    const std::string channel = row.palinsesto.value_or("");
    std::string channelKey = dayKey + channel;
    if (!channel.empty()) {
        addGroupNode(tree, dayKey, channelKey, channel, "testo", statusTexts);
    }
    if (row.ora && !row.ora->empty()) {
        std::string key = keys == ProgrammeKeys::PerSearchNode ? searchKey : std::string();
        key.append("D").append(day).append(channel).append(*row.ora);
        report(tree.addChild(channelKey, std::move(key), *row.ora + "-" + row.titolo.value_or(""),
                             "tempo1"),
               statusTexts);
    }
}

}  // namespace

void prepareResultTree(KeyedTree& tree) {
    tree.clear();
    tree.addRoot(kRootKey, "Risultati Ricerca", "root2");
    tree.expand(kRootKey);
}

bool titleMatches(const std::optional<std::string>& title, std::string_view text) {
    return title && !title->empty() && findNoCase(*title, text) != 0;
}

void searchTitlesIntoTree(KeyedTree& tree, std::string_view text,
                          const std::vector<FoundProgramme>& rows, SearchState& state,
                          ProgrammeKeys keys, std::vector<std::string>& statusTexts) {
    std::string searchKey(kRootKey);
    searchKey += text;
    report(tree.addChild(kRootKey, searchKey, std::string(text), "vhs"), statusTexts);
    for (const FoundProgramme& row : rows) {
        if (!titleMatches(row.titolo, text)) {
            continue;
        }
        state.monitorHit = true;
        addFoundProgramme(tree, searchKey, row, keys, statusTexts);
    }
}

TitleFinder::TitleFinder(const std::filesystem::path& appFolder) {
    std::filesystem::path file = ProgrammeStore::defaultFile(appFolder);
    std::error_code error;
    if (!std::filesystem::exists(file, error)) {
        return;
    }
    try {
        store_ = std::make_unique<ProgrammeStore>(file, Database::Mode::ReadWrite);
        indexed_ = ensureTitleIndex(store_->database());
    } catch (const StoreError&) {
        // A database we may not write to can still be searched, row by row.
        store_ = std::make_unique<ProgrammeStore>(file, Database::Mode::ReadOnly);
        indexed_ = hasTitleIndex(store_->database());
    }
}

TitleFinder::~TitleFinder() = default;

std::vector<FoundProgramme> TitleFinder::candidates(std::string_view text,
                                                    std::optional<std::int64_t> fromDay) {
    std::vector<FoundProgramme> rows;
    if (!store_) {
        return rows;
    }
    std::string trimmed = trimBlanks(text);
    bool useIndex = indexed_ && trimmed.size() >= kShortestIndexedText;
    std::string sql;
    if (useIndex) {
        sql =
            "SELECT p.rowid, p.Data, p.Ora, p.Titolo, p.Palinsesto FROM ProgrammiTitoli "
            "JOIN Programmi p ON p.rowid = ProgrammiTitoli.rowid WHERE ProgrammiTitoli MATCH ?1";
    } else {
        sql = "SELECT rowid, Data, Ora, Titolo, Palinsesto FROM Programmi p WHERE 1";
    }
    if (fromDay) {
        sql += " AND p.Data >= ?2";
    }
    sql += " ORDER BY p.Data ASC, p.rowid ASC";
    Statement query = store_->database().prepare(sql);
    if (useIndex) {
        query.bindUtf8(1, titleIndexPhrase(trimmed));
    }
    if (fromDay) {
        query.bind(2, *fromDay);
    }
    while (query.step()) {
        rows.push_back(FoundProgramme{query.integer(0), query.optionalInteger(1), query.latin1(2),
                                      query.latin1(3), query.latin1(4)});
    }
    return rows;
}

std::vector<std::string> runTitleSearch(const std::filesystem::path& appFolder,
                                        std::string_view text, const Day& reference, bool allDays,
                                        KeyedTree& tree, SearchState& state) {
    std::vector<std::string> statusTexts;
    prepareResultTree(tree);
    std::vector<FoundProgramme> rows;
    try {
        TitleFinder finder(appFolder);
        rows = finder.candidates(
            text, allDays ? std::nullopt : std::optional<std::int64_t>(reference.number()));
    } catch (const StoreError& e) {
        statusTexts.push_back(status::databaseFailure(e.what()));
    }
    searchTitlesIntoTree(tree, text, rows, state, ProgrammeKeys::ByDayChannelHour, statusTexts);
    return statusTexts;
}

}  // namespace zelidor
