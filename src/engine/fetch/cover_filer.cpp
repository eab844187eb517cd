#include "engine/fetch/cover_filer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/text.h"
#include "engine/fetch/exclusive_file.h"
#include "engine/fetch/picture_codec.h"

namespace zelidor {

namespace {

// The downloaded poster, or nothing when it cannot be read or is larger than any poster.
std::optional<std::string> readPoster(const std::filesystem::path& picture, std::size_t maxBytes) {
    int fd = ::open(picture.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    std::string bytes;
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
              static_cast<std::size_t>(info.st_size) <= maxBytes;
    if (ok) {
        bytes.resize(static_cast<std::size_t>(info.st_size));
        std::size_t done = 0;
        while (ok && done < bytes.size()) {
            ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
            ok = got > 0 || (got < 0 && errno == EINTR);
            done += got > 0 ? static_cast<std::size_t>(got) : 0;
        }
    }
    ::close(fd);
    return ok ? std::optional<std::string>(std::move(bytes)) : std::nullopt;
}

// "base.jpg", then "base_1.jpg", "base_2.jpg" ...
std::string numberedName(const std::string& base, unsigned number) {
    return number == 0 ? base + ".jpg" : base + "_" + std::to_string(number) + ".jpg";
}

}  // namespace

std::string coverBaseName(std::string_view channelName, std::string_view code) {
    std::string base = std::string(channelName) + "_" + std::string(code);
    for (char& c : base) {
        // A NUL byte would silently cut the file name short, so it goes the same way.
        if (std::string_view("' /():<>*?").find(c) != std::string_view::npos || c == '\0') {
            c = '_';
        }
    }
    return base;
}

std::optional<std::string> fileCover(const std::filesystem::path& picture,
                                     const std::filesystem::path& coversDir,
                                     std::string_view channelName, std::string_view code) {
    const PictureLimits limits;
    std::optional<std::string> poster = readPoster(picture, limits.maxFileBytes);
    std::optional<std::string> jpeg = poster ? reencodeAsJpeg(*poster, limits) : std::nullopt;
    if (!jpeg) {
        return std::nullopt;
    }
    const std::string base = coverBaseName(channelName, code);
    // Names are Latin-1 inside the program; on disk they are spelled in UTF-8 like every other
    // file name of the desktop, so a window that turns the name into a file address finds it.
    auto diskName = [&base](unsigned number) { return latin1ToUtf8(numberedName(base, number)); };
    std::optional<unsigned> number = writeExclusiveFile(coversDir, *jpeg, diskName);
    if (!number) {
        return std::nullopt;
    }
    return numberedName(base, *number);
}

}  // namespace zelidor
