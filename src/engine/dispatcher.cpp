// DispatchScriptLine: hands the current line to the handler of its instruction.
#include <array>

#include "engine/instructions/instructions.h"
#include "engine/script_failure.h"
#include "engine/script_machine.h"

namespace zelidor {

namespace {

using Handler = void (*)(ScriptMachine&);

// Indexed by Keyword, so in the order the keywords are tested.
constexpr std::array<Handler, kKeywordCount> kHandlers = {
    instructions::findLine,
    instructions::saveData,
    instructions::takeType,
    instructions::takeCode,
    instructions::takeHour,
    instructions::takeLink,
    instructions::takeTitle,
    instructions::find,
    instructions::takeWord,
    instructions::takeWordLen,
    instructions::put,
    instructions::repeat,
    instructions::whileTest,
    instructions::readNextLine,
    instructions::startGoDeep,
    instructions::endGoDeep,
    instructions::ifBlock,
    instructions::title,
    instructions::resetCursor,
    instructions::setCursor,
    instructions::takeComments,
    instructions::computeCursor,
    instructions::putCursor,
    instructions::checkVariable,
    instructions::startDeleteTags,
    instructions::startSubstituteTags,
    instructions::goTo,
    instructions::startReadWeb,
    instructions::takePoster,
    instructions::string,
    instructions::restoreWeb,
    instructions::openNewWeb,
};

// #IF# and #REPEAT# dispatch the lines they run themselves, so dispatches nest. Sound scripts
// nest two or three deep; a script that jumps back into its own block could nest without end
// and exhaust the stack long before the line budget.
constexpr int kMaxNesting = 256;

class NestingLevel {
  public:
    explicit NestingLevel(int& level) : level_(level) {
        if (++level_ > kMaxNesting) {
            --level_;
            throw ScriptFailure("blocks nest too deep");
        }
    }
    ~NestingLevel() { --level_; }
    NestingLevel(const NestingLevel&) = delete;
    NestingLevel& operator=(const NestingLevel&) = delete;

  private:
    int& level_;
};

}  // namespace

void ScriptMachine::dispatch() {
    if (++dispatched_ > ScriptEngine::kLineBudget ||
        textHandled() - textAtStart_ > ScriptEngine::kTextBudget) {
        throw LineBudgetExhausted{};
    }
    const std::optional<KeywordMatch>& match = state_.lines.instruction(state_.curLine);
    if (!match) {
        return;
    }
    NestingLevel level(nesting_);
    state_.keywordPos = match->position;
    if (!traceHook_) {
        kHandlers[static_cast<std::size_t>(match->keyword)](*this);
        return;
    }
    traceStart();
    try {
        kHandlers[static_cast<std::size_t>(match->keyword)](*this);
    } catch (...) {
        traceFinish();
        throw;
    }
    traceFinish();
}

// A traced line is reported before the lines it runs itself, with the variables it changed
// until then; so each step is reported once, in the order the lines started.
void ScriptMachine::traceStart() {
    if (!traceFrames_.empty()) {
        emitTrace(traceFrames_.back());
    }
    traceFrames_.push_back(TraceFrame{state_.curLine, currentLine(), state_.vars.all(), false});
}

void ScriptMachine::traceFinish() {
    emitTrace(traceFrames_.back());
    traceFrames_.pop_back();
}

void ScriptMachine::emitTrace(TraceFrame& frame) {
    if (frame.emitted) {
        return;
    }
    frame.emitted = true;
    TraceStep step{frame.line, frame.text, {}};
    const auto& now = state_.vars.all();
    for (std::size_t i = 0; i < now.size(); ++i) {
        if (now[i] != frame.before[i]) {
            step.changes.push_back({static_cast<int>(i), now[i]});
        }
    }
    traceHook_(step);
}

}  // namespace zelidor
