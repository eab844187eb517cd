// Removing the cover pictures of replaced programmes. Every refresh of a channel-day files new
// covers beside the old ones (numbered names), so without this the covers folder only grows.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/programme_store.h"

namespace zelidor {

// The cover names (Latin-1) that the stored rows of a channel-day name and that the program
// filed itself: named after the row's channel as the cover filer names them, plain file names
// ending in ".jpg". Anything else a row may name (none.jpg, a name from elsewhere) is left out,
// so it is never removed. Taken before the rows are replaced.
std::vector<std::string> filedCoversOf(ProgrammeStore& store, std::int64_t day,
                                       const std::string& channel);

// Removes from coversDir each of the given covers that no stored row names any more. A file
// that cannot be removed or a store that cannot be read leaves covers behind, never an error:
// the programmes are committed by then. Returns the number of files removed.
int removeUnnamedCovers(ProgrammeStore& store, const std::filesystem::path& coversDir,
                        const std::vector<std::string>& covers);

}  // namespace zelidor
