#include "reports/daily_report.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "guide_app.h"

namespace zelidor {
namespace {

using test::GuideApp;

const Day kDay{2002, 12, 5};

PageBuild report(const GuideApp& app, const std::string& type = kAllTypes) {
    test::RecordingDialogs dialogs;
    return buildDailyReport(ReportRequest{app.path(), "t.htm", kDay, type}, dialogs);
}

std::vector<std::string> matches(const std::string& text, const std::string& pattern) {
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
             {20021205, "Canale 5", 2, "20:40", "La vita", "Film", std::nullopt},
             {20021205, "Italia 1", 1, "07:00", "Cartoni", "Ragazzi", "Per bambini"},
             {20021204, "Italia 1", 1, "07:00", "Ieri", "Ragazzi"}});
    PageBuild build = report(app);
    ASSERT_TRUE(build.page);
    std::string page = app.page();
    EXPECT_NE(page.find("<h1>REPORT GIORNALIERO 05/12/2002</h1>"), std::string::npos);
    EXPECT_EQ(matches(page, "<p>([^|]*)\\|"),
              (std::vector<std::string>{"06:00", "07:00", "08:00", "20:40", "21:00"}));
    EXPECT_EQ(matches(page, "\\|([^|<]*)</p>"),
              (std::vector<std::string>{"Canale 5", "Italia 1", "Rai 1", "Canale 5", "Rai 1"}));
    std::vector<std::string> links = matches(page, "<a href='#([^']*)'>");
    std::vector<std::string> anchors = matches(page, "<div id=\"([^\"]*)\">");
    EXPECT_EQ(links, anchors);
    EXPECT_EQ(std::set<std::string>(anchors.begin(), anchors.end()).size(), 4u);
    EXPECT_NE(page.find("<!---->La vita<!---->"), std::string::npos);
}

TEST(DailyReport, ATypeKeepsTheProgrammesWhoseTypeBeginsWithItInAnyCase) {
    GuideApp app;
    test::addLineTemplate(app);
    app.add({{20021205, "A", 1, "01:00", "Uno", "Film"},
             {20021205, "A", 2, "02:00", "Due", "film TV"},
             {20021205, "A", 3, "03:00", "Tre", "Telefilm"},
             {20021205, "A", 4, "04:00", "Quattro", "\xC8venti"},
             {20021205, "A", 5, "05:00", "Cinque"}});
    report(app, "Film");
    EXPECT_EQ(matches(app.page(), "<p>[^|]*\\|<!---->([^<]*)"),
              (std::vector<std::string>{"Uno", "Due"}));
    report(app, "\xE8v");
    EXPECT_EQ(matches(app.page(), "<p>[^|]*\\|<!---->([^<]*)"),
              (std::vector<std::string>{"Quattro"}));
}

TEST(DailyReport, AnEmptyDayGivesTheFrameAndAMissingTypeItsPlaceholder) {
    GuideApp app;
    test::addLineTemplate(app);
    report(app);
    EXPECT_EQ(app.page(),
              "<h1>REPORT GIORNALIERO 05/12/2002</h1>\r\n\r\n\r\n<hr>\r\n\r\n\r\n</body>\r\n\r\n");
    app.add({{20021205, "A", 1, "01:00", "Uno", std::nullopt, "Descritto"}});
    report(app);
    EXPECT_NE(app.page().find("Descritto <!-----> <!------> covers\\none.jpg"), std::string::npos);
}

TEST(DailyReport, AllProgrammesAreListedButOnlyTheFirst101Described) {
    GuideApp app;
    test::addLineTemplate(app);
    {
        ProgrammeStore store(ProgrammeStore::defaultFile(app.path()));
        store.database().exec(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 32005) "
            "INSERT INTO Programmi SELECT 20021205, printf('%05d', i), 'T', NULL, 'd', NULL, "
            "'C' || (i % 50), i, 'Film' FROM n");
    }
    ProgrammeStore store(ProgrammeStore::defaultFile(app.path()), Database::Mode::ReadOnly);
    std::vector<ProgrammeRow> rows = reportRows(store, kDay, kAllTypes);
    ASSERT_EQ(rows.size(), kReportListedRows);
    EXPECT_EQ(rows.back().ora, "32001");
    report(app);
    std::string page = app.page();
    EXPECT_EQ(matches(page, "(<div)").size(), 101u);
    EXPECT_EQ(matches(page, "<p>(0015[01])").size(), 2u);
}

TEST(DailyReport, NoTemplateChosenAsksForOne) {
    GuideApp app;
    test::RecordingDialogs dialogs;
    PageBuild build = buildDailyReport(ReportRequest{app.path(), "", kDay, kAllTypes}, dialogs);
    EXPECT_FALSE(build.page);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].second, "Non e' stata selezionata nessuna CARD!");
    EXPECT_EQ(reportTypeChoices().size(), 14u);
}

}  // namespace
}  // namespace zelidor
