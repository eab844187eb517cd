#include "download/write_lock.h"

#include <sqlite3.h>

namespace zelidor {

bool waitForWriteLock(Database& db, std::chrono::milliseconds wait,
                      std::chrono::milliseconds usualTimeout) {
    db.setBusyTimeout(static_cast<int>(wait.count()));
    const int status =
        sqlite3_exec(db.handle(), "BEGIN IMMEDIATE; ROLLBACK;", nullptr, nullptr, nullptr);
    db.setBusyTimeout(static_cast<int>(usualTimeout.count()));
    if (status == SQLITE_BUSY) {
        return false;
    }
    if (status != SQLITE_OK) {
        db.fail("cannot take the write lock");
    }
    return true;
}

}  // namespace zelidor
