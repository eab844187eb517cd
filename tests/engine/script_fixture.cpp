#include "script_fixture.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "common/text.h"
#include "engine_harness.h"
#include "support/temp_dir.h"

namespace zelidor::test {

namespace {

constexpr std::string_view kSection = "=== ";
constexpr std::string_view kExpect = "// expect: ";

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            if (start < text.size()) {
                lines.push_back(text.substr(start));
            }
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::string afterPrefix(const std::string& line, std::string_view prefix) {
    return line.substr(prefix.size());
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// A JSON string written in the fixture (UTF-8 there), as Latin-1.
std::string jsonText(const std::string& latin1Json) {
    return utf8ToLatin1(nlohmann::json::parse(latin1ToUtf8(latin1Json)).get<std::string>());
}

RecordField fieldNamed(const std::string& name) {
    static const std::map<std::string, RecordField> names = {
        {"Code", RecordField::Code},   {"Hour", RecordField::Hour},
        {"Title", RecordField::Title}, {"Link", RecordField::Link},
        {"Type", RecordField::Type},   {"Comments", RecordField::Comments},
        {"Cover", RecordField::Cover}};
    auto found = names.find(name);
    if (found == names.end()) {
        throw std::runtime_error("unknown field " + name);
    }
    return found->second;
}

void readRecord(FixtureCase& fixture, const std::string& latin1Json) {
    nlohmann::json object = nlohmann::json::parse(latin1ToUtf8(latin1Json));
    ProgrammeRow row;
    FixtureCase::Named named;
    auto text = [&](const char* key) -> std::optional<std::string> {
        if (!object.contains(key) || object[key].is_null()) {
            return std::nullopt;
        }
        return utf8ToLatin1(object[key].get<std::string>());
    };
    named.data = object.contains("Data");
    named.palinsesto = object.contains("Palinsesto");
    named.numerazione = object.contains("Numerazione");
    if (named.data) {
        row.data = object["Data"].get<std::int64_t>();
    }
    if (named.numerazione) {
        row.numerazione = object["Numerazione"].get<std::int64_t>();
    }
    row.ora = text("Ora");
    row.titolo = text("Titolo");
    row.link = text("Link");
    row.commenti = text("Commenti");
    row.cover = text("Cover");
    row.palinsesto = text("Palinsesto");
    row.type = text("Type");
    fixture.records.push_back(row);
    fixture.named.push_back(named);
}

void readExpectation(FixtureCase& fixture, const std::string& what) {
    if (startsWith(what, "var ")) {
        int number = std::stoi(what.substr(4, 2));
        fixture.variables[number] = jsonText(what.substr(what.find('=') + 2));
    } else if (startsWith(what, "field ")) {
        std::size_t equals = what.find(" = ");
        fixture.fields[fieldNamed(what.substr(6, equals - 6))] = jsonText(what.substr(equals + 3));
    } else if (startsWith(what, "record ")) {
        readRecord(fixture, what.substr(7));
    } else if (startsWith(what, "end ")) {
        fixture.end = what.substr(4);
    } else {
        fixture.events.push_back(what);
    }
}

std::string joinPage(const std::vector<std::string>& lines, const std::string& kind) {
    std::string end = kind == "page-crlf" ? "\r\n" : "\n";
    std::string body;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        body += lines[i];
        if (kind != "page-raw" || i + 1 < lines.size()) {
            body += end;
        }
    }
    return body;
}

void trimTrailingEmpty(std::vector<std::string>& lines) {
    while (!lines.empty() && lines.back().empty()) {
        lines.pop_back();
    }
}

}  // namespace

void PrintTo(const FixtureCase& fixture, std::ostream* out) {
    *out << fixture.file << ": " << fixture.name;
}

std::vector<FixtureCase> readFixtureFile(const std::filesystem::path& file) {
    std::vector<std::string> lines = splitLines(utf8ToLatin1(readFile(file)));
    std::vector<FixtureCase> cases;
    std::string kind;  // of the section being read
    std::string argument;
    std::vector<std::string> body;

    auto closeSection = [&] {
        if (kind.empty()) {
            return;
        }
        trimTrailingEmpty(body);
        FixtureCase& fixture = cases.back();
        if (kind == "case") {
            fixture.script = body;
        } else if (kind == "page" || kind == "page-crlf" || kind == "page-raw") {
            fixture.pages.push_back({argument, joinPage(body, kind)});
        } else if (kind == "picture") {
            fixture.pages.push_back({argument, jpegPicture()});
        } else if (kind == "settings") {
            for (const std::string& line : body) {
                std::size_t equals = line.find('=');
                if (equals != std::string::npos) {
                    fixture.settings[trimBlanks(line.substr(0, equals))] =
                        trimBlanks(line.substr(equals + 1));
                }
            }
        } else {
            throw std::runtime_error(file.string() + ": unknown section " + kind);
        }
        body.clear();
    };

    for (const std::string& line : lines) {
        if (startsWith(line, kSection)) {
            closeSection();
            std::string header = afterPrefix(line, kSection);
            std::size_t blank = header.find(' ');
            kind = header.substr(0, blank);
            argument = blank == std::string::npos ? "" : header.substr(blank + 1);
            if (kind == "case") {
                cases.push_back(FixtureCase{});
                cases.back().file = file.filename().string();
                cases.back().name = argument;
            } else if (cases.empty()) {
                throw std::runtime_error(file.string() + ": a section before the first case");
            }
            continue;
        }
        if (kind == "case" && startsWith(line, "//")) {
            if (startsWith(line, kExpect)) {
                readExpectation(cases.back(), afterPrefix(line, kExpect));
            }
            body.emplace_back();  // keeps the numbering of the lines that follow
            continue;
        }
        if (!kind.empty()) {
            body.push_back(line);
        }
    }
    closeSection();
    return cases;
}

std::vector<FixtureCase> readFixtureFolder(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".zdt") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    std::vector<FixtureCase> all;
    for (const auto& file : files) {
        std::vector<FixtureCase> cases = readFixtureFile(file);
        all.insert(all.end(), cases.begin(), cases.end());
    }
    return all;
}

}  // namespace zelidor::test
