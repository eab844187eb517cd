// The worked example of the listing page format (Canale 5, 5 December 2002) as fixture files
// in tests/fixtures/format_example: the listing, the three detail pages (detail_<code>.html)
// and records.json, the records a correct engine stores from them in the format's own JSON.
// Programme rows convert to and from that JSON, which also makes them readable in failures.
#pragma once

#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <vector>

#include "common/text.h"
#include "engine/programme_store.h"
#include "support/temp_dir.h"

namespace zelidor {

namespace test {

inline constexpr const char* kExampleHost = "www.guidatv.example";
inline constexpr const char* kExampleListingUrl =
    "http://www.guidatv.example/canali.phtml?giorno2=05%2F12%2F02&channel=Canale+5&x=6&y=11";
inline constexpr const char* kExampleCodes[] = {"100231", "100232", "100233"};

inline std::string exampleDetailUrl(const std::string& code,
                                    const std::string& host = kExampleHost) {
    return "http://" + host + "/programmi.phtml?codice=" + code;
}

inline std::string examplePosterUrl(const std::string& code,
                                    const std::string& host = kExampleHost) {
    return "http://" + host + "/statiche/media/foto/" + code + ".jpg";
}

inline std::string formatExampleFile(const std::string& name) {
    return readFile(std::filesystem::path(ZELIDOR_SOURCE_DIR) / "tests/fixtures/format_example" /
                    name);
}

// Texts become UTF-8 JSON strings and absent values null.
inline nlohmann::json rowToJson(const ProgrammeRow& row) {
    auto text = [](const std::optional<std::string>& v) {
        return v ? nlohmann::json(latin1ToUtf8(*v)) : nlohmann::json();
    };
    auto number = [](const std::optional<std::int64_t>& v) {
        return v ? nlohmann::json(*v) : nlohmann::json();
    };
    return {{"Data", number(row.data)},
            {"Ora", text(row.ora)},
            {"Titolo", text(row.titolo)},
            {"Link", text(row.link)},
            {"Commenti", text(row.commenti)},
            {"Cover", text(row.cover)},
            {"Palinsesto", text(row.palinsesto)},
            {"Numerazione", number(row.numerazione)},
            {"Type", text(row.type)}};
}

// A missing or null key is an absent value.
inline ProgrammeRow rowFromJson(const nlohmann::json& object) {
    auto text = [&](const char* key) -> std::optional<std::string> {
        if (!object.contains(key) || object[key].is_null()) {
            return std::nullopt;
        }
        return utf8ToLatin1(object[key].get<std::string>());
    };
    auto number = [&](const char* key) -> std::optional<std::int64_t> {
        if (!object.contains(key) || object[key].is_null()) {
            return std::nullopt;
        }
        return object[key].get<std::int64_t>();
    };
    return {number("Data"),     text("Ora"),           text("Titolo"),
            text("Link"),       text("Commenti"),      text("Cover"),
            text("Palinsesto"), number("Numerazione"), text("Type")};
}

inline std::vector<ProgrammeRow> formatExampleRecords() {
    std::vector<ProgrammeRow> rows;
    for (const nlohmann::json& object : nlohmann::json::parse(formatExampleFile("records.json"))) {
        rows.push_back(rowFromJson(object));
    }
    return rows;
}

}  // namespace test

inline void PrintTo(const ProgrammeRow& row, std::ostream* out) {
    *out << test::rowToJson(row).dump();
}

}  // namespace zelidor
