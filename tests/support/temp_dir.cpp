#include "support/temp_dir.h"

#include <unistd.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace zelidor::test {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zelidor-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    // Tests may have made parts read-only to inject faults; make them writable to clean up.
    for (auto it = std::filesystem::recursive_directory_iterator(path_, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
    }
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

void TempDir::makeAppFolders() const {
    for (const char* folder : {"TV", "database", "htmlcards", "covers", "TempDir", "help"}) {
        std::filesystem::create_directories(path_ / folder);
    }
}

void becomeUnprivileged() {
    if (::geteuid() == 0) {
        constexpr uid_t kNobody = 65534;
        if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) {
            throw std::runtime_error("cannot switch to an unprivileged user");
        }
    }
}

void shareWithOthers(const std::filesystem::path& folder) {
    using std::filesystem::perms;
    std::filesystem::permissions(folder, perms::all, std::filesystem::perm_options::add);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        std::filesystem::permissions(entry.path(), perms::all, std::filesystem::perm_options::add);
    }
}

void writeFile(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

std::string readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + file.string());
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace zelidor::test
