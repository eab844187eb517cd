// A channel script written by a script author, read from its file so that it can be run
// instead of the built-in script of its channel.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelidor {

// Splits Latin-1 script text into lines at LF, CR LF or a lone CR, keeping at most the first
// 5000 lines (the engine has no others).
std::vector<std::string> splitScriptText(std::string_view text);

// The same for a file; no value when the file cannot be read.
std::optional<std::vector<std::string>> loadScriptFile(const std::filesystem::path& file);

}  // namespace zelidor
