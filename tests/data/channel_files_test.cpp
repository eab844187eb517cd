#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

#include "common/number.h"
#include "data_folders.h"
#include "engine/channel_table.h"
#include "engine/script_header.h"
#include "support/temp_dir.h"

namespace zelidor {
namespace {

namespace fs = std::filesystem;

std::set<std::string> channelFileNames(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() == ".zdr") {
            names.insert(entry.path().filename().string());
        }
    }
    return names;
}

TEST(ChannelFiles, OneLatinOneFilePerChannelOfTheTableWithItsCategoryAndCatalogueValues) {
    std::set<std::string> expected;
    std::set<std::string> catalogueKeys;  // the channel catalogue refuses a key used twice
    for (const ChannelInfo& channel : builtinChannels()) {
        std::string name(channel.name);
        expected.insert(name + ".zdr");
        fs::path file = test::shippedAppFolder() / "TV" / (name + ".zdr");
        auto header = readScriptHeaderFile(file);
        ASSERT_TRUE(header) << name;
        ASSERT_TRUE(header->antenna && header->dateBuild && header->madeBy && header->webSite)
            << name;
        EXPECT_EQ(roundHalfEven(leadingNumber(*header->antenna)),
                  static_cast<int>(channel.category))
            << name;
        for (const std::string& value :
             {std::string(), *header->dateBuild, *header->madeBy, *header->webSite}) {
            EXPECT_TRUE(catalogueKeys.insert(name + value).second)
                << name << ": empty or repeated catalogue value '" << value << "'";
        }
        std::string bytes = test::readFile(file);
        EXPECT_FALSE(test::holdsUtf8Sequence(bytes)) << name;
        std::istringstream lines(bytes);
        for (std::string line; std::getline(lines, line);) {
            bool headerKey = line.starts_with("#ANTENNA#=") || line.starts_with("#DATEBUILD#=") ||
                             line.starts_with("#MADEBY#=") || line.starts_with("#WEBSITE#=");
            // A number sign elsewhere could spell a keyword, and a comma would split a value.
            EXPECT_TRUE(headerKey ? line.find(',') == std::string::npos
                                  : line.find('#') == std::string::npos)
                << name << ": " << line;
        }
    }
    EXPECT_EQ(channelFileNames(test::shippedAppFolder() / "TV"), expected);
}

TEST(LaidOutFolder, HoldsTheShippedFilesAndTheEmptyWorkingFolders) {
    fs::path app = test::laidOutAppFolder();
    EXPECT_TRUE(fs::is_directory(app / "TempDir"));
    EXPECT_TRUE(fs::is_directory(app / "database"));
    for (const auto& entry : fs::recursive_directory_iterator(test::shippedAppFolder())) {
        if (entry.is_regular_file()) {
            fs::path relative = fs::relative(entry.path(), test::shippedAppFolder());
            ASSERT_TRUE(fs::exists(app / relative)) << relative;
            EXPECT_EQ(test::readFile(app / relative), test::readFile(entry.path())) << relative;
        }
    }
}

}  // namespace
}  // namespace zelidor
