// Setting variables directly: #PUT#=, #STRING# and #CHECKVARIABLE#.
#include <cstdint>
#include <cstdio>

#include "common/number.h"
#include "common/text.h"
#include "engine/instructions/instructions.h"
#include "engine/script_machine.h"

namespace zelidor::instructions {

namespace {

// Variable 50 is never put into a template: by convention it holds the text being built.
constexpr int kTemplateVariables = 50;

std::string referenceText(int number) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02d#", number);
    return text;
}

}  // namespace

// #PUT#=text#nn#: variable nn = the text before the first "#" (blanks included, may be empty).
void put(ScriptMachine& machine) {
    std::string_view operand = machine.operand(6);
    std::optional<VariableReference> target = readReference(operand);
    if (!target) {
        machine.reportIncomplete(
            "Error on Script Expression : The #PUT# Instruction is not complete !");
        return;
    }
    machine.state().vars.set(target->number, std::string(textBeforeFirstHash(operand)));
}

// #STRING#=#nn#=template: variable nn = the template with #00# to #49# replaced, in that
// order, by the variables' texts, and cut before any "#ONERROR#=".
void string(ScriptMachine& machine) {
    EngineState& state = machine.state();
    std::optional<VariableReference> target = readReference(machine.operand(9));
    if (!target) {
        throw ScriptFailure("#STRING# names no variable");
    }
    std::string text(machine.operand(14));
    for (int i = 0; i < kTemplateVariables && text.find('#') != std::string::npos; ++i) {
        machine.chargeText(text.size());
        text = replaceAll(text, referenceText(i), state.vars.get(i));
        if (text.size() > ScriptVars::kLongestText) {
            throw ScriptFailure("#STRING# text too long");
        }
    }
    if (std::size_t marker = findNoCase(text, kOnErrorMarker); marker != 0) {
        text.resize(marker - 1);
    }
    state.vars.set(target->number, std::move(text));
}

// #CHECKVARIABLE#=#nn#: chooses the variable the tag-cleaning instructions work on. It is not
// checked here; a number outside 0..50 fails when the variable is used.
void checkVariable(ScriptMachine& machine) {
    constexpr std::int64_t kSmallestInteger = -32768;
    constexpr std::int64_t kLargestInteger = 32767;
    std::int64_t number = roundHalfEven(leadingNumber(machine.operand(17)));
    if (number < kSmallestInteger || number > kLargestInteger) {
        throw ScriptFailure("#CHECKVARIABLE# number out of range");
    }
    machine.state().tagVar = static_cast<int>(number);
}

}  // namespace zelidor::instructions
