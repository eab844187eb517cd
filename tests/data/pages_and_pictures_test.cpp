#include <gtest/gtest.h>
#include <stb_image.h>

#include <algorithm>
#include <cstdint>
#include <regex>
#include <set>
#include <string>

#include "common/text.h"
#include "data_folders.h"
#include "support/temp_dir.h"

namespace zelidor {
namespace {

namespace fs = std::filesystem;

bool hasHighByte(const std::string& bytes) {
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return true;
        }
    }
    return false;
}

TEST(Pages, EveryPageDeclaresLatinOneAndIsNotUtf8) {
    int pages = 0;
    for (const auto& entry : fs::recursive_directory_iterator(test::shippedAppFolder())) {
        if (entry.path().extension() == ".htm") {
            std::string bytes = test::readFile(entry.path());
            EXPECT_TRUE(containsNoCase(bytes, "charset=iso-8859-1")) << entry.path();
            EXPECT_FALSE(test::holdsUtf8Sequence(bytes)) << entry.path();
            ++pages;
        }
    }
    EXPECT_GE(pages, 2);
}

TEST(Pages, TheStartAndHelpPagesAreItalianTextWithLocalLinksThatResolve) {
    for (const char* page : {"begin.htm", "help/help.htm"}) {
        fs::path file = test::shippedAppFolder() / page;
        std::string bytes = test::readFile(file);
        EXPECT_TRUE(hasHighByte(bytes)) << page << " should carry accented letters as Latin-1";
        EXPECT_TRUE(containsNoCase(bytes, "Zelidor")) << page;

        // The HTML view works offline: every link must be a page anchor or a local file.
        std::regex link(R"(href="([^"]*)\")");
        for (std::sregex_iterator it(bytes.begin(), bytes.end(), link), end; it != end; ++it) {
            std::string target = (*it)[1].str();
            ASSERT_FALSE(target.empty()) << page;
            EXPECT_EQ(target.find("://"), std::string::npos) << page << ": " << target;
            if (target[0] == '#') {
                EXPECT_NE(bytes.find("name=\"" + target.substr(1) + "\""), std::string::npos)
                    << page << ": anchor " << target;
            } else {
                EXPECT_TRUE(fs::exists(file.parent_path() / target)) << page << ": " << target;
            }
        }
    }
}

TEST(Pictures, NoneJpgIsARealJpegOfCardSize) {
    std::string bytes = test::readFile(test::shippedAppFolder() / "covers" / "none.jpg");
    ASSERT_GE(bytes.size(), 3u);
    EXPECT_EQ(bytes.substr(0, 3), "\xFF\xD8\xFF");
    int width = 0, height = 0, channels = 0;
    stbi_uc* pixels =
        stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()),
                              static_cast<int>(bytes.size()), &width, &height, &channels, 3);
    ASSERT_NE(pixels, nullptr) << stbi_failure_reason();
    EXPECT_EQ(width, 140);
    EXPECT_EQ(height, 105);
    int darkest = 255, lightest = 0;  // a picture, not a blank rectangle
    for (int i = 0; i < width * height * 3; ++i) {
        darkest = std::min<int>(darkest, pixels[i]);
        lightest = std::max<int>(lightest, pixels[i]);
    }
    stbi_image_free(pixels);
    EXPECT_GT(lightest - darkest, 100);
}

std::uint32_t little(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(bytes.at(at + i));
    }
    return value;
}

// An icon (not a cursor) with a 16 and a 32 pixel image, each a 32-bit bitmap whose pixels are
// neither all transparent nor a plain square.
TEST(Pictures, SmileIcoIsARealIconWithA16AndA32PixelImage) {
    std::string bytes = test::readFile(test::shippedAppFolder() / "htmlcards" / "smile.ico");
    ASSERT_EQ(little(bytes, 0, 4), 0x10000u);  // reserved 0, type 1
    std::set<int> sizes;
    for (std::uint32_t i = 0; i < little(bytes, 4, 2); ++i) {
        int size = static_cast<unsigned char>(bytes.at(6 + 16 * i));
        std::uint32_t offset = little(bytes, 6 + 16 * i + 12, 4);
        sizes.insert(size);
        EXPECT_EQ(little(bytes, offset + 4, 4), static_cast<std::uint32_t>(size));
        EXPECT_EQ(little(bytes, offset + 14, 2), 32u);
        int opaque = 0;
        for (int pixel = 0; pixel < size * size; ++pixel) {
            opaque += static_cast<unsigned char>(bytes.at(offset + 43 + 4 * pixel)) == 255;
        }
        EXPECT_GT(opaque, size * size / 4) << size;
        EXPECT_EQ(bytes.at(offset + 43), 0) << size << ": a transparent corner";
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 32}));
}

}  // namespace
}  // namespace zelidor
