#include "config/config_store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <stdexcept>

#include "common/text.h"
#include "config/config_database.h"
#include "support/temp_dir.h"

namespace zelidor {
namespace {

std::int64_t rowCount(const std::filesystem::path& app) {
    Database db(configDatabaseFile(app));
    Statement count = db.prepare("SELECT count(*) FROM Config");
    count.step();
    return count.integer(0);
}

std::string everyHighByte() {
    std::string text;
    for (int byte = 0xA0; byte <= 0xFF; ++byte) {
        text += static_cast<char>(byte);
    }
    return text;
}

TEST(ConfigStore, CreatesTheFileTheTableAndOneDefaultRowOnFirstUse) {
    test::TempDir app;
    app.makeAppFolders();
    for (const char* name : {"zeta.htm", "Blu.htm", "alfa.txt", "aaa.html"}) {
        test::writeFile(app / "htmlcards" / name, "x");
    }
    ConfigStore store(app.path());
    EXPECT_TRUE(std::filesystem::exists(app / "database" / "config.db"));

    // The first *.htm by name is the card; .txt and .html files are no templates.
    const ConfigRow expected{12510, 10425, 1000, 1500, "Blu.htm", 1,
                             0,     0,     "1",  0,    "sample",  "sample"};
    EXPECT_EQ(store.read(), expected);

    ConfigStore again(app.path());  // reopening neither adds a row nor resets the values
    again.setText(ConfigField::Card, "zeta.htm");
    EXPECT_EQ(ConfigStore(app.path()).read().card, "zeta.htm");
    EXPECT_EQ(rowCount(app.path()), 1);

    test::TempDir withoutTemplates;
    EXPECT_EQ(ConfigStore(withoutTemplates.path()).read().card, "");
}

TEST(ConfigStore, AMissingRowOrTableIsCreatedAgainWithTheDefaults) {
    test::TempDir app;
    ConfigStore store(app.path());
    store.setNumber(ConfigField::WinWidth, 9000);
    store.database().exec("DELETE FROM Config");
    EXPECT_EQ(store.read(), ConfigRow{});
    EXPECT_EQ(rowCount(app.path()), 1);

    store.database().exec("DROP TABLE Config");
    EXPECT_EQ(ConfigStore(app.path()).read(), ConfigRow{});
}

TEST(ConfigStore, ColumnsStandAtTheirPositionsAndPositionSevenIsTheScriptErrorFlag) {
    test::TempDir app;
    ConfigStore store(app.path());
    Statement columns =
        store.database().prepare("SELECT name FROM pragma_table_info('Config') ORDER BY cid");
    std::vector<std::string> names;
    while (columns.step()) {
        names.push_back(columns.utf8(0));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"WinWidth", "WinHeight", "WinTop", "WinLeft", "Card",
                                               "CheckUpdate", "ShutDown", "ScriptError", "ShutType",
                                               "TakeOnlyListed", "ListingsHost", "UpdateHost",
                                               "SamplePort"}));

    store.setWindowPlacement(12000, 9000, 200, 300);
    store.setNumber(ConfigField::ScriptError, 1);
    std::vector<int> flags;
    for (int position : {0, 1, 2, 3, 5, 7}) {
        flags.push_back(store.flagAtPosition(position));
    }
    EXPECT_EQ(flags, (std::vector<int>{12000, 9000, 200, 300, 1, 1}));  // CheckUpdate kept
    EXPECT_THROW(store.flagAtPosition(13), std::out_of_range);
    EXPECT_THROW(store.flagAtPosition(-1), std::out_of_range);
}

// Read through a second connection, as the engine reads what the window changed.
TEST(ConfigStore, WritesTheWholeRowAndSingleFieldsAndAnotherConnectionSeesThem) {
    test::TempDir app;
    ConfigStore window(app.path());
    ConfigStore engineView(app.path());
    EXPECT_EQ(engineView.flagAtPosition(7), 0);
    ConfigRow row{11355.5, 8320, -15, 45, "scuro.htm",      0,
                  1,       1,    "3", 1,  "127.0.0.1:8080", "aggiornamenti.example:81"};
    window.write(row);
    EXPECT_EQ(engineView.read(), row);
    EXPECT_EQ(engineView.flagAtPosition(7), 1);

    window.setNumber(ConfigField::ShutDown, 0);
    window.setText(ConfigField::ShutType, "4");
    window.setText(ConfigField::ListingsHost, "sample");
    row.shutDown = 0;
    row.shutType = "4";
    row.listingsHost = "sample";
    EXPECT_EQ(engineView.read(), row);

    EXPECT_THROW(window.setText(ConfigField::ScriptError, "1"), std::invalid_argument);
    EXPECT_THROW(window.setNumber(ConfigField::Card, 1), std::invalid_argument);
}

TEST(ConfigStore, TextsRoundTripAsTheyAreAndAreStoredAsUtf8) {
    test::TempDir app;
    ConfigStore store(app.path());
    const std::string text =
        "L'ispettore 100% '); DROP TABLE Config; -- Citt\xE0 " + everyHighByte();
    store.setText(ConfigField::Card, text);
    EXPECT_EQ(store.read().card, text);
    EXPECT_EQ(rowCount(app.path()), 1);

    Statement stored = store.database().prepare("SELECT Card FROM Config");
    ASSERT_TRUE(stored.step());
    EXPECT_EQ(stored.utf8(0), latin1ToUtf8(text));
}

// A file that is no database, or a Config table of other columns, is an error, never an empty
// configuration written over the user's file.
TEST(ConfigStore, ASettingsFileItCannotReadIsAnErrorAndKeptAsItIs) {
    test::TempDir app;
    app.makeAppFolders();
    test::writeFile(app / "database" / "config.db", std::string(8192, '\x5A'));
    EXPECT_THROW(ConfigStore store(app.path()), StoreError);
    EXPECT_EQ(test::readFile(app / "database" / "config.db"), std::string(8192, '\x5A'));

    std::filesystem::remove(app / "database" / "config.db");
    Database(configDatabaseFile(app.path()))
        .exec(
            "CREATE TABLE Config (WinWidth, WinHeight, WinTop, WinLeft, Card, CheckUpdate, "
            "ShutDown, ShutType, ScriptError, TakeOnlyListed, ListingsHost, UpdateHost)");
    EXPECT_THROW(ConfigStore store(app.path()), StoreError);
}

// The settings file of an earlier version: twelve columns and the user's row. Opening it adds
// the new column at the end and keeps every value where it was.
TEST(ConfigStore, AnOlderSettingsFileGainsTheNewColumnAndKeepsTheUsersRow) {
    test::TempDir app;
    app.makeAppFolders();
    {
        Database old(configDatabaseFile(app.path()));
        old.exec(
            "CREATE TABLE Config (WinWidth REAL, WinHeight REAL, WinTop REAL, WinLeft REAL, "
            "Card TEXT, CheckUpdate INTEGER, ShutDown INTEGER, ScriptError INTEGER, ShutType "
            "TEXT, TakeOnlyListed INTEGER, ListingsHost TEXT, UpdateHost TEXT);"
            "CREATE TABLE Importa (Titolo TEXT);"
            "INSERT INTO Config VALUES (11000, 9000, 10, 20, 'scuro.htm', 0, 1, 1, '3', 1, "
            "'sample', 'aggiornamenti.example');"
            "INSERT INTO Importa VALUES ('Film');");
    }
    const ConfigRow expected{
        11000, 9000, 10, 20, "scuro.htm", 0, 1, 1, "3", 1, "sample", "aggiornamenti.example", 0};
    ConfigStore store(app.path());
    EXPECT_EQ(store.read(), expected);
    EXPECT_EQ(store.flagAtPosition(7), 1);
    EXPECT_EQ(rowCount(app.path()), 1);
    store.setNumber(ConfigField::SamplePort, 27481);
    EXPECT_EQ(ConfigStore(app.path()).read().samplePort, 27481);  // reopened: nothing added
    EXPECT_EQ(ConfigStore(app.path()).flagAtPosition(12), 27481);
    Statement types = store.database().prepare("SELECT Titolo FROM Importa");
    ASSERT_TRUE(types.step());
    EXPECT_EQ(types.utf8(0), "Film");
}

TEST(ConfigStore, AReadOnlyFileIsAnError) {
    test::TempDir app;
    ConfigStore(app.path()).setNumber(ConfigField::ScriptError, 1);
    test::shareWithOthers(app.path());
    ::chmod((app / "database" / "config.db").c_str(), 0444);
    EXPECT_EXIT(
        {
            test::becomeUnprivileged();
            try {
                ConfigStore store(app.path());
                store.setNumber(ConfigField::ScriptError, 0);
            } catch (const StoreError&) {
                std::exit(0);
            }
            std::exit(1);
        },
        testing::ExitedWithCode(0), "");
    EXPECT_EQ(ConfigStore(app.path()).flagAtPosition(7), 1);
}

}  // namespace
}  // namespace zelidor
