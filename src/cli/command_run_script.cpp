// zelidor-cli run-script: runs one channel-day of a script for its author, into a scratch
// database, and prints the stored records and everything the run did, in order.
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>

#include "cli/answer_policy.h"
#include "cli/command.h"
#include "cli/counting_fetcher.h"
#include "cli/run_script_events.h"
#include "cli/scratch_folder.h"
#include "common/text.h"
#include "download/engine_runner.h"
#include "engine/fetch/curl_fetcher.h"
#include "engine/script_engine.h"
#include "engine/script_file.h"
#include "samplesite/embedded_hosts.h"

namespace zelidor::cli {

namespace {

struct RunScriptArguments {
    std::string file;
    std::string builtin;
    std::string name;
    std::string day;
    std::string host = "sample";
    std::string answers;
    bool listOnly = false;
    std::string onlyListed;
    int scriptErrorFlag = 0;
    bool trace = false;
    bool json = false;
};

// The settings of a script author's run: given on the command line, nothing read from disk,
// no update check.
class GivenSettings : public EngineSettings {
  public:
    GivenSettings(const RunScriptArguments& args, std::string host)
        : args_(args), host_(std::move(host)) {
        std::string list = utf8ToLatin1(args.onlyListed);
        for (std::size_t start = 0; !list.empty() && start <= list.size();) {
            std::size_t comma = list.find(',', start);
            types_.push_back(list.substr(start, comma - start));
            start = comma == std::string::npos ? list.size() + 1 : comma + 1;
        }
    }
    bool listOnly() const override { return args_.listOnly; }
    bool takeOnlyListed() const override { return !args_.onlyListed.empty(); }
    std::vector<std::string> importTypes() const override { return types_; }
    bool openListingInBrowser() const override { return false; }
    int scriptErrorFlag() const override { return args_.scriptErrorFlag; }
    bool checkUpdate() const override { return false; }
    std::string listingsHost() const override { return host_; }
    std::string updateHost() const override { return host_; }

  private:
    const RunScriptArguments& args_;
    std::string host_;
    std::vector<std::string> types_;
};

nlohmann::json textOrNull(const std::optional<std::string>& latin1) {
    return latin1 ? nlohmann::json(latin1ToUtf8(*latin1)) : nlohmann::json(nullptr);
}

nlohmann::json numberOrNull(const std::optional<std::int64_t>& value) {
    return value ? nlohmann::json(*value) : nlohmann::json(nullptr);
}

nlohmann::json recordJson(const ProgrammeRow& row) {
    return {{"Data", numberOrNull(row.data)},
            {"Ora", textOrNull(row.ora)},
            {"Titolo", textOrNull(row.titolo)},
            {"Link", textOrNull(row.link)},
            {"Commenti", textOrNull(row.commenti)},
            {"Cover", textOrNull(row.cover)},
            {"Palinsesto", textOrNull(row.palinsesto)},
            {"Numerazione", numberOrNull(row.numerazione)},
            {"Type", textOrNull(row.type)}};
}

std::string twoDigits(int number) {
    return std::string(1, static_cast<char>('0' + number / 10)) +
           static_cast<char>('0' + number % 10);
}

nlohmann::json eventJson(const RunEvent& event) {
    nlohmann::json out = {{"kind", event.kind}};
    for (const auto& [key, value] : event.fields) {
        out[key] = latin1ToUtf8(value);
    }
    if (event.kind == "fetch") {
        out["ok"] = event.ok;
    }
    if (event.kind == "line") {
        out["line"] = event.line;
        nlohmann::json changes = nlohmann::json::object();
        for (const auto& change : event.changes) {
            changes[twoDigits(change.number)] = latin1ToUtf8(change.value);
        }
        out["changes"] = changes;
    }
    return out;
}

nlohmann::json variablesJson(const ScriptVars& vars) {
    nlohmann::json out = nlohmann::json::object();
    for (int n = 0; n < ScriptVars::kCount; ++n) {
        if (!vars.get(n).empty()) {
            out[twoDigits(n)] = latin1ToUtf8(vars.get(n));
        }
    }
    return out;
}

void printText(const nlohmann::json& result) {
    for (const auto& event : result["events"]) {
        std::string kind = event["kind"];
        std::string line = kind;
        if (kind == "fetch") {
            line += std::string(event["ok"] ? " ok   " : " FAIL ") + std::string(event["url"]) +
                    (event["file"].get<std::string>().empty() ? "" : " -> ") +
                    std::string(event["file"]);
        } else if (kind == "line") {
            line +=
                " " + std::to_string(event["line"].get<int>()) + ": " + std::string(event["text"]);
            for (const auto& [number, value] : event["changes"].items()) {
                line += "  #" + number + "#=" + value.get<std::string>();
            }
        } else {
            if (event.contains("title")) {
                line += " [" + std::string(event["title"]) + "]";
            }
            for (const char* key : {"text", "file", "address"}) {
                if (event.contains(key)) {
                    line += " " + std::string(event[key]);
                }
            }
            if (event.contains("answer")) {
                line += " -> " + std::string(event["answer"]);
            }
        }
        std::printf("%s\n", line.c_str());
    }
    for (const auto& record : result["records"]) {
        std::printf("record %s\n", record.dump().c_str());
    }
    std::printf("variables %s\n", result["variables"].dump().c_str());
}

// A name given with --builtin or --name goes to the engine as it is: the engine decides, as the
// download window lets it, and an unknown built-in name ends as an invalid script. Only a name
// taken from a file's name is checked, because it names the channel of the records and covers.
std::string checkedScriptName(const RunScriptArguments& args) {
    if (!args.name.empty()) {
        return utf8ToLatin1(args.name);
    }
    if (!args.builtin.empty()) {
        return utf8ToLatin1(args.builtin);
    }
    std::string name = std::filesystem::path(args.file).filename().string();
    if (name.size() < 5 || foldLatin1(std::string_view(name).substr(name.size() - 4)) != ".zdr") {
        throw CommandError("the script name must end in .zdr (give it with --name)");
    }
    return utf8ToLatin1(name);
}

int runScript(const RunScriptArguments& args) {
    if (args.file.empty() == args.builtin.empty()) {
        throw CommandError("give a script FILE or --builtin NAME.zdr");
    }
    if (!Day::parse(args.day)) {
        throw CommandError("--day takes a day written YYYYMMDD");
    }
    std::vector<std::string> lines;
    if (!args.file.empty()) {
        auto loaded = loadScriptFile(args.file);
        if (!loaded) {
            throw CommandError("cannot read the script " + args.file);
        }
        lines = std::move(*loaded);
    }
    const std::string scriptName = checkedScriptName(args);
    const bool interactive = isatty(STDIN_FILENO) && isatty(STDERR_FILENO);
    RunEventLog events(AnswerPolicy::parse(args.answers.empty() ? (interactive ? "ask" : "cancel")
                                                                : args.answers));

    ScratchFolder scratch;
    samplesite::EmbeddedHosts hosts(args.host, args.host);
    GivenSettings settings(args, hosts.listingsHost());
    ProgrammeStore store(ProgrammeStore::defaultFile(scratch.path()));
    StoreSink sink(store);
    CurlFetcher curl;
    CountingFetcher fetcher(curl, [&](const std::string& url, const std::filesystem::path& file,
                                      bool ok) { events.fetched(url, file.filename(), ok); });
    ScriptEngine engine(scratch.path(),
                        EnginePorts{events, events, events, settings, fetcher, sink});
    if (args.trace) {
        engine.setTraceHook([&](const TraceStep& step) { events.traced(step); });
    }
    if (args.builtin.empty()) {
        engine.runScript(scriptName, args.day, lines);
    } else {
        engine.runBuiltinScript(scriptName, args.day);
    }

    nlohmann::json result = {{"records", nlohmann::json::array()},
                             {"events", nlohmann::json::array()},
                             {"variables", variablesJson(engine.variables())}};
    Statement query =
        store.database().prepare(std::string("SELECT ") + std::string(ProgrammeStore::kColumns) +
                                 " FROM Programmi ORDER BY rowid");
    while (query.step()) {
        result["records"].push_back(recordJson(ProgrammeStore::rowFrom(query)));
    }
    for (const RunEvent& event : events.events()) {
        result["events"].push_back(eventJson(event));
    }
    if (args.json) {
        std::printf("%s\n", result.dump(1).c_str());
    } else {
        printText(result);
    }
    return 0;
}

}  // namespace

void addRunScriptCommand(CLI::App& app, const GlobalOptions&, CommandAction& action) {
    auto args = std::make_shared<RunScriptArguments>();
    auto* cmd = app.add_subcommand(
        "run-script",
        "Run one channel-day of a channel script into a scratch database and show what it did");
    cmd->add_option("FILE", args->file, "The script file to run (its own lines)");
    cmd->add_option("--builtin", args->builtin, "Run the built-in script of NAME.zdr instead");
    cmd->add_option("--name", args->name,
                    "The script name (NAME.zdr): names the channel of the records and covers");
    cmd->add_option("--day", args->day, "The day, YYYYMMDD")->required();
    cmd->add_option("--host", args->host,
                    "Listings host[:port] for the built-in script; sample = the bundled site")
        ->capture_default_str();
    cmd->add_option("--answers", args->answers,
                    "Answers to the question boxes: retry, cancel, ask, or a list such as "
                    "retry,cancel answered in turn (then cancel)");
    cmd->add_flag("--list-only", args->listOnly, "Skip the detail sections (list only)");
    cmd->add_option("--only-listed", args->onlyListed,
                    "Detail sections only for these types (comma list)");
    cmd->add_option("--script-error-flag", args->scriptErrorFlag, "The script-error flag, 0 or 1")
        ->check(CLI::IsMember({0, 1}));
    cmd->add_flag("--trace", args->trace, "Also show every dispatched line and what it changed");
    cmd->add_flag("--json", args->json, "Print one JSON object instead of text");
    cmd->callback([&action, args] { action = [args] { return runScript(*args); }; });
}

}  // namespace zelidor::cli
