#include "engine/poster_picture.h"

#include <stb_image.h>

namespace zelidor {

bool looksLikePicture(const std::filesystem::path& file) {
    int width = 0;
    int height = 0;
    int components = 0;
    return stbi_info(file.c_str(), &width, &height, &components) == 1 && width > 0 && height > 0;
}

}  // namespace zelidor
