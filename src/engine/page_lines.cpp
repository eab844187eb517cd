#include "engine/page_lines.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <stdexcept>

namespace zelidor {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f) {
            std::fclose(f);
        }
    }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

FilePtr openFile(const std::filesystem::path& file, const char* mode) {
    FilePtr f(std::fopen(file.c_str(), mode));
    if (!f) {
        throw std::runtime_error("cannot open " + file.string());
    }
    return f;
}

// Opens a file for writing from its start without emptying it.
FilePtr openForOverwrite(const std::filesystem::path& file) {
    int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    FilePtr f(fd >= 0 ? ::fdopen(fd, "wb") : nullptr);
    if (!f) {
        if (fd >= 0) {
            ::close(fd);
        }
        throw std::runtime_error("cannot open " + file.string());
    }
    return f;
}

void writeAll(std::FILE* out, const char* data, std::size_t size,
              const std::filesystem::path& file) {
    if (size != 0 && std::fwrite(data, 1, size, out) != size) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

}  // namespace

void splitPageLines(const std::filesystem::path& rawFile, const std::filesystem::path& linesFile) {
    {
        FilePtr raw = openFile(rawFile, "ab");
        writeAll(raw.get(), "  \r\n  \r\n", 8, rawFile);
        if (std::fflush(raw.get()) != 0) {
            throw std::runtime_error("cannot write " + rawFile.string());
        }
    }
    FilePtr in = openFile(rawFile, "rb");
    // Written over and cut to length at the end rather than emptied first, which on ext4 would
    // push the old file to the disk before it could be rewritten.
    FilePtr out = openForOverwrite(linesFile);
    std::array<char, 64 * 1024> buffer{};
    std::size_t got = 0;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), in.get())) > 0) {
        std::size_t start = 0;
        for (std::size_t i = 0; i < got; ++i) {
            if (buffer[i] == '\n') {
                writeAll(out.get(), buffer.data() + start, i - start, linesFile);
                writeAll(out.get(), "\r\n", 2, linesFile);
                start = i + 1;
            }
        }
        // Bytes after the last line feed of this block continue the line in the next block;
        // the raw file always ends in a line feed, so nothing is left over at the end.
        writeAll(out.get(), buffer.data() + start, got - start, linesFile);
    }
    if (std::ferror(in.get()) || std::fflush(out.get()) != 0 ||
        ::ftruncate(::fileno(out.get()), ::ftello(out.get())) != 0) {
        throw std::runtime_error("cannot split " + rawFile.string());
    }
}

PageLineReader::PageLineReader(const std::filesystem::path& file) : file_(file) {
    in_ = std::fopen(file.c_str(), "rb");
    if (!in_) {
        throw std::runtime_error("cannot open " + file.string());
    }
}

PageLineReader::~PageLineReader() {
    if (in_) {
        std::fclose(in_);
    }
    std::free(buffer_);
}

int PageLineReader::next() {
    return getc_unlocked(in_);
}

int PageLineReader::peek() {
    int c = getc_unlocked(in_);
    if (c != EOF) {
        std::ungetc(c, in_);
    }
    return c;
}

bool PageLineReader::atEnd() {
    return peek() == EOF;
}

std::string PageLineReader::readLine() {
    // The C library finds the line end far faster than a loop over single characters, which
    // matters for pages of many megabytes and for scripts that read a page again and again.
    ssize_t got = ::getdelim(&buffer_, &capacity_, '\r', in_);
    if (got <= 0) {
        return {};
    }
    auto size = static_cast<std::size_t>(got);
    if (buffer_[size - 1] == '\r') {
        --size;
        if (peek() == '\n') {
            next();
        }
    }
    return std::string(buffer_, size);
}

}  // namespace zelidor
