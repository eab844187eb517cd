#include "cli/scratch_folder.h"

#include <stdlib.h>

#include <stdexcept>
#include <string>

namespace zelidor::cli {

ScratchFolder::ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zelidor-run-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        throw std::runtime_error("cannot create a scratch folder in " +
                                 std::filesystem::temp_directory_path().string());
    }
    path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

}  // namespace zelidor::cli
