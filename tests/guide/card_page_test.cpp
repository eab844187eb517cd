#include "browser/card_page.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>

#include "browser/card_template.h"
#include "browser/status_texts.h"
#include "guide_app.h"

namespace zelidor {
namespace {

using test::GuideApp;

const Day kDay{2002, 12, 5};

std::size_t count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (auto pos = text.find(what); pos != std::string::npos; pos = text.find(what, pos + 1)) {
        ++n;
    }
    return n;
}

PageBuild card(const GuideApp& app, const std::string& channel = "Canale 5",
               const std::string& name = "t.htm") {
    test::RecordingDialogs dialogs;
    return buildCardPage(CardRequest{app.path(), name, kDay, channel}, dialogs);
}

TEST(CardTemplate, SectionsAreCutAtTheirOwnMarkersOnly) {
    // Lone CR ends a line, a lone LF does not; a second END_HEAD is row text.
    CardTemplate t = parseCardTemplate(
        "head\rx<!--END_HEAD-->y\r\nrow\n<!--END_HEAD-->\r\n<!--END_BODY-->\r\nmid\r\n"
        "<!--BEGIN_DESCRIPTION-->\r\ndet\r\n<!--END_DESCRIPTION-->\r\ntail1\r\ntail2");
    EXPECT_EQ(t.head, "head\r\n");
    EXPECT_EQ(t.row, "row\n<!--END_HEAD-->\r\n");
    EXPECT_EQ(t.middle, "mid\r\n");
    EXPECT_EQ(t.detail, "det\r\n");
    EXPECT_EQ(t.tail, "tail1\r\ntail2\r\n");
    CardTemplate lf = parseCardTemplate("a\n<!--END_HEAD-->\nb\n");
    EXPECT_EQ(lf.head + lf.row + lf.middle + lf.detail + lf.tail, "");
    CardTemplate noMarkers = parseCardTemplate("<TV_TITLE>\r\n<PR_TITLE>\r\n");
    EXPECT_EQ(noMarkers.head, "<TV_TITLE>\r\n<PR_TITLE>\r\n");
    EXPECT_EQ(noMarkers.row, "");
}

TEST(CardTemplate, AtMost30000LinesAreKept) {
    std::string text = "h\r\n<!--END_HEAD-->\r\n";
    for (int i = 0; i < 30005; ++i) {
        text += "r\r\n";
    }
    CardTemplate t = parseCardTemplate(text + "<!--END_BODY-->\r\nmiddle\r\n");
    EXPECT_EQ(count(t.row, "\r\n"), kMaxTemplateLines - 1);
    EXPECT_EQ(t.middle, "");
}

TEST(CardPage, TheMarkerLineTemplateGivesRowsMiddleOneDetailAndTail) {
    GuideApp app;
    app.addTemplate("t.htm", {"head", "<!--END_HEAD-->", "row <PR_TITLE>", "<!--END_BODY-->",
                              "middle", "<!--BEGIN_DESCRIPTION-->", "detail <TV_DESCRIPTION>",
                              "<!--END_DESCRIPTION-->", "tail"});
    app.add({{20021205, "Canale 5", 1, "06:00", "Primo"},
             {20021205, "Canale 5", 2, "07:00", "Secondo", "Film", "Bello"},
             {20021204, "Canale 5", 1, "06:00", "Ieri"},
             {20021205, "Rai 1", 1, "06:00", "Altro"}});
    PageBuild build = card(app);
    ASSERT_EQ(build.page, app.path() / "temp.htm");
    EXPECT_TRUE(build.statusTexts.empty());
    EXPECT_EQ(app.page(),
              "head\r\n\r\nrow Primo\r\nrow Secondo\r\n\r\nmiddle\r\n\r\ndetail Bello\r\n\r\n"
              "tail\r\n\r\n");
}

TEST(CardPage, TagsAreFilledWithLinksAnchorsPlaceholdersAndCovers) {
    GuideApp app;
    test::addLineTemplate(app);
    app.add({{20021205, "Canale 5", 7, "20:40", "La vita &egrave; un viaggio", "Film",
              "Un viaggio<BR>in treno", "Canale_5_100232.jpg", "http://x/p?c=1"},
             {20021205, "Canale 5", 8, "23:15", "Calcio", "Sport"},
             {20021205, "Canale 5", 9, "23:55", "Notte", std::nullopt, "Chiusura"}});
    card(app);
    std::string page = app.page();
    EXPECT_NE(page.find("<h1>Canale 5 05/12/2002</h1>"), std::string::npos);
    EXPECT_NE(page.find("<p>20:40|<a href='#7'>La vita &egrave; un viaggio</a>|Film|<PR_TV></p>"),
              std::string::npos);
    EXPECT_NE(page.find("<p>23:15|<!---->Calcio<!---->|Sport|<PR_TV></p>"), std::string::npos);
    EXPECT_NE(page.find("<div id=\"7\">20:40 La vita &egrave; un viaggio: Un viaggio<BR>in treno "
                        "http://x/p?c=1 Film covers\\Canale_5_100232.jpg</div>"),
              std::string::npos);
    EXPECT_NE(page.find("<div id=\"9\">23:55 Notte: Chiusura <!-----> <!------> covers\\none.jpg"),
              std::string::npos);
    EXPECT_EQ(count(page, "<div"), 2u);
}

TEST(CardPage, NullColumnsFillTheirTagsWithNothingAndValuesAreNeverRescanned) {
    GuideApp app;
    test::addLineTemplate(app);
    app.add({{20021205, "Canale 5", 1, std::nullopt, "Senza ora <TV_HOUR>"},
             {20021205, "Canale 5", 2, "10:00", std::nullopt, "Film"}});
    card(app);
    std::string page = app.page();
    EXPECT_NE(page.find("<p>|<!---->Senza ora <TV_HOUR><!---->||<PR_TV></p>"), std::string::npos);
    EXPECT_NE(page.find("<p>10:00|<!----><!---->|Film|<PR_TV></p>"), std::string::npos);
}

TEST(CardPage, AtMost101ProgrammesAreListedAndOnlyThoseAreDescribed) {
    GuideApp app;
    test::addLineTemplate(app);
    {
        ProgrammeStore store(ProgrammeStore::defaultFile(app.path()));
        for (int n = 1; n <= 150; ++n) {
            store.insert(ProgrammeRow{20021205, "h", "T", std::nullopt, "d", std::nullopt,
                                      "Canale 5", n, std::nullopt});
        }
    }
    card(app);
    EXPECT_EQ(count(app.page(), "<p>"), 101u);
    EXPECT_EQ(count(app.page(), "<div"), 101u);
}

TEST(CardPage, AChannelDayWithoutProgrammesKeepsTheTitleTagAndAQuoteInTheNameIsHarmless) {
    GuideApp app;
    test::addLineTemplate(app);
    app.add({{20021205, "L'Altra TV", 1, "09:00", "Mattina"}});
    card(app, "Canale 5");
    EXPECT_EQ(app.page().rfind("<h1><TV_TITLE> 05/12/2002</h1>\r\n", 0), 0u);
    card(app, "L'Altra TV");
    EXPECT_NE(app.page().find("Mattina"), std::string::npos);
}

TEST(CardPage, NoTemplateChosenAsksForOneAndAMissingTemplateIsReported) {
    GuideApp app;
    test::writeFile(app.dir / "temp.htm", "previous page");
    test::RecordingDialogs dialogs;
    PageBuild none = buildCardPage(CardRequest{app.path(), "", kDay, "Canale 5"}, dialogs);
    EXPECT_EQ(dialogs.messages, (std::vector<std::pair<std::string, std::string>>{
                                    {kProgramTitle, "Non e' stata selezionata nessuna CARD!"}}));
    EXPECT_FALSE(none.page);
    PageBuild missing = card(app, "Canale 5", "gone.htm");
    EXPECT_FALSE(missing.page);
    EXPECT_EQ(missing.statusTexts,
              (std::vector<std::string>{status::fileNotFound(app.dir / "htmlcards/gone.htm")}));
    EXPECT_EQ(app.page(), "previous page");
}

TEST(CardPage, ACorruptDatabaseIsReportedAndThePageKeepsItsFrame) {
    GuideApp app;
    test::addLineTemplate(app);
    test::writeFile(ProgrammeStore::defaultFile(app.path()), std::string(8192, 'x'));
    PageBuild build = card(app);
    ASSERT_EQ(build.statusTexts.size(), 1u);
    EXPECT_EQ(build.statusTexts[0].substr(0, 5), "3049 ");
    EXPECT_NE(app.page().find("</body>"), std::string::npos);
}

TEST(CardPage, AnUnwritablePageIsReportedNotClaimed) {
    GuideApp app;
    test::addLineTemplate(app);
    test::shareWithOthers(app.path());
    ::chmod(app.path().c_str(), 0555);
    EXPECT_EXIT(
        {
            test::becomeUnprivileged();
            PageBuild build = card(app);
            bool reported = !build.page &&
                            build.statusTexts ==
                                std::vector<std::string>{status::cannotWrite(app.dir / "temp.htm")};
            std::exit(reported ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace zelidor
