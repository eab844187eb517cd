#include "config/compaction_steps.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>
#include <system_error>

namespace zelidor {

namespace {

constexpr int kBusyTimeoutMs = 5000;

[[noreturn]] void failWith(const std::error_code& error) {
    throw CompactionError(error.value(), error.message());
}

[[noreturn]] void failWithErrno() {
    failWith(std::error_code(errno, std::generic_category()));
}

std::filesystem::path companion(const std::filesystem::path& file, std::string_view suffix) {
    return std::filesystem::path(file.native() + std::string(suffix));
}

bool isPresent(const std::filesystem::path& file) {
    std::error_code ignored;
    return std::filesystem::exists(std::filesystem::symlink_status(file, ignored));
}

// One raw SQLite connection to an existing file. The compaction works below the common
// Database class on purpose: it must never create a file or change its journal mode.
class Connection {
  public:
    explicit Connection(const std::filesystem::path& file) {
        int rc = sqlite3_open_v2(file.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr);
        if (rc != SQLITE_OK) {
            std::string message = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
            sqlite3_close(db_);
            throw CompactionError(rc, message);
        }
        sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    }
    ~Connection() { sqlite3_close(db_); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Runs one statement with an optional text parameter; returns the first column of its first
    // row as text (empty when it returns no row).
    std::string run(const char* sql, const std::string* parameter = nullptr) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db_, sql, -1, &stmt, nullptr) != SQLITE_OK) {
            fail();
        }
        if (parameter) {
            sqlite3_bind_text(stmt, 1, parameter->c_str(), -1, SQLITE_TRANSIENT);
        }
        std::string first;
        int rc = sqlite3_step(stmt);
        if (rc == SQLITE_ROW) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
            first = text ? text : "";
            while (rc == SQLITE_ROW) {
                rc = sqlite3_step(stmt);
            }
        }
        sqlite3_finalize(stmt);
        if (rc != SQLITE_DONE) {
            fail();
        }
        return first;
    }

  private:
    [[noreturn]] void fail() { throw CompactionError(sqlite3_errcode(db_), sqlite3_errmsg(db_)); }

    sqlite3* db_ = nullptr;
};

void syncFile(const std::filesystem::path& file, int flags) {
    int fd = ::open(file.c_str(), flags | O_CLOEXEC);
    if (fd < 0) {
        failWithErrno();
    }
    int rc = ::fsync(fd);
    int savedErrno = errno;
    ::close(fd);
    if (rc != 0) {
        errno = savedErrno;
        failWithErrno();
    }
}

void removeIfPresent(const std::filesystem::path& file) {
    std::error_code error;
    std::filesystem::remove(file, error);
    if (error) {
        failWith(error);
    }
}

}  // namespace

std::filesystem::path compactionBackupName(const std::filesystem::path& database) {
    if (!database.has_filename() || database.filename() == "." || database.filename() == "..") {
        failWith(std::make_error_code(std::errc::invalid_argument));
    }
    std::filesystem::path backup = database;
    backup.replace_filename(database.stem().native() + "Backup" + database.extension().native());
    return backup;
}

std::uintmax_t fileSizeOf(const std::filesystem::path& file) {
    std::error_code error;
    std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error) {
        failWith(error);
    }
    return size;
}

void removeDatabaseFiles(const std::filesystem::path& file) {
    removeIfPresent(file);
    for (const char* suffix : {"-wal", "-shm", "-journal"}) {
        removeIfPresent(companion(file, suffix));
    }
}

void compactCopy(const std::filesystem::path& database, const std::filesystem::path& target) {
    fileSizeOf(database);  // a missing file must fail here, not be created by the open
    {
        Connection db(database);
        db.run("SELECT count(*) FROM sqlite_master");  // proves that the file is a database
        // Folds the log into the file; "1" in the first column means a reader or writer of
        // another connection kept it from finishing.
        if (db.run("PRAGMA wal_checkpoint(TRUNCATE)") == "1") {
            throw CompactionError(SQLITE_BUSY, "the database is in use by another connection");
        }
        std::string targetName = target.string();
        db.run("VACUUM INTO ?", &targetName);
    }
    // Closing the last connection deletes the log; one that survives belongs to somebody else.
    if (isPresent(companion(database, "-wal"))) {
        throw CompactionError(SQLITE_BUSY, "the database is in use by another connection");
    }
}

void verifyDatabaseFile(const std::filesystem::path& file) {
    {
        Connection db(file);
        std::string verdict = db.run("PRAGMA integrity_check");
        if (verdict != "ok") {
            throw CompactionError(SQLITE_CORRUPT, "the compacted copy is damaged: " + verdict);
        }
    }
    removeIfPresent(companion(file, "-wal"));
    removeIfPresent(companion(file, "-shm"));
}

void replaceDatabaseFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    syncFile(from, O_RDONLY);
    removeIfPresent(companion(to, "-shm"));
    if (::rename(from.c_str(), to.c_str()) != 0) {
        failWithErrno();
    }
    std::filesystem::path folder = to.parent_path().empty() ? "." : to.parent_path();
    syncFile(folder, O_RDONLY | O_DIRECTORY);
}

}  // namespace zelidor
