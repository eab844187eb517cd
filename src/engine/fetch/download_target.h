// The file a download is written into, for the length of one download.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string_view>

namespace zelidor {

// An existing file is written over and cut to the new length when the target is closed, never
// emptied first: on ext4 a file emptied by truncation is pushed to the disk when it is closed
// and the next truncation waits for that write, milliseconds per page for temporary files that
// need never reach the disk.
class DownloadTarget {
  public:
    // Opens (or creates) the file; isOpen() says whether that worked.
    explicit DownloadTarget(const std::filesystem::path& file);
    // Cuts the file to the bytes written since it was opened (or since discard()) and closes it.
    ~DownloadTarget();
    DownloadTarget(const DownloadTarget&) = delete;
    DownloadTarget& operator=(const DownloadTarget&) = delete;

    bool isOpen() const { return fd_ >= 0; }

    // False when the bytes could not all be written (a full disk, a closed target).
    bool append(std::string_view bytes);

    // Forgets what was written: the next bytes go to the start and, when none follow, the file
    // is left empty, so a body that could not be written whole is never left half written.
    void discard() { written_ = 0; }

  private:
    int fd_;
    off_t written_ = 0;
};

}  // namespace zelidor
