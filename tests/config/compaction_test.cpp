#include "config/compaction.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/sqlite.h"
#include "config/compaction_steps.h"
#include "support/temp_dir.h"

namespace zelidor {
namespace {

namespace fs = std::filesystem;

struct Box {
    std::string title;
    std::string text;
    MessageIcon icon;
};

class RecordingDialogs : public Dialogs {
  public:
    void message(const std::string& title, const std::string& text, MessageIcon icon) override {
        boxes.push_back({title, text, icon});
    }
    Answer question(const std::string&, const std::string&) override {
        ADD_FAILURE() << "compaction never asks";
        return Answer::Cancel;
    }
    std::vector<Box> boxes;
};

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

bool anyBackupLeft(const fs::path& folder) {
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename().string().find("Backup") != std::string::npos) {
            return true;
        }
    }
    return false;
}

std::string asciiUpper(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
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

TEST(CompactDatabaseFile, CompactsTwiceInARowKeepingEveryRowAndNoBackup) {
    test::TempDir dir;
    fs::path file = dir / "Zelidor.db";
    makeDatabase(file);
    auto before = fs::file_size(file);
    RecordingDialogs dialogs;

    ASSERT_TRUE(CompactDatabaseFile(file, dialogs));
    auto after = fs::file_size(file);
    EXPECT_LT(after, before / 4);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].title, "Packen erfolgreich beendet");
    EXPECT_EQ(dialogs.boxes[0].icon, MessageIcon::Information);
    EXPECT_EQ(dialogs.boxes[0].text, asciiUpper(file.string()) +
                                         " erfolgreich gepackt.\r\n\r\n"
                                         "Gr\xF6\xDF"
                                         "e vor dem Packen:\t" +
                                         std::to_string(before) + " Bytes\r\n" +
                                         "Gr\xF6\xDF"
                                         "e nach dem Packen:\t" +
                                         std::to_string(after) + " Bytes");

    ASSERT_TRUE(CompactDatabaseFile(file, dialogs));
    EXPECT_EQ(dialogs.boxes.size(), 2u);
    EXPECT_EQ(rowsIn(file), 50);
    EXPECT_FALSE(anyBackupLeft(dir.path()));
    EXPECT_FALSE(fs::exists(dir / "Zelidor.db-wal"));
}

TEST(CompactDatabaseFile, ShowsThePathInCapitalsAccentedLettersIncluded) {
    test::TempDir dir;
    fs::create_directories(dir / "citt\xC3\xA0");  // "città" as the file system spells it
    fs::path file = dir / "citt\xC3\xA0" / "guida.db";
    makeDatabase(file);
    RecordingDialogs dialogs;
    ASSERT_TRUE(CompactDatabaseFile(file, dialogs));
    std::string expected =
        asciiUpper(dir.path().string()) + "/CITT\xC0/GUIDA.DB erfolgreich gepackt.";
    EXPECT_EQ(dialogs.boxes.at(0).text.substr(0, expected.size()), expected);
}

TEST(CompactDatabaseFile, ReplacesALeftoverBackupWithoutAsking) {
    test::TempDir dir;
    fs::path file = dir / "Zelidor.db";
    makeDatabase(file);
    test::writeFile(dir / "ZelidorBackup.db", "half a backup from a run that broke off");
    test::writeFile(dir / "ZelidorBackup.db-wal", "and its log");
    RecordingDialogs dialogs;
    ASSERT_TRUE(CompactDatabaseFile(file, dialogs));
    EXPECT_EQ(rowsIn(file), 50);
    EXPECT_FALSE(anyBackupLeft(dir.path()));
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

TEST(CompactDatabaseFile, AMissingFileFailsAndCreatesNothing) {
    test::TempDir dir;
    RecordingDialogs dialogs;
    EXPECT_FALSE(CompactDatabaseFile(dir / "Zelidor.db", dialogs));
    EXPECT_EQ(failureText(dialogs), std::to_string(ENOENT) + ": No such file or directory");
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(CompactDatabaseFile, AFileThatIsNotADatabaseIsLeftAsItWas) {
    test::TempDir dir;
    fs::path file = dir / "Zelidor.db";
    const std::string garbage(20000, '\x7F');
    test::writeFile(file, garbage);
    RecordingDialogs dialogs;
    EXPECT_FALSE(CompactDatabaseFile(file, dialogs));
    EXPECT_EQ(failureText(dialogs), "26: file is not a database");
    EXPECT_EQ(test::readFile(file), garbage);
    EXPECT_FALSE(anyBackupLeft(dir.path()));
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
        EXPECT_FALSE(anyBackupLeft(dir.path()));
        other.exec("INSERT INTO Programmi VALUES (9999, 'ancora aperto')");  // still sound
    }
    EXPECT_EQ(rowsIn(file), 51);
    EXPECT_TRUE(CompactDatabaseFile(file, dialogs));
    EXPECT_EQ(rowsIn(file), 51);
}

TEST(CompactDatabaseFile, ABackupThatCannotBeRemovedStopsBeforeAnythingChanges) {
    test::TempDir dir;
    fs::path file = dir / "Zelidor.db";
    makeDatabase(file);
    std::string original = test::readFile(file);
    fs::create_directories(dir / "ZelidorBackup.db" / "inside");
    RecordingDialogs dialogs;
    EXPECT_FALSE(CompactDatabaseFile(file, dialogs));
    EXPECT_EQ(failureText(dialogs), std::to_string(ENOTEMPTY) + ": Directory not empty");
    EXPECT_EQ(test::readFile(file), original);
}

TEST(CompactDatabaseFile, AReadOnlyFolderFailsAndLeavesTheDatabaseIntact) {
    test::TempDir dir;
    fs::path folder = dir / "database";
    fs::create_directories(folder);
    fs::path file = folder / "Zelidor.db";
    makeDatabase(file);
    std::string original = test::readFile(file);
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
    EXPECT_EQ(test::readFile(file), original);
    EXPECT_FALSE(anyBackupLeft(folder));
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
