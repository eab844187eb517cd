// The channel script engine: runs the script of one channel for one day against the listings
// site and saves the programmes it finds.
//
// One ScriptEngine lives for the whole program run (the download driver and the command line
// each hold one). It is single-threaded: construct it, call startSession() when a download run
// begins, then run one channel-day at a time. The script variables #00#-#50# survive from one
// channel-day to the next, as scripts expect; the programme record does not.
//
// Files: the engine works in AppFolder/TempDir (html.txt, html1.txt, FileWebB.txt, FileWeb.txt,
// buffercover.jpg) and files covers in AppFolder/covers; both folders are created when missing.
//
// What the engine tells the world goes through the ports: the download window's fields, status
// and log (EngineDisplay), message and question boxes (Dialogs), the browser (Desktop), the
// settings it reads while it runs (EngineSettings), pages (PageFetcher) and saved programmes
// (ProgrammeSink).
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/dialogs.h"
#include "engine/ports.h"
#include "engine/script_vars.h"

namespace zelidor {

struct EnginePorts {
    EngineDisplay& display;
    Dialogs& dialogs;
    Desktop& desktop;
    const EngineSettings& settings;
    PageFetcher& fetcher;
    ProgrammeSink& sink;
};

// How one channel-day ended.
struct ChannelDayResult {
    bool scriptValid = false;          // the script has a web query line
    bool listingFetched = false;       // the listing page arrived and was prepared for reading
    bool completed = false;            // both passes ran to their end ("Download Completato !")
    bool cancelled = false;            // Cancel on the general script failure ended the run
    bool lineBudgetExhausted = false;  // the script went past the line or the text budget
    int saveCounter = 0;               // programmes numbered by #SAVEDATA# (Numerazione)
    int programmesStored = 0;          // of those, the ones the sink accepted
    std::uint64_t linesDispatched = 0;
    std::string webQueryUrl;  // the listing address after the day was put into it
};

// One dispatched instruction line, for script authors' traces.
struct VariableChange {
    int number;         // 0 to 50
    std::string value;  // the new text
};
struct TraceStep {
    int line;  // script line number
    std::string text;
    // Variables whose text this line changed, not counting lines it ran itself (the lines of
    // an #IF# block or a #REPEAT# loop are steps of their own and follow it).
    std::vector<VariableChange> changes;
};
using TraceHook = std::function<void(const TraceStep&)>;

class ScriptMachine;

class ScriptEngine {
  public:
    // More dispatched lines than this in one channel-day means a script that loops for ever:
    // the run ends with the general script failure.
    static constexpr std::uint64_t kLineBudget = 1'000'000;
    // The same for text: a line costs in proportion to the texts it handles, so a loop over
    // large texts could run for hours within the line budget. More bytes than this handled by
    // one channel-day's blocks (pages read again from their top, downloads of instructions,
    // texts handed to and taken from variables, page lines searched, script lines scanned,
    // posters decoded) ends the run the same way. Reading a page on, however large, costs
    // nothing; the built-in script on a listing day with detail pages needs about a hundredth
    // of it, and a million short lines about a third.
    static constexpr std::uint64_t kTextBudget = std::uint64_t{256} << 20;

    ScriptEngine(const std::filesystem::path& appFolder, EnginePorts ports);
    ~ScriptEngine();
    ScriptEngine(const ScriptEngine&) = delete;
    ScriptEngine& operator=(const ScriptEngine&) = delete;

    // A download run begins: the session byte counter goes back to 0 and its clock starts.
    void startSession();

    // Runs the built-in script of scriptName ("Canale 5.zdr") for dayStamp ("yyyymmdd"). A name
    // that is not a built-in channel shows "NIENTE" and then the invalid-script message.
    // Throws std::invalid_argument when dayStamp is not a valid "yyyymmdd" day.
    ChannelDayResult runBuiltinScript(const std::string& scriptName, const std::string& dayStamp);

    // Runs the given script lines (line 1 first; lines past 5000 are ignored) as the script of
    // scriptName, which names the channel of the saved programmes and covers.
    ChannelDayResult runScript(const std::string& scriptName, const std::string& dayStamp,
                               const std::vector<std::string>& scriptLines);

    // The script variables as the last run left them.
    const ScriptVars& variables() const;

    // Called for every dispatched instruction line; an empty hook switches tracing off.
    void setTraceHook(TraceHook hook);

  private:
    std::unique_ptr<ScriptMachine> machine_;
};

}  // namespace zelidor
