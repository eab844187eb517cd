// How the instruction handlers report a run-time failure of the script (a cursor of 0, a
// variable number above 50, a read from a closed page file, ...): they throw, and the executor
// turns the failure into the general script failure box. Throwing also abandons every #IF# and
// #REPEAT# that dispatched the failing instruction, which is what Retry means.
#pragma once

#include <stdexcept>
#include <string>

namespace zelidor {

class ScriptFailure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Thrown when a channel-day has dispatched more lines than any sound script needs. Deliberately
// not a std::exception, so no handler that tolerates its own failures can swallow it.
struct LineBudgetExhausted {};

}  // namespace zelidor
