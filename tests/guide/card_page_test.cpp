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

PageBuild card(const GuideApp& app, const std::string& channel = "Canale 5",
               const std::string& name = "t.htm") {
    test::RecordingDialogs dialogs;
    return buildCardPage(CardRequest{app.path(), name, kDay, channel}, dialogs);
}

bool has(const std::string& page, const std::string& text) {
    return page.find(text) != std::string::npos;
}

TEST(CardTemplate, SectionsAreCutAtTheirOwnMarkersOnly) {
    // Lone CR ends a line, a lone LF does not; a second END_HEAD is row text.
    CardTemplate t = parseCardTemplate(
        "head\rx<!--END_HEAD-->y\r\nrow\n<!--END_HEAD-->\r\n<!--END_BODY-->\r\nmid\r\n"
        "<!--BEGIN_DESCRIPTION-->\r\ndet\r\n<!--END_DESCRIPTION-->\r\ntail1\r\ntail2");
    EXPECT_EQ(t.head + "|" + t.row + "|" + t.middle + "|" + t.detail + "|" + t.tail,
              "head\r\n|row\n<!--END_HEAD-->\r\n|mid\r\n|det\r\n|tail1\r\ntail2\r\n");
    CardTemplate lf = parseCardTemplate("a\n<!--END_HEAD-->\nb\n");
    EXPECT_EQ(lf.head + lf.row + lf.middle + lf.detail + lf.tail, "");
    CardTemplate noMarkers = parseCardTemplate("<TV_TITLE>\r\n<PR_TITLE>");
    EXPECT_EQ(noMarkers.head + "|" + noMarkers.row, "<TV_TITLE>\r\n<PR_TITLE>\r\n|");
    std::string longer = "h\r\n<!--END_HEAD-->\r\n";
    for (int i = 0; i < 30005; ++i) {
        longer += "r\r\n";
    }
    CardTemplate capped = parseCardTemplate(longer + "<!--END_BODY-->\r\nmiddle\r\n");
    EXPECT_EQ(capped.row.size(), (kMaxTemplateLines - 1) * 3);
    EXPECT_EQ(capped.middle, "");
}

TEST(CardTemplate, TheShippedTemplatesHaveEverySectionAndTheirTags) {
    int shipped = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(ZELIDOR_SOURCE_DIR "/data/app/htmlcards")) {
        if (entry.path().extension() != ".htm") {
            continue;
        }
        ++shipped;
        CardTemplate t = *readCardTemplateFile(entry.path());
        EXPECT_TRUE(has(t.head, "<TV_TITLE>") && has(t.head, "<TV_TODAY>")) << entry.path();
        for (const char* tag : {"<TV_HOUR>", "<PR_TITLE>", "<PR_TIPO>", "<PR_TV>",
                                "<!--BEGIN_LINK_FLAG-->", "<!--END_LINK_FLAG-->"}) {
            EXPECT_TRUE(has(t.row, tag)) << entry.path() << " " << tag;
        }
        for (const char* tag :
             {"<!--NAME_FLAG-->", "<TV_DESCRIPTION>", "<TV_WEBLINK>", "<TV_TYPE>", "<TV_COVER>"}) {
            EXPECT_TRUE(has(t.detail, tag)) << entry.path() << " " << tag;
        }
        EXPECT_TRUE(has(t.tail, "</html>")) << entry.path();
    }
    EXPECT_GE(shipped, 2);
}

TEST(CardTemplate, TheListHoldsTheHtmFilesAlphabeticallyOrSaysTheFolderIsMissing) {
    GuideApp app;
    for (const char* name : {"b.htm", "A.htm", "notes.txt", "c.html"}) {
        test::writeFile(app.dir / "htmlcards" / name, "");
    }
    EXPECT_EQ(listCardTemplates(app.path()).names, (std::vector<std::string>{"A.htm", "b.htm"}));
    std::filesystem::remove_all(app.dir / "htmlcards");
    EXPECT_EQ(listCardTemplates(app.path()).statusTexts,
              (std::vector<std::string>{"The Directory " + (app.dir / "htmlcards/").string() +
                                        " Doesn't Exist !  -> Bad Installation??"}));
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
    EXPECT_EQ(build.page, app.path() / "temp.htm");
    EXPECT_TRUE(build.statusTexts.empty());
    EXPECT_EQ(app.page(),
              "head\r\n\r\nrow Primo\r\nrow Secondo\r\n\r\nmiddle\r\n\r\ndetail Bello\r\n\r\n"
              "tail\r\n\r\n");
}

TEST(CardPage, TagsGetLinksAnchorsPlaceholdersAndCoversAndNullsLeaveNothing) {
    GuideApp app;
    test::addLineTemplate(app);
    app.add({{20021205, "Canale 5", 7, "20:40", "La vita &egrave; un viaggio", "Film",
              "Un viaggio<BR>in treno", "Canale_5_100232.jpg", "http://x/p?c=1"},
             {20021205, "Canale 5", 8, std::nullopt, "Senza ora <TV_HOUR>", "Sport"},
             {20021205, "Canale 5", 9, "23:55", std::nullopt, std::nullopt, "Chiusura"}});
    card(app);
    std::string page = app.page();
    EXPECT_TRUE(has(page, "<h1>Canale 5 05/12/2002</h1>"));
    EXPECT_TRUE(has(page, "<p>20:40|<a href='#7'>La vita &egrave; un viaggio</a>|Film|<PR_TV>"));
    EXPECT_TRUE(has(page,
                    "<div id=\"7\">20:40 La vita &egrave; un viaggio: Un viaggio<BR>in "
                    "treno http://x/p?c=1 Film covers\\Canale_5_100232.jpg</div>"));
    // Null hour, title and type fill nothing in, and a tag inside a value stays as stored.
    EXPECT_TRUE(has(page, "<p>|<!---->Senza ora <TV_HOUR><!---->|Sport|<PR_TV>"));
    EXPECT_TRUE(has(page, "<p>23:55|<a href='#9'></a>||<PR_TV>"));
    EXPECT_TRUE(has(page, "<div id=\"9\">23:55 : Chiusura <!-----> <!------> covers\\none.jpg"));
    app.add({{20021205, "L'Altra TV", 1, "09:00", "Mattina"}});
    card(app, "L'Altra TV");
    EXPECT_TRUE(has(app.page(), "<p>09:00|<!---->Mattina"));
    card(app, "Nessuno");  // no programmes: the title tag stays as written
    EXPECT_EQ(app.page().rfind("<h1><TV_TITLE> 05/12/2002</h1>\r\n\r\n\r\n<hr>", 0), 0u);
}

TEST(CardPage, AtMost101ProgrammesAreListedAndOnlyThoseAreDescribed) {
    GuideApp app;
    test::addLineTemplate(app);
    ProgrammeStore(ProgrammeStore::defaultFile(app.path()))
        .database()
        .exec(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 150) "
            "INSERT INTO Programmi SELECT 20021205, 'h', 'T', NULL, 'd', NULL, 'Canale 5', i, "
            "NULL FROM n");
    card(app);
    EXPECT_TRUE(has(app.page(), "<a href='#101'>") && !has(app.page(), "<a href='#102'>"));
    EXPECT_TRUE(has(app.page(), "<div id=\"101\">") && !has(app.page(), "<div id=\"102\">"));
}

TEST(CardPage, NoTemplateAsksForOneAndAMissingTemplateOrACorruptDatabaseIsReported) {
    GuideApp app;
    test::writeFile(app.dir / "temp.htm", "previous page");
    test::RecordingDialogs dialogs;
    EXPECT_FALSE(buildCardPage(CardRequest{app.path(), "", kDay, "Canale 5"}, dialogs).page);
    EXPECT_EQ(dialogs.boxes,
              (std::vector<test::Box>{{kProgramTitle, "Non e' stata selezionata nessuna CARD!",
                                       MessageIcon::Information}}));
    PageBuild missing = card(app, "Canale 5", "gone.htm");
    EXPECT_FALSE(missing.page);
    EXPECT_EQ(missing.statusTexts,
              (std::vector<std::string>{status::fileNotFound(app.dir / "htmlcards/gone.htm")}));
    EXPECT_EQ(app.page(), "previous page");
    test::addLineTemplate(app);
    test::writeFile(ProgrammeStore::defaultFile(app.path()), std::string(8192, 'x'));
    PageBuild corrupt = card(app);
    ASSERT_EQ(corrupt.statusTexts.size(), 1u);
    EXPECT_EQ(corrupt.statusTexts[0].substr(0, 5), "3049 ");
    EXPECT_TRUE(has(app.page(), "</body>"));  // the frame is still shown
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
            std::exit(!build.page && build.statusTexts ==
                                         std::vector<std::string>{
                                             status::cannotWrite(app.dir / "temp.htm")}
                          ? 0
                          : 1);
        },
        testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace zelidor
