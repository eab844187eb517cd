// Where the checks of the shipped files look: the source copy and the laid-out copy.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zelidor::test {

inline std::filesystem::path shippedAppFolder() {
    return std::filesystem::path(ZELIDOR_SOURCE_DIR) / "data" / "app";
}

inline std::filesystem::path laidOutAppFolder() {
    return std::filesystem::path(ZELIDOR_APP_DIR);
}

// True when the bytes hold a UTF-8 encoded character beyond ASCII: a file saved by an editor
// as UTF-8 instead of Latin-1.
inline bool holdsUtf8Sequence(std::string_view bytes) {
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
        auto lead = static_cast<unsigned char>(bytes[i]);
        auto next = static_cast<unsigned char>(bytes[i + 1]);
        if (lead >= 0xC2 && lead <= 0xF4 && (next & 0xC0) == 0x80) {
            return true;
        }
    }
    return false;
}

}  // namespace zelidor::test
