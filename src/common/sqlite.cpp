#include "common/sqlite.h"

#include <sqlite3.h>

#include "common/text.h"

namespace zelidor {

namespace {

constexpr int kBusyTimeoutMs = 10000;

// fold(text): the text with Latin-1 letters folded to lower case, for comparisons that ignore
// letter case beyond ASCII (SQLite's own NOCASE and LIKE fold ASCII only).
void foldFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    std::string folded = latin1ToUtf8(foldLatin1(utf8ToLatin1(text ? text : "")));
    sqlite3_result_text(ctx, folded.c_str(), static_cast<int>(folded.size()), SQLITE_TRANSIENT);
}

}  // namespace

Database::Database(const std::filesystem::path& file, Mode mode) : file_(file) {
    int flags =
        mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    flags |= SQLITE_OPEN_NOMUTEX;
    if (mode == Mode::ReadWrite && file.has_parent_path()) {
        std::error_code ignored;  // a folder that cannot be made shows up as the open failure
        std::filesystem::create_directories(file.parent_path(), ignored);
    }
    if (sqlite3_open_v2(file.string().c_str(), &db_, flags, nullptr) != SQLITE_OK) {
        std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        db_ = nullptr;
        throw StoreError(file.string() + ": cannot open database: " + message);
    }
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    sqlite3_extended_result_codes(db_, 1);
    try {
        // Reading the schema proves the file is a database before anybody relies on it.
        exec("SELECT count(*) FROM sqlite_master");
        if (mode == Mode::ReadWrite && sqlite3_db_readonly(db_, "main") == 1) {
            throw StoreError(file.string() + ": the database file is read-only");
        }
        if (mode == Mode::ReadWrite) {
            exec("PRAGMA journal_mode=WAL");
            exec("PRAGMA synchronous=NORMAL");
        }
        sqlite3_create_function(db_, "fold", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                foldFunction, nullptr, nullptr);
    } catch (...) {
        sqlite3_close(db_);
        db_ = nullptr;
        throw;
    }
}

Database::~Database() {
    sqlite3_close_v2(db_);
}

void Database::fail(std::string_view what) const {
    std::string message = file_.string() + ": " + std::string(what) + ": " + sqlite3_errmsg(db_);
    throw StoreError(message);
}

void Database::exec(std::string_view sql) {
    std::string text(sql);
    if (sqlite3_exec(db_, text.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
        fail("statement failed");
    }
}

Statement Database::prepare(std::string_view sql) {
    return Statement(*this, sql);
}

std::int64_t Database::changes() const {
    return sqlite3_changes64(db_);
}

void Database::setBusyTimeout(int milliseconds) {
    sqlite3_busy_timeout(db_, milliseconds);
}

Statement::Statement(Database& db, std::string_view sql) : db_(&db) {
    if (sqlite3_prepare_v2(db.handle(), sql.data(), static_cast<int>(sql.size()), &stmt_,
                           nullptr) != SQLITE_OK) {
        db.fail("cannot prepare statement");
    }
}

Statement::~Statement() {
    sqlite3_finalize(stmt_);
}

Statement::Statement(Statement&& other) noexcept : db_(other.db_), stmt_(other.stmt_) {
    other.stmt_ = nullptr;
}

Statement& Statement::bind(int index, std::int64_t value) {
    if (sqlite3_bind_int64(stmt_, index, value) != SQLITE_OK) {
        db_->fail("cannot bind parameter");
    }
    return *this;
}

Statement& Statement::bind(int index, double value) {
    if (sqlite3_bind_double(stmt_, index, value) != SQLITE_OK) {
        db_->fail("cannot bind parameter");
    }
    return *this;
}

Statement& Statement::bindUtf8(int index, std::string_view utf8) {
    if (sqlite3_bind_text(stmt_, index, utf8.data(), static_cast<int>(utf8.size()),
                          SQLITE_TRANSIENT) != SQLITE_OK) {
        db_->fail("cannot bind parameter");
    }
    return *this;
}

Statement& Statement::bindNull(int index) {
    if (sqlite3_bind_null(stmt_, index) != SQLITE_OK) {
        db_->fail("cannot bind parameter");
    }
    return *this;
}

Statement& Statement::bindLatin1(int index, const std::optional<std::string>& latin1) {
    return latin1 ? bindUtf8(index, latin1ToUtf8(*latin1)) : bindNull(index);
}

Statement& Statement::bindLatin1(int index, std::string_view latin1) {
    return bindUtf8(index, latin1ToUtf8(latin1));
}

bool Statement::step() {
    int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc == SQLITE_DONE) {
        return false;
    }
    db_->fail("statement failed");
}

void Statement::run() {
    while (step()) {
    }
}

void Statement::reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

bool Statement::isNull(int column) const {
    return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

std::int64_t Statement::integer(int column) const {
    return sqlite3_column_int64(stmt_, column);
}

double Statement::real(int column) const {
    return sqlite3_column_double(stmt_, column);
}

std::string Statement::utf8(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    int bytes = sqlite3_column_bytes(stmt_, column);
    return text ? std::string(text, static_cast<std::size_t>(bytes)) : std::string();
}

std::optional<std::int64_t> Statement::optionalInteger(int column) const {
    if (isNull(column)) {
        return std::nullopt;
    }
    return integer(column);
}

std::optional<std::string> Statement::latin1(int column) const {
    if (isNull(column)) {
        return std::nullopt;
    }
    return utf8ToLatin1(utf8(column));
}

int Statement::columnCount() const {
    return sqlite3_column_count(stmt_);
}

std::string Statement::columnName(int column) const {
    const char* name = sqlite3_column_name(stmt_, column);
    return name ? name : "";
}

Transaction::Transaction(Database& db) : db_(db) {
    db_.exec("BEGIN IMMEDIATE");
}

Transaction::~Transaction() {
    if (open_) {
        sqlite3_exec(db_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
    }
}

void Transaction::commit() {
    db_.exec("COMMIT");
    open_ = false;
}

}  // namespace zelidor
