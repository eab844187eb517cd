#include "engine/page_files.h"

#include <algorithm>
#include <stdexcept>

#include "engine/script_failure.h"

namespace zelidor {

PageFiles::PageFiles(std::filesystem::path listingFile) : listingFile_(std::move(listingFile)) {}

std::unique_ptr<PageLineReader> PageFiles::open(const std::filesystem::path& file) {
    try {
        return std::make_unique<PageLineReader>(file);
    } catch (const std::runtime_error& e) {
        throw ScriptFailure(e.what());
    }
}

void PageFiles::openListing() {
    releaseAll();
    listing_ = open(listingFile_);
}

void PageFiles::openDetail(const std::filesystem::path& detailFile) {
    if (detail_) {
        throw ScriptFailure("a detail page is already open");
    }
    detail_ = open(detailFile);
    detailFile_ = detailFile;
    detailProgress_ = {};
}

void PageFiles::restoreListing() {
    if (detail_) {
        detail_.reset();
        detailProgress_ = {};
    } else {
        listing_.reset();
    }
}

void PageFiles::rewind() {
    if (detail_) {
        detail_.reset();
        detail_ = open(detailFile_);
        detailProgress_.at = 0;
    } else {
        listing_.reset();
        listing_ = open(listingFile_);
        listingProgress_.at = 0;
    }
}

void PageFiles::releaseAll() {
    detail_.reset();
    listing_.reset();
    listingProgress_ = {};
    detailProgress_ = {};
}

PageLineReader& PageFiles::current() {
    PageLineReader* reader = detail_ ? detail_.get() : listing_.get();
    if (!reader) {
        throw ScriptFailure("the page file is closed");
    }
    return *reader;
}

bool PageFiles::atEnd() {
    return current().atEnd();
}

std::string PageFiles::readLine() {
    PageLineReader& reader = current();
    if (reader.atEnd()) {
        throw ScriptFailure("read past the end of the page");
    }
    std::string line = reader.readLine();
    ReadProgress& progress = detail_ ? detailProgress_ : listingProgress_;
    const std::uint64_t from = progress.at;
    progress.at += line.size() + 1;
    if (from < progress.furthest) {
        bytesReread_ += std::min(progress.at, progress.furthest) - from;
    }
    progress.furthest = std::max(progress.furthest, progress.at);
    return line;
}

}  // namespace zelidor
