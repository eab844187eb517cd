// The database wrapper's faults and its transactions. Bound parameters and the fold() comparison
// are tested where user text meets them: the title search, the settings, the type list and the
// programme store.
#include "common/sqlite.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "support/temp_dir.h"

namespace zelidor {
namespace {

TEST(Database, AFileThatIsNotADatabaseIsReportedNotTreatedAsEmpty) {
    test::TempDir dir;
    test::writeFile(dir / "x.db", std::string(4096, 'Z'));
    try {
        Database db(dir / "x.db");
        FAIL() << "opened a file that is not a database";
    } catch (const StoreError& e) {
        EXPECT_NE(std::string(e.what()).find("x.db"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("not a database"), std::string::npos) << e.what();
    }
}

TEST(Database, AReadOnlyFileIsReportedWhenWritingIsAsked) {
    test::TempDir dir;
    {
        Database db(dir / "ro.db");
        db.exec("CREATE TABLE t (a)");
    }
    test::shareWithOthers(dir.path());
    ::chmod((dir / "ro.db").c_str(), 0444);
    EXPECT_EXIT(
        {
            test::becomeUnprivileged();
            try {
                Database db(dir / "ro.db");
            } catch (const StoreError& e) {
                bool clear = std::string(e.what()).find("read-only") != std::string::npos;
                std::exit(clear ? 0 : 2);
            }
            std::exit(1);
        },
        testing::ExitedWithCode(0), "");
    Database reader(dir / "ro.db", Database::Mode::ReadOnly);
    EXPECT_NO_THROW(reader.exec("SELECT * FROM t"));
}

TEST(Transaction, ReaderSeesCommittedDataWhileAWriterHoldsATransaction) {
    test::TempDir dir;
    Database writer(dir / "t.db");
    writer.exec("CREATE TABLE t (a INTEGER)");
    writer.exec("INSERT INTO t VALUES (1)");
    Database reader(dir / "t.db");
    {
        Transaction tx(writer);
        writer.exec("INSERT INTO t VALUES (2)");
        Statement q = reader.prepare("SELECT count(*) FROM t");
        ASSERT_TRUE(q.step());
        EXPECT_EQ(q.integer(0), 1);  // the uncommitted row is not visible, and nobody blocks
    }
    Statement q = reader.prepare("SELECT count(*) FROM t");
    ASSERT_TRUE(q.step());
    EXPECT_EQ(q.integer(0), 1);  // rolled back when the transaction went out of scope
}

}  // namespace
}  // namespace zelidor
