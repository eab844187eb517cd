// zelidor-cli as a user or a script author calls it: help, exit codes and reasons, and what
// download, types and run-script produce.
#include <nlohmann/json.hpp>

#include "cli_app.h"
#include "common/text.h"
#include "config/config_store.h"
#include "samplesite/expected_records.h"
#include "samplesite/sample_site.h"
#include "samplesite/site_address.h"
#include "support/format_example.h"
#include "support/local_server.h"

namespace zelidor::test {
namespace {

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

json runScriptJson(const std::filesystem::path& app, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "run-script");
    arguments.insert(arguments.end(), {"--day", "20021205", "--json"});
    ProcessEnd end = runCli(app, arguments);
    EXPECT_EQ(end.exitCode, 0) << end.err;
    return json::parse(end.out);  // exactly one JSON object, nothing after it
}

TEST_F(CliProgram, EveryCommandExplainsItself) {
    using Words = std::vector<std::string>;
    for (Words command :
         {Words{}, Words{"download"}, Words{"types"}, Words{"types", "list"}, Words{"types", "add"},
          Words{"types", "remove"}, Words{"run-script"}, Words{"channels"}, Words{"card"},
          Words{"report"}, Words{"search"}, Words{"monitor"}, Words{"compact"}}) {
        std::string usage = "Usage: zelidor-cli";
        for (const std::string& word : command) {
            usage += " " + word;
        }
        command.push_back("--help");
        ProcessEnd end = run(command);
        EXPECT_EQ(end.exitCode, 0) << usage;
        EXPECT_NE(end.out.find(usage + " "), std::string::npos) << end.out;
    }
    ProcessEnd help = run({"--help"});
    for (const char* command : {"download", "types", "channels", "card", "report", "search",
                                "monitor", "compact", "run-script"}) {
        EXPECT_NE(help.out.find(std::string("\n  ") + command + " "), std::string::npos) << command;
    }
    ProcessEnd report = run({"report", "--help"});
    EXPECT_NE(report.out.find("'Tutti i Tipi' for every type"), std::string::npos);
    EXPECT_NE(report.out.find("'documentari', 'Ragazzi', 'Sport'"), std::string::npos);
}

// A failure the user must fix is one line on standard error naming it, with exit code 1; a
// download that could not fetch a channel-day ends with 3 after its summary.
TEST_F(CliProgram, FailuresExitNonZeroWithAOneLineReason) {
    TempDir bare;  // a fresh installation without templates: no card is chosen
    bare.makeAppFolders();
    std::filesystem::copy(app / "TV", bare / "TV");
    ConfigStore(app.path())
        .setText(ConfigField::ListingsHost, "127.0.0.1:" + std::to_string(closedPort()));
    const std::string ours = app.path().string();
    struct Case {
        std::vector<std::string> arguments;
        int exitCode;
        std::string reason;
        std::filesystem::path folder = {};  // the fixture's unless given
    };
    const Case cases[] = {
        {{"download", "--days", "3", "--all"}, 1, "--days: 3 not in {1,2,7} (see --help)"},
        {{"download", "--all", "--sideways"},
         1,
         "The following argument was not expected: --sideways (see --help)"},
        {{"download", "--channel", "Rete 5"}, 1, "no channel 'Rete 5' in " + ours + "/TV"},
        {{"download", "--all"},
         1,
         "application folder " + ours + "/gone does not exist",
         app / "gone"},
        {{"download", "--channel", "Canale 5", "--from", "20021205"},
         3,
         "Canale 5 05/12/2002: the listing page could not be fetched (1 of 1 channel-days "
         "failed)"},
        {{"card", "--channel", "Canale 5", "--template", "nope.htm"},
         1,
         "no card template 'nope.htm' in " + ours + "/htmlcards (there are: linee.htm)"},
        {{"card", "--channel", "Canale 5", "--day", "20240230"},
         1,
         "--day takes today or a day written YYYYMMDD, not '20240230'"},
        {{"card", "--channel", "Zeta"},
         1,
         "no channel 'Zeta' in " + ours + "/TV (see zelidor-cli channels)"},
        {{"card", "--channel", "Canale 5", "-o", ours + "/missing/page.htm"},
         1,
         "cannot write the page to " + ours + "/missing/page.htm"},
        {{"card", "--channel", "Canale 5"},
         1,
         "Non e' stata selezionata nessuna CARD!",
         bare.path()},
        {{"search", "x", "--day", "5/1/2024"},
         1,
         "--day takes today or a day written YYYYMMDD, not '5/1/2024'"},
        {{"monitor", "remove", "film"}, 1, "no watched word 'film'"},
        {{"types", "remove", "Sport"}, 1, "no listed type 'Sport'"},
    };
    for (const Case& c : cases) {
        ProcessEnd end = runCli(c.folder.empty() ? app.path() : c.folder, c.arguments);
        EXPECT_EQ(end.exitCode, c.exitCode) << c.reason;
        EXPECT_TRUE(lastLine(end.err).ends_with(": " + c.reason)) << end.err;
        EXPECT_TRUE(c.exitCode == 3 || lineCount(end.err) == 1) << end.err;
    }
}

// Users write the program's own options after the subcommand as often as before it.
TEST_F(CliProgram, TheAppFolderMayFollowTheSubcommand) {
    auto after = [&](std::vector<std::string> args) {
        args.insert(args.end(), {"--app-folder", app.path().string()});
        return ChildProcess(builtProgram("zelidor-cli"), std::move(args)).wait();
    };
    ProcessEnd channels = after({"channels"});
    EXPECT_EQ(channels.exitCode, 0) << channels.err;
    EXPECT_EQ(lineCount(channels.out), 3u) << channels.out;
    ProcessEnd added = after({"monitor", "add", "Film"});  // a subcommand of a subcommand
    EXPECT_EQ(added.exitCode, 0) << added.err;
    EXPECT_EQ(run({"monitor", "list"}).out, "Film\n");
}

// The bundled site is served on the port the settings remember, so that the stored web links
// open later while the desktop program serves the site on the same port.
TEST_F(CliProgram, DownloadFillsTheDatabaseFromTheBundledSite) {
    const int port = closedPort();
    ConfigStore(app.path()).setNumber(ConfigField::SamplePort, port);
    ProcessEnd outcome = run(
        {"download", "--channel", "Canale 5", "--from", "20021228", "--days", "2", "--list-only"});

    EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_EQ(outcome.out,
              "Network : Canale 5.zdr   Day : 28/12/2002 Import Complete...\n"
              "Network : Canale 5.zdr   Day : 29/12/2002 Import Complete...\n");
    ProgrammeStore store(ProgrammeStore::defaultFile(app.path()));
    for (const char* stamp : {"20021228", "20021229"}) {
        const Day day = *Day::parse(stamp);
        auto rows = store.channelDay(day.number(), "Canale 5");
        EXPECT_EQ(rows.size(),
                  samplesite::expectedRecords(canale5(), day, "", DownloadMode::ListOnly).size());
        ASSERT_FALSE(rows.empty());
        EXPECT_TRUE(rows[0].link->starts_with("http://127.0.0.1:" + std::to_string(port) + "/"))
            << *rows[0].link;
    }
    EXPECT_EQ(ConfigStore(app.path()).read().samplePort, port);
}

TEST_F(CliProgram, TypesAreKeptInTheSettingsFile) {
    EXPECT_EQ(run({"types", "add", "Film"}).exitCode, 0);
    EXPECT_EQ(run({"types", "add", "Attualit\xC3\xA0"}).exitCode, 0);
    EXPECT_EQ(run({"types", "remove", "film"}).exitCode, 0);  // letter case ignored
    EXPECT_EQ(run({"types", "list"}).out, "Attualit\xC3\xA0\n");
}

TEST_F(CliProgram, RunScriptGivesTheRecordsAndWhatTheRunDidInOrder) {
    samplesite::SampleSite site;
    site.start();
    const Day day = *Day::parse("20021205");
    json result = runScriptJson(app.path(), {"--builtin", "Canale 5.zdr", "--host", site.host()});

    auto rows = samplesite::expectedRecords(canale5(), day, site.host(), DownloadMode::WithDetails);
    ASSERT_EQ(result["records"].size(), rows.size());
    // Each programme: its detail page, then its poster and the cover filed from it.
    std::vector<std::string> expectedKinds = {"fetch", "status"};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(result["records"][i], rowToJson(rows[i]));
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
    json broken =
        runScriptJson(app.path(), {script(site.host()), "--answers", "retry,cancel", "--trace"});

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
    json unreachable = runScriptJson(app.path(), {script(closed)});
    EXPECT_EQ(kinds(unreachable["events"]), (std::vector<std::string>{"fetch", "log"}));
    EXPECT_EQ(unreachable["events"][1]["text"],
              "ERRORE DI CONNESSIONE AL SITO " +
                  samplesite::listingAddress(closed, canale5(), *Day::parse("20021205")));

    // An unknown built-in name, and one the table spells with other letter case, end as the
    // download window ends them: "NIENTE", then the invalid script.
    for (const std::string name : {"Rete 5.zdr", "Canale 5.ZDR"}) {
        json invalid = runScriptJson(app.path(), {"--builtin", name});
        EXPECT_EQ(kinds(invalid["events"]), (std::vector<std::string>{"message", "message"}));
        EXPECT_EQ(invalid["events"][0]["text"], "NIENTE");
        EXPECT_EQ(invalid["events"][1]["text"],
                  "The Script : " + name + " IS NOT a VALID SCRIPT !");
    }
}

}  // namespace
}  // namespace zelidor::test
