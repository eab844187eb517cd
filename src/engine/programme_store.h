// The programme table Programmi in database/Zelidor.db: one row per programme and day, nine
// columns in a fixed order that the rest of the program relies on.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/sqlite.h"

namespace zelidor {

// One row of Programmi; texts are Latin-1, an absent value is a null column.
struct ProgrammeRow {
    std::optional<std::int64_t> data;         // day, yyyymmdd
    std::optional<std::string> ora;           // hour as shown on the listing
    std::optional<std::string> titolo;        // title
    std::optional<std::string> link;          // web link of the programme
    std::optional<std::string> commenti;      // description
    std::optional<std::string> cover;         // cover file name under covers/
    std::optional<std::string> palinsesto;    // channel name
    std::optional<std::int64_t> numerazione;  // order within the channel-day, from 1
    std::optional<std::string> type;          // programme type

    friend bool operator==(const ProgrammeRow&, const ProgrammeRow&) = default;
};

class ProgrammeStore {
  public:
    // AppFolder/database/Zelidor.db
    static std::filesystem::path defaultFile(const std::filesystem::path& appFolder);

    // Opens the database, creating the file, the table and its indexes when missing (read-write
    // mode only). Throws StoreError for a file that is not a database or cannot be written.
    explicit ProgrammeStore(const std::filesystem::path& file,
                            Database::Mode mode = Database::Mode::ReadWrite);

    void insert(const ProgrammeRow& row);

    // Removes the programmes of a channel-day; the channel name is compared exactly but without
    // regard to letter case. Returns the number of rows removed.
    std::int64_t deleteChannelDay(std::int64_t day, std::string_view channel);

    // The programmes of a channel-day (channel compared exactly), ordered by Numerazione.
    std::vector<ProgrammeRow> channelDay(std::int64_t day, std::string_view channel);

    // Reads the current row of a statement that selected the nine columns in table order.
    static ProgrammeRow rowFrom(const Statement& statement);
    static constexpr std::string_view kColumns =
        "Data, Ora, Titolo, Link, Commenti, Cover, Palinsesto, Numerazione, Type";

    Database& database() { return db_; }

  private:
    Database db_;
    // Downloads insert thousands of rows in a row; the statement is prepared once.
    std::optional<Statement> insert_;
};

}  // namespace zelidor
