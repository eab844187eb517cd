#include "browser/catalogue.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>

#include "browser/status_texts.h"
#include "support/temp_dir.h"

namespace zelidor {
namespace {

using test::writeFile;

struct Shown {
    std::string key, text, image;
    friend bool operator==(const Shown&, const Shown&) = default;
};

std::vector<Shown> childrenOf(const KeyedTree& tree, const std::string& key) {
    std::vector<Shown> shown;
    for (const TreeNode* node : tree.children(key)) {
        shown.push_back({node->key, node->text, node->image});
    }
    return shown;
}

std::vector<std::string> listed(const Catalogue& catalogue) {
    std::vector<std::string> keys;
    for (const auto& item : catalogue.downloadList) {
        keys.push_back(item.key + "/" + std::to_string(item.smallIcon));
    }
    return keys;
}

class CatalogueTest : public testing::Test {
  protected:
    CatalogueTest() {
        dir.makeAppFolders();
        channel("Rai 1",
                "#ANTENNA#=2,#DATEBUILD#=01/12/2002,#MADEBY#=Luca,#WEBSITE#=www.rai.example");
        channel("Sky Cinema", "\"#ANTENNA#=1\",#DATEBUILD#=02/12/2002,#MADEBY#=Anna,#WEBSITE#=sky");
    }
    void channel(const std::string& name, const std::string& header) const {
        writeFile(dir / ("TV/" + name + ".zdr"), header + "\r\n#DOWNLOADINFO#\r\n");
    }
    test::TempDir dir;
};

TEST_F(CatalogueTest, AllCategoriesShowEveryChannelWithItsDetailsAndAReversedDownloadList) {
    Catalogue c = loadCatalogue(dir.path(), "0 Visualizza Tutte");
    EXPECT_EQ(c.tree.nodes().front().key, "R");
    EXPECT_EQ(c.tree.nodes().front().text, "Palinsesti Disponibili");
    EXPECT_EQ(c.tree.nodes().front().image, "root1");
    EXPECT_TRUE(c.tree.nodes().front().expanded);
    EXPECT_EQ(childrenOf(c.tree, "R"),
              (std::vector<Shown>{{"Rai 1", "Rai 1", "televisione2"},
                                  {"Sky Cinema", "Sky Cinema", "parabola"}}));
    EXPECT_EQ(childrenOf(c.tree, "Rai 1"),
              (std::vector<Shown>{{"Rai 101/12/2002", "01/12/2002", "tempo1"},
                                  {"Rai 1Luca", "Luca", "smile1"},
                                  {"Rai 1www.rai.example", "www.rai.example", "explorer1"}}));
    EXPECT_EQ(listed(c), (std::vector<std::string>{"Sky Cinema/2", "Rai 1/5"}));
    EXPECT_TRUE(c.statusTexts.empty());
}

TEST_F(CatalogueTest, ACategoryFilterShowsOnlyItsChannelsAndLowerCaseKeysCount) {
    channel("Cine Club", "#antenna#=3,#DATEBUILD#=x,#MADEBY#=y,#WEBSITE#=z");
    Catalogue c = loadCatalogue(dir.path(), "1 Satellite");
    EXPECT_EQ(childrenOf(c.tree, "R"),
              (std::vector<Shown>{{"Sky Cinema", "Sky Cinema", "parabola"}}));
    EXPECT_EQ(listed(c), (std::vector<std::string>{"Sky Cinema/2"}));
    Catalogue cinema = loadCatalogue(dir.path(), "3 Cinema");
    EXPECT_EQ(listed(cinema), (std::vector<std::string>{"Cine Club/4"}));
    EXPECT_EQ(categoryFilter("Visualizza"), 0);
    EXPECT_EQ(categoryFilter("4 Sport"), 4);
}

TEST_F(CatalogueTest, AnUnknownCategoryHidesTheChannelAndMarksThePanelOnlyWithoutAFilter) {
    channel("Estero", "#ANTENNA#=7,#DATEBUILD#=x,#MADEBY#=y,#WEBSITE#=z");
    Catalogue all = loadCatalogue(dir.path(), "0 Visualizza Tutte");
    EXPECT_EQ(all.tree.find("Estero"), nullptr);
    EXPECT_EQ(listed(all).size(), 2u);
    EXPECT_EQ(all.statusTexts, (std::vector<std::string>(3, "*")));  // its three detail nodes
    Catalogue cinema = loadCatalogue(dir.path(), "3 Cinema");
    EXPECT_TRUE(cinema.statusTexts.empty());
}

TEST_F(CatalogueTest, HeaderValuesAreResetForEveryFile) {
    // "Rai 1" comes first and has every key; the next file lacks two of them.
    channel("Rai 2", "#ANTENNA#=2,#DATEBUILD#=03/12/2002,#MADEBY#=,#WEBSITE#=w");
    channel("Rai 3", "#DATEBUILD#=d,#MADEBY#=m,#WEBSITE#=w");
    Catalogue c = loadCatalogue(dir.path(), "0 Visualizza Tutte");
    // An empty author gives the channel's own key: not added.
    EXPECT_EQ(childrenOf(c.tree, "Rai 2").size(), 2u);
    EXPECT_EQ(c.tree.find("Rai 2Luca"), nullptr);
    // A missing category hides the channel instead of borrowing the previous file's.
    EXPECT_EQ(c.tree.find("Rai 3"), nullptr);
    EXPECT_EQ(c.statusTexts, (std::vector<std::string>(4, "*")));
}

TEST_F(CatalogueTest, CategoriesAreRoundedHalfToEvenAndOutOfRangeValuesAreNotTaken) {
    EXPECT_EQ(channelCategory(std::string("2.5")), 2);
    EXPECT_EQ(channelCategory(std::string(" 3.5 Cinema")), 4);
    EXPECT_EQ(channelCategory(std::string("99999")), std::nullopt);
    EXPECT_EQ(channelCategory(std::nullopt), std::nullopt);
    channel("Lontano", "#ANTENNA#=99999,#DATEBUILD#=x,#MADEBY#=y,#WEBSITE#=z");
    Catalogue c = loadCatalogue(dir.path(), "2 Televisione");
    EXPECT_EQ(c.statusTexts, (std::vector<std::string>{"*"}));
    EXPECT_EQ(listed(c), (std::vector<std::string>{"Rai 1/5"}));
}

TEST_F(CatalogueTest, FilesAreListedAlphabeticallyIgnoringCaseAndOtherFiles) {
    channel("ansa", "#ANTENNA#=2,#DATEBUILD#=a,#MADEBY#=b,#WEBSITE#=c");
    writeFile(dir / "TV/notes.txt", "#ANTENNA#=2");
    std::filesystem::create_directory(dir / "TV/folder.zdr");
    Catalogue c = loadCatalogue(dir.path(), "0");
    std::vector<std::string> names;
    for (const TreeNode* node : c.tree.children("R")) {
        names.push_back(node->key);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"ansa", "Rai 1", "Sky Cinema"}));
}

TEST(Catalogue, AMissingChannelFolderLeavesTheRootAndSaysSo) {
    test::TempDir dir;
    Catalogue c = loadCatalogue(dir.path(), "0 Visualizza Tutte");
    EXPECT_EQ(c.tree.size(), 1u);
    EXPECT_TRUE(c.downloadList.empty());
    EXPECT_EQ(c.statusTexts,
              (std::vector<std::string>{"The Directory " + (dir / "TV/").string() +
                                            " Doesn't Exist !  -> Bad Installation??",
                                        "*"}));
}

TEST_F(CatalogueTest, AnUnreadableChannelFileIsHiddenAndReported) {
    channel("Chiuso", "#ANTENNA#=2,#DATEBUILD#=x,#MADEBY#=y,#WEBSITE#=z");
    test::shareWithOthers(dir.path());
    ::chmod((dir / "TV/Chiuso.zdr").c_str(), 0);
    EXPECT_EXIT(
        {
            test::becomeUnprivileged();
            Catalogue c = loadCatalogue(dir.path(), "0");
            bool hidden = c.tree.find("Chiuso") == nullptr && c.tree.find("Rai 1") != nullptr;
            std::exit(hidden && c.statusTexts.size() == 4 ? 0 : 1);  // open + three details
        },
        testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace zelidor
