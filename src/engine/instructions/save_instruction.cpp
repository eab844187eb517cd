// #SAVEDATA#: the programme record becomes a row of Programmi and is emptied for the next one.
#include "engine/instructions/instructions.h"
#include "engine/script_machine.h"

namespace zelidor::instructions {

namespace {

// Numerazione is a 16-bit number; more programmes than that in one channel-day is a script
// saving in a loop, which must not flood the table.
constexpr int kMostProgrammes = 32767;

}  // namespace

void saveData(ScriptMachine& machine) {
    EngineState& state = machine.state();
    if (state.saveCounter >= kMostProgrammes) {
        throw ScriptFailure("too many programmes in one channel-day");
    }
    ++state.saveCounter;
    try {
        machine.ports().sink.save(
            programmeRowFrom(state.record, state.dayStamp, state.scriptName, state.saveCounter));
        machine.countStoredProgramme();
    } catch (const std::exception& e) {
        // A row that cannot be stored is reported; the script goes on with the next programme.
        machine.ports().display.showMainStatus(e.what());
    }
    state.record.reset();
    machine.ports().display.resetLiveView();
}

}  // namespace zelidor::instructions
