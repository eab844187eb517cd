// Where the program keeps its data (TV/, database/, htmlcards/, covers/ ...): the one decision
// that the command line and the desktop program share.
//
//   1. A folder given by the user (--app-folder) is used as it stands.
//   2. The executable's folder, when it holds the program's data (TV/ and htmlcards/ beside the
//      executable: the build folder, a portable copy).
//   3. Otherwise, for an installed program (share/zelidor/ beside bin/), the user's folder
//      $XDG_DATA_HOME/zelidor (~/.local/share/zelidor): made from share/zelidor/ on the first
//      start and topped up on later starts with the files an upgrade ships anew. A file already
//      there is never replaced, and a shipped file the user removed is not brought back.
#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace zelidor {

class AppFolderError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

enum class AppFolderKind { Given, Portable, User };

struct AppFolder {
    std::filesystem::path folder;  // absolute
    AppFolderKind kind = AppFolderKind::Portable;
    // Files copied from the installed data by this call, relative to the folder.
    std::vector<std::filesystem::path> added;
};

// The environment values the decision reads; fromProcess() takes them from the environment.
struct UserDirectories {
    std::string xdgDataHome;  // $XDG_DATA_HOME (ignored unless absolute)
    std::string home;         // $HOME
    static UserDirectories fromProcess();
};

// The folder of the running executable (/proc/self/exe), or the current folder when that cannot
// be read.
std::filesystem::path executableFolder();

// The installed data beside an executable in PREFIX/bin: PREFIX/share/zelidor.
std::filesystem::path installedDataFolder(const std::filesystem::path& executableFolder);

// The application folder, prepared for use. Throws AppFolderError with a one-line reason when a
// given folder does not exist or the user's folder cannot be made.
AppFolder prepareAppFolder(const std::filesystem::path& executableFolder,
                           const std::optional<std::filesystem::path>& given,
                           const UserDirectories& user = UserDirectories::fromProcess());

}  // namespace zelidor
