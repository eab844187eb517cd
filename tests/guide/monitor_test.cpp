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
                 {20021205, "Rai 1", 2, "22:00", "L'ispettore Coliandro"},
                 {20021206, "Sky", 1, "14:00", "Serie A  live"}});
    }

    std::vector<std::string> searchNodes(const KeyedTree& tree) const {
        std::vector<std::string> texts;
        for (const TreeNode* node : tree.children("R")) {
            texts.push_back(node->text);
        }
        return texts;
    }

    std::vector<std::string> programmesUnder(const KeyedTree& tree, const std::string& word) {
        std::vector<std::string> texts;
        std::string prefix = "R" + word + "D";
        for (const TreeNode& node : tree.nodes()) {
            if (node.image == "tempo1" && node.key.rfind(prefix, 0) == 0) {
                texts.push_back(node.text);
            }
        }
        return texts;
    }

    GuideApp app;
    MonitorWords words;
};

TEST_F(MonitorTest, AnEmptyListLeavesTheRootAndTheFlagAlone) {
    KeyedTree tree;
    SearchState state;
    runMonitorSearch(app.path(), words.list(), kDay, tree, state);
    EXPECT_EQ(tree.size(), 1u);
    EXPECT_FALSE(state.monitorHit);
}

TEST_F(MonitorTest, TheLastStoredWordComesFirstAndARepeatedWordDoesNotStopTheList) {
    for (const char* word : {"Calcio", "Serie A", "", "Calcio", "Coliandro"}) {
        words.save(std::nullopt, word);
    }
    std::vector<std::string> list = words.list();
    EXPECT_EQ(list, (std::vector<std::string>{"Coliandro", "Serie A", "Calcio"}));
    KeyedTree tree;
    SearchState state;
    runMonitorSearch(app.path(), list, kDay, tree, state);
    EXPECT_TRUE(state.monitorHit);
    EXPECT_EQ(searchNodes(tree), list);
    // One programme matched by two words shows under both, with the same text.
    EXPECT_EQ(programmesUnder(tree, "Calcio"), (std::vector<std::string>{"20:30-Calcio: Serie A"}));
    EXPECT_EQ(programmesUnder(tree, "Serie A"),
              (std::vector<std::string>{"20:30-Calcio: Serie A", "14:00-Serie A  live"}));
}

TEST_F(MonitorTest, AWordIsMatchedAsStoredWithItsBlanks) {
    words.save(std::nullopt, "Serie A  ");
    KeyedTree tree;
    SearchState state;
    runMonitorSearch(app.path(), words.list(), kDay, tree, state);
    EXPECT_EQ(programmesUnder(tree, "Serie A  "),
              (std::vector<std::string>{"14:00-Serie A  live"}));
}

TEST_F(MonitorTest, WordsAreFoundAgainRenamedAndDeleted) {
    std::int64_t row = words.save(std::nullopt, "L'ISPETTORE");
    words.save(std::nullopt, "Calcio");
    auto hit = words.find("l'ispettore");
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->row, row);
    EXPECT_EQ(words.save(row, "Coliandro"), row);
    EXPECT_EQ(words.list(), (std::vector<std::string>{"Calcio", "Coliandro"}));
    EXPECT_TRUE(words.remove(row));
    EXPECT_FALSE(words.remove(row));
    EXPECT_FALSE(words.find("Coliandro"));
    EXPECT_EQ(words.list(), (std::vector<std::string>{"Calcio"}));
}

TEST_F(MonitorTest, AnUnreadableStoreIsReportedAndMissingProgrammesLeaveTheWordNodes) {
    GuideApp broken;
    test::writeFile(broken.dir / "database/monitor.db", std::string(8192, 'x'));
    std::vector<std::string> texts;
    EXPECT_TRUE(loadMonitorList(broken.path(), texts).empty());
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].substr(0, 5), "3049 ");
    std::filesystem::remove(ProgrammeStore::defaultFile(app.path()));
    KeyedTree tree;
    SearchState state;
    runMonitorSearch(app.path(), {"Calcio", "Serie"}, kDay, tree, state);
    EXPECT_EQ(searchNodes(tree), (std::vector<std::string>{"Calcio", "Serie"}));
    EXPECT_FALSE(state.monitorHit);
}

}  // namespace
}  // namespace zelidor
