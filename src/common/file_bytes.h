#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace zelidor {

// The bytes of a file as they are on disk; nothing when it cannot be opened or read to the end.
std::optional<std::string> readFileBytes(const std::filesystem::path& file);

}  // namespace zelidor
