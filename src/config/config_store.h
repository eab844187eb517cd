// The settings row as the program reads and writes it. Every call goes to the file, so a store
// opened by one part of the program sees what another part (another connection, another
// process) has committed: the engine relies on this to read the script-error flag afresh.
#pragma once

#include <filesystem>
#include <string_view>

#include "common/sqlite.h"
#include "config/config_row.h"

namespace zelidor {

class ConfigStore {
  public:
    // Opens appFolder/database/config.db, creating the file, its tables and the row with the
    // defaults when they are missing. Throws StoreError for a file that is not a database, that
    // cannot be written, or whose Config table has other columns.
    explicit ConfigStore(const std::filesystem::path& appFolder);

    ConfigRow read();
    void write(const ConfigRow& row);

    // Single fields. Setting a number into a text field or the reverse is a programming error
    // and throws std::invalid_argument.
    void setNumber(ConfigField field, double value);
    void setText(ConfigField field, std::string_view latin1);
    // The main window's geometry, stored in one transaction.
    void setWindowPlacement(double width, double height, double top, double left);

    // The value at a column position of the row, read as a whole number the way the instruction
    // handlers read the script-error flag at position 7: a null or a text that is no number
    // gives 0. A position outside the row throws std::out_of_range.
    int flagAtPosition(int position);

    Database& database() { return db_; }

  private:
    void updateField(ConfigField field, const auto& bindValue);

    std::filesystem::path appFolder_;
    Database db_;
};

}  // namespace zelidor
