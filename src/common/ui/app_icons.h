// The program's pictures, by the image keys the windows use ("parabola", "vhs", "print" ...):
// drawn for the program and built into it, so that a desktop without an icon theme, and the
// offscreen tests, show them too.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QStringList>

namespace zelidor::ui {

// The icon of an image key; a key the program has no picture for gives a null icon.
QIcon appIcon(const QString& key);

// For the toolbar commands a desktop icon theme's picture stands in front of the shipped one,
// so that the toolbar matches the rest of the user's desktop.
QIcon commandIcon(const QString& key, const QString& themeName);

// A larger picture (splash, about) rendered at the given size in device-independent pixels.
QPixmap appPicture(const QString& name, const QSize& size, qreal devicePixelRatio);

// Every image key the program ships a picture for.
QStringList appIconKeys();

}  // namespace zelidor::ui
