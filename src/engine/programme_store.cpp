#include "engine/programme_store.h"

namespace zelidor {

namespace {

constexpr std::string_view kSchema = R"sql(
CREATE TABLE IF NOT EXISTS Programmi (
    Data INTEGER,
    Ora TEXT,
    Titolo TEXT,
    Link TEXT,
    Commenti TEXT,
    Cover TEXT,
    Palinsesto TEXT,
    Numerazione INTEGER,
    Type TEXT
);
CREATE INDEX IF NOT EXISTS ProgrammiByDayChannel ON Programmi (Data, Palinsesto, Numerazione);
CREATE INDEX IF NOT EXISTS ProgrammiByDayHour ON Programmi (Data, Ora);
-- Whether any programme still names a cover, asked for each replaced programme's cover.
CREATE INDEX IF NOT EXISTS ProgrammiByCover ON Programmi (Cover) WHERE Cover IS NOT NULL;
)sql";

}  // namespace

std::filesystem::path ProgrammeStore::defaultFile(const std::filesystem::path& appFolder) {
    return appFolder / "database" / "Zelidor.db";
}

ProgrammeStore::ProgrammeStore(const std::filesystem::path& file, Database::Mode mode)
    : db_(file, mode) {
    if (mode == Database::Mode::ReadWrite) {
        db_.exec(kSchema);
    }
}

void ProgrammeStore::insert(const ProgrammeRow& row) {
    if (!insert_) {
        insert_.emplace(db_.prepare(
            "INSERT INTO Programmi (Data, Ora, Titolo, Link, Commenti, Cover, Palinsesto, "
            "Numerazione, Type) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    }
    Statement& insert = *insert_;
    insert.reset();
    row.data ? insert.bind(1, *row.data) : insert.bindNull(1);
    insert.bindLatin1(2, row.ora).bindLatin1(3, row.titolo).bindLatin1(4, row.link);
    insert.bindLatin1(5, row.commenti).bindLatin1(6, row.cover).bindLatin1(7, row.palinsesto);
    row.numerazione ? insert.bind(8, *row.numerazione) : insert.bindNull(8);
    insert.bindLatin1(9, row.type);
    insert.run();
}

std::int64_t ProgrammeStore::deleteChannelDay(std::int64_t day, std::string_view channel) {
    Statement remove =
        db_.prepare("DELETE FROM Programmi WHERE Data = ? AND fold(Palinsesto) = fold(?)");
    remove.bind(1, day).bindLatin1(2, channel);
    remove.run();
    return db_.changes();
}

std::vector<ProgrammeRow> ProgrammeStore::channelDay(std::int64_t day, std::string_view channel) {
    Statement query = db_.prepare(
        "SELECT Data, Ora, Titolo, Link, Commenti, Cover, Palinsesto, Numerazione, Type "
        "FROM Programmi WHERE Data = ? AND Palinsesto = ? ORDER BY Numerazione ASC, rowid ASC");
    query.bind(1, day).bindLatin1(2, channel);
    std::vector<ProgrammeRow> rows;
    while (query.step()) {
        rows.push_back(rowFrom(query));
    }
    return rows;
}

ProgrammeRow ProgrammeStore::rowFrom(const Statement& s) {
    return ProgrammeRow{s.optionalInteger(0), s.latin1(1),          s.latin1(2),
                        s.latin1(3),          s.latin1(4),          s.latin1(5),
                        s.latin1(6),          s.optionalInteger(7), s.latin1(8)};
}

}  // namespace zelidor
