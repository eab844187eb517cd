// The built-in channel script over the listing page format's worked example, and the broken
// pages that make it loop until the line budget. The broken pages that end by themselves are
// cases of scripts/builtin_pages.zdt.
#include <gtest/gtest.h>

#include "support/engine_harness.h"

namespace zelidor::test {
namespace {

class ExampleDay : public testing::Test {
  protected:
    void SetUp() override { serveFormatExample(h.pages); }

    // Serves the example page file at address with every from replaced by to.
    void edit(const std::string& address, const std::string& file, const std::string& from,
              const std::string& to) {
        std::string page = formatExampleFile(file);
        ASSERT_NE(page.find(from), std::string::npos) << file << " does not hold " << from;
        h.pages.addPage(address, replaceAll(page, from, to));
    }

    EngineHarness h;
};

TEST_F(ExampleDay, StoresExactlyTheRecordsOfTheExample) {
    ChannelDayResult result = h.runBuiltin("Canale 5.zdr", "20021205");

    EXPECT_EQ(h.rows, formatExampleRecords());
    EXPECT_EQ(
        h.events,
        (std::vector<std::string>{
            "fetch " + std::string(kExampleListingUrl), "status Page Found...Gathering Information",
            "fetch " + exampleDetailUrl("100231"), "fetch " + examplePosterUrl("100231"), "poster",
            "cover Canale_5_100231.jpg", "fetch " + exampleDetailUrl("100232"),
            "fetch " + examplePosterUrl("100232"), "poster", "cover Canale_5_100232.jpg",
            "fetch " + exampleDetailUrl("100233"), "completion Download Completato !"}));
    EXPECT_TRUE(std::filesystem::is_regular_file(h.dir / "covers" / "Canale_5_100231.jpg"));
    EXPECT_TRUE(std::filesystem::is_regular_file(h.dir / "covers" / "Canale_5_100232.jpg"));
    EXPECT_TRUE(result.scriptValid && result.listingFetched && result.completed);
    EXPECT_FALSE(result.cancelled || result.lineBudgetExhausted);
    EXPECT_EQ(result.saveCounter, 3);
    EXPECT_EQ(result.programmesStored, 3);
    EXPECT_EQ(result.webQueryUrl, kExampleListingUrl);
    EXPECT_GT(h.transfers, 0u);
}

TEST_F(ExampleDay, AHalfBuiltRecordNeverLeaksIntoTheNextChannelDayButVariablesSurvive) {
    h.run({"#WEBQUERY#=" + std::string(kExampleListingUrl), "#DOWNLOADINFO#",
           "#PUT#=leaked comment#20#", "#TAKECOMMENTS#=#20#", "#PUT#=leaked.jpg#21#",
           "#TAKECODE#=#21#", "#PUT#=kept#45#", "#ENDDOWNLOADINFO#"},
          "Rete 4.zdr");
    ASSERT_TRUE(h.rows.empty());

    h.runBuiltin();
    EXPECT_EQ(h.rows, formatExampleRecords());
    EXPECT_EQ(h.engine.variables().get(45), "kept");

    h.rows.clear();
    h.runBuiltin();
    ASSERT_EQ(h.rows.size(), 3u);
    EXPECT_EQ(h.rows[0].numerazione, 1) << "a new channel-day numbers from 1 again";
    EXPECT_EQ(h.rows[0].cover, "Canale_5_100231_1.jpg")
        << "the cover names the picture actually filed";
}

TEST_F(ExampleDay, APageThatIsNoListingLoopsUntilTheLineBudgetWhenTheUserRetries) {
    h.pages.addPage(kExampleListingUrl, "<html><body>Service unavailable</body></html>\n");
    h.fallback = Answer::Retry;
    ChannelDayResult result = h.runBuiltin();

    ASSERT_GE(h.events.size(), 8u);
    EXPECT_EQ(std::vector<std::string>(h.events.begin() + 2, h.events.begin() + 7),
              (std::vector<std::string>{
                  "ask Can't Find The Word : <!-- start DX main -->Line : 6 -> Retry",
                  "ask Can't Find The Word : </table>Line : 8 -> Retry", "failure 9 -> Retry",
                  "ask Can't Find The Word : </table>Line : 8 -> Retry", "failure 9 -> Retry"}));
    EXPECT_TRUE(result.lineBudgetExhausted);
    EXPECT_EQ(result.linesDispatched, ScriptEngine::kLineBudget + 1);
    EXPECT_TRUE(h.rows.empty());
    EXPECT_EQ(h.lastEvent, "failure 8 -> Retry");
}

TEST_F(ExampleDay, NoTableEndInColumnOneLoopsWhateverTheAnswersUntilTheLineBudget) {
    edit(kExampleListingUrl, "listing.html", "\n</table>", "\n </table>");
    ChannelDayResult result = h.runBuiltin();

    EXPECT_TRUE(result.lineBudgetExhausted);
    EXPECT_EQ(h.events[2], "ask Can't Find The Word : </table>Line : 8 -> Cancel");
    EXPECT_EQ(h.events[3],
              "ask Can't Find The Word : </table> On the #FIND# ScriptLine : 9 -> Cancel");
    EXPECT_EQ(h.events[4], h.events[2]);
    EXPECT_TRUE(h.rows.empty());
}

TEST_F(ExampleDay, AFilmCastWithoutItsClosingCellLoopsUntilTheLineBudget) {
    edit(exampleDetailUrl("100232"), "detail_100232.html", "(Italia, 1998)</td></tr>",
         "(Italia, 1998)");
    ChannelDayResult result = h.runBuiltin();

    EXPECT_TRUE(result.lineBudgetExhausted);
    EXPECT_GT(h.count("ask The Web Page Is End, This Shouldn't Happen ! Take a look at "
                      "#REPEAT#-#WHILE# Function Line : 80"),
              1000u);
    ASSERT_EQ(h.rows.size(), 1u) << "the programme before the film was stored";
    EXPECT_EQ(h.rows[0], formatExampleRecords()[0]);
}

}  // namespace
}  // namespace zelidor::test
