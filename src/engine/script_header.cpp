#include "engine/script_header.h"

#include <fstream>

#include "common/text.h"

namespace zelidor {

namespace {

constexpr int kMaxFields = 4900;

bool isLineEnd(int c) {
    return c == '\r' || c == '\n';
}

// Reads one field the way a comma-separated record reader does: leading blanks skipped, a
// quoted field taken up to its closing quote (anything after it up to the separator dropped),
// an unquoted field up to the separator with trailing blanks removed. Returns false at the end
// of the input when nothing was read.
bool readField(std::istream& in, std::string& field) {
    field.clear();
    int c = in.get();
    while (c == ' ' || c == '\t') {
        c = in.get();
    }
    if (c == EOF) {
        return false;
    }
    if (c == '"') {
        for (c = in.get(); c != EOF && c != '"'; c = in.get()) {
            field += static_cast<char>(c);
        }
        if (c == '"') {
            c = in.get();
        }
        while (c != EOF && c != ',' && !isLineEnd(c)) {
            c = in.get();
        }
    } else {
        for (; c != EOF && c != ',' && !isLineEnd(c); c = in.get()) {
            field += static_cast<char>(c);
        }
        field = field.substr(0, field.find_last_not_of(" \t") + 1);
    }
    if (c == '\r' && in.peek() == '\n') {
        in.get();
    }
    return true;
}

void takeKey(const std::string& field, std::string_view key, std::optional<std::string>& value) {
    std::size_t pos = findNoCase(field, key);
    if (pos != 0) {
        value = field.substr(pos - 1 + key.size());
    }
}

}  // namespace

ScriptHeader readScriptHeader(std::istream& in) {
    ScriptHeader header;
    std::string field;
    for (int count = 0; count < kMaxFields && readField(in, field); ++count) {
        takeKey(field, "#ANTENNA#=", header.antenna);
        takeKey(field, "#DATEBUILD#=", header.dateBuild);
        takeKey(field, "#MADEBY#=", header.madeBy);
        takeKey(field, "#WEBSITE#=", header.webSite);
    }
    return header;
}

std::optional<ScriptHeader> readScriptHeaderFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return readScriptHeader(in);
}

}  // namespace zelidor
