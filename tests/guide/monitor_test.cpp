#include <gtest/gtest.h>

#include "guide_app.h"
#include "monitor/monitor_search.h"
#include "monitor/monitor_words.h"

namespace zelidor {
namespace {

using test::GuideApp;

const Day kDay{2002, 12, 5};

class MonitorTest : public testing::Test {
  protected:
    MonitorTest() : words(MonitorWords::defaultFile(app.path())) {
        app.add({{20021204, "Rai 1", 1, "21:00", "Calcio di ieri"},
                 {20021205, "Rai 1", 1, "20:30", "Calcio: Serie A"},
                 {20021206, "Sky", 1, "14:00", "Serie A  live"}});
    }

    // The texts of the search nodes, or of the programme nodes under the word's search node.
    std::vector<std::string> shown(const std::string& word = "") {
        std::vector<std::string> texts;
        for (const TreeNode& node : tree.nodes()) {
            bool searchNode = node.image == "vhs" && word.empty();
            bool mine =
                node.image == "tempo1" && !word.empty() && node.key.rfind("R" + word + "D", 0) == 0;
            if (searchNode || mine) {
                texts.push_back(node.text);
            }
        }
        return texts;
    }

    void search() { runMonitorSearch(app.path(), words.list(), kDay, tree, state); }

    GuideApp app;
    MonitorWords words;
    KeyedTree tree;
    SearchState state;
};

TEST_F(MonitorTest, AnEmptyListLeavesTheRootAndTheFlagAlone) {
    search();
    EXPECT_EQ(tree.size(), 1u);
    EXPECT_FALSE(state.monitorHit);
}

TEST_F(MonitorTest, ARepeatedWordIsListedOnceAndAProgrammeShowsUnderEveryWordMatchingIt) {
    for (const char* word : {"Calcio", "Serie A", "", "Calcio", "Coliandro", "A  "}) {
        words.save(std::nullopt, word);
    }
    EXPECT_EQ(words.list(), (std::vector<std::string>{"A  ", "Coliandro", "Serie A", "Calcio"}));
    search();
    EXPECT_TRUE(state.monitorHit);
    EXPECT_EQ(shown(), words.list());
    EXPECT_EQ(shown("Calcio"), (std::vector<std::string>{"20:30-Calcio: Serie A"}));
    EXPECT_EQ(shown("Serie A"),
              (std::vector<std::string>{"20:30-Calcio: Serie A", "14:00-Serie A  live"}));
    // A word is matched as stored, with its blanks.
    EXPECT_EQ(shown("A  "), (std::vector<std::string>{"14:00-Serie A  live"}));
}

TEST_F(MonitorTest, WordsAreFoundAgainRenamedAndDeleted) {
    std::int64_t row = words.save(std::nullopt, "L'ISPETTORE");
    words.save(std::nullopt, "Calcio");
    ASSERT_TRUE(words.find("l'ispettore"));
    EXPECT_EQ(words.find("l'ispettore")->row, row);
    EXPECT_EQ(words.save(row, "Coliandro"), row);
    EXPECT_EQ(words.list(), (std::vector<std::string>{"Calcio", "Coliandro"}));
    EXPECT_TRUE(words.remove(row));
    EXPECT_FALSE(words.remove(row));
    EXPECT_EQ(words.list(), (std::vector<std::string>{"Calcio"}));
}

TEST_F(MonitorTest, AnUnreadableStoreIsReportedAndMissingProgrammesLeaveTheWordNodes) {
    GuideApp broken;
    test::writeFile(broken.dir / "database/monitor.db", std::string(8192, 'x'));
    std::vector<std::string> texts;
    EXPECT_TRUE(loadMonitorList(broken.path(), texts).empty());
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].substr(0, 5), "3049 ");
    runMonitorSearch(broken.path(), {"Calcio", "Serie"}, kDay, tree, state);
    EXPECT_EQ(shown(), (std::vector<std::string>{"Calcio", "Serie"}));
    EXPECT_FALSE(state.monitorHit);
}

}  // namespace
}  // namespace zelidor
