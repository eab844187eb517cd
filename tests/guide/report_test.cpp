#include "reports/daily_report.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "guide_app.h"

namespace zelidor {
namespace {

using test::GuideApp;

const Day kDay{2002, 12, 5};

std::string report(const GuideApp& app, const std::string& type = kAllTypes) {
    test::RecordingDialogs dialogs;
    buildDailyReport(ReportRequest{app.path(), "t.htm", kDay, type}, dialogs);
    return app.page();
}

// The first group of every match of pattern.
std::vector<std::string> grab(const std::string& text, const std::string& pattern) {
    std::vector<std::string> found;
    std::regex re(pattern);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator();
         ++it) {
        found.push_back((*it)[1]);
    }
    return found;
}

TEST(DailyReport, ThreeChannelsAreListedByHourWithUniqueMatchingAnchors) {
    GuideApp app;
    test::addLineTemplate(app);
    // Every channel numbers its programmes from 1, so the numbers clash across channels.
    app.add({{20021205, "Rai 1", 1, "08:00", "Uno mattina", "Rubrica", "Notizie"},
             {20021205, "Rai 1", 2, "21:00", "Film uno", "Film", "Giallo"},
             {20021205, "Canale 5", 1, "06:00", "Il commissario Ferri", "Telefilm", "Furto"},
             {20021205, "Canale 5", 2, "20:40", "La vita", "Film"},
             {20021205, "Italia 1", 1, "07:00", "Cartoni", std::nullopt, "Per bambini"},
             {20021204, "Italia 1", 1, "07:00", "Ieri", "Ragazzi"}});
    std::string page = report(app);
    EXPECT_EQ(page.rfind("<h1>REPORT GIORNALIERO 05/12/2002</h1>", 0), 0u);
    EXPECT_EQ(grab(page, "<p>([^|]*)\\|"),
              (std::vector<std::string>{"06:00", "07:00", "08:00", "20:40", "21:00"}));
    EXPECT_EQ(grab(page, "\\|([^|<]*)</p>"),
              (std::vector<std::string>{"Canale 5", "Italia 1", "Rai 1", "Canale 5", "Rai 1"}));
    std::vector<std::string> anchors = grab(page, "<div id=\"([^\"]*)\">");
    EXPECT_EQ(grab(page, "<a href='#([^']*)'>"), anchors);
    EXPECT_EQ(std::set<std::string>(anchors.begin(), anchors.end()).size(), 4u);
    EXPECT_NE(page.find("<!---->La vita<!---->"), std::string::npos);
    EXPECT_NE(page.find("Per bambini <!-----> <!------> covers\\none.jpg"), std::string::npos);
}

TEST(DailyReport, APeriodListsItsDaysInOrderEachHourWithItsDay) {
    GuideApp app;
    test::addLineTemplate(app);
    app.add({{20021206, "Rai 1", 1, "06:00", "Domani"},
             {20021205, "Rai 1", 1, "21:00", "Oggi sera"},
             {20021205, "Rai 1", 2, "08:00", "Oggi mattina"},
             {20021204, "Rai 1", 1, "07:00", "Ieri"},
             {20021211, "Rai 1", 1, "07:00", "Fra sei giorni"},
             {20021212, "Rai 1", 1, "07:00", "Fra una settimana"}});
    test::RecordingDialogs dialogs;
    buildDailyReport(ReportRequest{app.path(), "t.htm", kDay, kAllTypes, 2}, dialogs);
    std::string page = app.page();
    EXPECT_EQ(page.rfind("<h1>REPORT GIORNALIERO 05/12/2002 - 06/12/2002</h1>", 0), 0u);
    EXPECT_EQ(grab(page, "<p>([^|]*)\\|"),
              (std::vector<std::string>{"05/12 08:00", "05/12 21:00", "06/12 06:00"}));
    buildDailyReport(ReportRequest{app.path(), "t.htm", kDay, kAllTypes, 7}, dialogs);
    EXPECT_EQ(grab(app.page(), "<p>([^|]*)\\|").back(), "11/12 07:00");
}

TEST(DailyReport, ATypeKeepsTheProgrammesWhoseTypeBeginsWithItInAnyCase) {
    GuideApp app;
    test::addLineTemplate(app);
    app.add({{20021205, "A", 1, "01:00", "Uno", "Film"},
             {20021205, "A", 2, "02:00", "Due", "film TV"},
             {20021205, "A", 3, "03:00", "Tre", "Telefilm"},
             {20021205, "A", 4, "04:00", "Quattro", "\xC8venti"},
             {20021205, "A", 5, "05:00", "Cinque"}});
    std::string titles = "<p>[^|]*\\|<!---->([^<]*)";
    EXPECT_EQ(grab(report(app, "Film"), titles), (std::vector<std::string>{"Uno", "Due"}));
    EXPECT_EQ(grab(report(app, "\xE8v"), titles), (std::vector<std::string>{"Quattro"}));
    EXPECT_EQ(report(app, "Nessuno"),
              "<h1>REPORT GIORNALIERO 05/12/2002</h1>\r\n\r\n\r\n<hr>\r\n\r\n\r\n</body>\r\n\r\n");
}

TEST(DailyReport, AllProgrammesUpTo32001AreListedButOnlyTheFirst101Described) {
    GuideApp app;
    test::addLineTemplate(app);
    ProgrammeStore(ProgrammeStore::defaultFile(app.path()))
        .database()
        .exec(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 32005) "
            "INSERT INTO Programmi SELECT 20021205, printf('%05d', i), 'T', NULL, 'd', NULL, "
            "'C' || (i % 50), i, 'Film' FROM n");
    std::string page = report(app);
    EXPECT_EQ(grab(page, "(<div)").size(), 101u);
    std::vector<std::string> hours = grab(page, "<p>(\\d+)");
    ASSERT_EQ(hours.size(), kReportListedRows);
    EXPECT_EQ(hours.back(), "32001");
}

}  // namespace
}  // namespace zelidor
