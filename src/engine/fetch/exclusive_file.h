// Writing a new file into a folder under the first free name of a series, all or nothing.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace zelidor {

// Where the bytes wait until they get their name. Unnamed (a file without any name until it is
// linked in, so not even a crash can leave it behind) needs a file system that supports it;
// otherwise a hidden named file is used and removed again on every path.
enum class StagingFile { Unnamed, Named };

// Writes bytes into folder and links them in under nameFor(0), nameFor(1), ... : the first name
// that does not exist yet, never replacing an existing file (maxAttempts names are tried).
// Returns the index of the name used. On any failure (no such folder, no permission, a full
// disk) nothing is left in the folder and no value is returned. The file is complete before it
// has a name, but it is not flushed to the disk (see writeAll for why).
std::optional<unsigned> writeExclusiveFile(const std::filesystem::path& folder,
                                           std::string_view bytes,
                                           const std::function<std::string(unsigned)>& nameFor,
                                           unsigned maxAttempts = 10000,
                                           StagingFile staging = StagingFile::Unnamed);

}  // namespace zelidor
