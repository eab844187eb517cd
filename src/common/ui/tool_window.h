// The program's tool windows are modeless and exist once: a command that opens one that is
// already open brings it to the front with its state.
#pragma once

#include <QPointer>
#include <QWidget>

namespace zelidor::ui {

template <class W, class Make>
W* showToolWindow(QPointer<W>& window, Make make) {
    if (window.isNull()) {
        window = make();
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->show();
    } else {
        window->showNormal();
    }
    window->raise();  // on X11 only raise() is sure to put it on top
    window->activateWindow();
    return window.data();
}

}  // namespace zelidor::ui
