// The choice of the application folder and the user's copy of the installed data: first start,
// an upgrade over a folder the user has worked in, and the folders that win or fail.
#include "appfolder/app_folder.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace zelidor {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::TempDir;

// Writes a file, making its folders first.
void put(const fs::path& file, std::string_view bytes) {
    fs::create_directories(file.parent_path());
    test::writeFile(file, bytes);
}

class AppFolderTest : public testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(bin);
        put(shipped / "TV/Rai Uno.zdr", "uno");
        put(shipped / "htmlcards/classica.htm", "shipped template");
        put(shipped / "covers/none.jpg", "jpeg");
    }

    AppFolder prepare(std::optional<fs::path> given = {}) {
        return prepareAppFolder(bin, given, user);
    }

    TempDir root;
    fs::path bin = root / "usr/bin";
    fs::path shipped = root / "usr/share/zelidor";
    UserDirectories user{"", (root / "home").string()};
    fs::path home = root / "home/.local/share/zelidor";
};

TEST_F(AppFolderTest, InstalledProgramGetsTheUsersFolderMadeFromTheInstalledData) {
    EXPECT_EQ(installedDataFolder(bin), shipped);
    user.xdgDataHome = "relative/data";  // not absolute: ignored, as the XDG rules say
    AppFolder first = prepare();
    EXPECT_EQ(first.kind, AppFolderKind::User);
    EXPECT_EQ(first.folder, home);
    EXPECT_EQ(first.added.size(), 3u);
    EXPECT_EQ(readFile(home / "TV/Rai Uno.zdr"), "uno");
    EXPECT_EQ(readFile(home / "covers/none.jpg"), "jpeg");
    EXPECT_TRUE(fs::is_directory(home / "database"));
    EXPECT_TRUE(fs::is_directory(home / "TempDir"));

    user.xdgDataHome = (root / "xdg").string();
    EXPECT_EQ(prepare().folder, root / "xdg/zelidor");
}

TEST_F(AppFolderTest, UpgradeAddsNewlyShippedFilesAndKeepsEverythingOfTheUser) {
    prepare();
    put(home / "htmlcards/classica.htm", "my edits");
    put(home / "database/Zelidor.db", "my programmes");
    put(home / "covers/Rai Uno_1.jpg", "my cover");
    fs::remove(home / "TV/Rai Uno.zdr");  // the user does not want this channel
    // The upgrade ships a new channel, a new template and a changed one.
    put(shipped / "TV/Rai Due.zdr", "due");
    put(shipped / "htmlcards/notturna.htm", "new template");
    put(shipped / "htmlcards/classica.htm", "upgraded template");
    put(shipped / "database/Zelidor.db", "shipped database");

    AppFolder again = prepare();
    std::vector<fs::path> expected{"TV/Rai Due.zdr", "htmlcards/notturna.htm"};
    std::sort(again.added.begin(), again.added.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(again.added, expected);
    EXPECT_EQ(readFile(home / "htmlcards/classica.htm"), "my edits");
    EXPECT_EQ(readFile(home / "database/Zelidor.db"), "my programmes");
    EXPECT_EQ(readFile(home / "covers/Rai Uno_1.jpg"), "my cover");
    EXPECT_FALSE(fs::exists(home / "TV/Rai Uno.zdr"));
    EXPECT_TRUE(prepare().added.empty());
}

TEST_F(AppFolderTest, PortableAndGivenFoldersAreUsedAsTheyStand) {
    TempDir other;
    AppFolder given = prepare(other.path());
    EXPECT_EQ(given.kind, AppFolderKind::Given);
    EXPECT_EQ(given.folder, other.path());
    EXPECT_THROW(prepare(other / "missing"), AppFolderError);

    // The executable's folder holds the data (a build folder, a portable copy).
    fs::create_directories(bin / "TV");
    fs::create_directories(bin / "htmlcards");
    AppFolder portable = prepare();
    EXPECT_EQ(portable.kind, AppFolderKind::Portable);
    EXPECT_EQ(portable.folder, bin);
    EXPECT_FALSE(fs::exists(root / "home"));
}

TEST_F(AppFolderTest, AUserFolderThatCannotBeMadeIsReported) {
    put(root / "home/.local/share", "a file where the folder should be");
    EXPECT_THROW(prepare(), AppFolderError);
    user = {"", ""};
    EXPECT_THROW(prepare(), AppFolderError);
}

}  // namespace
}  // namespace zelidor
