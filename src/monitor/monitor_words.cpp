#include "monitor/monitor_words.h"

#include <algorithm>
#include <unordered_set>

#include "browser/status_texts.h"

namespace zelidor {

std::filesystem::path MonitorWords::defaultFile(const std::filesystem::path& appFolder) {
    return appFolder / "database" / "monitor.db";
}

MonitorWords::MonitorWords(const std::filesystem::path& file, Database::Mode mode)
    : db_(file, mode) {
    if (mode == Database::Mode::ReadWrite) {
        db_.exec("CREATE TABLE IF NOT EXISTS Monitor (Titolo TEXT)");
    }
}

std::vector<std::string> MonitorWords::list() {
    Statement query = db_.prepare("SELECT Titolo FROM Monitor ORDER BY rowid ASC");
    std::vector<std::string> tableOrder;
    std::unordered_set<std::string> seen;
    while (query.step()) {
        std::optional<std::string> word = query.latin1(0);
        if (word && !word->empty() && seen.insert(*word).second) {
            tableOrder.push_back(std::move(*word));
        }
    }
    std::reverse(tableOrder.begin(), tableOrder.end());
    return tableOrder;
}

std::optional<MonitorWord> MonitorWords::find(std::string_view word) {
    Statement query = db_.prepare(
        "SELECT rowid, Titolo FROM Monitor WHERE fold(Titolo) = fold(?) ORDER BY rowid LIMIT 1");
    query.bindLatin1(1, word);
    if (!query.step()) {
        return std::nullopt;
    }
    return MonitorWord{query.integer(0), query.latin1(1).value_or("")};
}

std::int64_t MonitorWords::save(std::optional<std::int64_t> row, std::string_view word) {
    if (row) {
        Statement update = db_.prepare("UPDATE Monitor SET Titolo = ? WHERE rowid = ?");
        update.bindLatin1(1, word).bind(2, *row);
        update.run();
        if (db_.changes() > 0) {
            return *row;
        }
    }
    Statement insert = db_.prepare("INSERT INTO Monitor (Titolo) VALUES (?)");
    insert.bindLatin1(1, word);
    insert.run();
    Statement last = db_.prepare("SELECT last_insert_rowid()");
    last.step();
    return last.integer(0);
}

bool MonitorWords::remove(std::int64_t row) {
    Statement remove = db_.prepare("DELETE FROM Monitor WHERE rowid = ?");
    remove.bind(1, row);
    remove.run();
    return db_.changes() > 0;
}

std::vector<std::string> loadMonitorList(const std::filesystem::path& appFolder,
                                         std::vector<std::string>& statusTexts) {
    std::filesystem::path file = MonitorWords::defaultFile(appFolder);
    try {
        try {
            MonitorWords store(file);
            return store.list();
        } catch (const StoreError&) {
            std::error_code error;
            if (!std::filesystem::exists(file, error)) {
                throw;
            }
            MonitorWords store(file, Database::Mode::ReadOnly);
            return store.list();
        }
    } catch (const StoreError& e) {
        statusTexts.push_back(status::databaseFailure(e.what()));
        return {};
    }
}

}  // namespace zelidor
