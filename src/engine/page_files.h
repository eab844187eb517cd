// The page file that page-reading instructions read (PageFile): the listing page of the
// channel-day, or while a detail page is open, that page, with the listing page kept open at
// its line underneath. Reading a page file that is closed is a run-time failure of the script.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "engine/page_lines.h"

namespace zelidor {

class PageFiles {
  public:
    explicit PageFiles(std::filesystem::path listingFile);

    // Closes everything and opens the listing page from its first line (start of a pass).
    void openListing();
    // Opens a detail page from its first line as the page being read. A detail page that is
    // already open is a failure (scripts keep one open at a time).
    void openDetail(const std::filesystem::path& detailFile);
    // #RESTOREWEB#: closes the page being read; the listing page is read again from where it
    // was left. Without a detail page open, this closes the listing page itself.
    void restoreListing();
    // #STARTREADWEB#: reads the page being read again from its first line (the listing page,
    // reopened even when #RESTOREWEB# closed it, or the open detail page).
    void rewind();
    void releaseAll();

    bool detailOpen() const { return detail_ != nullptr; }
    // Both fail with ScriptFailure when the page being read is closed.
    bool atEnd();
    std::string readLine();
    // Bytes that readLine() read again after a page was read from its top once more, since the
    // engine was made (see ScriptEngine::kTextBudget). Reading on costs nothing: the download
    // was paid for, and reading it is bounded by its size.
    std::uint64_t bytesReread() const { return bytesReread_; }

  private:
    // How far a page file has been read, in bytes.
    struct ReadProgress {
        std::uint64_t at = 0;
        std::uint64_t furthest = 0;
    };

    PageLineReader& current();
    static std::unique_ptr<PageLineReader> open(const std::filesystem::path& file);

    std::filesystem::path listingFile_;
    std::filesystem::path detailFile_;
    std::unique_ptr<PageLineReader> listing_;
    std::unique_ptr<PageLineReader> detail_;
    ReadProgress listingProgress_;
    ReadProgress detailProgress_;
    std::uint64_t bytesReread_ = 0;
};

}  // namespace zelidor
