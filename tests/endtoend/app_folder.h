// A temporary application folder holding the shipped channel files, as the catalogue reads them.
#pragma once

#include <filesystem>

#include "support/temp_dir.h"

namespace zelidor::test {

struct AppFolder : TempDir {
    AppFolder() {
        makeAppFolders();
        std::filesystem::copy(std::filesystem::path(ZELIDOR_SOURCE_DIR) / "data/app/TV",
                              *this / "TV", std::filesystem::copy_options::recursive);
    }
};

}  // namespace zelidor::test
