#include "engine/fetch/exclusive_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

namespace zelidor {

namespace {

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }

  private:
    int fd_;
};

// A staged file: an open descriptor plus, for a named one, the name to remove afterwards.
class Stage {
  public:
    Stage(int fd, std::string visibleName) : fd_(fd), visibleName_(std::move(visibleName)) {}
    ~Stage() {
        if (!visibleName_.empty()) {
            ::unlink(visibleName_.c_str());
        }
    }
    Stage(const Stage&) = delete;
    Stage& operator=(const Stage&) = delete;

    int fd() const { return fd_.get(); }
    bool valid() const { return fd_.valid(); }
    // The path that linkat() can link from, with the flags it needs for it.
    std::string linkSource() const {
        return visibleName_.empty() ? "/proc/self/fd/" + std::to_string(fd_.get()) : visibleName_;
    }
    int linkFlags() const { return visibleName_.empty() ? AT_SYMLINK_FOLLOW : 0; }

  private:
    FileDescriptor fd_;
    std::string visibleName_;
};

bool unnamedFilesUnsupported(int error) {
    // Old kernels answer EISDIR, file systems without support EOPNOTSUPP.
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

std::unique_ptr<Stage> stageNamed(const std::filesystem::path& folder) {
    std::string pattern = (folder / ".staging-XXXXXX").string();
    int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    auto stage = std::make_unique<Stage>(fd, pattern);
    if (::fchmod(fd, 0644) != 0) {
        return nullptr;
    }
    return stage;
}

std::unique_ptr<Stage> stage(int folderFd, const std::filesystem::path& folder,
                             StagingFile staging) {
    if (staging == StagingFile::Unnamed) {
        int fd = ::openat(folderFd, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0644);
        if (fd >= 0) {
            return std::make_unique<Stage>(fd, std::string());
        }
        if (!unnamedFilesUnsupported(errno)) {
            return nullptr;
        }
    }
    return stageNamed(folder);
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    // Not flushed to the disk before it gets its name. The name is linked only to a complete
    // file, and the kernel holds every byte written, so no crash of the program can show a
    // partial file. Only a power cut or a system crash before the kernel writes the file out
    // (within about half a minute) could leave the name on an empty file. The only files written
    // here are covers: decoration that the next download of the day files again, named by a
    // database that itself keeps its last transactions only as far as synchronous=NORMAL does.
    // An fsync per cover cost 0.7 to 2 ms of disk round trip on the download's path, a tenth of
    // the run's time beyond the network's.
    return true;
}

}  // namespace

std::optional<unsigned> writeExclusiveFile(const std::filesystem::path& folder,
                                           std::string_view bytes,
                                           const std::function<std::string(unsigned)>& nameFor,
                                           unsigned maxAttempts, StagingFile staging) {
    FileDescriptor folderFd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folderFd.valid()) {
        return std::nullopt;
    }
    std::unique_ptr<Stage> staged = stage(folderFd.get(), folder, staging);
    if (!staged || !writeAll(staged->fd(), bytes)) {
        return std::nullopt;
    }
    const std::string source = staged->linkSource();
    for (unsigned attempt = 0; attempt < maxAttempts; ++attempt) {
        std::string name = nameFor(attempt);
        if (::linkat(AT_FDCWD, source.c_str(), folderFd.get(), name.c_str(), staged->linkFlags()) ==
            0) {
            return attempt;
        }
        if (errno != EEXIST) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

}  // namespace zelidor
