// Cutting text out of the page line into variables, and copying variables into the programme
// record: #TAKEWORD#=, #TAKEWORDLEN#=, #TAKEHOUR#= and the other record setters.
#include <array>
#include <cstdint>
#include <limits>

#include "common/number.h"
#include "common/text.h"
#include "engine/instructions/instructions.h"
#include "engine/script_machine.h"

namespace zelidor::instructions {

namespace {

using References = std::array<VariableReference, 3>;

// The references of "#aa#,#bb#,#cc#", each searched after the closing "#" of the one before.
std::optional<References> readThreeReferences(std::string_view operand) {
    References refs{};
    std::size_t from = 1;
    for (VariableReference& ref : refs) {
        std::optional<VariableReference> next = readReference(operand, from);
        if (!next) {
            return std::nullopt;
        }
        ref = *next;
        from = next->close + 1;
    }
    return refs;
}

constexpr std::int64_t kWidestColumn = std::numeric_limits<std::int32_t>::max() - 1;

// A column held in a variable: a whole number, which may still be negative here.
std::int64_t signedColumn(const std::string& text) {
    std::optional<std::int64_t> value = wholeNumber(text);
    if (!value || *value < -kWidestColumn || *value > kWidestColumn) {
        throw ScriptFailure("\"" + text + "\" is not a column");
    }
    return *value;
}

// A cut can only start at column 1 or later.
std::size_t cutStart(std::int64_t column, const std::string& text) {
    if (column < 0) {
        throw ScriptFailure("\"" + text + "\" is not a column");
    }
    return static_cast<std::size_t>(column);
}

// A column or length held in a variable, which must be a whole number of at least 0.
std::size_t wholeColumn(const std::string& text) {
    return cutStart(signedColumn(text), text);
}

enum class Trim { Yes, No };

// The record setters: field = the variable's text (trimmed or as it is), shown and marked.
std::optional<std::string> takeField(ScriptMachine& machine, std::size_t offset,
                                     std::string_view message, Trim trim) {
    std::optional<VariableReference> source = readReference(machine.operand(offset));
    if (!source) {
        machine.reportIncomplete(message);
        return std::nullopt;
    }
    const std::string& text = machine.variable(*source);
    return trim == Trim::Yes ? trimBlanks(text) : text;
}

void setField(ScriptMachine& machine, std::string& field, RecordField which, std::string text) {
    field = std::move(text);
    machine.ports().display.showField(which, field);
}

}  // namespace

// #TAKEWORD#=#aa#,#bb#,#cc#: variable aa = the page line strictly between the columns held in
// bb and cc (to the end of the line when cc is 0).
void takeWord(ScriptMachine& machine) {
    EngineState& state = machine.state();
    std::optional<References> refs = readThreeReferences(machine.operand(11));
    if (!refs) {
        machine.reportIncomplete(
            "Error on Script Expression : The #TAKEWORD# Instruction is not complete !");
        return;
    }
    auto [target, startRef, endRef] = *refs;
    const std::string& startText = machine.variable(startRef);
    std::int64_t start = signedColumn(startText);
    double end = leadingNumber(machine.variable(endRef));
    if (end == 0) {
        state.vars.set(target.number, midText(state.pageLine, cutStart(start, startText) + 1));
        return;
    }
    // The length decides before the start is checked: reversed columns are a quiet end even
    // when the start is negative, while a real cut before column 1 is a failure.
    double length = end - static_cast<double>(start) - 1;
    if (length < 0) {
        // The end lies before the start: the cut is abandoned and the loop and block end.
        state.loopExit = true;
        state.ifExit = true;
        if (machine.ports().settings.scriptErrorFlag() == 0) {
            state.stopRun = true;
        }
        return;
    }
    auto count = static_cast<std::size_t>(roundHalfEven(length));
    state.vars.set(target.number, midText(state.pageLine, cutStart(start, startText) + 1, count));
}

// #TAKEWORDLEN#=#aa#,#bb#,#cc#: variable aa = as many characters as cc says from column bb + 1.
void takeWordLen(ScriptMachine& machine) {
    EngineState& state = machine.state();
    std::optional<References> refs = readThreeReferences(machine.operand(13));
    if (!refs) {
        machine.reportIncomplete(
            "Error on Script Expression : The #TAKEWORDLEN# Instruction is not complete !");
        return;
    }
    auto [target, startRef, lengthRef] = *refs;
    std::size_t start = wholeColumn(machine.variable(startRef));
    std::size_t count = wholeColumn(machine.variable(lengthRef));
    state.vars.set(target.number, midText(state.pageLine, start + 1, count));
}

void takeHour(ScriptMachine& machine) {
    if (auto text =
            takeField(machine, 11,
                      "Error on Script Expression : The #TAKEHOUR# Instruction is not complete !",
                      Trim::Yes)) {
        setField(machine, machine.state().record.hour, RecordField::Hour, std::move(*text));
    }
}

void takeTitle(ScriptMachine& machine) {
    if (auto text =
            takeField(machine, 12,
                      "Error on Script Expression : The #TAKETITLE# Instruction is not complete !",
                      Trim::Yes)) {
        machine.ports().display.showTitleCaption(*text);
        setField(machine, machine.state().record.title, RecordField::Title, std::move(*text));
    }
}

// #TITLE#=#nn#: the title as it is, untrimmed.
void title(ScriptMachine& machine) {
    if (auto text =
            takeField(machine, 8,
                      "Error on Script Expression : The #MOVIETITLE# Instruction is not complete !",
                      Trim::No)) {
        setField(machine, machine.state().record.title, RecordField::Title, std::move(*text));
    }
}

void takeType(ScriptMachine& machine) {
    if (auto text =
            takeField(machine, 11,
                      "Error on Script Expression : The #TAKETYPE# Instruction is not complete !",
                      Trim::Yes)) {
        setField(machine, machine.state().record.type, RecordField::Type, std::move(*text));
    }
}

// #TAKECODE#=#nn#: the code as it is; it names the cover file and is never stored.
void takeCode(ScriptMachine& machine) {
    if (auto text =
            takeField(machine, 11,
                      "Error on Script Expression : The #TAKECODE# Instruction is not complete !",
                      Trim::No)) {
        setField(machine, machine.state().record.code, RecordField::Code, std::move(*text));
    }
}

void takeLink(ScriptMachine& machine) {
    if (auto text =
            takeField(machine, 11,
                      "Error on Script Expression : The #TAKELINK# Instruction is not complete !",
                      Trim::Yes)) {
        setField(machine, machine.state().record.link, RecordField::Link, std::move(*text));
    }
}

// #TAKECOMMENTS#=#nn#: appends the trimmed text to the comments, with nothing between.
void takeComments(ScriptMachine& machine) {
    EngineState& state = machine.state();
    std::optional<VariableReference> source = readReference(machine.operand(15));
    if (source) {
        std::string text = trimBlanks(machine.variable(*source));
        if (state.record.comments.size() + text.size() > ScriptVars::kLongestText) {
            throw ScriptFailure("comments too long");
        }
        state.record.comments += text;
        machine.chargeText(state.record.comments.size());  // the whole text is shown again
        machine.ports().display.showField(RecordField::Comments, state.record.comments);
        return;
    }
    // With the script-error flag set to 1 an incomplete #TAKECOMMENTS# ends the pass silently.
    if (machine.ports().settings.scriptErrorFlag() != 1) {
        Answer answer = machine.ask(
            "Error on Script Expression : The #TAKECOMMENT# Instruction is not "
            "complete !" +
            machine.lineSuffix());
        state.stopRun = true;
        machine.leaveBlocksOn(answer);
        return;
    }
    state.loopExit = true;
    state.ifExit = true;
    state.stopRun = true;
}

}  // namespace zelidor::instructions
