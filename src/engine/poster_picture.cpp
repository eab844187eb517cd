#include "engine/poster_picture.h"

#include <stb_image.h>

namespace zelidor {

std::uint64_t decodedPictureBytes(const std::filesystem::path& file) {
    int width = 0;
    int height = 0;
    int components = 0;
    if (stbi_info(file.c_str(), &width, &height, &components) != 1 || width <= 0 || height <= 0 ||
        components <= 0) {
        return 0;
    }
    return static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) *
           static_cast<std::uint64_t>(components);
}

}  // namespace zelidor
