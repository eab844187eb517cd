// Every control of a window is created through named(), so it carries its control name as its
// Qt object name from the start: tests, screen readers and style sheets find it by that name.
#pragma once

#include <QLatin1String>
#include <QWidget>
#include <utility>

namespace zelidor::ui {

template <class W, class... Args>
W* named(QWidget* parent, const char* name, Args&&... args) {
    auto* widget = new W(std::forward<Args>(args)..., parent);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

}  // namespace zelidor::ui
