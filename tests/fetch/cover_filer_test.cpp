#include "engine/fetch/cover_filer.h"

#include <gtest/gtest.h>
#include <stb_image.h>
#include <stb_image_write.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdlib>
#include <vector>

#include "engine/fetch/exclusive_file.h"
#include "engine/fetch/picture_codec.h"
#include "support/temp_dir.h"

namespace zelidor {
namespace {

namespace fs = std::filesystem;

struct Colour {
    unsigned char r, g, b, a;
};

void appendBytes(void* context, void* data, int size) {
    static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                               static_cast<std::size_t>(size));
}

std::string pngOf(int width, int height, Colour colour) {
    std::vector<unsigned char> pixels;
    for (int i = 0; i < width * height; ++i) {
        pixels.insert(pixels.end(), {colour.r, colour.g, colour.b, colour.a});
    }
    std::string png;
    stbi_write_png_to_func(appendBytes, &png, width, height, 4, pixels.data(), width * 4);
    return png;
}

struct Decoded {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

Decoded decodeRgb(const std::string& bytes) {
    Decoded d;
    int channels = 0;
    unsigned char* pixels =
        stbi_load_from_memory(reinterpret_cast<const unsigned char*>(bytes.data()),
                              static_cast<int>(bytes.size()), &d.width, &d.height, &channels, 3);
    if (pixels) {
        d.rgb.assign(pixels, pixels + d.width * d.height * 3);
        stbi_image_free(pixels);
    }
    return d;
}

std::vector<std::string> filesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class CoverFiling : public testing::Test {
  protected:
    CoverFiling() { fs::create_directory(covers()); }

    fs::path covers() const { return dir / "covers"; }
    fs::path poster() const { return dir / "buffercover.jpg"; }

    std::optional<std::string> file(const std::string& bytes, std::string_view code = "100") {
        test::writeFile(poster(), bytes);
        return fileCover(poster(), covers(), "Canale 5", code);
    }

    test::TempDir dir;
};

TEST(CoverBaseName, EveryUnsafeCharacterBecomesAnUnderscore) {
    EXPECT_EQ(coverBaseName("Canale 5", "12/3 (b)"), "Canale_5_12_3__b_");
    EXPECT_EQ(coverBaseName("Rete 4", "a'b:c<d>e*f?g"), "Rete_4_a_b_c_d_e_f_g");
    EXPECT_EQ(coverBaseName("Italia 1", "100-2.x\xE8"), "Italia_1_100-2.x\xE8");
    EXPECT_EQ(coverBaseName("Rai 1", std::string_view("1\0002", 3)), "Rai_1_1_2");
}

TEST_F(CoverFiling, APngPosterIsFiledAsAJpegOfTheSamePicture) {
    auto name = file(pngOf(140, 105, {200, 30, 40, 255}), "12/3 (b)");
    ASSERT_EQ(name, "Canale_5_12_3__b_.jpg");
    std::string jpeg = test::readFile(covers() / *name);
    ASSERT_TRUE(jpeg.starts_with("\xFF\xD8\xFF"));
    Decoded cover = decodeRgb(jpeg);
    ASSERT_EQ(cover.width, 140);
    ASSERT_EQ(cover.height, 105);
    EXPECT_NEAR(cover.rgb[0], 200, 6);
    EXPECT_NEAR(cover.rgb[1], 30, 6);
    EXPECT_NEAR(cover.rgb[2], 40, 6);
    EXPECT_EQ(filesIn(covers()), std::vector<std::string>{"Canale_5_12_3__b_.jpg"});
}

TEST_F(CoverFiling, ALatin1NameIsReturnedAsItIsAndSpelledInUtf8OnDisk) {
    EXPECT_EQ(file(pngOf(4, 4, {0, 0, 0, 255}), "caff\xE8"), "Canale_5_caff\xE8.jpg");
    EXPECT_EQ(filesIn(covers()), std::vector<std::string>{"Canale_5_caff\xC3\xA8.jpg"});
}

TEST_F(CoverFiling, JpegGifAndBmpPostersAreFiledToo) {
    std::vector<unsigned char> grey(16 * 8 * 3, 128);
    std::string jpeg, bmp;
    stbi_write_jpg_to_func(appendBytes, &jpeg, 16, 8, 3, grey.data(), 90);
    stbi_write_bmp_to_func(appendBytes, &bmp, 16, 8, 3, grey.data());
    // A 1x1 GIF89a of one white pixel.
    const std::string gif(
        "GIF89a\x01\x00\x01\x00\x80\x00\x00\xFF\xFF\xFF\x00\x00\x00!\xF9\x04\x01\x00\x00\x00\x00,"
        "\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;",
        43);
    EXPECT_EQ(file(jpeg, "1"), "Canale_5_1.jpg");
    EXPECT_EQ(file(bmp, "2"), "Canale_5_2.jpg");
    EXPECT_EQ(file(gif, "3"), "Canale_5_3.jpg");
    EXPECT_EQ(decodeRgb(test::readFile(covers() / "Canale_5_3.jpg")).width, 1);
}

TEST_F(CoverFiling, TransparentPartsAreLaidOverWhite) {
    auto name = file(pngOf(8, 8, {0, 0, 0, 0}));
    ASSERT_TRUE(name);
    Decoded cover = decodeRgb(test::readFile(covers() / *name));
    ASSERT_FALSE(cover.rgb.empty());
    EXPECT_GT(cover.rgb[0], 245);
}

TEST_F(CoverFiling, ATakenNameGetsTheSmallestFreeNumberAndNoCoverIsReplaced) {
    const std::string png = pngOf(4, 4, {10, 200, 10, 255});
    EXPECT_EQ(file(png), "Canale_5_100.jpg");
    EXPECT_EQ(file(png), "Canale_5_100_1.jpg");
    test::writeFile(covers() / "Canale_5_100_2.jpg", "someone else's cover");
    EXPECT_EQ(file(png), "Canale_5_100_3.jpg");
    fs::remove(covers() / "Canale_5_100_1.jpg");
    EXPECT_EQ(file(png), "Canale_5_100_1.jpg");
    EXPECT_EQ(test::readFile(covers() / "Canale_5_100_2.jpg"), "someone else's cover");
    EXPECT_EQ(filesIn(covers()).size(), 4u);
}

TEST_F(CoverFiling, ADownloadThatIsNotAPictureFilesNothing) {
    const std::string png = pngOf(32, 32, {1, 2, 3, 255});
    for (const std::string& bytes :
         {std::string("<html><body>404 Not Found</body></html>"), std::string(),
          png.substr(0, png.size() / 2), std::string("BMnot really a bitmap")}) {
        EXPECT_EQ(file(bytes), std::nullopt) << bytes.substr(0, 20);
    }
    // The decoder would read this as a picture, but no poster comes as TGA.
    std::vector<unsigned char> grey(4 * 4 * 3, 128);
    std::string tga;
    stbi_write_tga_to_func(appendBytes, &tga, 4, 4, 3, grey.data());
    EXPECT_EQ(file(tga), std::nullopt);
    EXPECT_EQ(fileCover(dir / "missing.jpg", covers(), "Canale 5", "1"), std::nullopt);
    EXPECT_TRUE(filesIn(covers()).empty());
}

TEST_F(CoverFiling, OversizedPicturesAndFilesAreRefusedBeforeDecoding) {
    EXPECT_EQ(file(pngOf(8001, 1, {0, 0, 0, 255})), std::nullopt);
    // A poster-looking file far beyond any poster's size (sparse: no disk is used).
    test::writeFile(poster(), pngOf(4, 4, {0, 0, 0, 255}));
    fs::resize_file(poster(), 64u << 20);
    EXPECT_EQ(fileCover(poster(), covers(), "Canale 5", "1"), std::nullopt);
    EXPECT_TRUE(filesIn(covers()).empty());

    PictureLimits small;
    small.maxPixels = 99;
    EXPECT_EQ(reencodeAsJpeg(pngOf(10, 10, {0, 0, 0, 255}), small), std::nullopt);
    EXPECT_TRUE(reencodeAsJpeg(pngOf(9, 11, {0, 0, 0, 255}), small));
}

TEST_F(CoverFiling, AMissingCoversFolderFilesNothing) {
    fs::remove(covers());
    EXPECT_EQ(file(pngOf(4, 4, {0, 0, 0, 255})), std::nullopt);
    EXPECT_FALSE(fs::exists(covers()));
}

TEST_F(CoverFiling, AnUnwritableCoversFolderFilesNothing) {
    test::writeFile(poster(), pngOf(4, 4, {0, 0, 0, 255}));
    fs::create_directory(dir / "writable");
    test::shareWithOthers(dir.path());
    fs::permissions(covers(),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    EXPECT_EXIT(
        {
            test::becomeUnprivileged();
            bool filed = fileCover(poster(), covers(), "Canale 5", "1").has_value();
            // The same poster is filed where writing is allowed, so only the folder was at fault.
            bool control = fileCover(poster(), dir / "writable", "Canale 5", "1").has_value();
            std::exit(!filed && control ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
    EXPECT_TRUE(filesIn(covers()).empty());
}

// A disk that fills up while the cover is written: the write fails part way through.
void fileWithRoomFor(rlim_t bytes, const fs::path& poster, const fs::path& covers,
                     StagingFile staging) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{bytes, bytes};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
        std::exit(3);
    }
    std::optional<std::string> jpeg = reencodeAsJpeg(test::readFile(poster));
    if (!jpeg || jpeg->size() <= bytes) {
        std::exit(4);
    }
    auto written = writeExclusiveFile(
        covers, *jpeg, [](unsigned n) { return "c" + std::to_string(n) + ".jpg"; }, 10, staging);
    std::exit(written ? 1 : 0);
}

TEST_F(CoverFiling, AFullDiskLeavesNeitherAPartialCoverNorAStagingFile) {
    // A noisy picture, so that its JPEG is well above the room left.
    std::vector<unsigned char> noise(64 * 64 * 3);
    for (std::size_t i = 0; i < noise.size(); ++i) {
        noise[i] = static_cast<unsigned char>((i * 7919) % 251);
    }
    std::string bmp;
    stbi_write_bmp_to_func(appendBytes, &bmp, 64, 64, 3, noise.data());
    test::writeFile(poster(), bmp);
    for (StagingFile staging : {StagingFile::Unnamed, StagingFile::Named}) {
        EXPECT_EXIT(fileWithRoomFor(1000, poster(), covers(), staging), testing::ExitedWithCode(0),
                    "");
        EXPECT_TRUE(filesIn(covers()).empty());
    }
}

TEST_F(CoverFiling, BothStagingsNumberAlikeAndLeaveNothingBehind) {
    auto nameFor = [](unsigned n) { return "c" + std::to_string(n) + ".jpg"; };
    for (StagingFile staging : {StagingFile::Named, StagingFile::Unnamed}) {
        fs::path folder = dir / (staging == StagingFile::Named ? "named" : "unnamed");
        fs::create_directory(folder);
        EXPECT_EQ(writeExclusiveFile(folder, "first", nameFor, 3, staging), 0u);
        EXPECT_EQ(writeExclusiveFile(folder, "second", nameFor, 3, staging), 1u);
        EXPECT_EQ(filesIn(folder), (std::vector<std::string>{"c0.jpg", "c1.jpg"}));
        EXPECT_EQ(test::readFile(folder / "c0.jpg"), "first");
        EXPECT_EQ(test::readFile(folder / "c1.jpg"), "second");
    }
    // Every allowed name taken: nothing is written and nothing replaced.
    EXPECT_EQ(writeExclusiveFile(dir / "named", "third", nameFor, 2), std::nullopt);
    EXPECT_EQ(filesIn(dir / "named").size(), 2u);
    EXPECT_EQ(test::readFile(dir / "named" / "c1.jpg"), "second");
    struct stat info {};
    ASSERT_EQ(::stat((dir / "named" / "c1.jpg").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
}

}  // namespace
}  // namespace zelidor
