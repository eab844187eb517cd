// The steps of compacting a database file in place, each of which either succeeds or throws
// CompactionError and leaves the database file as it was. CompactDatabaseFile strings them
// together; they are separate so that each can be checked against its own faults.
#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace zelidor {

// A failed step: number and description as the failure box shows them. SQLite failures carry
// SQLite's result code and message, file-system failures the errno value and its text.
class CompactionError : public std::runtime_error {
  public:
    CompactionError(int number, const std::string& description)
        : std::runtime_error(description), number_(number) {}
    int number() const { return number_; }

  private:
    int number_;
};

// "Backup" inserted before the extension: Zelidor.db gives ZelidorBackup.db beside it.
std::filesystem::path compactionBackupName(const std::filesystem::path& database);

std::uintmax_t fileSizeOf(const std::filesystem::path& file);

// Removes a file and the -wal, -shm and -journal files SQLite may have left beside it. Missing
// files are fine.
void removeDatabaseFiles(const std::filesystem::path& file);

// Writes a compacted copy of an existing database into target (which must not exist): folds the
// write-ahead log into the file, then VACUUM INTO. Fails when the file is missing or not a
// database, and when another connection still has it open (the write-ahead log then survives
// our connection, and renaming a new file under it would let that log be applied to the wrong
// file). May leave a partial target behind on failure.
void compactCopy(const std::filesystem::path& database, const std::filesystem::path& target);

// Proves that a file is a sound database (integrity check) and leaves no -wal or -shm beside it.
void verifyDatabaseFile(const std::filesystem::path& file);

// Moves from over to in one atomic rename, after forcing from's contents to disk, then forces
// the folder entry to disk. Either to is the complete new file or it is untouched. Any -shm left
// beside to by the old file is removed first: it describes a file that is about to go.
void replaceDatabaseFile(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace zelidor
