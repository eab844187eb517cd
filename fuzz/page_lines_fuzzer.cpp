// Any downloaded body must split into lines and read back without a crash, and the reader must
// give back exactly the bytes that went in, minus line feeds, with CR ending lines.
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "engine/page_lines.h"
#include "scratch_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto raw = zelidor::fuzz::scratchFolder() / "html.txt";
    const auto lines = zelidor::fuzz::scratchFolder() / "html1.txt";
    {
        std::ofstream out(raw, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    zelidor::splitPageLines(raw, lines);
    zelidor::PageLineReader reader(lines);
    std::vector<std::string> got;
    while (!reader.atEnd()) {
        got.push_back(reader.readLine());
    }
    // The oracle: the split file is the body plus two lines of two blanks with every LF written
    // as CR LF; the reader ends a line at CR and swallows one LF right after it.
    std::string split(reinterpret_cast<const char*>(data), size);
    split += "  \r\n  \r\n";
    std::string file;
    for (char c : split) {
        file += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    std::vector<std::string> expected(1);
    for (std::size_t i = 0; i < file.size(); ++i) {
        if (file[i] != '\r') {
            expected.back() += file[i];
            continue;
        }
        if (i + 1 < file.size() && file[i + 1] == '\n') {
            ++i;
        }
        if (i + 1 < file.size()) {
            expected.emplace_back();
        }
    }
    if (got != expected) {
        std::abort();
    }
    return 0;
}
