// The settings file database/config.db: the Config row and the Importa type list live in it.
#pragma once

#include <filesystem>

#include "common/sqlite.h"
#include "config/config_row.h"

namespace zelidor {

// appFolder/database/config.db
std::filesystem::path configDatabaseFile(const std::filesystem::path& appFolder);

// Creates in an open settings file what is missing: the tables Config and Importa, and the
// Config row with the defaults of defaultConfigRow(appFolder). The Config table of an older
// program gains the columns added since, at the end of the row, its values kept. A Config table
// whose columns are not the expected ones in the expected order throws StoreError, because
// readers take fields by position and would silently read the wrong ones.
void prepareConfigDatabase(Database& db, const std::filesystem::path& appFolder);

// Adds the default row when the Config table has none (the row is expected to exist always).
void ensureConfigRow(Database& db, const std::filesystem::path& appFolder);

// Binds the fields of a row, in column order, to parameters 1.. of a statement.
void bindConfigRow(Statement& statement, const ConfigRow& row);

}  // namespace zelidor
