// The engine's shared state: one instance for the program run, read and changed by the runner
// and every instruction handler.
#pragma once

#include <cstddef>
#include <string>

#include "common/dialogs.h"
#include "engine/programme_record.h"
#include "engine/script_lines.h"
#include "engine/script_vars.h"

namespace zelidor {

struct EngineState {
    ScriptLines lines;
    // The line being run. Loops pre-increment it, so the first line examined is 1; a jump
    // leaves it on the line before the one to run next.
    int curLine = 0;
    std::size_t keywordPos = 0;  // 1-based column of the current line's keyword
    std::string pageLine;        // the page line most recently read
    // Column in pageLine used by searches and cuts, kept as text as scripts set it ("01");
    // "0" at the start of a pass means no line has been read yet.
    std::string cursor = "0";
    // The two cursor values the engine itself sets: "0" (no line read yet) and "1".
    void resetCursorTo(char column) { cursor.assign(1, column); }
    bool stopRun = false;  // ends the current pass once control is back in the executor
    std::string webQueryUrl;
    std::string scriptName;  // "Canale 5.zdr"
    std::string dayStamp;    // "yyyymmdd"
    bool connectionFailed = false;
    int saveCounter = 0;
    Answer msgAnswer = Answer::Ok;  // answer of the engine's last question box
    bool updateChecked = false;

    ScriptVars vars;
    int tagVar = 0;  // the variable the tag-cleaning instructions work on
    // One loop start and one pair of exit flags for the whole engine: loops and blocks do not
    // nest, and an inner one ends the outer one.
    int loopStart = 0;
    bool loopExit = false;
    bool ifExit = false;

    ProgrammeRecord record;
};

}  // namespace zelidor
