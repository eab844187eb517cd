#include "engine/programme_store.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace zelidor {
namespace {

ProgrammeRow row(std::int64_t day, const std::string& channel, std::int64_t n,
                 std::optional<std::string> title) {
    ProgrammeRow r;
    r.data = day;
    r.palinsesto = channel;
    r.numerazione = n;
    r.titolo = std::move(title);
    return r;
}

TEST(ProgrammeStore, CreatesTheTableOnFirstUseWithTheColumnsInTheirOrder) {
    test::TempDir dir;
    ProgrammeStore store(dir / "database" / "Zelidor.db");
    Statement q = store.database().prepare("SELECT * FROM Programmi");
    ASSERT_EQ(q.columnCount(), 9);
    const char* names[] = {"Data",  "Ora",        "Titolo",      "Link", "Commenti",
                           "Cover", "Palinsesto", "Numerazione", "Type"};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(q.columnName(i), names[i]);
    }
}

TEST(ProgrammeStore, AccentedTextAndNullColumnsRoundTrip) {
    test::TempDir dir;
    ProgrammeStore store(dir / "Zelidor.db");
    ProgrammeRow r = row(20021205, "Canale 5", 1, "La vita \xE8 un viaggio");
    r.commenti = "Nicol\xF2 e Jos\xE9";
    store.insert(r);
    store.insert(row(20021205, "Canale 5", 2, std::nullopt));
    auto rows = store.channelDay(20021205, "Canale 5");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], r);
    EXPECT_FALSE(rows[1].titolo);
    EXPECT_FALSE(rows[1].ora);
    // Stored as UTF-8, so other programs read the file correctly.
    Statement q = store.database().prepare("SELECT Titolo FROM Programmi WHERE Numerazione = 1");
    ASSERT_TRUE(q.step());
    EXPECT_EQ(q.utf8(0), "La vita \xC3\xA8 un viaggio");
}

TEST(ProgrammeStore, DeleteMatchesTheChannelIgnoringCaseButNothingElse) {
    test::TempDir dir;
    ProgrammeStore store(dir / "Zelidor.db");
    store.insert(row(20021205, "Canale 5", 1, "a"));
    store.insert(row(20021205, "Canale 50", 1, "b"));
    store.insert(row(20021206, "Canale 5", 1, "c"));
    store.insert(row(20021205, "L'altra \xC0", 1, "d"));
    EXPECT_EQ(store.deleteChannelDay(20021205, "CANALE 5"), 1);
    EXPECT_EQ(store.deleteChannelDay(20021205, "l'altra \xE0"), 1);
    EXPECT_EQ(store.channelDay(20021205, "Canale 50").size(), 1u);
    EXPECT_EQ(store.channelDay(20021206, "Canale 5").size(), 1u);
    EXPECT_TRUE(store.channelDay(20021205, "Canale 5").empty());
}

}  // namespace
}  // namespace zelidor
