#include "config/config_database.h"

#include <string>

#include "config/config_row.h"

namespace zelidor {

namespace {

std::string createConfigTableSql() {
    std::string sql = "CREATE TABLE IF NOT EXISTS Config (";
    for (const ConfigColumn& column : kConfigColumns) {
        sql += std::string(column.name) + " " + std::string(column.sqlType) + ", ";
    }
    sql.resize(sql.size() - 2);
    return sql + ")";
}

// Readers take fields by position, so the columns must stand in the expected order. A table of
// an older program that lacks only columns added since gets them appended in place: its row,
// the user's settings, stays as it was and the new fields read as null (0 or empty).
void checkConfigLayout(Database& db) {
    Statement columns = db.prepare("SELECT name FROM pragma_table_info('Config') ORDER BY cid");
    std::size_t position = 0;
    while (columns.step()) {
        if (position >= kConfigColumns.size() || columns.utf8(0) != kConfigColumns[position].name) {
            throw StoreError(db.file().string() + ": the Config table has an unexpected column '" +
                             columns.utf8(0) + "' at position " + std::to_string(position));
        }
        ++position;
    }
    for (; position < kConfigColumns.size(); ++position) {
        const ConfigColumn& column = kConfigColumns[position];
        db.exec("ALTER TABLE Config ADD COLUMN " + std::string(column.name) + " " +
                std::string(column.sqlType));
    }
}

void insertRow(Database& db, const ConfigRow& row) {
    std::string names;
    std::string values;
    for (const ConfigColumn& column : kConfigColumns) {
        names += (names.empty() ? "" : ", ") + std::string(column.name);
        values += values.empty() ? "?" : ", ?";
    }
    Statement insert = db.prepare("INSERT INTO Config (" + names + ") VALUES (" + values + ")");
    bindConfigRow(insert, row);
    insert.run();
}

bool hasRow(Database& db) {
    Statement query = db.prepare("SELECT EXISTS (SELECT 1 FROM Config)");
    return query.step() && query.integer(0) != 0;
}

// Called inside a write transaction, so that two programs starting together add one row, not two.
void insertDefaultRowIfMissing(Database& db, const std::filesystem::path& appFolder) {
    if (!hasRow(db)) {
        insertRow(db, defaultConfigRow(appFolder));
    }
}

}  // namespace

std::filesystem::path configDatabaseFile(const std::filesystem::path& appFolder) {
    return appFolder / "database" / "config.db";
}

void prepareConfigDatabase(Database& db, const std::filesystem::path& appFolder) {
    Transaction transaction(db);
    db.exec(createConfigTableSql());
    db.exec("CREATE TABLE IF NOT EXISTS Importa (Titolo TEXT)");
    checkConfigLayout(db);
    insertDefaultRowIfMissing(db, appFolder);
    transaction.commit();
}

void ensureConfigRow(Database& db, const std::filesystem::path& appFolder) {
    if (!hasRow(db)) {
        Transaction transaction(db);
        insertDefaultRowIfMissing(db, appFolder);
        transaction.commit();
    }
}

void bindConfigRow(Statement& statement, const ConfigRow& row) {
    statement.bind(1, row.winWidth).bind(2, row.winHeight).bind(3, row.winTop);
    statement.bind(4, row.winLeft).bindLatin1(5, std::string_view(row.card));
    statement.bind(6, std::int64_t{row.checkUpdate}).bind(7, std::int64_t{row.shutDown});
    statement.bind(8, std::int64_t{row.scriptError}).bindLatin1(9, std::string_view(row.shutType));
    statement.bind(10, std::int64_t{row.takeOnlyListed});
    statement.bindLatin1(11, std::string_view(row.listingsHost));
    statement.bindLatin1(12, std::string_view(row.updateHost));
    statement.bind(13, std::int64_t{row.samplePort});
}

}  // namespace zelidor
