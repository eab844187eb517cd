// Whether a download can write at all: another program (the window's own download, a
// compaction, a sqlite3 shell) may hold the database's write lock for a long time. A download
// that asks first can wait for it, or give up before it has changed anything.
#pragma once

#include <chrono>

#include "common/sqlite.h"

namespace zelidor {

// Takes and at once releases the write lock, waiting up to `wait` for another connection to
// let go of it; false when it is still held. The connection's busy time-out is restored.
// Failures other than a busy database throw StoreError.
bool waitForWriteLock(Database& db, std::chrono::milliseconds wait,
                      std::chrono::milliseconds usualTimeout);

}  // namespace zelidor
