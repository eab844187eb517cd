// A thin RAII layer over SQLite: one connection per store, bound parameters only, errors as
// StoreError with the file name and SQLite's own description. Texts cross this boundary as
// UTF-8 in the file and as Latin-1 bytes in the program (the *Latin1 helpers convert).
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace zelidor {

class StoreError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class Statement;

class Database {
  public:
    enum class Mode { ReadWrite, ReadOnly };

    // Opens (and for ReadWrite creates) the file, switches it to WAL with a busy time-out and
    // proves that it is a database. A file that is not a database, or that cannot be written
    // when ReadWrite is asked for, throws StoreError.
    explicit Database(const std::filesystem::path& file, Mode mode = Mode::ReadWrite);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void exec(std::string_view sql);
    Statement prepare(std::string_view sql);
    std::int64_t changes() const;
    // How long a statement waits for another connection's write lock before it fails.
    void setBusyTimeout(int milliseconds);
    const std::filesystem::path& file() const { return file_; }
    sqlite3* handle() const { return db_; }

    // Throws StoreError describing the last failure of this connection.
    [[noreturn]] void fail(std::string_view what) const;

  private:
    std::filesystem::path file_;
    sqlite3* db_ = nullptr;
};

class Statement {
  public:
    Statement(Database& db, std::string_view sql);
    ~Statement();
    Statement(Statement&& other) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    Statement& operator=(Statement&&) = delete;

    // Parameters are numbered from 1.
    Statement& bind(int index, std::int64_t value);
    Statement& bind(int index, double value);
    Statement& bindUtf8(int index, std::string_view utf8);
    Statement& bindNull(int index);
    // Binds a Latin-1 text as UTF-8; an empty optional binds null.
    Statement& bindLatin1(int index, const std::optional<std::string>& latin1);
    Statement& bindLatin1(int index, std::string_view latin1);

    // Advances to the next row; false when done. Throws StoreError on failure.
    bool step();
    // Runs a statement that returns no rows.
    void run();
    void reset();

    bool isNull(int column) const;
    std::int64_t integer(int column) const;
    double real(int column) const;
    std::string utf8(int column) const;
    std::optional<std::int64_t> optionalInteger(int column) const;
    // The column's text as Latin-1 bytes; null gives no value.
    std::optional<std::string> latin1(int column) const;
    int columnCount() const;
    std::string columnName(int column) const;

  private:
    Database* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

// BEGIN IMMEDIATE on construction (waiting through the busy time-out for other writers),
// ROLLBACK on destruction unless commit() ran.
class Transaction {
  public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

  private:
    Database& db_;
    bool open_ = true;
};

}  // namespace zelidor
