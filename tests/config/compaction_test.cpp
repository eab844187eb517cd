#include "config/compaction.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "common/sqlite.h"
#include "config/compaction_steps.h"
#include "support/recording_dialogs.h"
#include "support/temp_dir.h"

namespace zelidor {
namespace {

namespace fs = std::filesystem;

using test::RecordingDialogs;

constexpr const char* kFailureTitle = "Fehler w\xE4hrend des Packvorgangs";

// A programme database with rows, most of them deleted again, so that compaction has work to do.
void makeDatabase(const fs::path& file, int keep = 50) {
    Database db(file);
    db.exec("CREATE TABLE Programmi (Data INTEGER, Titolo TEXT)");
    Transaction tx(db);
    Statement insert = db.prepare("INSERT INTO Programmi VALUES (?, ?)");
    for (int i = 0; i < 2000; ++i) {
        std::string title(200, static_cast<char>('a' + i % 26));
        insert.bind(1, std::int64_t{i}).bindLatin1(2, std::string_view(title));
        insert.run();
        insert.reset();
    }
    tx.commit();
    db.exec("DELETE FROM Programmi WHERE Data >= " + std::to_string(keep));
}

std::int64_t rowsIn(const fs::path& file) {
    Database db(file, Database::Mode::ReadOnly);
    Statement count = db.prepare("SELECT count(*) FROM Programmi");
    count.step();
    return count.integer(0);
}

// Every file and folder under folder, with the bytes of the files.
std::map<std::string, std::string> contentsOf(const fs::path& folder) {
    std::map<std::string, std::string> all;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        all[fs::relative(entry.path(), folder).string()] =
            entry.is_regular_file() ? test::readFile(entry.path()) : "(folder)";
    }
    return all;
}

std::string failureText(RecordingDialogs& dialogs) {
    if (dialogs.boxes.size() != 1 || dialogs.boxes[0].title != kFailureTitle ||
        dialogs.boxes[0].icon != MessageIcon::Critical) {
        ADD_FAILURE() << "expected exactly one failure box";
        return "";
    }
    return dialogs.boxes[0].text;
}

TEST(CompactionBackupName, PutsBackupBeforeTheExtensionWhateverItsLength) {
    EXPECT_EQ(compactionBackupName("/a/database/Zelidor.db"), "/a/database/ZelidorBackup.db");
    EXPECT_EQ(compactionBackupName("old/Zelidor.mdb"), "old/ZelidorBackup.mdb");
    EXPECT_EQ(compactionBackupName("guida.sqlite3"), "guidaBackup.sqlite3");
    EXPECT_EQ(compactionBackupName("/a/senza"), "/a/senzaBackup");
    EXPECT_THROW(compactionBackupName(""), CompactionError);
    EXPECT_THROW(compactionBackupName("/a/database/"), CompactionError);
}

TEST(CompactDatabaseFile, CompactsTwiceInARowKeepingEveryRowAndReplacingALeftoverBackup) {
    test::TempDir dir;
    fs::path folder = dir / "citt\xC3\xA0";  // "città" as the file system spells it
    fs::create_directories(folder);
    fs::path file = folder / "Zelidor.db";
    makeDatabase(file);
    test::writeFile(folder / "ZelidorBackup.db", "half a backup from a run that broke off");
    test::writeFile(folder / "ZelidorBackup.db-wal", "and its log");
    auto before = fs::file_size(file);
    RecordingDialogs dialogs;

    ASSERT_TRUE(CompactDatabaseFile(file, dialogs));
    auto after = fs::file_size(file);
    EXPECT_LT(after, before / 4);
    // The path in capitals, accented letters included.
    std::string shown = dir.path().string();
    std::transform(shown.begin(), shown.end(), shown.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    shown += "/CITT\xC0/ZELIDOR.DB";
    EXPECT_EQ(dialogs.boxes, (std::vector<test::Box>{{"Packen erfolgreich beendet",
                                                      shown +
                                                          " erfolgreich gepackt.\r\n\r\nGr\xF6\xDF"
                                                          "e vor dem Packen:\t" +
                                                          std::to_string(before) +
                                                          " Bytes\r\nGr\xF6\xDF"
                                                          "e nach dem Packen:\t" +
                                                          std::to_string(after) + " Bytes",
                                                      MessageIcon::Information}}));

    ASSERT_TRUE(CompactDatabaseFile(file, dialogs));
    EXPECT_EQ(dialogs.boxes.size(), 2u);
    EXPECT_EQ(rowsIn(file), 50);
    EXPECT_EQ(contentsOf(folder).size(), 1u) << "no backup or log beside the database";
}

TEST(CompactDatabaseFile, TakesInRowsThatWereStillOnlyInTheWriteAheadLog) {
    test::TempDir dir;
    fs::path file = dir / "Zelidor.db";
    makeDatabase(file, 10);
    {
        // A program that stopped without closing: committed rows still sit in the log.
        Database db(file);
        db.exec("PRAGMA wal_autocheckpoint=0");
        db.exec("INSERT INTO Programmi VALUES (1, 'solo nel log')");
        fs::copy_file(file, dir / "crashed.db");
        fs::copy_file(dir / "Zelidor.db-wal", dir / "crashed.db-wal");
    }
    fs::rename(dir / "crashed.db", file);
    fs::rename(dir / "crashed.db-wal", dir / "Zelidor.db-wal");
    ASSERT_GT(fs::file_size(dir / "Zelidor.db-wal"), 0u);

    RecordingDialogs dialogs;
    ASSERT_TRUE(CompactDatabaseFile(file, dialogs));
    EXPECT_FALSE(fs::exists(dir / "Zelidor.db-wal"));
    EXPECT_EQ(rowsIn(file), 11);
}

TEST(CompactDatabaseFile, AMissingFileAFileThatIsNoDatabaseOrAStuckBackupChangeNothing) {
    enum Fault { Missing, NotADatabase, StuckBackup };
    const std::string failures[] = {std::to_string(ENOENT) + ": No such file or directory",
                                    "26: file is not a database",
                                    std::to_string(ENOTEMPTY) + ": Directory not empty"};
    for (Fault fault : {Missing, NotADatabase, StuckBackup}) {
        test::TempDir dir;
        fs::path file = dir / "Zelidor.db";
        if (fault == NotADatabase) {
            test::writeFile(file, std::string(20000, '\x7F'));
        } else if (fault == StuckBackup) {
            makeDatabase(file);
            fs::create_directories(dir / "ZelidorBackup.db" / "inside");
        }
        auto before = contentsOf(dir.path());
        RecordingDialogs dialogs;
        EXPECT_FALSE(CompactDatabaseFile(file, dialogs));
        EXPECT_EQ(failureText(dialogs), failures[fault]);
        EXPECT_EQ(contentsOf(dir.path()), before) << fault;
    }
}

TEST(CompactDatabaseFile, ADatabaseStillOpenElsewhereIsLeftAlone) {
    test::TempDir dir;
    fs::path file = dir / "Zelidor.db";
    makeDatabase(file);
    RecordingDialogs dialogs;
    {
        Database other(file);
        other.exec("SELECT count(*) FROM Programmi");
        EXPECT_FALSE(CompactDatabaseFile(file, dialogs));
        EXPECT_EQ(failureText(dialogs), "5: the database is in use by another connection");
        EXPECT_FALSE(fs::exists(dir / "ZelidorBackup.db"));
        other.exec("INSERT INTO Programmi VALUES (9999, 'ancora aperto')");  // still sound
    }
    EXPECT_EQ(rowsIn(file), 51);
    EXPECT_TRUE(CompactDatabaseFile(file, dialogs));
    EXPECT_EQ(rowsIn(file), 51);
}

TEST(CompactDatabaseFile, AReadOnlyFolderFailsAndLeavesTheDatabaseIntact) {
    test::TempDir dir;
    fs::path folder = dir / "database";
    fs::create_directories(folder);
    fs::path file = folder / "Zelidor.db";
    makeDatabase(file);
    auto before = contentsOf(folder);
    test::shareWithOthers(dir.path());
    ::chmod(folder.c_str(), 0555);
    EXPECT_EXIT(
        {
            test::becomeUnprivileged();
            RecordingDialogs dialogs;
            bool compacted = CompactDatabaseFile(file, dialogs);
            bool reported = dialogs.boxes.size() == 1 && dialogs.boxes[0].title == kFailureTitle;
            std::exit(!compacted && reported ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
    EXPECT_EQ(contentsOf(folder), before);
}

TEST(CompactionSteps, VerificationRejectsADamagedCopy) {
    test::TempDir dir;
    fs::path file = dir / "copy.db";
    makeDatabase(file, 2000);
    {
        Database db(file);  // fold the log into the file so that the damage below hits data
        db.exec("PRAGMA wal_checkpoint(TRUNCATE)");
    }
    std::string bytes = test::readFile(file);
    ASSERT_GT(bytes.size(), 40000u);
    for (std::size_t i = 4 * 4096; i < 4 * 4096 + 100; ++i) {  // the header of a table page
        bytes[i] = '\xFF';
    }
    test::writeFile(file, bytes);
    EXPECT_THROW(verifyDatabaseFile(file), CompactionError);

    test::writeFile(file, "not a database at all, and long enough to look like a header....");
    EXPECT_THROW(verifyDatabaseFile(file), CompactionError);
}

TEST(CompactionSteps, ReplacingIntoAReadOnlyFolderLeavesBothFilesAsTheyWere) {
    test::TempDir dir;
    fs::path folder = dir / "database";
    fs::create_directories(folder);
    test::writeFile(folder / "Zelidor.db", "old");
    test::writeFile(folder / "ZelidorBackup.db", "new");
    test::shareWithOthers(dir.path());
    ::chmod(folder.c_str(), 0555);
    EXPECT_EXIT(
        {
            test::becomeUnprivileged();
            try {
                replaceDatabaseFile(folder / "ZelidorBackup.db", folder / "Zelidor.db");
            } catch (const CompactionError& e) {
                std::exit(e.number() == EACCES ? 0 : 2);
            }
            std::exit(1);
        },
        testing::ExitedWithCode(0), "");
    EXPECT_EQ(test::readFile(folder / "Zelidor.db"), "old");
    EXPECT_EQ(test::readFile(folder / "ZelidorBackup.db"), "new");
}

TEST(CompactionSteps, ReplacingRemovesTheOldFilesSharedMemoryIndex) {
    test::TempDir dir;
    test::writeFile(dir / "Zelidor.db", "old");
    test::writeFile(dir / "Zelidor.db-shm", "stale index of the old file");
    test::writeFile(dir / "ZelidorBackup.db", "new");
    replaceDatabaseFile(dir / "ZelidorBackup.db", dir / "Zelidor.db");
    EXPECT_EQ(test::readFile(dir / "Zelidor.db"), "new");
    EXPECT_FALSE(fs::exists(dir / "Zelidor.db-shm"));
    EXPECT_FALSE(fs::exists(dir / "ZelidorBackup.db"));
}

}  // namespace
}  // namespace zelidor
