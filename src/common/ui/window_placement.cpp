#include "common/ui/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace zelidor::ui {

namespace {

// Enough of the window to grab its title bar and move it.
constexpr int kVisibleWidth = 100;
constexpr int kVisibleHeight = 40;

bool showsEnough(const QRect& window, const QRect& screen) {
    QRect shown = window.intersected(screen);
    return shown.width() >= std::min(kVisibleWidth, window.width()) &&
           shown.height() >= std::min(kVisibleHeight, window.height()) &&
           window.top() >= screen.top() - kVisibleHeight / 2;  // title bar not above the screen
}

}  // namespace

QRect keepOnScreens(const QRect& window, const QList<QRect>& screens, const QRect& primary) {
    for (const QRect& screen : screens) {
        if (showsEnough(window, screen)) {
            return window;
        }
    }
    QSize size = window.size().boundedTo(primary.size());
    QPoint corner(primary.left() + (primary.width() - size.width()) / 2,
                  primary.top() + (primary.height() - size.height()) / 2);
    return QRect(corner, size);
}

StoredPlacement placementOf(const QWidget& window, const Twips& twips) {
    StoredPlacement placement;
    placement.width = twips.fromPixels(window.width());
    placement.height = twips.fromPixels(window.height());
    placement.top = twips.fromPixels(window.pos().y());
    placement.left = twips.fromPixels(window.pos().x());
    return placement;
}

void applyPlacement(QWidget& window, const StoredPlacement& placement, const Twips& twips) {
    QRect wanted(twips.toPixels(placement.left), twips.toPixels(placement.top),
                 twips.toPixels(placement.width), twips.toPixels(placement.height));
    wanted.setSize(wanted.size().expandedTo(window.minimumSize()));
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        screens.append(screen->availableGeometry());
    }
    const QScreen* primaryScreen = QGuiApplication::primaryScreen();
    QRect primary = primaryScreen != nullptr ? primaryScreen->availableGeometry() : wanted;
    QRect placed = screens.isEmpty() ? wanted : keepOnScreens(wanted, screens, primary);
    window.resize(placed.size());
    window.move(placed.topLeft());
}

}  // namespace zelidor::ui
