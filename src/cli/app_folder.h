// Where the command line finds its application folder (TV/, database/, htmlcards/ ...).
#pragma once

#include <filesystem>
#include <string>

namespace zelidor::cli {

// The folder of the running executable.
std::filesystem::path executableFolder();

// The folder given with --app-folder, or else the executable's folder or the user's data folder,
// as prepareAppFolder() in appfolder/app_folder.h decides (and prepares). Throws
// std::runtime_error with a one-line reason when a given folder does not exist or the user's
// folder cannot be made.
std::filesystem::path resolveAppFolder(const std::string& given);

}  // namespace zelidor::cli
