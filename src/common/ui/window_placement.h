// The main window's place as the settings row keeps it (width, height, top, left in twips) and
// the rule that keeps a stored place visible.
#pragma once

#include <QList>
#include <QRect>

#include "common/ui/twips.h"

class QWidget;

namespace zelidor::ui {

struct StoredPlacement {
    double width = 0;
    double height = 0;
    double top = 0;
    double left = 0;
};

// A window at `window` (pixels, frame top-left and size) that would show too little of itself on
// every screen of `screens` (the user unplugged a monitor, or changed resolution) is moved onto
// `primary`, and shrunk to fit it when larger; a window that is visible stays where it is.
QRect keepOnScreens(const QRect& window, const QList<QRect>& screens, const QRect& primary);

// The frame's top-left corner and the window's inner size are stored: both are what Qt sets
// back exactly, so a window reopens where it was without drifting by its frame's size.
StoredPlacement placementOf(const QWidget& window, const Twips& twips);
void applyPlacement(QWidget& window, const StoredPlacement& placement, const Twips& twips);

}  // namespace zelidor::ui
