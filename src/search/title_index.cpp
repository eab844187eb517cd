#include "search/title_index.h"

namespace zelidor {

namespace {

// External content: the index holds no copy of the titles, only their trigrams, keyed by the
// rowid of the programme row. The trigram tokenizer folds letter case over all of Unicode, which
// covers every Latin-1 letter that the search's own comparison folds.
constexpr std::string_view kIndexSchema = R"sql(
CREATE VIRTUAL TABLE ProgrammiTitoli USING fts5(
    Titolo, content='Programmi', content_rowid='rowid', tokenize='trigram');
CREATE TRIGGER ProgrammiTitoliInsert AFTER INSERT ON Programmi BEGIN
    INSERT INTO ProgrammiTitoli (rowid, Titolo) VALUES (new.rowid, new.Titolo);
END;
CREATE TRIGGER ProgrammiTitoliDelete AFTER DELETE ON Programmi BEGIN
    INSERT INTO ProgrammiTitoli (ProgrammiTitoli, rowid, Titolo)
        VALUES ('delete', old.rowid, old.Titolo);
END;
CREATE TRIGGER ProgrammiTitoliUpdate AFTER UPDATE OF Titolo ON Programmi BEGIN
    INSERT INTO ProgrammiTitoli (ProgrammiTitoli, rowid, Titolo)
        VALUES ('delete', old.rowid, old.Titolo);
    INSERT INTO ProgrammiTitoli (rowid, Titolo) VALUES (new.rowid, new.Titolo);
END;
)sql";

}  // namespace

bool hasTitleIndex(Database& db) {
    Statement query = db.prepare(
        "SELECT count(*) FROM sqlite_master WHERE name IN ('ProgrammiTitoli', "
        "'ProgrammiTitoliInsert', 'ProgrammiTitoliDelete', 'ProgrammiTitoliUpdate')");
    return query.step() && query.integer(0) == 4;
}

bool ensureTitleIndex(Database& db) {
    try {
        if (hasTitleIndex(db)) {
            return true;
        }
        // One write transaction: no programme can be stored between filling the index and
        // arming the triggers.
        Transaction transaction(db);
        db.exec(
            "DROP TRIGGER IF EXISTS ProgrammiTitoliInsert;"
            "DROP TRIGGER IF EXISTS ProgrammiTitoliDelete;"
            "DROP TRIGGER IF EXISTS ProgrammiTitoliUpdate;"
            "DROP TABLE IF EXISTS ProgrammiTitoli;");
        db.exec(kIndexSchema);
        rebuildTitleIndex(db);
        transaction.commit();
        return true;
    } catch (const StoreError&) {
        return false;
    }
}

bool hasShortTitleIndex(Database& db) {
    Statement query =
        db.prepare("SELECT count(*) FROM sqlite_master WHERE name = 'ProgrammiTitoliBrevi'");
    return query.step() && query.integer(0) == 1;
}

bool ensureShortTitleIndex(Database& db) {
    try {
        if (hasShortTitleIndex(db)) {
            return true;  // no write, so a download in progress does not hold the search up
        }
        // The condition is written exactly as the search writes it, so that SQLite uses it.
        db.exec(
            "CREATE INDEX ProgrammiTitoliBrevi ON Programmi (Data) "
            "WHERE length(Titolo) < 3");
        return true;
    } catch (const StoreError&) {
        return false;
    }
}

void rebuildTitleIndex(Database& db) {
    db.exec("INSERT INTO ProgrammiTitoli (ProgrammiTitoli) VALUES ('rebuild')");
}

}  // namespace zelidor
