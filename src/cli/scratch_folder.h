// A temporary application folder for runs that must not touch the user's own (run-script).
#pragma once

#include <filesystem>

namespace zelidor::cli {

class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

}  // namespace zelidor::cli
