#include "engine/page_files.h"

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
}

void PageFiles::restoreListing() {
    if (detail_) {
        detail_.reset();
    } else {
        listing_.reset();
    }
}

void PageFiles::rewind() {
    if (detail_) {
        detail_.reset();
        detail_ = open(detailFile_);
    } else {
        listing_.reset();
        listing_ = open(listingFile_);
    }
}

void PageFiles::releaseAll() {
    detail_.reset();
    listing_.reset();
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
    bytesRead_ += line.size() + 1;
    return line;
}

}  // namespace zelidor
