// The keyword monitor's word store: database/monitor.db, table Monitor, one watched word or
// phrase per row in its only column Titolo. Rows have no key of their own; the row id stands for
// "the current row" of the monitor window.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/sqlite.h"

namespace zelidor {

struct MonitorWord {
    std::int64_t row;
    std::string word;
};

class MonitorWords {
  public:
    // AppFolder/database/monitor.db
    static std::filesystem::path defaultFile(const std::filesystem::path& appFolder);

    // Opens the store, creating the file and the table on first use (read-write mode only).
    // Throws StoreError.
    explicit MonitorWords(const std::filesystem::path& file,
                          Database::Mode mode = Database::Mode::ReadWrite);

    // The word list as the monitor window shows it: the non-empty words, the last stored first
    // (the reverse of table order). A word stored twice is listed once, where its first
    // occurrence puts it, and the words after it still follow.
    std::vector<std::string> list();

    // The first row, in table order, holding word without regard to letter case.
    std::optional<MonitorWord> find(std::string_view word);

    // Writes word into the given row, or into a new row when there is none (a word started with
    // "Nuovo"). Returns the row written.
    std::int64_t save(std::optional<std::int64_t> row, std::string_view word);

    // Deletes the row; false when it no longer exists.
    bool remove(std::int64_t row);

  private:
    Database db_;
};

// The word list for the monitor window and the start-up search (a store we may not write to is
// still read); a store that cannot be read gives no words and its failure as a status text.
std::vector<std::string> loadMonitorList(const std::filesystem::path& appFolder,
                                         std::vector<std::string>& statusTexts);

}  // namespace zelidor
