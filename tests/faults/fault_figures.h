// The figures of the fault tests, printed as one table when the test program ends: for each
// scenario how the failing channel-day ended, how long it took to get there and how many
// programmes stored before the run were still there after it.
#pragma once

#include <cstdint>
#include <string>

namespace zelidor::test {

struct FaultFigure {
    std::string scenario;
    std::string outcome;
    double secondsToRecover = 0;
    std::int64_t rowsKept = 0;
};

void recordFigure(FaultFigure figure);

}  // namespace zelidor::test
