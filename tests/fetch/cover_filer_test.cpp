#include "engine/fetch/cover_filer.h"

#include <gtest/gtest.h>
#include <stb_image.h>
#include <stb_image_write.h>
#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <vector>

#include "engine/fetch/exclusive_file.h"
#include "engine/fetch/picture_codec.h"
#include "support/temp_dir.h"

namespace zelidor {
namespace {

namespace fs = std::filesystem;

void appendBytes(void* context, void* data, int size) {
    static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                               static_cast<std::size_t>(size));
}

// A picture of one colour (RGBA) in the given format: 'p'ng, 'j'peg, 'b'mp or 't'ga.
std::string pictureOf(char format, int width, int height, std::vector<unsigned char> rgba) {
    std::vector<unsigned char> pixels;
    for (int i = 0; i < width * height; ++i) {
        pixels.insert(pixels.end(), rgba.begin(), rgba.end());
    }
    std::string out;
    const unsigned char* p = pixels.data();
    switch (format) {
        case 'p':
            stbi_write_png_to_func(appendBytes, &out, width, height, 4, p, width * 4);
            break;
        case 'j':
            stbi_write_jpg_to_func(appendBytes, &out, width, height, 4, p, 90);
            break;
        case 'b':
            stbi_write_bmp_to_func(appendBytes, &out, width, height, 4, p);
            break;
        default:
            stbi_write_tga_to_func(appendBytes, &out, width, height, 4, p);
            break;
    }
    return out;
}

std::string pngOf(int width, int height) {
    return pictureOf('p', width, height, {9, 9, 9, 255});
}

// A 1x1 GIF89a of one white pixel.
const std::string kGif(
    "GIF89a\x01\x00\x01\x00\x80\x00\x00\xFF\xFF\xFF\x00\x00\x00!\xF9\x04\x01\x00\x00\x00\x00,"
    "\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;",
    43);

// Width, height and the first pixel of a JPEG file, or zeros when it is none.
struct Look {
    int width = 0, height = 0;
    int r = -1, g = -1, b = -1;
};
Look lookAt(const fs::path& file) {
    std::string bytes = test::readFile(file);
    Look look;
    int channels = 0;
    unsigned char* px =
        bytes.starts_with("\xFF\xD8\xFF")
            ? stbi_load_from_memory(reinterpret_cast<const unsigned char*>(bytes.data()),
                                    static_cast<int>(bytes.size()), &look.width, &look.height,
                                    &channels, 3)
            : nullptr;
    if (px) {
        look.r = px[0], look.g = px[1], look.b = px[2];
        stbi_image_free(px);
    }
    return look;
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
    EXPECT_EQ(coverBaseName("Rete 4", "a'b:c<d>e*f?g-1.x\xE8"), "Rete_4_a_b_c_d_e_f_g-1.x\xE8");
    EXPECT_EQ(coverBaseName("Rai 1", std::string_view("1\0002", 3)), "Rai_1_1_2");
}

TEST_F(CoverFiling, PostersOfEachFormatAreFiledAsJpegsOfTheSamePicture) {
    const std::vector<unsigned char> red{200, 30, 40, 255};
    struct Case {
        std::string bytes, code;
        int width, height, r, g, b;
    };
    for (const Case& c : {Case{pictureOf('p', 140, 105, red), "12/3 (b)", 140, 105, 200, 30, 40},
                          Case{pictureOf('j', 16, 8, red), "j", 16, 8, 200, 30, 40},
                          Case{pictureOf('b', 16, 8, red), "b", 16, 8, 200, 30, 40},
                          Case{kGif, "g", 1, 1, 255, 255, 255},
                          // transparency is laid over white
                          Case{pictureOf('p', 8, 8, {0, 0, 0, 0}), "t", 8, 8, 255, 255, 255}}) {
        auto name = file(c.bytes, c.code);
        ASSERT_EQ(name, coverBaseName("Canale 5", c.code) + ".jpg");
        Look look = lookAt(covers() / *name);
        EXPECT_EQ(look.width, c.width) << c.code;
        EXPECT_EQ(look.height, c.height) << c.code;
        EXPECT_NEAR(look.r, c.r, 8) << c.code;
        EXPECT_NEAR(look.g, c.g, 8) << c.code;
        EXPECT_NEAR(look.b, c.b, 8) << c.code;
    }
    EXPECT_EQ(filesIn(covers()).size(), 5u);  // and nothing else, no staging file
}

TEST_F(CoverFiling, ATakenNameGetsTheSmallestFreeNumberAndNoCoverIsReplaced) {
    EXPECT_EQ(file(pngOf(4, 4)), "Canale_5_100.jpg");
    EXPECT_EQ(file(pngOf(4, 4)), "Canale_5_100_1.jpg");
    test::writeFile(covers() / "Canale_5_100_2.jpg", "someone else's cover");
    EXPECT_EQ(file(pngOf(4, 4)), "Canale_5_100_3.jpg");
    fs::remove(covers() / "Canale_5_100_1.jpg");
    EXPECT_EQ(file(pngOf(4, 4)), "Canale_5_100_1.jpg");
    EXPECT_EQ(test::readFile(covers() / "Canale_5_100_2.jpg"), "someone else's cover");
    // The name comes back in Latin-1 as the program uses it; on disk it is spelled in UTF-8.
    EXPECT_EQ(file(pngOf(4, 4), "caff\xE8"), "Canale_5_caff\xE8.jpg");
    EXPECT_TRUE(fs::exists(covers() / "Canale_5_caff\xC3\xA8.jpg"));
    EXPECT_EQ(filesIn(covers()).size(), 5u);
}

TEST_F(CoverFiling, WhatIsNotAPosterFilesNothing) {
    const std::string png = pngOf(32, 32);
    for (const std::string& bytes :
         {std::string("<html><body>404 Not Found</body></html>"), std::string(),
          png.substr(0, png.size() / 2), std::string("BMnot really a bitmap"),
          // the decoder reads TGA, whose loose header lets stray bytes pass for a picture
          pictureOf('t', 4, 4, {1, 2, 3, 255}),
          // a decompression bomb in miniature: refused by its header, before decoding
          pngOf(8001, 1)}) {
        EXPECT_EQ(file(bytes), std::nullopt) << bytes.substr(0, 20);
    }
    test::writeFile(poster(), pngOf(4, 4));
    fs::resize_file(poster(), 64u << 20);  // far beyond any poster (sparse: no disk is used)
    EXPECT_EQ(fileCover(poster(), covers(), "Canale 5", "1"), std::nullopt);
    EXPECT_EQ(fileCover(dir / "missing.jpg", covers(), "Canale 5", "1"), std::nullopt);
    EXPECT_TRUE(filesIn(covers()).empty());

    PictureLimits small;
    small.maxPixels = 99;
    EXPECT_EQ(reencodeAsJpeg(pngOf(10, 10), small), std::nullopt);
    EXPECT_TRUE(reencodeAsJpeg(pngOf(9, 11), small));
}

TEST_F(CoverFiling, AMissingOrUnwritableCoversFolderFilesNothing) {
    test::writeFile(poster(), pngOf(4, 4));
    EXPECT_EQ(fileCover(poster(), dir / "missing", "Canale 5", "1"), std::nullopt);
    EXPECT_FALSE(fs::exists(dir / "missing"));

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

// In a child process: a disk with room for 1000 bytes, so writing the cover fails part way.
void fileOnAFullDisk(const fs::path& poster, const fs::path& covers, StagingFile staging) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{1000, 1000};
    std::optional<std::string> jpeg = reencodeAsJpeg(test::readFile(poster));
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0 || !jpeg || jpeg->size() <= 1000) {
        std::exit(3);
    }
    auto name = [](unsigned n) { return "c" + std::to_string(n) + ".jpg"; };
    std::exit(writeExclusiveFile(covers, *jpeg, name, 10, staging) ? 1 : 0);
}

TEST_F(CoverFiling, AFullDiskLeavesNeitherAPartialCoverNorAStagingFile) {
    std::vector<unsigned char> noise(64 * 64 * 3);  // noise: a JPEG well above 1000 bytes
    for (std::size_t i = 0; i < noise.size(); ++i) {
        noise[i] = static_cast<unsigned char>((i * 7919) % 251);
    }
    std::string bmp;
    stbi_write_bmp_to_func(appendBytes, &bmp, 64, 64, 3, noise.data());
    test::writeFile(poster(), bmp);
    for (StagingFile staging : {StagingFile::Unnamed, StagingFile::Named}) {
        EXPECT_EXIT(fileOnAFullDisk(poster(), covers(), staging), testing::ExitedWithCode(0), "");
        EXPECT_TRUE(filesIn(covers()).empty());
    }
}

TEST_F(CoverFiling, NamedStagingForFileSystemsWithoutUnnamedFilesNumbersAlike) {
    auto name = [](unsigned n) { return "c" + std::to_string(n) + ".jpg"; };
    EXPECT_EQ(writeExclusiveFile(covers(), "first", name, 2, StagingFile::Named), 0u);
    EXPECT_EQ(writeExclusiveFile(covers(), "second", name, 2, StagingFile::Named), 1u);
    EXPECT_EQ(writeExclusiveFile(covers(), "third", name, 2, StagingFile::Named), std::nullopt);
    EXPECT_EQ(filesIn(covers()), (std::vector<std::string>{"c0.jpg", "c1.jpg"}));
    EXPECT_EQ(test::readFile(covers() / "c1.jpg"), "second");
    EXPECT_EQ(fs::status(covers() / "c1.jpg").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                  fs::perms::others_read);
}

}  // namespace
}  // namespace zelidor
