// The single settings row of database/config.db, table Config. Some readers take fields by
// their position in the row (the window geometry at 0-3, the script-error flag at 7), so the
// order of the columns is part of the contract and ConfigField spells it out.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

namespace zelidor {

// The columns of Config; each enumerator's value is the column's position in the row.
enum class ConfigField {
    WinWidth = 0,
    WinHeight = 1,
    WinTop = 2,
    WinLeft = 3,
    Card = 4,
    CheckUpdate = 5,
    ShutDown = 6,
    ScriptError = 7,
    ShutType = 8,
    TakeOnlyListed = 9,
    ListingsHost = 10,
    UpdateHost = 11,
    SamplePort = 12,  // added later: older settings files gain it when they are opened
};

enum class ConfigFieldKind { Number, Text };

struct ConfigColumn {
    std::string_view name;
    std::string_view sqlType;
    ConfigFieldKind kind;
};

// The columns in row order: kConfigColumns[position].
inline constexpr std::array<ConfigColumn, 13> kConfigColumns = {{
    {"WinWidth", "REAL", ConfigFieldKind::Number},
    {"WinHeight", "REAL", ConfigFieldKind::Number},
    {"WinTop", "REAL", ConfigFieldKind::Number},
    {"WinLeft", "REAL", ConfigFieldKind::Number},
    {"Card", "TEXT", ConfigFieldKind::Text},
    {"CheckUpdate", "INTEGER", ConfigFieldKind::Number},
    {"ShutDown", "INTEGER", ConfigFieldKind::Number},
    {"ScriptError", "INTEGER", ConfigFieldKind::Number},
    {"ShutType", "TEXT", ConfigFieldKind::Text},
    {"TakeOnlyListed", "INTEGER", ConfigFieldKind::Number},
    {"ListingsHost", "TEXT", ConfigFieldKind::Text},
    {"UpdateHost", "TEXT", ConfigFieldKind::Text},
    {"SamplePort", "INTEGER", ConfigFieldKind::Number},
}};

constexpr const ConfigColumn& configColumn(ConfigField field) {
    return kConfigColumns[static_cast<std::size_t>(field)];
}

// The host setting that stands for the listings site bundled with the program.
inline constexpr std::string_view kSampleHost = "sample";

// The settings as the program uses them. Texts are Latin-1. A flag holds the value of its check
// box: 1 ticked, 0 not (kept as a number because the instruction handlers compare it with both).
struct ConfigRow {
    // Main window geometry in twips; the defaults are the window's design-time size with frame.
    double winWidth = 12510;
    double winHeight = 10425;
    double winTop = 1000;
    double winLeft = 1500;
    std::string card;  // file name of the chosen card template in htmlcards/
    int checkUpdate = 1;
    int shutDown = 0;
    int scriptError = 0;
    std::string shutType = "1";  // shutdown mode 0..4 as text
    int takeOnlyListed = 0;
    std::string listingsHost{kSampleHost};  // host[:port] of the listings site
    std::string updateHost{kSampleHost};    // host[:port] of the release file
    // The loopback port the bundled site was last served on, so that the web links stored with
    // its programmes keep working; 0 until the site first runs.
    int samplePort = 0;

    friend bool operator==(const ConfigRow&, const ConfigRow&) = default;
};

// The row a fresh installation starts with: the defaults above, and as card template the first
// "*.htm" file of appFolder/htmlcards in alphabetical order (empty when there is none).
ConfigRow defaultConfigRow(const std::filesystem::path& appFolder);

}  // namespace zelidor
