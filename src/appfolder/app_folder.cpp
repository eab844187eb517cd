#include "appfolder/app_folder.h"

#include <cstdlib>
#include <fstream>
#include <set>
#include <system_error>

#ifndef ZELIDOR_DATA_FROM_BIN
#define ZELIDOR_DATA_FROM_BIN "../share/zelidor"
#endif

namespace zelidor {

namespace fs = std::filesystem;

namespace {

// The shipped files already offered to this folder, one relative path a line. A file listed
// here is never copied again, so one the user deleted stays deleted.
constexpr const char* kManifest = ".shipped";

// Folders the program writes into, which the installed data does not carry.
constexpr const char* kWorkFolders[] = {"database", "TempDir", "covers"};

bool holdsData(const fs::path& folder) {
    std::error_code error;
    return fs::is_directory(folder / "TV", error) && fs::is_directory(folder / "htmlcards", error);
}

std::set<std::string> readManifest(const fs::path& file) {
    std::set<std::string> names;
    std::ifstream in(file, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty()) {
            names.insert(line);
        }
    }
    return names;
}

// Writes beside the target and renames, so an interrupted start never leaves half a file
// under a name the program reads.
void writeAtomically(const fs::path& target, const std::string& bytes) {
    fs::path part = target;
    part += ".part";
    {
        std::ofstream out(part, std::ios::binary | std::ios::trunc);
        out << bytes;
        if (!out.flush()) {
            throw AppFolderError("cannot write " + part.string());
        }
    }
    fs::rename(part, target);
}

void copyAtomically(const fs::path& from, const fs::path& to) {
    fs::path part = to;
    part += ".part";
    fs::copy_file(from, part, fs::copy_options::overwrite_existing);
    fs::rename(part, to);
}

fs::path userFolder(const UserDirectories& user) {
    if (!user.xdgDataHome.empty() && fs::path(user.xdgDataHome).is_absolute()) {
        return fs::path(user.xdgDataHome) / "zelidor";
    }
    if (user.home.empty()) {
        throw AppFolderError("neither XDG_DATA_HOME nor HOME is set: no folder for the data");
    }
    return fs::path(user.home) / ".local/share/zelidor";
}

// Makes the user's folder and adds every shipped file it has never been offered; returns the
// files added.
std::vector<fs::path> topUp(const fs::path& shipped, const fs::path& folder) {
    fs::create_directories(folder);
    for (const char* name : kWorkFolders) {
        fs::create_directories(folder / name);
    }
    const fs::path manifestFile = folder / kManifest;
    std::set<std::string> offered = readManifest(manifestFile);
    const std::size_t offeredBefore = offered.size();
    std::vector<fs::path> added;
    for (const auto& entry : fs::recursive_directory_iterator(shipped)) {
        const fs::path relative = entry.path().lexically_relative(shipped);
        const fs::path target = folder / relative;
        if (entry.is_directory()) {
            fs::create_directories(target);
            continue;
        }
        const std::string key = relative.generic_string();
        if (!entry.is_regular_file() || key.find('\n') != std::string::npos ||
            !offered.insert(key).second) {
            continue;
        }
        if (!fs::exists(fs::symlink_status(target))) {
            copyAtomically(entry.path(), target);
            added.push_back(relative);
        }
    }
    if (offered.size() != offeredBefore) {
        std::string text;
        for (const auto& name : offered) {
            text += name + "\n";
        }
        writeAtomically(manifestFile, text);
    }
    return added;
}

}  // namespace

UserDirectories UserDirectories::fromProcess() {
    const char* data = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    return {data ? data : "", home ? home : ""};
}

fs::path executableFolder() {
    std::error_code error;
    auto self = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::current_path() : self.parent_path();
}

fs::path installedDataFolder(const fs::path& executableFolder) {
    return (executableFolder / ZELIDOR_DATA_FROM_BIN).lexically_normal();
}

AppFolder prepareAppFolder(const fs::path& executableFolder, const std::optional<fs::path>& given,
                           const UserDirectories& user) {
    if (given) {
        std::error_code error;
        if (!fs::is_directory(*given, error)) {
            throw AppFolderError("application folder " + given->string() + " does not exist");
        }
        return {fs::absolute(*given).lexically_normal(), AppFolderKind::Given, {}};
    }
    const fs::path self = fs::absolute(executableFolder).lexically_normal();
    const fs::path shipped = installedDataFolder(self);
    std::error_code error;
    // Without installed data beside it the executable's folder is all there is: the commands
    // then say what is missing in it.
    if (holdsData(self) || !fs::is_directory(shipped, error)) {
        return {self, AppFolderKind::Portable, {}};
    }
    const fs::path folder = userFolder(user);
    try {
        auto added = topUp(shipped, folder);
        return {folder, AppFolderKind::User, std::move(added)};
    } catch (const fs::filesystem_error& e) {
        throw AppFolderError("cannot prepare the data folder " + folder.string() + ": " +
                             e.code().message() + " (" + e.path1().string() + ")");
    }
}

}  // namespace zelidor
