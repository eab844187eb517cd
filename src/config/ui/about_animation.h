// What moves in the about window, as plain state so that it can be checked without a window:
// the credit lines that scroll up until the end marker stands just above the top, and the three
// pictures that take turns, then hide, then jump to a new place.
#pragma once

#include <array>
#include <functional>

namespace zelidor::ui {

inline constexpr int kCreditLines = 16;

// Tops in twips, relative to the picture box that clips the credits.
class CreditScroll {
  public:
    static constexpr double kStep = 10;
    static constexpr double kEndTop = -30;

    // Lines `spacing` apart from `firstTop`, the end marker one spacing after the last line. Tops
    // are kept on the step's grid, so the marker reaches its stop exactly.
    CreditScroll(double firstTop, double spacing);

    // One tick: every line and the end marker move up one step, unless the marker stands at
    // its stop. Returns whether anything moved.
    bool tick();
    bool stopped() const { return endTop_ <= kEndTop; }

    double lineTop(int line) const { return lineTops_.at(static_cast<std::size_t>(line)); }
    double endTop() const { return endTop_; }

  private:
    std::array<double, kCreditLines> lineTops_{};
    double endTop_ = 0;
};

// Which of the pictures Image10, Image11 and Image12 is shown; 0 for none.
class PictureCycle {
  public:
    static constexpr int kTicks = 21;

    // random(n) gives a whole number from 0 to n - 1.
    explicit PictureCycle(std::function<int(int)> random) : random_(std::move(random)) {}

    struct Step {
        int visible = 0;     // 10, 11, 12 or 0
        bool moved = false;  // Image12 went to a new place this tick
        double top = 0;      // its place in twips when it moved
        double left = 0;
    };
    Step tick();
    int counter() const { return counter_; }

  private:
    std::function<int(int)> random_;
    int counter_ = 0;
};

}  // namespace zelidor::ui
