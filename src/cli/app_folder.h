// Where the command line finds its application folder (TV/, database/, htmlcards/ ...).
#pragma once

#include <filesystem>
#include <string>

namespace zelidor::cli {

// The folder of the running executable.
std::filesystem::path executableFolder();

// The folder given with --app-folder, or the executable's folder. Throws std::runtime_error with
// a one-line reason when it does not exist.
std::filesystem::path resolveAppFolder(const std::string& given);

}  // namespace zelidor::cli
