// Italian time from the tz database and from the built-in rule, plain text from listing markup,
// and channel ids.
#include <gtest/gtest.h>

#include "common/file_bytes.h"
#include "xmltv/channel_id.h"
#include "xmltv/plain_text.h"
#include "xmltv/time_zone.h"

namespace zelidor {
namespace {

constexpr int kWinter = 3600;
constexpr int kSummer = 7200;

std::int64_t local(int y, int mo, int d, int h, int mi) {
    return civilSeconds(y, mo, d) + h * 3600 + mi * 60;
}

TimeZone builtIn() {
    TimeZone zone = TimeZone::italy("/nonexistent");
    EXPECT_FALSE(zone.fromDatabase());
    return zone;
}

TEST(ItalianTime, ChangeDaysAreReadOnTheirLocalClock) {
    for (const TimeZone& zone : {TimeZone::italy(), builtIn()}) {
        // 29 March 2026: 02:00 jumps to 03:00; 25 October 2026: 03:00 goes back to 02:00.
        EXPECT_EQ(zone.offsetOfLocal(local(2026, 3, 29, 1, 59)), kWinter);
        EXPECT_EQ(zone.offsetOfLocal(local(2026, 3, 29, 2, 30)), kWinter);  // never shown
        EXPECT_EQ(zone.offsetOfLocal(local(2026, 3, 29, 3, 0)), kSummer);
        EXPECT_EQ(zone.offsetOfLocal(local(2026, 10, 25, 1, 50)), kSummer);
        EXPECT_EQ(zone.offsetOfLocal(local(2026, 10, 25, 2, 30)), kSummer);  // its first time
        EXPECT_EQ(zone.offsetOfLocal(local(2026, 10, 25, 3, 0)), kWinter);
        EXPECT_EQ(zone.offsetOfLocal(local(2002, 12, 5, 20, 40)), kWinter);
        EXPECT_EQ(zone.offsetOfLocal(local(2050, 7, 1, 12, 0)), kSummer);  // past the table
    }
}

TEST(ItalianTime, BuiltInRuleAgreesWithTheDatabaseSince1996) {
    TimeZone database = TimeZone::italy();
    if (!database.fromDatabase()) {
        GTEST_SKIP() << "no tz database here (apt-get install tzdata)";
    }
    TimeZone rule = builtIn();
    for (std::int64_t t = civilSeconds(1996, 1, 1); t < civilSeconds(2045, 1, 1); t += 1800) {
        ASSERT_EQ(database.offsetAt(t), rule.offsetAt(t)) << "at " << t;
    }
    // Before 1996 summer time ended in September: only the database knows.
    EXPECT_EQ(database.offsetOfLocal(local(1990, 9, 30, 12, 0)), kWinter);
}

TEST(ItalianTime, UnreadableZonesAndRulesAreRefused) {
    EXPECT_FALSE(TimeZone::fromTzif("TZif2 but nothing after it"));
    EXPECT_FALSE(TimeZone::fromTzif(""));
    if (auto bytes = readFileBytes("/usr/share/zoneinfo/Europe/Rome")) {
        EXPECT_FALSE(TimeZone::fromTzif(bytes->substr(0, bytes->size() / 2)));
    }
    EXPECT_FALSE(ZoneRule::parse("CET-1CEST,J60,J300"));
    EXPECT_FALSE(ZoneRule::parse("CET-1CEST,M13.5.0,M10.5.0"));
    auto fixed = ZoneRule::parse("<+03>-3");
    ASSERT_TRUE(fixed);
    EXPECT_EQ(fixed->offsetAt(0), 3 * 3600);
}

TEST(PlainText, ListingMarkupBecomesText) {
    EXPECT_EQ(plainText("Il programma pi&ugrave; amato <i>(Prima visione)</i>"),
              "Il programma più amato (Prima visione)");
    EXPECT_EQ(plainText("  Scelta in corsia.<BR>Ambientato&nbsp;a Palermo.\r\n "),
              "Scelta in corsia. Ambientato a Palermo.");
    EXPECT_EQ(plainText("Civilt&#224; &#150; &EGrave; &foo; 3 < 4 &amp; B&B"),
              "Civiltà – &EGrave; &foo; 3 < 4 & B&B");
    EXPECT_EQ(plainText("Caff\xE8 \x80 5\x81"), "Caffè € 5");  // Latin-1 bytes, one undefined
    EXPECT_EQ(plainText("a\x01\x02z"), "a z");
    EXPECT_EQ(plainText("<b></b> "), "");
    EXPECT_EQ(xmlEscaped("a<b>&\"c\""), "a&lt;b&gt;&amp;&quot;c&quot;");
}

TEST(ChannelIds, NamesGiveStableIdsThatNeverCollide) {
    EXPECT_EQ(xmltvChannelId("Canale 5"), "canale-5.zelidor");
    EXPECT_EQ(xmltvChannelId("CANALE 5"), "canale-5.zelidor");  // the program ignores case
    EXPECT_EQ(xmltvChannelId("Tele+ Bianco"), "teleX2B-bianco.zelidor");
    EXPECT_EQ(xmltvChannelId("VIVA - Rete A"), "viva-X2D-rete-a.zelidor");
    EXPECT_EQ(xmltvChannelId("Citt\xE0"), "cittXE0.zelidor");
    EXPECT_NE(xmltvChannelId("Rai_Uno"), xmltvChannelId("Rai-Uno"));
    EXPECT_NE(xmltvChannelId("a b"), xmltvChannelId("a-b"));
}

}  // namespace
}  // namespace zelidor
