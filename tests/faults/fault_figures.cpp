#include "fault_figures.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

namespace zelidor::test {

namespace {

std::vector<FaultFigure>& figures() {
    static std::vector<FaultFigure> recorded;
    return recorded;
}

class FigureTable : public testing::Environment {
  public:
    void TearDown() override {
        if (figures().empty()) {
            return;
        }
        std::printf("\n%-40s | %-46s | %9s | %s\n", "scenario", "outcome", "recover s",
                    "rows kept");
        for (const FaultFigure& f : figures()) {
            std::printf("%-40s | %-46s | %9.2f | %lld\n", f.scenario.c_str(), f.outcome.c_str(),
                        f.secondsToRecover, static_cast<long long>(f.rowsKept));
        }
    }
};

[[maybe_unused]] testing::Environment* const kFigureTable =
    testing::AddGlobalTestEnvironment(new FigureTable);

}  // namespace

void recordFigure(FaultFigure figure) {
    figures().push_back(std::move(figure));
}

}  // namespace zelidor::test
