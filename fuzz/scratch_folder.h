// A folder of the fuzz target's own under the system's temporary folder, made at the first run
// and reused by every later run of the process (a run must leave it as it found it); removed
// when the process ends normally.
#pragma once

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace zelidor::fuzz {

inline const std::filesystem::path& scratchFolder() {
    // Never destroyed, so the removal at exit can still read it.
    static const auto* folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "zelidor-fuzz-XXXXXX");
        if (!mkdtemp(pattern.data())) {
            std::abort();
        }
        auto* made = new std::filesystem::path(pattern);
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(scratchFolder(), ignored);
        });
        return made;
    }();
    return *folder;
}

// Removes everything inside folder, keeping the folder itself.
inline void emptyFolder(const std::filesystem::path& folder) {
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ignored)) {
        std::filesystem::remove_all(entry.path(), ignored);
    }
}

}  // namespace zelidor::fuzz
