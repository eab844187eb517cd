// The zelidor-cli program run as a child process, as a user or a script author calls it: exit
// codes and reasons, help, and what download, types and run-script produce.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <nlohmann/json.hpp>

#include "app_folder.h"
#include "common/text.h"
#include "config/config_store.h"
#include "engine/programme_store.h"
#include "samplesite/expected_records.h"
#include "samplesite/sample_site.h"
#include "samplesite/site_address.h"
#include "support/local_server.h"

extern char** environ;

namespace zelidor::test {
namespace {

struct CliOutcome {
    int exitCode = -1;  // -1 when the program did not exit normally
    std::string out, err;
};

// Runs zelidor-cli with the arguments and an empty standard input, collecting both outputs.
CliOutcome runCli(const std::vector<std::string>& arguments) {
    // Outputs go to files rather than pipes, so a chatty child can never block on a full pipe.
    TempDir outputs;
    const std::string outFile = (outputs / "out").string();
    const std::string errFile = (outputs / "err").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT, 0600);

    std::vector<std::string> words{ZELIDOR_CLI};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);

    pid_t child = 0;
    int failed = posix_spawn(&child, ZELIDOR_CLI, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) {
        throw std::runtime_error("cannot start " + std::string(ZELIDOR_CLI));
    }
    int status = 0;
    waitpid(child, &status, 0);
    return CliOutcome{WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(outFile),
                      readFile(errFile)};
}

using nlohmann::json;
using samplesite::DownloadMode;

const ChannelInfo& canale5() {
    return *findChannelByScriptName("Canale 5.zdr");
}

std::string lastLine(std::string text) {
    if (text.ends_with('\n')) {
        text.pop_back();
    }
    return text.substr(text.rfind('\n') + 1);
}

std::vector<std::string> kinds(const json& events) {
    std::vector<std::string> out;
    for (const json& event : events) {
        out.push_back(event["kind"]);
    }
    return out;
}

json rowJson(const ProgrammeRow& row) {
    auto text = [](const std::optional<std::string>& t) {
        return t ? json(latin1ToUtf8(*t)) : json(nullptr);
    };
    auto number = [](const std::optional<std::int64_t>& n) { return n ? json(*n) : json(nullptr); };
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

class CliProgram : public testing::Test {
  protected:
    void SetUp() override { ::setenv("no_proxy", "127.0.0.1", 1); }

    CliOutcome cli(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"--app-folder", app.path().string()});
        return runCli(arguments);
    }

    json runScriptJson(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), "run-script");
        arguments.insert(arguments.end(), {"--day", "20021205", "--json"});
        CliOutcome outcome = cli(arguments);
        EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
        return json::parse(outcome.out);  // exactly one JSON object, nothing after it
    }

    AppFolder app;
};

TEST_F(CliProgram, EveryCommandExplainsItself) {
    using Words = std::vector<std::string>;
    for (Words command : {Words{}, Words{"download"}, Words{"types"}, Words{"types", "list"},
                          Words{"types", "add"}, Words{"types", "remove"}, Words{"run-script"}}) {
        std::string usage = "Usage: zelidor-cli";
        for (const std::string& word : command) {
            usage += " " + word;
        }
        command.push_back("--help");
        CliOutcome outcome = runCli(command);
        EXPECT_EQ(outcome.exitCode, 0) << usage;
        EXPECT_NE(outcome.out.find(usage + " "), std::string::npos) << outcome.out;
    }
}

TEST_F(CliProgram, DownloadFillsTheDatabaseFromTheBundledSite) {
    CliOutcome outcome = cli(
        {"download", "--channel", "Canale 5", "--from", "20021228", "--days", "2", "--list-only"});

    EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_EQ(outcome.out,
              "Network : Canale 5.zdr   Day : 28/12/2002 Import Complete...\n"
              "Network : Canale 5.zdr   Day : 29/12/2002 Import Complete...\n");
    ProgrammeStore store(ProgrammeStore::defaultFile(app.path()));
    for (const char* stamp : {"20021228", "20021229"}) {
        const Day day = *Day::parse(stamp);
        EXPECT_EQ(store.channelDay(day.number(), "Canale 5").size(),
                  samplesite::expectedRecords(canale5(), day, "", DownloadMode::ListOnly).size());
    }
}

TEST_F(CliProgram, FailuresExitNonZeroWithAOneLineReason) {
    const std::string closed = "127.0.0.1:" + std::to_string(closedPort());
    struct Case {
        std::vector<std::string> arguments;
        std::string reason;
    };
    const Case cases[] = {
        {{"download", "--days", "3", "--all"},
         "zelidor-cli: --days: 3 not in {1,2,7} (see --help)"},
        {{"download", "--channel", "Rete 5"},
         "zelidor-cli: no channel 'Rete 5' in " + (app / "TV").string()},
        {{"--app-folder", (app / "gone").string(), "download", "--all"},
         "zelidor-cli: application folder " + (app / "gone").string() + " does not exist"},
        {{"download", "--channel", "Canale 5", "--from", "20021205"},
         "zelidor-cli: Canale 5 05/12/2002: the listing page could not be fetched (1 of 1 "
         "channel-days failed)"},
    };
    ConfigStore(app.path()).setText(ConfigField::ListingsHost, closed);
    for (const Case& c : cases) {
        CliOutcome outcome =
            c.arguments[0] == "--app-folder" ? runCli(c.arguments) : cli(c.arguments);
        EXPECT_NE(outcome.exitCode, 0) << c.reason;
        EXPECT_EQ(lastLine(outcome.err), c.reason) << outcome.err;
    }
}

TEST_F(CliProgram, TypesAreKeptInTheSettingsFile) {
    EXPECT_EQ(cli({"types", "add", "Film"}).exitCode, 0);
    EXPECT_EQ(cli({"types", "add", "Attualit\xC3\xA0"}).exitCode, 0);
    EXPECT_EQ(cli({"types", "remove", "film"}).exitCode, 0);  // letter case ignored
    EXPECT_EQ(cli({"types", "list"}).out, "Attualit\xC3\xA0\n");
    CliOutcome missing = cli({"types", "remove", "Sport"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, "zelidor-cli: no listed type 'Sport'\n");
}

TEST_F(CliProgram, RunScriptGivesTheRecordsAndWhatTheRunDidInOrder) {
    samplesite::SampleSite site;
    site.start();
    const Day day = *Day::parse("20021205");
    json result = runScriptJson({"--builtin", "Canale 5.zdr", "--host", site.host()});

    auto rows = samplesite::expectedRecords(canale5(), day, site.host(), DownloadMode::WithDetails);
    ASSERT_EQ(result["records"].size(), rows.size());
    // Each programme: its detail page, then its poster and the cover filed from it.
    std::vector<std::string> expectedKinds = {"fetch", "status"};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(result["records"][i], rowJson(rows[i]));
        expectedKinds.push_back("fetch");
        if (rows[i].cover) {
            expectedKinds.insert(expectedKinds.end(), {"fetch", "cover"});
        }
    }
    expectedKinds.push_back("done");
    const json& events = result["events"];
    EXPECT_EQ(kinds(events), expectedKinds);
    EXPECT_EQ(events[0], json({{"kind", "fetch"},
                               {"ok", true},
                               {"file", "html.txt"},
                               {"url", samplesite::listingAddress(site.host(), canale5(), day)}}));
    EXPECT_EQ(events.back()["text"], "Download Completato !");
    EXPECT_TRUE(result["variables"].is_object());
    EXPECT_EQ(result.size(), 3u);
}

TEST_F(CliProgram, RunScriptAnswersTheQuestionsInTurnAndTracesEveryLine) {
    samplesite::SampleSite site;
    site.start();
    // Both searches run before any page line was read: each is a general script failure.
    auto script = [&](const std::string& host) {
        writeFile(app / "broken.zdr",
                  "#WEBQUERY#=http://" + host + std::string(listingQueryTemplate(canale5())) +
                      "\n#DOWNLOADINFO#\n#FIND#=abc#01#\n#PUT#=went on#02#\n#FIND#=abc#03#\n"
                      "#PUT#=never#04#\n#ENDDOWNLOADINFO#\n");
        return (app / "broken.zdr").string();
    };
    json broken = runScriptJson({script(site.host()), "--answers", "retry,cancel", "--trace"});

    const json& events = broken["events"];
    EXPECT_EQ(kinds(events), (std::vector<std::string>{"fetch", "status", "line", "question",
                                                       "line", "line", "question"}));
    EXPECT_EQ(events[3]["text"], "General Script Failure, Check Script's Line n\xC2\xB0 : 3");
    EXPECT_EQ(events[3]["answer"], "retry");
    EXPECT_EQ(events[4]["changes"], json({{"02", "went on"}}));
    EXPECT_EQ(events[6]["text"], "General Script Failure, Check Script's Line n\xC2\xB0 : 5");
    EXPECT_EQ(events[6]["answer"], "cancel");
    EXPECT_EQ(broken["variables"], json({{"02", "went on"}}));
    EXPECT_TRUE(broken["records"].empty());

    const std::string closed = "127.0.0.1:" + std::to_string(closedPort());
    json unreachable = runScriptJson({script(closed)});
    EXPECT_EQ(kinds(unreachable["events"]), (std::vector<std::string>{"fetch", "log"}));
    EXPECT_EQ(unreachable["events"][1]["text"],
              "ERRORE DI CONNESSIONE AL SITO " +
                  samplesite::listingAddress(closed, canale5(), *Day::parse("20021205")));

    json invalid = runScriptJson({"--builtin", "Rete 5.zdr"});
    EXPECT_EQ(kinds(invalid["events"]), (std::vector<std::string>{"message", "message"}));
    EXPECT_EQ(invalid["events"][1]["text"], "The Script : Rete 5.zdr IS NOT a VALID SCRIPT !");
}

}  // namespace
}  // namespace zelidor::test
