#include "cli/app_folder.h"

#include "appfolder/app_folder.h"

namespace zelidor::cli {

std::filesystem::path executableFolder() {
    return zelidor::executableFolder();
}

std::filesystem::path resolveAppFolder(const std::string& given) {
    std::optional<std::filesystem::path> chosen;
    if (!given.empty()) {
        chosen = given;
    }
    return prepareAppFolder(executableFolder(), chosen).folder;
}

}  // namespace zelidor::cli
