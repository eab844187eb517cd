#include "common/ui/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace zelidor::ui {

namespace {
constexpr double kTwipsPerInch = 1440.0;
}

int Twips::toPixels(double twips) const {
    return static_cast<int>(std::lround(twips * dpi_ / kTwipsPerInch));
}

double Twips::fromPixels(int pixels) const {
    return static_cast<double>(pixels) * kTwipsPerInch / dpi_;
}

Twips twipsFor(const QScreen* screen) {
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    return Twips(screen != nullptr ? screen->logicalDotsPerInch() : 96.0);
}

}  // namespace zelidor::ui
