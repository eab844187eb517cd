// A fresh folder per test, removed afterwards; optionally laid out as an application folder.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zelidor::test {

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

    // Creates the folders the program expects beside it (TV, database, htmlcards, covers,
    // TempDir, help) so the folder can serve as an application folder.
    void makeAppFolders() const;

  private:
    std::filesystem::path path_;
};

// For fault tests that need file permissions to bite: when running as root, switches this
// process to the unprivileged user "nobody" (use it inside a death test, which runs in a child
// process). The folder must be made accessible to others first (see shareWithOthers()).
void becomeUnprivileged();
void shareWithOthers(const std::filesystem::path& folder);

void writeFile(const std::filesystem::path& file, std::string_view bytes);
std::string readFile(const std::filesystem::path& file);

}  // namespace zelidor::test
