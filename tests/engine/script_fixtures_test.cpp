// Runs every case of tests/engine/scripts/*.zdt (see script_fixture.h for the format).
#include <gtest/gtest.h>

#include <cctype>

#include "common/text.h"
#include "engine_harness.h"
#include "script_fixture.h"

namespace zelidor::test {
namespace {

std::filesystem::path fixtureFolder() {
    return std::filesystem::path(ZELIDOR_SOURCE_DIR) / "tests" / "engine" / "scripts";
}

Answer answerIn(const std::string& event) {
    return event.ends_with("-> Retry") ? Answer::Retry : Answer::Cancel;
}

bool isQuestion(const std::string& event) {
    return event.starts_with("ask ") || event.starts_with("failure ");
}

void applySettings(EngineHarness& harness, const FixtureCase& fixture) {
    auto setting = [&](const std::string& key) -> std::optional<std::string> {
        auto found = fixture.settings.find(key);
        return found == fixture.settings.end() ? std::nullopt
                                               : std::optional<std::string>(found->second);
    };
    FakeSettings& s = harness.settings;
    s.listOnlyValue = setting("listOnly") == "yes";
    s.takeOnlyListedValue = setting("takeOnlyListed") == "yes";
    s.openInBrowserValue = setting("openInBrowser") == "yes";
    s.scriptErrorFlagValue = std::stoi(setting("scriptErrorFlag").value_or("0"));
    if (auto host = setting("host")) {
        s.listingsHostValue = *host;
    }
    if (auto types = setting("importTypes")) {
        std::size_t start = 0;
        while (start <= types->size()) {
            std::size_t comma = types->find(',', start);
            s.importTypesValue.push_back(trimBlanks(
                types->substr(start, comma == std::string::npos ? comma : comma - start)));
            if (comma == std::string::npos) {
                break;
            }
            start = comma + 1;
        }
    }
    harness.dialogs.fallback =
        setting("unlistedAnswer") == "Retry" ? Answer::Retry : Answer::Cancel;
}

// What the run did, without the frame every run shares (the listing fetch, the status line,
// the completion label), which "end" covers.
std::vector<std::string> conversation(const EngineHarness& harness,
                                      const ChannelDayResult& result) {
    std::vector<std::string> events;
    bool listingSeen = false;
    for (const std::string& event : harness.events()) {
        if (event.starts_with("status ") || event.starts_with("completion ")) {
            continue;
        }
        if (!listingSeen && event == "fetch " + result.webQueryUrl) {
            listingSeen = true;
            continue;
        }
        events.push_back(event);
    }
    return events;
}

std::string howItEnded(const ChannelDayResult& result, const EngineHarness& harness) {
    if (!result.scriptValid) {
        return "invalid";
    }
    if (!result.listingFetched) {
        return "not-fetched";
    }
    if (result.lineBudgetExhausted) {
        return "line-budget";
    }
    if (result.cancelled) {
        return "cancelled";
    }
    bool shown = std::find(harness.events().begin(), harness.events().end(),
                           "completion Download Completato !") != harness.events().end();
    return result.completed && shown ? "completed" : "ended without completion";
}

void expectRecords(const FixtureCase& fixture, const std::vector<ProgrammeRow>& rows) {
    ASSERT_EQ(rows.size(), fixture.records.size()) << "number of saved programmes";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        ProgrammeRow expected = fixture.records[i];
        const ProgrammeRow& actual = rows[i];
        if (!fixture.named[i].data) {
            expected.data = actual.data;
        }
        if (!fixture.named[i].palinsesto) {
            expected.palinsesto = actual.palinsesto;
        }
        if (!fixture.named[i].numerazione) {
            expected.numerazione = actual.numerazione;
        }
        EXPECT_EQ(describe(actual), describe(expected)) << "programme " << i + 1;
    }
}

class ScriptFixture : public testing::TestWithParam<FixtureCase> {};

TEST_P(ScriptFixture, RunsAsExpected) {
    const FixtureCase& fixture = GetParam();
    EngineHarness harness;
    applySettings(harness, fixture);
    for (const FixturePage& page : fixture.pages) {
        harness.pages.addPage(page.url, page.body);
    }
    for (const std::string& event : fixture.events) {
        if (isQuestion(event)) {
            harness.dialogs.answers.push_back(answerIn(event));
        }
    }
    auto setting = [&](const std::string& key, const std::string& fallback) {
        auto found = fixture.settings.find(key);
        return found == fixture.settings.end() ? fallback : found->second;
    };
    std::string scriptName = setting("script", "Canale 5.zdr");
    std::string day = setting("day", "20021205");
    ChannelDayResult result = setting("builtin", "no") == "yes"
                                  ? harness.runBuiltin(scriptName, day)
                                  : harness.run(fixture.script, scriptName, day);

    EXPECT_EQ(conversation(harness, result), fixture.events);
    EXPECT_EQ(howItEnded(result, harness), fixture.end);
    EXPECT_TRUE(harness.dialogs.badTitles.empty()) << harness.dialogs.badTitles.front();
    for (const auto& [number, value] : fixture.variables) {
        EXPECT_EQ(harness.engine.variables().get(number), value) << "variable " << number;
    }
    for (const auto& [field, value] : fixture.fields) {
        EXPECT_EQ(harness.display.fields[field], value) << "field " << static_cast<int>(field);
    }
    expectRecords(fixture, harness.sink.rows);
}

std::string caseName(const testing::TestParamInfo<FixtureCase>& info) {
    std::string name = info.param.file.substr(0, info.param.file.find('.')) + "_" + info.param.name;
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) {
            c = '_';
        }
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Scripts, ScriptFixture,
                         testing::ValuesIn(readFixtureFolder(fixtureFolder())), caseName);

}  // namespace
}  // namespace zelidor::test
