// The type list Importa of database/config.db: the programme types whose detail pages are
// fetched when the download is limited to listed types.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/sqlite.h"

namespace zelidor {

class ImportTypeStore {
  public:
    // Opens appFolder/database/config.db, creating what is missing (see ConfigStore).
    explicit ImportTypeStore(const std::filesystem::path& appFolder);

    // Every Titolo in table order, as Latin-1; a null Titolo reads as the empty text. Empty and
    // repeated entries are kept: deciding what to show is the reader's business.
    std::vector<std::string> list();

    void add(std::string_view latin1);

    // Remove or rename the first entry (in table order) equal to the text without regard to
    // letter case, accented letters included, the way the download window finds the entry of a
    // selected item. False when no entry matches.
    bool remove(std::string_view latin1);
    bool rename(std::string_view fromLatin1, std::string_view toLatin1);

  private:
    Database db_;
};

}  // namespace zelidor
