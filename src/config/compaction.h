// Compacting a database file in place ("Compatta il Database..."), reported to the user in
// German message boxes as the program always has.
#pragma once

#include <filesystem>

#include "common/dialogs.h"

namespace zelidor {

// Compacts the database file at path and tells the user the result: the sizes before and after,
// or the error number and description of the step that failed. The file is replaced only by a
// complete, verified compacted copy, in one atomic rename; whatever fails, the database stays as
// it was and no backup file ("Backup" before the extension) is left behind. A backup left by an
// interrupted earlier run is replaced without a question. The caller closes its own connections
// to the file first; a file still open elsewhere is reported as in use and left alone.
// Returns true when the file was compacted.
bool CompactDatabaseFile(const std::filesystem::path& path, Dialogs& dialogs);

}  // namespace zelidor
