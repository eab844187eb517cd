// Cleaning a variable with word lists kept in the script itself: #STARTDELETETAGS# and
// #STARTSUBSTITUTETAGS# work on the variable chosen by #CHECKVARIABLE#.
#include "common/text.h"
#include "engine/instructions/instructions.h"
#include "engine/script_machine.h"

namespace zelidor::instructions {

namespace {

// Finds the list after the current line, applies each entry line to it in script order, and
// comes back to the instruction's line. A failing entry leaves CurLine on that entry, so the
// general failure names the line to fix.
template <class ApplyEntry>
void applyWordList(ScriptMachine& machine, std::string_view opener, std::string_view closer,
                   ApplyEntry&& apply) {
    EngineState& state = machine.state();
    int instructionLine = state.curLine;
    machine.advanceToLineContaining(opener);
    while (state.curLine < ScriptLines::kLastLine) {
        ++state.curLine;
        if (state.lines.contains(state.curLine, closer)) {
            break;
        }
        std::string cleaned = apply(state.lines.text(state.curLine), state.vars.get(state.tagVar));
        state.vars.set(state.tagVar, std::move(cleaned));
    }
    state.curLine = instructionLine;
}

// "#DELETEWORD#=word": the word starts two columns after the second "#" of the line.
std::string deleteEntry(const std::string& entry, const std::string& text) {
    std::size_t first = findExact(entry, "#");
    std::size_t second = findExact(entry, "#", first + 1);
    std::string word = midText(entry, second + 2);
    return replaceAll(text, word, " ");
}

// "#SUBSTITUTEWORD#=word=replacement": the word lies between the first two "=" of the line.
std::string substituteEntry(const std::string& entry, const std::string& text) {
    std::size_t first = findExact(entry, "=");
    std::size_t second = first == 0 ? 0 : findExact(entry, "=", first + 1);
    if (second == 0) {
        throw ScriptFailure("substitute entry without its second \"=\"");
    }
    std::string word = midText(entry, first + 1, second - first - 1);
    return replaceAll(text, word, midText(entry, second + 1));
}

}  // namespace

// Every listed word becomes one blank (exact match, all occurrences).
void startDeleteTags(ScriptMachine& machine) {
    applyWordList(machine, "#DELETETAGS#", "#ENDDELETETAGS#", deleteEntry);
}

// Every listed word becomes its replacement (exact match, all occurrences).
void startSubstituteTags(ScriptMachine& machine) {
    applyWordList(machine, "#SUBSTITUTETAGS#", "#ENDSUBSTITUTETAGS#", substituteEntry);
}

}  // namespace zelidor::instructions
