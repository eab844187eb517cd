#include "samplesite/poster_pictures.h"

#include <stb_image_write.h>

#include <array>
#include <cstdint>
#include <stdexcept>

#include "samplesite/sample_listing.h"

namespace zelidor::samplesite {

namespace {

struct Colour {
    int r, g, b;
};

struct PosterStyle {
    Colour from;
    Colour to;
    int stripeEvery;  // 0 for a plain gradient
    bool vertical;
};

constexpr std::array<PosterStyle, kSamplePictureCount> kStyles = {{
    {{20, 40, 120}, {200, 220, 255}, 0, false},
    {{120, 20, 20}, {255, 200, 80}, 14, true},
    {{10, 90, 40}, {180, 240, 160}, 0, true},
    {{60, 60, 60}, {240, 240, 240}, 10, false},
    {{90, 20, 110}, {250, 170, 210}, 20, true},
    {{0, 100, 110}, {250, 240, 120}, 7, false},
}};

constexpr int kChannels = 3;
constexpr int kJpegQuality = 85;

std::uint8_t blend(int from, int to, int step, int steps) {
    return static_cast<std::uint8_t>(from + (to - from) * step / steps);
}

std::vector<std::uint8_t> drawPixels(const PosterStyle& style) {
    std::vector<std::uint8_t> pixels(kPosterWidth * kPosterHeight * kChannels);
    for (int y = 0; y < kPosterHeight; ++y) {
        for (int x = 0; x < kPosterWidth; ++x) {
            int along = style.vertical ? y : x;
            int steps = style.vertical ? kPosterHeight : kPosterWidth;
            bool dark = style.stripeEvery > 0 && ((style.vertical ? x : y) / style.stripeEvery) % 2;
            int shade = dark ? steps / 3 : 0;
            std::size_t at = static_cast<std::size_t>((y * kPosterWidth + x) * kChannels);
            pixels[at] = blend(style.from.r, style.to.r, along + shade, steps + steps / 3);
            pixels[at + 1] = blend(style.from.g, style.to.g, along + shade, steps + steps / 3);
            pixels[at + 2] = blend(style.from.b, style.to.b, along + shade, steps + steps / 3);
        }
    }
    return pixels;
}

void appendBytes(void* context, void* data, int size) {
    static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                               static_cast<std::size_t>(size));
}

}  // namespace

std::vector<std::string> drawPosterPictures() {
    std::vector<std::string> pictures;
    for (const PosterStyle& style : kStyles) {
        std::vector<std::uint8_t> pixels = drawPixels(style);
        std::string jpeg;
        if (stbi_write_jpg_to_func(appendBytes, &jpeg, kPosterWidth, kPosterHeight, kChannels,
                                   pixels.data(), kJpegQuality) == 0) {
            throw std::runtime_error("cannot encode the sample posters");
        }
        pictures.push_back(std::move(jpeg));
    }
    return pictures;
}

}  // namespace zelidor::samplesite
