// Runs every case of tests/engine/scripts/*.zdt; the format of the cases is in the README there.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "support/engine_harness.h"

namespace zelidor::test {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

constexpr std::string_view kExpect = "// expect: ";

struct Case {
    std::string file;
    std::string name;
    std::vector<std::string> script;
    bool exampleDay = false;
    std::vector<std::pair<std::string, std::string>> pages;  // address, body
    std::map<std::string, std::string> settings;
    std::vector<std::string> events;
    std::string end = "completed";
    std::map<int, std::string> variables;
    std::map<RecordField, std::string> fields;
    std::vector<json> records;
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.file << ": " << c.name;
}

// A JSON text written in the fixture, whose strings are UTF-8 there.
json parsed(const std::string& latin1Json) {
    return json::parse(latin1ToUtf8(latin1Json));
}

RecordField fieldNamed(const std::string& name) {
    static const std::map<std::string, RecordField> names = {
        {"Code", RecordField::Code},   {"Hour", RecordField::Hour},
        {"Title", RecordField::Title}, {"Link", RecordField::Link},
        {"Type", RecordField::Type},   {"Comments", RecordField::Comments},
        {"Cover", RecordField::Cover}};
    return names.at(name);
}

void readExpectation(Case& c, const std::string& what) {
    std::size_t equals = what.find(" = ");
    if (what.starts_with("var ")) {
        c.variables[std::stoi(what.substr(4, 2))] =
            utf8ToLatin1(parsed(what.substr(equals + 3)).get<std::string>());
    } else if (what.starts_with("field ")) {
        c.fields[fieldNamed(what.substr(6, equals - 6))] =
            utf8ToLatin1(parsed(what.substr(equals + 3)).get<std::string>());
    } else if (what.starts_with("record ")) {
        c.records.push_back(parsed(what.substr(7)));
    } else if (what.starts_with("end ")) {
        c.end = what.substr(4);
    } else {
        c.events.push_back(what);
    }
}

std::string joinedPage(const std::vector<std::string>& lines, const std::string& kind) {
    std::string end = kind == "page-crlf" ? "\r\n" : "\n";
    std::string body;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        body += lines[i] + (kind == "page-raw" && i + 1 == lines.size() ? "" : end);
    }
    return body;
}

std::string exampleAddress(const std::string& file) {
    if (file == "listing.html") {
        return kExampleListingUrl;
    }
    return exampleDetailUrl(file.substr(7, file.find('.') - 7));  // detail_<code>.html
}

std::string editedExample(const std::string& file, const std::vector<std::string>& edits) {
    std::string page = formatExampleFile(file);
    for (const std::string& line : edits) {
        std::string edit = replaceAll(line, "\\n", "\n");
        std::size_t arrow = edit.find(" =>");
        std::string from = edit.starts_with("cut at ") ? edit.substr(7) : edit.substr(0, arrow);
        if (page.find(from) == std::string::npos) {
            throw std::runtime_error(file + " does not hold: " + from);
        }
        if (edit.starts_with("cut at ")) {
            page.resize(page.find(from));
        } else {
            std::string to = edit.substr(arrow + 3);
            page = replaceAll(page, from, to.starts_with(' ') ? to.substr(1) : to);
        }
    }
    return page;
}

void closeSection(Case& c, const std::string& kind, const std::string& argument,
                  std::vector<std::string> body) {
    while (!body.empty() && body.back().empty()) {
        body.pop_back();
    }
    if (kind == "case") {
        c.script = body;
    } else if (kind == "page" || kind == "page-crlf" || kind == "page-raw") {
        c.pages.emplace_back(argument, joinedPage(body, kind));
    } else if (kind == "picture") {
        c.pages.emplace_back(argument, jpegPicture());
    } else if (kind == "example-day") {
        c.exampleDay = true;
    } else if (kind == "edit" || kind == "edit-crlf") {
        std::string page = editedExample(argument, body);
        c.pages.emplace_back(exampleAddress(argument),
                             kind == "edit" ? page : replaceAll(page, "\n", "\r\n"));
    } else if (kind == "settings") {
        for (const std::string& line : body) {
            std::size_t equals = line.find('=');
            c.settings[trimBlanks(line.substr(0, equals))] = trimBlanks(line.substr(equals + 1));
        }
    } else {
        throw std::runtime_error(c.file + ": unknown section " + kind);
    }
}

std::vector<Case> readFixtureFile(const fs::path& file) {
    std::istringstream in(utf8ToLatin1(readFile(file)));
    std::vector<Case> cases;
    std::string kind;  // of the section being read
    std::string argument;
    std::vector<std::string> body;
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with("=== ")) {
            if (!kind.empty()) {
                closeSection(cases.back(), kind, argument, std::move(body));
            }
            body.clear();
            std::size_t blank = line.find(' ', 4);
            kind = line.substr(4, blank == std::string::npos ? blank : blank - 4);
            argument = blank == std::string::npos ? "" : line.substr(blank + 1);
            if (kind == "case") {
                cases.emplace_back();
                cases.back().file = file.filename().string();
                cases.back().name = argument;
            } else if (cases.empty()) {
                throw std::runtime_error(file.string() + ": a section before the first case");
            }
        } else if (kind == "case" && line.starts_with("//")) {
            if (line.starts_with(kExpect)) {
                readExpectation(cases.back(), line.substr(kExpect.size()));
            }
            body.emplace_back();
        } else if (!kind.empty()) {
            body.push_back(line);
        }
    }
    if (!kind.empty()) {
        closeSection(cases.back(), kind, argument, std::move(body));
    }
    return cases;
}

std::vector<Case> readFixtureFolder() {
    std::set<fs::path> files;
    for (const auto& entry :
         fs::directory_iterator(fs::path(ZELIDOR_SOURCE_DIR) / "tests/engine/scripts")) {
        if (entry.path().extension() == ".zdt") {
            files.insert(entry.path());
        }
    }
    std::vector<Case> all;
    for (const fs::path& file : files) {
        std::vector<Case> cases = readFixtureFile(file);
        all.insert(all.end(), cases.begin(), cases.end());
    }
    return all;
}

std::string setting(const Case& c, const char* key, const char* fallback = "") {
    return c.settings.contains(key) ? c.settings.at(key) : fallback;
}

void applySettings(EngineHarness& h, const Case& c) {
    h.settings.listOnly = setting(c, "listOnly") == "yes";
    h.settings.takeOnlyListed = setting(c, "takeOnlyListed") == "yes";
    h.settings.openInBrowser = setting(c, "openInBrowser") == "yes";
    h.settings.scriptErrorFlag = std::stoi(setting(c, "scriptErrorFlag", "0"));
    std::istringstream types(setting(c, "importTypes"));
    for (std::string type; std::getline(types, type, ',');) {
        h.settings.importTypes.push_back(trimBlanks(type));
    }
    h.fallback = setting(c, "unlistedAnswer") == "Retry" ? Answer::Retry : Answer::Cancel;
    if (std::string failure = setting(c, "saveFailure"); !failure.empty()) {
        h.saveFailure = failure;
    }
    if (std::string blocked = setting(c, "blockedWorkFile"); !blocked.empty()) {
        fs::remove(h.dir / "TempDir" / blocked);
        fs::create_directories(h.dir / "TempDir" / blocked / "in-the-way");
    }
}

// What the run did, without the frame every run shares (the listing fetch, the status line,
// the completion label), which "end" covers; the application folder is written <app>.
std::vector<std::string> conversation(const EngineHarness& h, const ChannelDayResult& result) {
    std::vector<std::string> events;
    bool listingSeen = false;
    for (const std::string& event : h.events) {
        if (!listingSeen && event == "fetch " + result.webQueryUrl) {
            listingSeen = true;
        } else if (!event.starts_with("status ") && !event.starts_with("completion ")) {
            events.push_back(replaceAll(event, h.dir.path().string(), "<app>"));
        }
    }
    return events;
}

std::string howItEnded(const ChannelDayResult& result, const EngineHarness& h) {
    if (!result.scriptValid) {
        return "invalid";
    }
    if (!result.listingFetched) {
        return "not-fetched";
    }
    if (result.lineBudgetExhausted) {  // ended like an endless loop, by lines or by text
        return result.linesDispatched > ScriptEngine::kLineBudget ? "line-budget" : "text-budget";
    }
    if (result.cancelled) {
        return "cancelled";
    }
    bool shown = std::find(h.events.begin(), h.events.end(), "completion Download Completato !") !=
                 h.events.end();
    return result.completed && shown ? "completed" : "ended without completion";
}

// The saved row as JSON, against the expected record with its unnamed columns filled in.
void expectRecords(const std::vector<json>& records, const std::vector<ProgrammeRow>& rows) {
    ASSERT_EQ(rows.size(), records.size()) << "number of saved programmes";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        json actual = rowToJson(rows[i]);
        json expected = actual;
        for (auto& [key, value] : expected.items()) {
            bool optional = key == "Data" || key == "Palinsesto" || key == "Numerazione";
            if (records[i].contains(key) || !optional) {
                value = records[i].value(key, json());
            }
        }
        EXPECT_EQ(actual.dump(), expected.dump()) << "programme " << i + 1;
        for (const auto& [key, value] : records[i].items()) {
            EXPECT_TRUE(actual.contains(key)) << "no column " << key;
        }
    }
}

class ScriptFixture : public testing::TestWithParam<Case> {};

TEST_P(ScriptFixture, RunsAsExpected) {
    const Case& c = GetParam();
    EngineHarness h;
    applySettings(h, c);
    if (c.exampleDay) {
        serveFormatExample(h.pages);
    }
    for (const auto& [address, body] : c.pages) {
        h.pages.addPage(address, body);
    }
    for (const std::string& event : c.events) {
        if (event.starts_with("ask ") || event.starts_with("failure ")) {
            h.answers.push_back(event.ends_with("-> Retry") ? Answer::Retry : Answer::Cancel);
        }
    }
    std::string scriptName = setting(c, "script", "Canale 5.zdr");
    std::string day = setting(c, "day", "20021205");
    ChannelDayResult result = setting(c, "builtin") == "yes" ? h.runBuiltin(scriptName, day)
                                                             : h.run(c.script, scriptName, day);

    EXPECT_EQ(conversation(h, result), c.events);
    EXPECT_EQ(howItEnded(result, h), c.end);
    for (const auto& [number, value] : c.variables) {
        EXPECT_EQ(h.engine.variables().get(number), value) << "variable " << number;
    }
    for (const auto& [field, value] : c.fields) {
        EXPECT_EQ(h.fields[field], value) << "field " << static_cast<int>(field);
    }
    expectRecords(c.records, h.rows);
}

std::string caseName(const testing::TestParamInfo<Case>& info) {
    std::string name = info.param.file.substr(0, info.param.file.find('.')) + "_" + info.param.name;
    for (char& c : name) {
        c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Scripts, ScriptFixture, testing::ValuesIn(readFixtureFolder()), caseName);

}  // namespace
}  // namespace zelidor::test
