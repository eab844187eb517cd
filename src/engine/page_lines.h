// Downloaded pages as the script instructions read them: the raw body is rewritten as a file of
// lines, which is then read forward one line at a time. Both work in constant memory whatever
// the size of the page (only the longest single line is ever held).
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

namespace zelidor {

// Appends two lines of two blanks (each ended by CR LF) to the raw page, then writes every
// LF-terminated line of it to linesFile followed by CR LF. Line feeds are dropped; every other
// byte, carriage returns included, is kept. Throws std::runtime_error when a file cannot be
// read or written.
void splitPageLines(const std::filesystem::path& rawFile, const std::filesystem::path& linesFile);

// Reads a file line by line where a line ends at CR, and CR LF counts as one line end. So a page
// whose lines ended in CR LF reads as each line followed by an empty line.
class PageLineReader {
  public:
    // Throws std::runtime_error when the file cannot be opened.
    explicit PageLineReader(const std::filesystem::path& file);
    ~PageLineReader();
    PageLineReader(const PageLineReader&) = delete;
    PageLineReader& operator=(const PageLineReader&) = delete;

    bool atEnd();
    // The next line; at the end of the file, an empty text (callers test atEnd() first).
    std::string readLine();
    const std::filesystem::path& file() const { return file_; }

  private:
    int next();
    int peek();

    std::filesystem::path file_;
    std::FILE* in_ = nullptr;
    char* buffer_ = nullptr;  // getdelim's line buffer
    std::size_t capacity_ = 0;
};

}  // namespace zelidor
