// Whether a downloaded poster is a picture at all, before it is shown and filed.
#pragma once

#include <filesystem>

namespace zelidor {

// True when the file starts like a picture the program can decode (JPEG, PNG, GIF, BMP ...)
// and says it has a size. Only the header is read; filing the cover decodes it fully.
bool looksLikePicture(const std::filesystem::path& file);

}  // namespace zelidor
