#include "config/ui/about_animation.h"

#include <cmath>

namespace zelidor::ui {

namespace {

double onGrid(double twips) {
    return std::round(twips / CreditScroll::kStep) * CreditScroll::kStep;
}

}  // namespace

CreditScroll::CreditScroll(double firstTop, double spacing) {
    double top = onGrid(firstTop);
    double step = onGrid(spacing);
    for (double& line : lineTops_) {
        line = top;
        top += step;
    }
    endTop_ = top;
}

bool CreditScroll::tick() {
    if (stopped()) {
        return false;
    }
    for (double& line : lineTops_) {
        line -= kStep;
    }
    endTop_ -= kStep;
    return true;
}

PictureCycle::Step PictureCycle::tick() {
    Step step;
    if (counter_ >= kTicks) {
        step.moved = true;
        step.top = 2550 + random_(500);
        step.left = 270 + random_(500);
        counter_ = 0;
        return step;
    }
    static constexpr std::array<int, 10> kShown = {12, 12, 11, 11, 10, 10, 11, 11, 12, 12};
    step.visible = counter_ < 10 ? kShown[static_cast<std::size_t>(counter_)] : 0;
    ++counter_;
    return step;
}

}  // namespace zelidor::ui
