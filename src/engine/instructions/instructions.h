// The 32 instruction handlers. Each takes the engine, finds its instruction in the current
// script line and its operand from KeywordPos on, and returns nothing; run-time failures of the
// script are thrown as ScriptFailure.
#pragma once

namespace zelidor {

class ScriptMachine;

namespace instructions {

// Cursor and search
void find(ScriptMachine& machine);
void findLine(ScriptMachine& machine);
void readNextLine(ScriptMachine& machine);
void resetCursor(ScriptMachine& machine);
void setCursor(ScriptMachine& machine);
void computeCursor(ScriptMachine& machine);
void putCursor(ScriptMachine& machine);

// Extraction
void takeWord(ScriptMachine& machine);
void takeWordLen(ScriptMachine& machine);
void takeHour(ScriptMachine& machine);
void takeTitle(ScriptMachine& machine);
void title(ScriptMachine& machine);
void takeType(ScriptMachine& machine);
void takeCode(ScriptMachine& machine);
void takeLink(ScriptMachine& machine);
void takeComments(ScriptMachine& machine);

// Variables
void put(ScriptMachine& machine);
void string(ScriptMachine& machine);
void checkVariable(ScriptMachine& machine);

// Conditions, loops and jumps
void ifBlock(ScriptMachine& machine);
void repeat(ScriptMachine& machine);
void whileTest(ScriptMachine& machine);
void goTo(ScriptMachine& machine);

// Detail pages and posters
void startGoDeep(ScriptMachine& machine);
void endGoDeep(ScriptMachine& machine);
void openNewWeb(ScriptMachine& machine);
void restoreWeb(ScriptMachine& machine);
void startReadWeb(ScriptMachine& machine);
void takePoster(ScriptMachine& machine);

// Tag cleaning
void startDeleteTags(ScriptMachine& machine);
void startSubstituteTags(ScriptMachine& machine);

// Programme store
void saveData(ScriptMachine& machine);

}  // namespace instructions
}  // namespace zelidor
