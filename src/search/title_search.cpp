#include "search/title_search.h"

#include "browser/status_texts.h"
#include "common/number.h"
#include "common/text.h"
#include "search/title_index.h"
#include "search/title_index_query.h"

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

// The nodes one search text adds below its search node.
class SearchBranch {
  public:
    SearchBranch(KeyedTree& tree, std::string_view text, ProgrammeKeys keys,
                 std::vector<std::string>& statusTexts)
        : tree_(tree), searchKey_(kRootKey), keys_(keys), statusTexts_(statusTexts) {
        searchKey_ += text;
        report(tree_.addChild(kRootKey, searchKey_, std::string(text), "vhs"), statusTexts_);
    }

    void add(const FoundProgramme& row) {
        // Rows come grouped by day: the day and channel nodes of the previous row are usually
        // the ones to use again, and their keys need not be built anew.
        if (!group_ || group_->data != row.data) {
            startDay(row.data);
        }
        const std::string& channel = row.palinsesto ? *row.palinsesto : kNoChannel;
        if (group_->channel != channel) {
            startChannel(channel);
        }
        if (row.ora && !row.ora->empty()) {
            std::string key = keys_ == ProgrammeKeys::PerSearchNode ? searchKey_ : std::string();
            key.append("D").append(group_->day).append(channel).append(*row.ora);
            std::string text = *row.ora;
            text.append("-").append(row.titolo.value_or(""));
            report(tree_.addChild(group_->channelKey, std::move(key), std::move(text), "tempo1"),
                   statusTexts_);
        }
    }

  private:
    struct Group {
        std::optional<std::int64_t> data;
        std::string day;
        std::string dayKey;
        std::string channel;
        std::string channelKey;
    };
    inline static const std::string kNoChannel;

    void startDay(std::optional<std::int64_t> data) {
        group_ = Group{data, data ? slashedDay(numberText(*data)) : std::string(), searchKey_,
                       std::string(), std::string()};
        group_->dayKey.append("D").append(group_->day);
        group_->channelKey = group_->dayKey;
        if (data) {
            addGroup(searchKey_, group_->dayKey, group_->day, "calendario");
        }
    }

    void startChannel(const std::string& channel) {
        group_->channel = channel;
        group_->channelKey = group_->dayKey + channel;
        if (!channel.empty()) {
            addGroup(group_->dayKey, group_->channelKey, channel, "testo");
        }
    }

    // A day or channel node already present is the one to use; only a missing parent is a
    // failure.
    void addGroup(const std::string& parent, const std::string& key, const std::string& text,
                  const char* image) {
        NodeAdded added = tree_.addChild(parent, key, text, image);
        if (added == NodeAdded::ParentMissing) {
            report(added, statusTexts_);
        }
    }

    KeyedTree& tree_;
    std::string searchKey_;
    ProgrammeKeys keys_;
    std::vector<std::string>& statusTexts_;
    std::optional<Group> group_;
};

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
    SearchBranch branch(tree, text, keys, statusTexts);
    for (const FoundProgramme& row : rows) {
        if (titleMatches(row.titolo, text)) {
            state.monitorHit = true;
            branch.add(row);
        }
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
        shortIndexed_ = indexed_ && ensureShortTitleIndex(store_->database());
    } catch (const StoreError&) {
        // A database we may not write to can still be searched, row by row.
        store_ = std::make_unique<ProgrammeStore>(file, Database::Mode::ReadOnly);
        indexed_ = hasTitleIndex(store_->database());
        shortIndexed_ = indexed_ && hasShortTitleIndex(store_->database());
    }
}

TitleFinder::~TitleFinder() = default;

namespace {

// The candidate query of a text: its SQL and what is bound to it.
struct CandidateQuery {
    std::string sql;
    std::string match;    // the index query, bound to ?1
    std::string letters;  // a one-letter text in each of its letter cases, bound from ?3 on
};

CandidateQuery candidateQuery(Database& db, const std::string& trimmed, bool dayBound, bool indexed,
                              bool shortIndexed) {
    const std::string columns = "SELECT p.rowid, p.Data, p.Ora, p.Titolo, p.Palinsesto ";
    const std::string throughIndex =
        columns +
        "FROM ProgrammiTitoli JOIN Programmi p ON p.rowid = ProgrammiTitoli.rowid "
        "WHERE ProgrammiTitoli MATCH ?1";
    const std::string fromDay = dayBound ? " AND p.Data >= ?2" : "";
    CandidateQuery query;
    if (indexed && trimmed.size() >= kShortestIndexedText) {
        query.sql = throughIndex + fromDay;
        query.match = titleIndexQuery(db, trimmed);
    } else if (indexed && shortIndexed && trimmed.size() == 2) {
        // The titles of three characters or more through the index, the shorter ones through
        // their own small index.
        query.sql = throughIndex + fromDay + " UNION ALL " + columns +
                    "FROM Programmi p WHERE length(p.Titolo) < 3" + fromDay;
        query.match = titleIndexPairQuery(trimmed);
    } else {
        // One letter (or none, or no index): every row is looked at, but SQLite tests the title
        // itself and only the rows holding the letter are read in full.
        query.sql = columns + "FROM Programmi p WHERE 1" + fromDay;
        if (trimmed.size() == 1) {
            query.letters = sameLetterIgnoringCase(trimmed[0]);
            query.sql += " AND (0";
            for (std::size_t i = 0; i < query.letters.size(); ++i) {
                query.sql += " OR instr(p.Titolo, ?" + std::to_string(i + 3) + ")";
            }
            query.sql += ")";
        }
    }
    query.sql += " ORDER BY 2 ASC, 1 ASC";  // by day, then in the order the rows were stored
    return query;
}

}  // namespace

std::vector<FoundProgramme> TitleFinder::candidates(std::string_view text,
                                                    std::optional<std::int64_t> fromDay) {
    std::vector<FoundProgramme> rows;
    if (!store_) {
        return rows;
    }
    Database& db = store_->database();
    CandidateQuery how =
        candidateQuery(db, trimBlanks(text), fromDay.has_value(), indexed_, shortIndexed_);
    Statement query = db.prepare(how.sql);
    if (!how.match.empty()) {
        query.bindUtf8(1, how.match);
    }
    if (fromDay) {
        query.bind(2, *fromDay);
    }
    for (std::size_t i = 0; i < how.letters.size(); ++i) {
        query.bindLatin1(static_cast<int>(i + 3), std::string_view(&how.letters[i], 1));
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
