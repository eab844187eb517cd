// Steering the script: #IF# ... #ENDIF#, #REPEAT# ... #WHILE#, #GOTO#. They build no syntax
// tree: they move CurLine and dispatch the lines they run themselves, with one LoopStart, one
// LoopExit and one IfExit for the whole engine, so blocks and loops do not nest.
#include <array>

#include "common/number.h"
#include "common/text.h"
#include "engine/instructions/instructions.h"
#include "engine/script_machine.h"

namespace zelidor::instructions {

namespace {

constexpr std::string_view kEndIf = "#ENDIF#";

struct Comparison {
    VariableReference left;
    VariableReference right;
};

// "#aa#op#bb#": the two references, the second searched after the first one's closing "#".
std::optional<Comparison> readComparison(std::string_view operand) {
    std::optional<VariableReference> left = readReference(operand);
    if (!left) {
        return std::nullopt;
    }
    std::optional<VariableReference> right = readReference(operand, left->close + 1);
    if (!right) {
        return std::nullopt;
    }
    return Comparison{*left, *right};
}

bool holds(std::string_view op, const std::string& left, const std::string& right) {
    if (op == "==") {
        return left == right;
    }
    if (op == "<>") {
        return left != right;
    }
    if (op == "<<") {
        return leadingNumber(left) < leadingNumber(right);
    }
    return leadingNumber(left) > leadingNumber(right);
}

// Runs (or, when run is false, only walks over) the lines up to the next #ENDIF#.
void walkBlock(ScriptMachine& machine, bool run) {
    EngineState& state = machine.state();
    state.ifExit = false;
    if (!run) {
        state.ifExit = machine.advanceToLineContaining(kEndIf);
        return;
    }
    while (state.curLine < ScriptLines::kLastLine && !state.ifExit) {
        ++state.curLine;
        if (state.lines.contains(state.curLine, kEndIf)) {
            state.ifExit = true;
            break;
        }
        machine.dispatch();
    }
}

}  // namespace

// #IF# #aa#op#bb#: the operator is searched in the line from column p + 1, where p is the
// position of the second reference's closing "#" counted within the operand. That mixes two
// counts, and an #IF# in the first column would find its operator one column too early; it is
// searched from column p there, so such a line evaluates its condition like an indented one.
// The four operators are tried in turn, each on the line where the previous block ended.
void ifBlock(ScriptMachine& machine) {
    EngineState& state = machine.state();
    std::optional<Comparison> comparison = readComparison(machine.operand(5));
    if (!comparison) {
        machine.reportIncomplete(
            "Error on Script Expression : The #IF# Instruction is not complete !");
        return;
    }
    std::size_t from = comparison->right.close + (state.keywordPos == 1 ? 0 : 1);
    for (std::string_view op : {"==", "<>", "<<", ">>"}) {
        if (findExact(machine.currentLine(), op, from) == 0) {
            continue;
        }
        bool run = holds(op, state.vars.get(comparison->left.number),
                         state.vars.get(comparison->right.number));
        walkBlock(machine, run);
    }
}

// #REPEAT#: dispatches the following lines until LoopExit. It looks neither at StopRun nor at
// the last script line; running past line 5000 is a run-time failure.
void repeat(ScriptMachine& machine) {
    EngineState& state = machine.state();
    state.loopExit = false;
    state.loopStart = state.curLine + 1;
    while (!state.loopExit) {
        ++state.curLine;
        machine.dispatch();
    }
}

// #WHILE# #aa#op#bb#: with "==" the loop goes on while the texts are equal, with any other
// operator while they differ. Going on jumps to the line after the most recent #REPEAT#.
void whileTest(ScriptMachine& machine) {
    EngineState& state = machine.state();
    std::optional<Comparison> comparison = readComparison(machine.operand(8));
    if (!comparison) {
        machine.reportIncomplete(
            "Error on Script Expression : The #WHILE# Instruction is not complete !");
        return;
    }
    bool equalsForm = findExact(machine.currentLine(), "==", comparison->right.close + 1) != 0;
    bool same = state.vars.get(comparison->left.number) == state.vars.get(comparison->right.number);
    if (equalsForm == same) {
        state.loopExit = false;
        state.curLine = state.loopStart - 1;
    } else {
        state.loopExit = true;
    }
}

// #GOTO#=label: continues after the first line (from line 1) holding ":" + label, any case;
// the label is the rest of the line, trailing blanks included. Ends the running loop and block.
void goTo(ScriptMachine& machine) {
    EngineState& state = machine.state();
    std::string label(1, ':');
    label += machine.operand(7);
    int gotoLine = state.curLine;
    state.curLine = 0;
    if (machine.advanceToLineContaining(label)) {
        state.loopExit = true;
        state.ifExit = true;
        return;
    }
    Answer answer = machine.ask(
        "Error on Script Expression : The #GOTO# Instruction point to a label that didn't "
        "exist!Line : " +
        std::to_string(gotoLine));
    state.stopRun = true;
    machine.leaveBlocksOn(answer);
}

}  // namespace zelidor::instructions
