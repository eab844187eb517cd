// Whether a downloaded poster is a picture at all, before it is shown and filed.
#pragma once

#include <cstdint>
#include <filesystem>

namespace zelidor {

// The bytes the picture takes once decoded (width x height x components) when the file starts
// like a picture the program can decode (JPEG, PNG, GIF, BMP ...) and says it has a size;
// otherwise 0. Only the header is read; filing the cover decodes it fully, at a cost in
// proportion to this.
std::uint64_t decodedPictureBytes(const std::filesystem::path& file);

}  // namespace zelidor
