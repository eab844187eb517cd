#include "search/title_search.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>

#include "browser/status_texts.h"
#include "common/text.h"
#include "guide_app.h"

namespace zelidor {
namespace {

using test::GuideApp;

const Day kDay{2002, 12, 5};

class TitleSearchTest : public testing::Test {
  protected:
    TitleSearchTest() {
        app.add({{20021204, "Rai 1", 1, "21:00", "Roma ieri"},
                 {20021205, "Rai 1", 1, "06:00", "CITT\xC0 DI NOTTE"},
                 {20021205, "Rai 1", 2, "08:00", "Roma criminale"},
                 {20021205, "Canale 5", 1, "09:00", "L'ispettore Coliandro"},
                 {20021205, "Canale 5", 2, "10:00", "A Roma, citt\xE0 aperta"},
                 {20021206, "Rai 1", 1, "07:00", "Chi? Cosa *"},
                 {20021206, "Rai 1", 2, std::nullopt, "Chiara senza ora"},
                 {20021206, "Rai 1", 3, "09:00", ""}});
    }

    std::vector<std::string> search(const std::string& text, bool allDays = false) {
        statusTexts = runTitleSearch(app.path(), text, kDay, allDays, tree, state);
        std::vector<std::string> lines;
        for (const TreeNode& node : tree.nodes()) {
            std::string indent(node.parent ? tree.nodes()[*node.parent].parent ? 2 : 1 : 0, ' ');
            lines.push_back(indent + node.key + "|" + node.text + "|" + node.image);
        }
        return lines;
    }

    // The programme node texts the search found.
    std::vector<std::string> found(const std::string& text, bool allDays = false) {
        search(text, allDays);
        std::vector<std::string> texts;
        for (const TreeNode& node : tree.nodes()) {
            if (node.image == "tempo1") {
                texts.push_back(node.text);
            }
        }
        return texts;
    }

    GuideApp app;
    KeyedTree tree;
    SearchState state;
    std::vector<std::string> statusTexts;
};

TEST_F(TitleSearchTest, TheTreeGroupsByDayAndChannelInOrderOfFirstAppearance) {
    app.add({{20021205, "Rai 1", 3, "08:00", "Roma di sera"}});  // the same hour: the same key
    std::vector<std::string> expected = {
        "R|Risultati Ricerca|root2",
        " Rroma|roma|vhs",
        "  RromaD05/12/2002|05/12/2002|calendario",
        "  RromaD05/12/2002Rai 1|Rai 1|testo",
        "  D05/12/2002Rai 108:00|08:00-Roma criminale|tempo1",
        "  RromaD05/12/2002Canale 5|Canale 5|testo",
        "  D05/12/2002Canale 510:00|10:00-A Roma, citt\xE0 aperta|tempo1"};
    EXPECT_EQ(search("roma"), expected);
    EXPECT_EQ(statusTexts, (std::vector<std::string>{status::kKeyNotUnique}));
    EXPECT_TRUE(state.monitorHit);
    EXPECT_EQ(search("roma"), expected);  // a second search rebuilds the same tree
    EXPECT_EQ(found("Roma", true).front(), "21:00-Roma ieri");
}

TEST_F(TitleSearchTest, LetterCaseIsIgnoredAccentsIncludedAndBlanksAndWildcardsCount) {
    std::vector<std::string> citta = {"06:00-CITT\xC0 DI NOTTE", "10:00-A Roma, citt\xE0 aperta"};
    EXPECT_EQ(found("citt\xE0"), citta);  // through the title index
    EXPECT_EQ(found("T\xC0"), citta);     // too short for it: every row is tested
    EXPECT_EQ(found(" Roma"), (std::vector<std::string>{"10:00-A Roma, citt\xE0 aperta"}));
    EXPECT_EQ(found("L'ispettore"), (std::vector<std::string>{"09:00-L'ispettore Coliandro"}));
    EXPECT_EQ(found("Chi?"), (std::vector<std::string>{"07:00-Chi? Cosa *"}));
    EXPECT_EQ(found("*"), (std::vector<std::string>{"07:00-Chi? Cosa *"}));
    EXPECT_TRUE(found("\"Roma\"").empty());
    EXPECT_TRUE(found("Chiara").empty());  // no hour: only its day and channel nodes
    EXPECT_NE(tree.find("RChiaraD06/12/2002Rai 1"), nullptr);
    // Five titled programmes with an hour from the day on. The search node's key "R" is the
    // root's: reported, and the days hang under the root.
    EXPECT_EQ(found("").size(), 5u);
    EXPECT_EQ(statusTexts, (std::vector<std::string>{status::kKeyNotUnique}));
}

TEST_F(TitleSearchTest, TheIndexFollowsEveryLaterChangeOfTheTable) {
    EXPECT_EQ(found("Coliandro").size(), 1u);  // creates the index over the stored rows
    ProgrammeStore store(ProgrammeStore::defaultFile(app.path()));
    store.deleteChannelDay(20021205, "Canale 5");
    store.insert(ProgrammeRow{20021205, "11:00", "Coliandro torna", std::nullopt, std::nullopt,
                              std::nullopt, "Canale 5", 1, std::nullopt});
    store.database().exec("UPDATE Programmi SET Titolo = 'Coliandro ancora' WHERE Ora = '06:00'");
    EXPECT_EQ(found("coliandro"),
              (std::vector<std::string>{"06:00-Coliandro ancora", "11:00-Coliandro torna"}));
}

TEST_F(TitleSearchTest, TextsMadeOfCommonTrigramsAreFoundToo) {
    ProgrammeStore(ProgrammeStore::defaultFile(app.path()))
        .database()
        .exec(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 500) "
            "INSERT INTO Programmi (Data, Ora, Titolo, Palinsesto) SELECT 20021205, i, "
            "CASE WHEN i % 2 THEN 'Il commissario' ELSE 'Commissari, tanti' END, 'X' FROM n");
    EXPECT_EQ(found("COMMISSARIO").size(), 250u);
    EXPECT_EQ(found("commissari, ").size(), 250u);
}

TEST(TitleIndex, NeverMissesARowTheMatchTestAccepts) {
    // Every Latin-1 character in a title of its own, and in a title too short for a trigram,
    // looked for in each of its letter cases in texts of three, two and one characters (the
    // short texts take other ways through the indexes).
    GuideApp app;
    ProgrammeStore store(ProgrammeStore::defaultFile(app.path()));
    for (int c = 0x20; c <= 0xFF; ++c) {
        for (std::string title : {std::string("ab") + static_cast<char>(c) + "cd",
                                  std::string("x") + static_cast<char>(c)}) {
            ProgrammeRow row;
            row.data = 20021205;
            row.ora = std::to_string(c) + "/" + std::to_string(title.size());
            row.titolo = title;
            store.insert(row);
        }
    }
    TitleFinder finder(app.path());
    ASSERT_TRUE(finder.indexed());
    auto finds = [&](const std::string& text, const std::string& ora) {
        auto rows = finder.candidates(text, std::nullopt);
        return std::any_of(rows.begin(), rows.end(),
                           [&](const FoundProgramme& row) { return row.ora == ora; });
    };
    for (int c = 0x20; c <= 0xFF; ++c) {
        std::string inside = std::to_string(c) + "/5";
        std::string shortTitle = std::to_string(c) + "/2";
        for (int variant = 0x20; variant <= 0xFF; ++variant) {
            if (foldLatin1(static_cast<char>(variant)) != foldLatin1(static_cast<char>(c))) {
                continue;
            }
            std::string v(1, static_cast<char>(variant));
            EXPECT_TRUE(finds("B" + v + "C", inside)) << c << " as " << variant;
            EXPECT_TRUE(finds("B" + v, inside)) << c << " as " << variant;
            EXPECT_TRUE(finds(v + "C", inside)) << c << " as " << variant;
            EXPECT_TRUE(finds("X" + v, shortTitle)) << c << " as " << variant;
            EXPECT_TRUE(finds(v, shortTitle)) << c << " as " << variant;
        }
    }
}

TEST_F(TitleSearchTest, ADatabaseWeMayNotWriteIsSearchedRowByRow) {
    test::shareWithOthers(app.path());
    ::chmod(ProgrammeStore::defaultFile(app.path()).c_str(), 0444);
    EXPECT_EXIT(
        {
            test::becomeUnprivileged();
            std::exit(found("coliandro").size() == 1 ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

TEST(TitleSearch, ACorruptDatabaseIsReportedAndLeavesTheSearchNode) {
    GuideApp app;
    test::writeFile(ProgrammeStore::defaultFile(app.path()), std::string(8192, 'x'));
    KeyedTree tree;
    SearchState state;
    auto texts = runTitleSearch(app.path(), "Roma", kDay, false, tree, state);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].substr(0, 5), "3049 ");
    EXPECT_EQ(tree.size(), 2u);
    EXPECT_FALSE(state.monitorHit);
}

}  // namespace
}  // namespace zelidor
