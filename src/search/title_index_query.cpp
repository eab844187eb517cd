#include "search/title_index_query.h"

#include <algorithm>
#include <cstdint>
#include <set>
#include <vector>

#include "common/text.h"

namespace zelidor {

namespace {

// A probe reads no more than this many rows of a trigram, so it stays cheap however common the
// trigram is.
constexpr std::int64_t kProbeRows = 400;
// Trigrams asked for together: enough to single out the text's rows in practice.
constexpr std::size_t kMostTrigrams = 4;

struct Trigram {
    std::string text;
    std::size_t position;
    double rows;  // exact below kProbeRows, estimated above
};

// The rows holding a trigram: counted when there are few, otherwise estimated from how far into
// the table the probe had to read to meet kProbeRows of them (rows are spread over the table
// roughly evenly, being stored day after day).
double estimatedRows(Statement& probe, const std::string& trigram, std::int64_t lastRow) {
    probe.reset();
    probe.bindUtf8(1, titleIndexPhrase(trigram)).bind(2, kProbeRows);
    probe.step();
    std::int64_t counted = probe.integer(0);
    std::int64_t reached = probe.integer(1);
    if (counted < kProbeRows || reached <= 0) {
        return static_cast<double>(counted);
    }
    return static_cast<double>(kProbeRows) * static_cast<double>(lastRow) /
           static_cast<double>(reached);
}

std::vector<Trigram> probedTrigrams(Database& db, std::string_view text) {
    Statement last = db.prepare("SELECT max(rowid) FROM Programmi");
    std::int64_t lastRow = last.step() ? last.integer(0) : 0;
    Statement probe = db.prepare(
        "SELECT count(*), max(rowid) FROM (SELECT rowid FROM ProgrammiTitoli WHERE "
        "ProgrammiTitoli MATCH ? ORDER BY rowid LIMIT ?)");
    std::vector<Trigram> trigrams;
    std::set<std::string> seen;  // letter case folded, as the index folds it
    for (std::size_t i = 0; i + kShortestIndexedText <= text.size(); ++i) {
        std::string trigram(text.substr(i, kShortestIndexedText));
        if (seen.insert(foldLatin1(trigram)).second) {
            trigrams.push_back({trigram, i, estimatedRows(probe, trigram, lastRow)});
        }
    }
    return trigrams;
}

bool overlaps(const Trigram& a, const std::vector<const Trigram*>& chosen) {
    return std::any_of(chosen.begin(), chosen.end(), [&](const Trigram* b) {
        return (a.position > b->position ? a.position - b->position : b->position - a.position) <
               kShortestIndexedText;
    });
}

}  // namespace

std::string titleIndexPhrase(std::string_view latin1Text) {
    std::string phrase = "\"";
    phrase += replaceAll(latin1ToUtf8(latin1Text), "\"", "\"\"");
    phrase += '"';
    return phrase;
}

std::string sameLetterIgnoringCase(char c) {
    std::string letters;
    for (int other = 1; other <= 0xFF; ++other) {
        if (foldLatin1(static_cast<char>(other)) == foldLatin1(c)) {
            letters += static_cast<char>(other);
        }
    }
    return letters;
}

std::string titleIndexPairQuery(std::string_view latin1Pair) {
    // Every neighbour in every letter case: the index answers a trigram it lacks with one
    // look-up, and these five hundred cost a few milliseconds.
    std::set<std::string> trigrams;
    for (int c = 1; c <= 0xFF; ++c) {
        char neighbour = static_cast<char>(c);
        trigrams.insert(std::string(latin1Pair) + neighbour);
        trigrams.insert(neighbour + std::string(latin1Pair));
    }
    std::string query;
    for (const std::string& trigram : trigrams) {
        if (!query.empty()) {
            query += " OR ";
        }
        query += titleIndexPhrase(trigram);
    }
    return query;
}

std::string titleIndexQuery(Database& db, std::string_view latin1Text) {
    std::vector<Trigram> trigrams = probedTrigrams(db, latin1Text);
    std::stable_sort(trigrams.begin(), trigrams.end(),
                     [](const Trigram& a, const Trigram& b) { return a.rows < b.rows; });
    // The rarest first; trigrams apart from each other narrow the rows down more than
    // overlapping ones, which tend to come together.
    std::vector<const Trigram*> chosen;
    for (bool allowOverlap : {false, true}) {
        for (const Trigram& trigram : trigrams) {
            if (chosen.size() < kMostTrigrams &&
                std::find(chosen.begin(), chosen.end(), &trigram) == chosen.end() &&
                (allowOverlap || !overlaps(trigram, chosen))) {
                chosen.push_back(&trigram);
            }
        }
    }
    std::string query;
    for (const Trigram* trigram : chosen) {
        if (!query.empty()) {
            query += " AND ";
        }
        query += titleIndexPhrase(trigram->text);
    }
    return query;
}

}  // namespace zelidor
