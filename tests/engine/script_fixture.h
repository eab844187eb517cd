// Script fixtures: small channel scripts with the pages they read and, beside them, what a run
// must do, read from tests/engine/scripts/*.zdt. A file holds one or more cases:
//
//   === case <name>
//   <script lines; line 1 is the line after the case header>
//   // expect: <expectation>          (a script line starting with // is blanked, so line
//                                       numbers in messages stay those of the file's case)
//   === page <url>                    (body lines, joined with LF and ended with LF)
//   === page-crlf <url>               (joined and ended with CR LF)
//   === page-raw <url>                (joined with LF, no line end after the last line)
//   === picture <url>                 (a small real JPEG)
//   === settings                      (key = value: script, day, builtin, listOnly,
//                                       takeOnlyListed, importTypes, scriptErrorFlag,
//                                       openInBrowser, host, unlistedAnswer)
//
// Expectations, in the order things happen: events as EventLog writes them ("ask <text> ->
// Retry", "failure 9 -> Cancel", "message ...", "log ...", "fetch ...", "open ...", "cover ...",
// "poster", "main-status ..."); the answers given are those of the ask/failure lines. The
// listing's own fetch, the status line and the completion label are not listed: "end <how>"
// states how the run ended (completed, the default; cancelled; line-budget; not-fetched;
// invalid). After the run: "var 01 = <json string>", "field Title = <json string>",
// "record <json object>" (one per saved row, in order; text columns not named must be null;
// Data, Palinsesto and Numerazione are checked when named).
//
// Files are UTF-8 and are turned into Latin-1, the engine's text.
#pragma once

#include <filesystem>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "engine/ports.h"
#include "engine/programme_store.h"

namespace zelidor::test {

struct FixturePage {
    std::string url;
    std::string body;
};

struct FixtureCase {
    std::string file;
    std::string name;
    std::vector<std::string> script;
    std::vector<FixturePage> pages;
    std::map<std::string, std::string> settings;

    std::vector<std::string> events;
    std::string end = "completed";
    std::map<int, std::string> variables;
    std::map<RecordField, std::string> fields;
    std::vector<ProgrammeRow> records;
    // Which optional columns each expected record names.
    struct Named {
        bool data = false;
        bool palinsesto = false;
        bool numerazione = false;
    };
    std::vector<Named> named;
};

// gtest names a failing case by file and name.
void PrintTo(const FixtureCase& fixture, std::ostream* out);

std::vector<FixtureCase> readFixtureFile(const std::filesystem::path& file);
std::vector<FixtureCase> readFixtureFolder(const std::filesystem::path& folder);

}  // namespace zelidor::test
