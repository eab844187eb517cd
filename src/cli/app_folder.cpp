#include "cli/app_folder.h"

#include <stdexcept>

namespace zelidor::cli {

std::filesystem::path executableFolder() {
    std::error_code error;
    auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::current_path() : self.parent_path();
}

std::filesystem::path resolveAppFolder(const std::string& given) {
    std::filesystem::path folder =
        given.empty() ? executableFolder() : std::filesystem::path(given);
    if (!std::filesystem::is_directory(folder)) {
        throw std::runtime_error("application folder " + folder.string() + " does not exist");
    }
    return std::filesystem::absolute(folder).lexically_normal();
}

}  // namespace zelidor::cli
