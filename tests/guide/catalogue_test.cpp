#include "browser/catalogue.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>

#include "support/temp_dir.h"

namespace zelidor {
namespace {

// "key|text|image" of the nodes under parent.
std::vector<std::string> under(const Catalogue& c, const std::string& parent) {
    std::vector<std::string> shown;
    for (const TreeNode* node : c.tree.children(parent)) {
        shown.push_back(node->key + "|" + node->text + "|" + node->image);
    }
    return shown;
}

std::vector<std::string> listed(const Catalogue& c) {
    std::vector<std::string> items;
    for (const auto& item : c.downloadList) {
        items.push_back(item.key + "/" + std::to_string(item.smallIcon));
    }
    return items;
}

class CatalogueTest : public testing::Test {
  protected:
    CatalogueTest() {
        dir.makeAppFolders();
        channel("Rai 1", "#ANTENNA#=2,#DATEBUILD#=01/12/2002,#MADEBY#=Luca,#WEBSITE#=rai.example");
        channel("Sky Cinema", "\"#antenna#=1\",#DATEBUILD#=d,#MADEBY#=Anna,#WEBSITE#=sky");
    }
    void channel(const std::string& name, const std::string& header) const {
        test::writeFile(dir / ("TV/" + name + ".zdr"), header + "\r\n#DOWNLOADINFO#\r\n");
    }
    test::TempDir dir;
};

TEST_F(CatalogueTest, ChannelsAreListedAlphabeticallyWithTheirDetailsAndAReversedDownloadList) {
    channel("ansa", "#ANTENNA#=3,#DATEBUILD#=a,#MADEBY#=b,#WEBSITE#=c");
    test::writeFile(dir / "TV/notes.txt", "#ANTENNA#=2");
    std::filesystem::create_directory(dir / "TV/folder.zdr");
    Catalogue c = loadCatalogue(dir.path(), "0 Visualizza Tutte");
    EXPECT_EQ(c.tree.nodes().front().text, "Palinsesti Disponibili");
    EXPECT_TRUE(c.tree.nodes().front().expanded);
    EXPECT_EQ(under(c, "R"),
              (std::vector<std::string>{"ansa|ansa|televisione", "Rai 1|Rai 1|televisione2",
                                        "Sky Cinema|Sky Cinema|parabola"}));
    EXPECT_EQ(under(c, "Rai 1"), (std::vector<std::string>{
                                     "Rai 101/12/2002|01/12/2002|tempo1", "Rai 1Luca|Luca|smile1",
                                     "Rai 1rai.example|rai.example|explorer1"}));
    EXPECT_EQ(listed(c), (std::vector<std::string>{"Sky Cinema/2", "Rai 1/5", "ansa/4"}));
    EXPECT_TRUE(c.statusTexts.empty());
    Catalogue satellite = loadCatalogue(dir.path(), "1 Satellite");
    EXPECT_EQ(under(satellite, "R"), (std::vector<std::string>{"Sky Cinema|Sky Cinema|parabola"}));
    EXPECT_EQ(listed(satellite), (std::vector<std::string>{"Sky Cinema/2"}));
}

TEST_F(CatalogueTest, BadOrMissingValuesHideTheChannelOrTheirNodeAndMarkThePanel) {
    channel("Estero", "#ANTENNA#=7,#DATEBUILD#=x,#MADEBY#=y,#WEBSITE#=z");
    channel("Lontano", "#ANTENNA#=99999,#DATEBUILD#=x,#MADEBY#=y,#WEBSITE#=z");
    // Values are reset per file: these follow "Rai 1", which has every key.
    channel("Rai 2", "#ANTENNA#=2,#DATEBUILD#=03/12/2002,#MADEBY#=,#WEBSITE#=w");
    channel("Rai 3", "#DATEBUILD#=d,#MADEBY#=m,#WEBSITE#=w");
    // Without a filter the three detail nodes of each hidden channel fail; 99999 fails at once;
    // an empty author gives the channel's own key.
    Catalogue all = loadCatalogue(dir.path(), "0 Visualizza Tutte");
    EXPECT_EQ(all.tree.find("Estero"), nullptr);
    EXPECT_EQ(all.tree.find("Rai 3"), nullptr);
    EXPECT_EQ(under(all, "Rai 2").size(), 2u);
    EXPECT_EQ(listed(all).size(), 3u);
    EXPECT_EQ(all.statusTexts, (std::vector<std::string>(11, "*")));
    EXPECT_EQ(loadCatalogue(dir.path(), "3 Cinema").statusTexts, (std::vector<std::string>{"*"}));
    EXPECT_EQ(channelCategory(std::string(" 2.5")), 2);
    EXPECT_EQ(channelCategory(std::string("3.5 Cinema")), 4);
    EXPECT_EQ(categoryFilter("Visualizza"), 0);
}

TEST(Catalogue, AMissingChannelFolderLeavesTheRootAndSaysSo) {
    test::TempDir dir;
    Catalogue c = loadCatalogue(dir.path(), "0 Visualizza Tutte");
    EXPECT_EQ(c.tree.size(), 1u);
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
