#include "programme_rows.h"

#include <algorithm>

namespace zelidor::test {

namespace {

std::string column(const std::optional<std::string>& text) {
    return text ? "'" + *text + "'" : "<null>";
}

std::string column(const std::optional<std::int64_t>& number) {
    return number ? std::to_string(*number) : "<null>";
}

}  // namespace

std::string describe(const ProgrammeRow& row) {
    return column(row.data) + " | " + column(row.ora) + " | " + column(row.titolo) + " | " +
           column(row.link) + " | " + column(row.commenti) + " | " + column(row.cover) + " | " +
           column(row.palinsesto) + " | " + column(row.numerazione) + " | " + column(row.type);
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

}  // namespace zelidor::test
