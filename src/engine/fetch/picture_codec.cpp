#include "engine/fetch/picture_codec.h"

#include <stb_image.h>
#include <stb_image_write.h>

#include <memory>
#include <vector>

namespace zelidor {

namespace {

constexpr int kJpegQuality = 90;

// The decoder also reads TGA, PSD, HDR, PIC and PNM, whose loose headers let an error page or a
// stray text pass for a picture; only the four poster formats are let through.
bool hasPosterSignature(std::string_view bytes) {
    constexpr std::string_view kJpeg("\xFF\xD8\xFF", 3);
    constexpr std::string_view kPng("\x89PNG\r\n\x1A\n", 8);
    return bytes.starts_with(kJpeg) || bytes.starts_with(kPng) || bytes.starts_with("GIF87a") ||
           bytes.starts_with("GIF89a") || bytes.starts_with("BM");
}

struct StbFree {
    void operator()(unsigned char* pixels) const { stbi_image_free(pixels); }
};

struct Rgb {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels;
};

// Four channels in, three out: each pixel is laid over a white background by its alpha.
std::vector<unsigned char> overWhite(const unsigned char* rgba, std::size_t pixelCount) {
    std::vector<unsigned char> rgb(pixelCount * 3);
    for (std::size_t i = 0; i < pixelCount; ++i) {
        unsigned alpha = rgba[i * 4 + 3];
        for (std::size_t c = 0; c < 3; ++c) {
            unsigned value = (rgba[i * 4 + c] * alpha + 255u * (255u - alpha) + 127u) / 255u;
            rgb[i * 3 + c] = static_cast<unsigned char>(value);
        }
    }
    return rgb;
}

std::optional<Rgb> decode(std::string_view bytes, const PictureLimits& limits) {
    if (bytes.size() > limits.maxFileBytes || !hasPosterSignature(bytes)) {
        return std::nullopt;
    }
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const int length = static_cast<int>(bytes.size());
    int width = 0;
    int height = 0;
    int channels = 0;
    // The header alone says how large the picture claims to be; refuse before allocating.
    if (stbi_info_from_memory(data, length, &width, &height, &channels) == 0 || width <= 0 ||
        height <= 0 || width > limits.maxSide || height > limits.maxSide ||
        static_cast<long long>(width) * height > limits.maxPixels) {
        return std::nullopt;
    }
    std::unique_ptr<unsigned char, StbFree> rgba(
        stbi_load_from_memory(data, length, &width, &height, &channels, 4));
    if (!rgba) {
        return std::nullopt;
    }
    auto pixelCount = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    return Rgb{width, height, overWhite(rgba.get(), pixelCount)};
}

void appendToString(void* context, void* data, int size) {
    static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                               static_cast<std::size_t>(size));
}

}  // namespace

std::optional<std::string> reencodeAsJpeg(std::string_view pictureBytes,
                                          const PictureLimits& limits) {
    std::optional<Rgb> picture = decode(pictureBytes, limits);
    if (!picture) {
        return std::nullopt;
    }
    std::string jpeg;
    if (stbi_write_jpg_to_func(appendToString, &jpeg, picture->width, picture->height, 3,
                               picture->pixels.data(), kJpegQuality) == 0 ||
        jpeg.empty()) {
        return std::nullopt;
    }
    return jpeg;
}

}  // namespace zelidor
