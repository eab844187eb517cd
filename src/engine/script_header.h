// The catalogue header of a channel script file: the four keys read from its comma-separated
// fields. The engine itself ignores them; the channel catalogue shows them.
#pragma once

#include <filesystem>
#include <istream>
#include <optional>
#include <string>

namespace zelidor {

struct ScriptHeader {
    // Each value is the rest of the field after its key; absent when no field holds the key.
    std::optional<std::string> antenna;    // "#ANTENNA#="
    std::optional<std::string> dateBuild;  // "#DATEBUILD#="
    std::optional<std::string> madeBy;     // "#MADEBY#="
    std::optional<std::string> webSite;    // "#WEBSITE#="
};

// Reads the header from a stream of Latin-1 text: fields end at a comma or a line end, a field
// in double quotes may hold commas (the quotes are removed), at most 4900 fields are examined,
// keys are found anywhere in a field without regard to letter case, and the last occurrence of
// a key wins.
ScriptHeader readScriptHeader(std::istream& in);

// The same for a file; no value is returned when the file cannot be opened.
std::optional<ScriptHeader> readScriptHeaderFile(const std::filesystem::path& file);

}  // namespace zelidor
