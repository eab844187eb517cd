// The built-in channel script end to end over the listing page format's worked example and the
// ways real pages break it.
#include <gtest/gtest.h>

#include "common/text.h"
#include "engine_harness.h"
#include "sample_day.h"

namespace zelidor::test {
namespace {

std::vector<std::string> described(const std::vector<ProgrammeRow>& rows) {
    std::vector<std::string> out;
    for (const ProgrammeRow& row : rows) {
        out.push_back(describe(row));
    }
    return out;
}

// Replaces the one occurrence of from; the test fails if the page does not hold it.
std::string edited(const std::string& page, const std::string& from, const std::string& to) {
    EXPECT_NE(page.find(from), std::string::npos) << "page does not hold: " << from;
    return replaceAll(page, from, to);
}

// The listing without the R4 line of each row (the "scheda" icon cell).
std::string withoutFourthLines(const std::string& listing) {
    std::string out;
    std::size_t start = 0;
    while (start < listing.size()) {
        std::size_t end = listing.find('\n', start);
        std::string line = listing.substr(start, end - start + 1);
        if (line.find("scheda.gif") == std::string::npos) {
            out += line;
        }
        start = end + 1;
    }
    return out;
}

class SampleDayRun : public testing::Test {
  protected:
    void SetUp() override { serveSampleDay(h.pages); }

    EngineHarness h;
};

TEST_F(SampleDayRun, TheWorkedExampleStoresExactlyItsThreeProgrammes) {
    ChannelDayResult result = h.runBuiltin("Canale 5.zdr", "20021205");

    EXPECT_EQ(described(h.sink.rows), described(sampleProgrammes()));
    EXPECT_EQ(h.pages.requests(),
              (std::vector<std::string>{kSampleListingUrl, sampleDetailUrl("100231"),
                                        samplePosterUrl("100231"), sampleDetailUrl("100232"),
                                        samplePosterUrl("100232"), sampleDetailUrl("100233")}));
    EXPECT_EQ(
        h.events(),
        (std::vector<std::string>{
            "fetch " + std::string(kSampleListingUrl), "status Page Found...Gathering Information",
            "fetch " + sampleDetailUrl("100231"), "fetch " + samplePosterUrl("100231"), "poster",
            "cover Canale_5_100231.jpg", "fetch " + sampleDetailUrl("100232"),
            "fetch " + samplePosterUrl("100232"), "poster", "cover Canale_5_100232.jpg",
            "fetch " + sampleDetailUrl("100233"), "completion Download Completato !"}));
    EXPECT_TRUE(std::filesystem::is_regular_file(h.dir / "covers" / "Canale_5_100231.jpg"));
    EXPECT_TRUE(std::filesystem::is_regular_file(h.dir / "covers" / "Canale_5_100232.jpg"));
    EXPECT_TRUE(result.scriptValid && result.listingFetched && result.completed);
    EXPECT_FALSE(result.cancelled || result.lineBudgetExhausted);
    EXPECT_EQ(result.saveCounter, 3);
    EXPECT_EQ(result.programmesStored, 3);
    EXPECT_EQ(result.webQueryUrl, kSampleListingUrl);
    EXPECT_GT(h.display.transfers, 0u);
}

TEST_F(SampleDayRun, CrLfPagesWithThreeLineRowsKeepEveryProgrammeButNoDescription) {
    h.pages.addPage(kSampleListingUrl, withCrLf(withoutFourthLines(sampleListing())));
    for (const char* code : kSampleCodes) {
        h.pages.addPage(sampleDetailUrl(code), withCrLf(sampleDetail(code)));
    }
    h.runBuiltin();

    std::vector<ProgrammeRow> expected = sampleProgrammes();
    expected[0].commenti.reset();
    expected[1].commenti =
        "--------->Regia di Marco Rinaldi. | Con: Anna Ferri, Nicol\xF2 Lanza, Jos\xE9 Carvalho "
        "(Italia, 1998)";
    EXPECT_EQ(described(h.sink.rows), described(expected));
    EXPECT_EQ(h.log.countStartingWith("ask "), 0u);
}

TEST_F(SampleDayRun, ListOnlyFetchesNoDetailPageAndStoresNoCommentOrCover) {
    h.settings.listOnlyValue = true;
    h.runBuiltin();

    std::vector<ProgrammeRow> expected = sampleProgrammes();
    for (ProgrammeRow& row : expected) {
        row.commenti.reset();
        row.cover.reset();
    }
    EXPECT_EQ(described(h.sink.rows), described(expected));
    EXPECT_EQ(h.pages.requests(), std::vector<std::string>{kSampleListingUrl});
}

TEST_F(SampleDayRun, DetailsOnlyForListedTypesFollowOnlyTheirLinks) {
    h.settings.takeOnlyListedValue = true;
    h.settings.importTypesValue = {"Film"};
    h.runBuiltin();

    std::vector<ProgrammeRow> expected = sampleProgrammes();
    for (std::size_t i : {0u, 2u}) {
        expected[i].commenti.reset();
        expected[i].cover.reset();
    }
    EXPECT_EQ(described(h.sink.rows), described(expected));
    EXPECT_EQ(h.pages.requests(),
              (std::vector<std::string>{kSampleListingUrl, sampleDetailUrl("100232"),
                                        samplePosterUrl("100232")}));
}

TEST_F(SampleDayRun, AHalfBuiltRecordNeverLeaksIntoTheNextChannelDayButVariablesSurvive) {
    h.run({"#WEBQUERY#=" + std::string(kSampleListingUrl), "#DOWNLOADINFO#",
           "#PUT#=leaked comment#20#", "#TAKECOMMENTS#=#20#", "#PUT#=leaked.jpg#21#",
           "#TAKECODE#=#21#", "#PUT#=kept#45#", "#ENDDOWNLOADINFO#"},
          "Rete 4.zdr");
    ASSERT_TRUE(h.sink.rows.empty());

    h.runBuiltin();
    EXPECT_EQ(described(h.sink.rows), described(sampleProgrammes()));
    EXPECT_EQ(h.engine.variables().get(45), "kept");

    h.sink.rows.clear();
    h.runBuiltin();
    ASSERT_EQ(h.sink.rows.size(), 3u);
    EXPECT_EQ(h.sink.rows[0].numerazione, 1) << "a new channel-day numbers from 1 again";
    EXPECT_EQ(h.sink.rows[0].cover, "Canale_5_100231_1.jpg")
        << "the cover names the picture actually filed";
}

TEST_F(SampleDayRun, ARowTheStoreRefusesIsReportedAndTheRunGoesOn) {
    h.sink.failure = "disk I/O error";
    ChannelDayResult result = h.runBuiltin();

    EXPECT_EQ(h.log.countStartingWith("main-status disk I/O error"), 3u);
    EXPECT_EQ(result.saveCounter, 3);
    EXPECT_EQ(result.programmesStored, 0);
    EXPECT_TRUE(result.completed);
    EXPECT_TRUE(h.display.fields.empty()) << "the record is emptied after a failed save too";
}

// ---- Pages that break the common body: each run must end, and never with a crash. ----

TEST_F(SampleDayRun, ANonListingPageLoopsUntilTheLineBudgetWhenTheUserRetries) {
    h.pages.addPage(kSampleListingUrl, "<html><body>Service unavailable</body></html>\n");
    h.dialogs.fallback = Answer::Retry;
    ChannelDayResult result = h.runBuiltin();

    const std::vector<std::string>& events = h.events();
    ASSERT_GE(events.size(), 8u);
    EXPECT_EQ(events[2], "ask Can't Find The Word : <!-- start DX main -->Line : 6 -> Retry");
    EXPECT_EQ(events[3], "ask Can't Find The Word : </table>Line : 8 -> Retry");
    EXPECT_EQ(events[4], "failure 9 -> Retry");
    EXPECT_EQ(events[5], "ask Can't Find The Word : </table>Line : 8 -> Retry");
    EXPECT_EQ(events[6], "failure 9 -> Retry");
    EXPECT_TRUE(result.lineBudgetExhausted);
    EXPECT_EQ(result.linesDispatched, ScriptEngine::kLineBudget + 1);
    EXPECT_TRUE(h.sink.rows.empty());
    EXPECT_EQ(h.log.last(), "failure 8 -> Retry");
}

TEST_F(SampleDayRun, ANonListingPageEndsAfterThreeBoxesWhenTheUserCancels) {
    h.pages.addPage(kSampleListingUrl, edited(sampleListing(), "<!-- start DX main -->\n", ""));
    ChannelDayResult result = h.runBuiltin();

    EXPECT_EQ(
        h.events(),
        (std::vector<std::string>{
            "fetch " + std::string(kSampleListingUrl), "status Page Found...Gathering Information",
            "ask Can't Find The Word : <!-- start DX main -->Line : 6 -> Cancel",
            "ask Can't Find The Word : </table>Line : 8 -> Cancel", "failure 9 -> Cancel"}));
    EXPECT_TRUE(result.cancelled);
    EXPECT_TRUE(h.sink.rows.empty());
}

TEST_F(SampleDayRun, NoTableEndInColumnOneLoopsWhateverTheAnswersUntilTheLineBudget) {
    h.pages.addPage(kSampleListingUrl, edited(sampleListing(), "\n</table>", "\n </table>"));
    ChannelDayResult result = h.runBuiltin();

    EXPECT_TRUE(result.lineBudgetExhausted);
    EXPECT_EQ(h.events()[2], "ask Can't Find The Word : </table>Line : 8 -> Cancel");
    EXPECT_EQ(h.events()[3],
              "ask Can't Find The Word : </table> On the #FIND# ScriptLine : 9 -> Cancel");
    EXPECT_EQ(h.events()[4], h.events()[2]);
    EXPECT_TRUE(h.sink.rows.empty());
}

TEST_F(SampleDayRun, AFilmCastWithoutItsClosingCellLoopsUntilTheLineBudget) {
    h.pages.addPage(sampleDetailUrl("100232"),
                    edited(sampleDetail("100232"), "(Italia, 1998)</td></tr>", "(Italia, 1998)"));
    ChannelDayResult result = h.runBuiltin();

    EXPECT_TRUE(result.lineBudgetExhausted);
    EXPECT_GT(
        h.log.countStartingWith("ask The Web Page Is End, This Shouldn't Happen ! Take a look at "
                                "#REPEAT#-#WHILE# Function Line : 80"),
        1000u);
    ASSERT_EQ(h.sink.rows.size(), 1u) << "the programme before the film was stored";
    EXPECT_EQ(describe(h.sink.rows[0]), describe(sampleProgrammes()[0]));
}

TEST_F(SampleDayRun, ATableWithoutRowsAsksOnceAndStoresNothing) {
    h.pages.addPage(kSampleListingUrl, edited(sampleListing(), "<tr bgcolor", "<tr class"));
    h.answer({Answer::Retry});
    ChannelDayResult result = h.runBuiltin();

    EXPECT_EQ(h.log.countStartingWith("ask "), 1u);
    EXPECT_EQ(h.events()[2], "ask Can't Find The Word : <tr bgcolorLine : 13 -> Retry");
    EXPECT_TRUE(h.sink.rows.empty());
    EXPECT_TRUE(result.completed);
}

TEST_F(SampleDayRun, AHeaderRowWithBgcolorBecomesABogusFirstProgramme) {
    h.pages.addPage(kSampleListingUrl, edited(sampleListing(), "<tr class=\"intestazione\">",
                                              "<tr bgcolor=\"#CCCCCC\">"));
    h.runBuiltin();

    ASSERT_EQ(h.sink.rows.size(), 3u);
    EXPECT_EQ(h.sink.rows[0].ora, "Ora");
    EXPECT_EQ(h.sink.rows[0].type, "<tr bgcolor=\"#FFFFFF\"><td class=");
    EXPECT_EQ(h.sink.rows[1].titolo, "La vita &egrave; un viaggio");
    EXPECT_EQ(h.sink.rows[2].titolo, "Calcio: Serie A - Anticipo");
}

TEST_F(SampleDayRun, MarkupAroundTheHourOrTheTitleLeavesThemEmpty) {
    std::string listing = edited(sampleListing(), ">06:00</td>", "><b>06:00</b></td>");
    listing = edited(listing, ">Calcio: Serie A - Anticipo</a>", "><b>Calcio</b></a>");
    h.pages.addPage(kSampleListingUrl, listing);
    h.runBuiltin();

    ASSERT_EQ(h.sink.rows.size(), 3u);
    EXPECT_EQ(h.sink.rows[0].ora, std::nullopt);
    EXPECT_EQ(h.sink.rows[2].titolo, std::nullopt);
}

TEST_F(SampleDayRun, ThreeLineRowsOnAnLfPageShiftAndLoseAProgramme) {
    h.pages.addPage(kSampleListingUrl, withoutFourthLines(sampleListing()));
    ChannelDayResult result = h.runBuiltin();

    EXPECT_TRUE(result.completed);
    ASSERT_EQ(h.sink.rows.size(), 2u);
    EXPECT_EQ(describe(h.sink.rows[0]), describe(sampleProgrammes()[0]));
    EXPECT_EQ(h.sink.rows[1].titolo, "Calcio: Serie A - Anticipo");
    EXPECT_EQ(h.sink.rows[1].ora, std::nullopt);
    EXPECT_EQ(h.sink.rows[1].type, "<td class=");
}

TEST_F(SampleDayRun, FourLineRowsOnACrLfPageShiftAndGarbleHourAndType) {
    h.pages.addPage(kSampleListingUrl, withCrLf(sampleListing()));
    ChannelDayResult result = h.runBuiltin();

    EXPECT_TRUE(result.completed);
    ASSERT_EQ(h.sink.rows.size(), 3u);
    EXPECT_EQ(h.sink.rows[1].titolo, "La vita &egrave; un viaggio");
    EXPECT_EQ(h.sink.rows[1].ora, std::nullopt);
    EXPECT_EQ(h.sink.rows[1].type, "<tr bgcolor=\"#EEF3FA\"><td class=");
}

TEST_F(SampleDayRun, ADescriptionLineWithoutLeadingBlankLosesItsFirstCharacter) {
    h.pages.addPage(sampleDetailUrl("100231"),
                    edited(sampleDetail("100231"), "  Un furto", "Un furto"));
    h.runBuiltin();

    ASSERT_EQ(h.sink.rows.size(), 3u);
    EXPECT_EQ(h.sink.rows[0].commenti,
              "n furto in una villa sul lago mette alla prova il commissario.&nbsp;<i>Replica</i>");
}

TEST_F(SampleDayRun, ALogoBeforeThePosterIsTakenForThePoster) {
    const std::string logo = "http://www.guidatv.example/statiche/media/logo.gif";
    h.pages.addPage(logo, jpegPicture(4, 4));
    h.pages.addPage(sampleDetailUrl("100231"),
                    edited(sampleDetail("100231"), "<!-- start DX main -->\n",
                           "<!-- start DX main -->\n<img src=\"/statiche/media/logo.gif\">\n"));
    h.runBuiltin();

    EXPECT_EQ(h.pages.requests()[2], logo);
    ASSERT_EQ(h.sink.rows.size(), 3u);
    EXPECT_EQ(h.sink.rows[0].cover, "Canale_5_100231.jpg");
}

TEST_F(SampleDayRun, ATruncatedListingKeepsTheProgrammesBeforeTheCut) {
    std::string listing = sampleListing();
    listing.resize(listing.find("La vita &egrave;"));
    h.pages.addPage(kSampleListingUrl, listing);
    ChannelDayResult result = h.runBuiltin();

    EXPECT_FALSE(result.lineBudgetExhausted);
    ASSERT_GE(h.sink.rows.size(), 1u);
    EXPECT_EQ(describe(h.sink.rows[0]), describe(sampleProgrammes()[0]));
}

}  // namespace
}  // namespace zelidor::test
