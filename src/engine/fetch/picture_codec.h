// Turning a downloaded poster into the bytes of a JPEG cover.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zelidor {

// What a poster may be before it is refused: a larger picture is far more likely a
// decompression bomb or a mistaken download than a programme's poster.
struct PictureLimits {
    int maxSide = 8000;
    long long maxPixels = 50'000'000;
    std::size_t maxFileBytes = 32u << 20;
};

// Decodes a JPEG, PNG, GIF (first frame) or BMP picture and encodes it as a JPEG; transparent
// parts are laid over white. Anything else, a damaged picture or one past the limits gives no
// value.
std::optional<std::string> reencodeAsJpeg(std::string_view pictureBytes,
                                          const PictureLimits& limits = {});

}  // namespace zelidor
