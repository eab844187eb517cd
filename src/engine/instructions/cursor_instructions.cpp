// Moving through the page: #FIND#=, #FINDLINE#=, #READNEXTLINE# and the cursor instructions.
#include "common/number.h"
#include "common/text.h"
#include "engine/instructions/instructions.h"
#include "engine/script_machine.h"

namespace zelidor::instructions {

namespace {

constexpr std::string_view kAsk = "*ASK*";
constexpr std::string_view kStop = "*STOP*";

}  // namespace

// #FIND#=word#nn# [#ONERROR#=mode]: the column of word at or after the cursor, in variable nn.
void find(ScriptMachine& machine) {
    EngineState& state = machine.state();
    std::string_view mode = onErrorMode(machine.currentLine());
    std::string_view operand = machine.operand(7);
    std::optional<VariableReference> target = readReference(operand);
    if (!target) {
        machine.reportIncomplete(
            "Error on Script Expression : The #FIND# Instruction is not complete !");
        return;
    }
    std::string_view word = textBeforeFirstHash(operand);
    machine.chargeText(state.pageLine.size());
    std::size_t column = findNoCase(state.pageLine, word, machine.cursorColumn());
    state.vars.set(target->number, numberText(static_cast<std::int64_t>(column)));
    if (column != 0) {
        state.cursor = numberText(static_cast<std::int64_t>(column));
        return;
    }
    // "*STOP*" is accepted here but, unlike on #FINDLINE#=, goes on silently like "*OK*".
    if (mode == kAsk) {
        machine.leaveBlocksOn(machine.ask("Can't Find The Word : " + std::string(word) +
                                          " On the #FIND# Script" + machine.lineSuffix()));
    }
}

// #FINDLINE#=word#nn# [#ONERROR#=mode]: reads on to the next page line holding word; variable
// nn says whether one was found ("1") or the page ran out ("0").
void findLine(ScriptMachine& machine) {
    EngineState& state = machine.state();
    std::string_view operand = machine.operand(11);
    std::optional<VariableReference> target = readReference(operand);
    if (!target) {
        // Unlike other incomplete instructions, this one leaves the pass running.
        machine.leaveBlocksOn(machine.ask(
            "Error on Script Expression : The #FINDLINE# Instruction is not complete !" +
            machine.lineSuffix()));
        return;
    }
    std::string_view mode = onErrorMode(machine.currentLine());
    std::string_view word = textBeforeFirstHash(operand);
    while (!machine.pages().atEnd()) {
        state.pageLine = machine.pages().readLine();
        if (std::size_t column = findNoCase(state.pageLine, word); column != 0) {
            state.cursor = numberText(static_cast<std::int64_t>(column));
            state.vars.set(target->number, "1");
            return;
        }
    }
    state.vars.set(target->number, "0");
    if (mode == kStop) {
        state.stopRun = true;
    } else if (mode == kAsk) {
        machine.leaveBlocksOn(
            machine.ask("Can't Find The Word : " + std::string(word) + machine.lineSuffix()));
    }
}

// #READNEXTLINE#: the next page line, cursor back to column 1. At the end of the page the
// running loop ends whatever the answer.
void readNextLine(ScriptMachine& machine) {
    EngineState& state = machine.state();
    state.resetCursorTo('1');
    if (machine.pages().atEnd()) {
        Answer answer = machine.ask(
            "The Web Page Is End, This Shouldn't Happen ! Take a look at #REPEAT#-#WHILE# "
            "Function " +
            machine.lineSuffix());
        state.loopExit = true;
        if (answer == Answer::Cancel) {
            state.ifExit = true;
        }
        return;
    }
    state.pageLine = machine.pages().readLine();
}

void resetCursor(ScriptMachine& machine) {
    machine.state().resetCursorTo('1');
}

// #SETCURSOR#=text: the cursor becomes the text as written; it is checked only when used.
void setCursor(ScriptMachine& machine) {
    machine.state().cursor = std::string(machine.operand(12));
}

// #COMPUTECURSOR#=n: moves the cursor by n columns (negative moves left).
void computeCursor(ScriptMachine& machine) {
    EngineState& state = machine.state();
    state.cursor = decimalText(leadingNumber(state.cursor) + leadingNumber(machine.operand(16)));
}

// #PUTCURSOR#=#nn#: variable nn = the cursor text.
void putCursor(ScriptMachine& machine) {
    std::optional<VariableReference> target = readReference(machine.operand(12));
    if (!target) {
        machine.reportIncomplete(
            "Error on Script Expression : The #PUTCURSOR# Instruction is not complete !");
        return;
    }
    machine.state().vars.set(target->number, machine.state().cursor);
}

}  // namespace zelidor::instructions
