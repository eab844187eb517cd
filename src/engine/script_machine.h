// The engine's machinery behind ScriptEngine: the state, the ports, the page files and the
// helpers every instruction handler shares (operands, references, the question box).
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/engine_state.h"
#include "engine/fetch/transfer_meter.h"
#include "engine/page_files.h"
#include "engine/script_engine.h"
#include "engine/script_failure.h"
#include "engine/script_operands.h"

namespace zelidor {

struct EnginePaths {
    explicit EnginePaths(const std::filesystem::path& appFolder);

    std::filesystem::path appFolder;
    std::filesystem::path tempDir;
    std::filesystem::path listingRaw;    // TempDir/html.txt
    std::filesystem::path listingLines;  // TempDir/html1.txt
    std::filesystem::path detailRaw;     // TempDir/FileWebB.txt
    std::filesystem::path detailLines;   // TempDir/FileWeb.txt
    std::filesystem::path posterBuffer;  // TempDir/buffercover.jpg
    std::filesystem::path coversDir;     // covers/
};

// Title of the boxes that instructions show.
inline constexpr const char* kInstructionBoxTitle = "Script Engine Information";

class ScriptMachine {
  public:
    ScriptMachine(const std::filesystem::path& appFolder, EnginePorts ports);

    void startSession();
    // RunChannelScript: one channel-day with the built-in script (scriptLines null) or with
    // the given lines.
    ChannelDayResult runChannelScript(const std::string& scriptName, const std::string& dayStamp,
                                      const std::vector<std::string>* scriptLines);
    void setTraceHook(TraceHook hook) { traceHook_ = std::move(hook); }

    // ---- for the instruction handlers ----
    EngineState& state() { return state_; }
    const EngineState& state() const { return state_; }
    EnginePorts& ports() { return ports_; }
    const EnginePaths& paths() const { return paths_; }
    PageFiles& pages() { return pages_; }

    // DispatchScriptLine: runs the instruction of the current line, if it holds one.
    void dispatch();

    const std::string& currentLine() const { return state_.lines.text(state_.curLine); }
    // Moves CurLine line by line, while it is before the last line, to the next line that
    // contains marker (any case); true when one was found, otherwise CurLine ends on the last
    // line. Lines are only looked at, never run.
    bool advanceToLineContaining(std::string_view marker);
    // The current instruction's operand from KeywordPos + offset.
    std::string_view operand(std::size_t offset) const;
    // "Line : " + CurLine, the end of every instruction box text.
    std::string lineSuffix() const;
    // The instruction box (Retry and Cancel); the answer is kept in MsgAnswer.
    Answer ask(const std::string& text);
    // An incomplete instruction: its message in the box, then StopRun, and on Cancel the end
    // of the running loop and block.
    void reportIncomplete(std::string_view message);
    void leaveBlocksOn(Answer answer);
    // The value of a variable named by a complete reference.
    const std::string& variable(const VariableReference& reference) const {
        return state_.vars.get(reference.number);
    }
    // Cursor as the column a search starts from; a cursor that is not a whole number of at
    // least 1 is a run-time failure.
    std::size_t cursorColumn() const;
    // Fetches url into file, feeding the transfer counters. False when the address cannot be
    // opened; the file is then empty. An empty address is one that cannot be opened.
    bool download(const std::string& url, const std::filesystem::path& file);
    // The same, telling a body that broke off from a whole one.
    Delivery deliver(const std::string& url, const std::filesystem::path& file);
    // #SAVEDATA# tells how many programmes the sink accepted.
    void countStoredProgramme() { ++stored_; }
    // Work on texts that the variables, page files and script lines do not count themselves,
    // charged against the text budget (see ScriptEngine::kTextBudget).
    void chargeText(std::size_t bytes) { textCharged_ += bytes; }

  private:
    enum class BlocksEnd { Completed, Cancelled, LineBudget };

    void beginChannelDay(const std::string& scriptName, const std::string& dayStamp);
    void checkForUpdateOnce();
    void loadScript(const std::vector<std::string>* scriptLines);
    void findWebQuery();
    bool fetchListing(ChannelDayResult& result);
    BlocksEnd executeScriptBlocks();
    bool runPass(std::string_view opener, std::string_view closer);
    template <class Step>
    bool guarded(Step&& step);
    bool askGeneralFailure();
    void reportUnexpected(const std::string& what, int code);
    std::uint64_t textHandled() const;

    struct TraceFrame {
        int line;
        std::string text;
        std::array<std::string, ScriptVars::kCount> before;
        bool emitted = false;
    };
    void traceStart();
    void traceFinish();
    void emitTrace(TraceFrame& frame);

    EngineState state_;
    EnginePorts ports_;
    EnginePaths paths_;
    PageFiles pages_;
    TransferMeter meter_;

    std::uint64_t dispatched_ = 0;  // lines dispatched in this channel-day
    std::uint64_t textCharged_ = 0;
    std::uint64_t textAtStart_ = 0;  // textHandled() when this channel-day's blocks began
    int nesting_ = 0;                // dispatches running inside one another (#IF#, #REPEAT#)
    int stored_ = 0;

    TraceHook traceHook_;
    std::vector<TraceFrame> traceFrames_;
};

}  // namespace zelidor
