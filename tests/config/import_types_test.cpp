#include "config/import_types.h"

#include <gtest/gtest.h>

#include "config/config_store.h"
#include "support/temp_dir.h"

namespace zelidor {
namespace {

using Titles = std::vector<std::string>;

TEST(ImportTypeStore, ListsAddsRemovesAndRenamesInTableOrder) {
    test::TempDir app;
    ImportTypeStore types(app.path());
    EXPECT_EQ(types.list(), Titles{});
    for (const char* title : {"Film", "Telefilm", "", "film", "Sport"}) {
        types.add(title);
    }
    EXPECT_EQ(types.list(), (Titles{"Film", "Telefilm", "", "film", "Sport"}));

    EXPECT_TRUE(types.remove("FILM"));  // the first entry equal without regard to case
    EXPECT_EQ(types.list(), (Titles{"Telefilm", "", "film", "Sport"}));
    EXPECT_FALSE(types.remove("Documentari"));
    EXPECT_FALSE(types.remove("tele"));  // whole entries only

    EXPECT_TRUE(types.rename("sport", "Sport estremo"));
    EXPECT_FALSE(types.rename("Musica", "Concerti"));
    EXPECT_EQ(types.list(), (Titles{"Telefilm", "", "film", "Sport estremo"}));

    EXPECT_EQ(ImportTypeStore(app.path()).list(), types.list());  // stored, not cached
}

TEST(ImportTypeStore, LivesInTheSettingsFileBesideTheConfigRow) {
    test::TempDir app;
    ImportTypeStore(app.path()).add("Film TV");
    ConfigStore config(app.path());
    Statement query = config.database().prepare("SELECT Titolo FROM Importa");
    ASSERT_TRUE(query.step());
    EXPECT_EQ(query.latin1(0), "Film TV");
    EXPECT_EQ(config.read(), ConfigRow{});
}

TEST(ImportTypeStore, TextsAreMatchedWithoutRegardToAccentedCaseAndNeverAsPatterns) {
    test::TempDir app;
    ImportTypeStore types(app.path());
    std::string high;
    for (int byte = 0xA0; byte <= 0xFF; ++byte) {
        high += static_cast<char>(byte);
    }
    for (const std::string& title : {high, std::string("Attualit\xE0"),
                                     std::string("L'ora 100% 'Film'"), std::string("Film_TV")}) {
        types.add(title);
    }
    EXPECT_EQ(types.list(), (Titles{high, "Attualit\xE0", "L'ora 100% 'Film'", "Film_TV"}));

    EXPECT_TRUE(types.rename("ATTUALIT\xC0", "Citt\xE0"));
    EXPECT_TRUE(types.remove(high));
    EXPECT_FALSE(types.remove("Film%"));
    EXPECT_FALSE(types.remove("Film?TV"));
    EXPECT_FALSE(types.rename("Film TV", "x"));  // '_' matches only itself
    EXPECT_TRUE(types.remove("l'ora 100% 'film'"));
    EXPECT_EQ(types.list(), (Titles{"Citt\xE0", "Film_TV"}));
}

}  // namespace
}  // namespace zelidor
