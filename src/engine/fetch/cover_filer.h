// Filing a downloaded poster as the programme's cover picture under covers/.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zelidor {

// channel + "_" + code with every ' blank / ( ) : < > * ? replaced by "_".
std::string coverBaseName(std::string_view channelName, std::string_view code);

// Decodes the downloaded picture and writes it as a JPEG file to coversDir/<base>.jpg, or to
// <base>_N.jpg with the smallest free N when that name is taken. Returns the file name actually
// written (no folder). A download that is not a picture, or a cover that cannot be written,
// files nothing and gives no value.
std::optional<std::string> fileCover(const std::filesystem::path& picture,
                                     const std::filesystem::path& coversDir,
                                     std::string_view channelName, std::string_view code);

}  // namespace zelidor
