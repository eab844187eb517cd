#include "engine/fetch/download_target.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace zelidor {

DownloadTarget::DownloadTarget(const std::filesystem::path& file)
    : fd_(::open(file.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644)) {}

DownloadTarget::~DownloadTarget() {
    if (fd_ >= 0) {
        (void)::ftruncate(fd_, written_);
        ::close(fd_);
    }
}

bool DownloadTarget::append(std::string_view bytes) {
    if (fd_ < 0) {
        return false;
    }
    while (!bytes.empty()) {
        ssize_t written = ::pwrite(fd_, bytes.data(), bytes.size(), written_);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
        written_ += written;
    }
    return true;
}

}  // namespace zelidor
