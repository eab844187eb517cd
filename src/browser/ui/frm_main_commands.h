// The main window's commands: the menu bar, the main toolbar Toolbar1 and the HTML view's
// toolbar Toolbar2. Menu entries carry their control names as object names; a toolbar button
// carries its key as the action's data (and "Toolbar1_" + key as its name).
#pragma once

#include <QAction>
#include <QMainWindow>
#include <QToolBar>

namespace zelidor::ui {

struct FrmMainCommands {
    QAction* selectdb = nullptr;
    QAction* cleardb = nullptr;
    QAction* compactdb = nullptr;
    QAction* exportxmltv = nullptr;
    QAction* exit = nullptr;
    QAction* searchprog = nullptr;
    QAction* monitorroot = nullptr;
    QAction* statisticroot = nullptr;
    QAction* downloadpr = nullptr;
    QAction* advreport = nullptr;
    QAction* preferences = nullptr;
    QAction* help = nullptr;
    QAction* home = nullptr;
    QAction* nuovopal = nullptr;
    QAction* about = nullptr;

    void build(QMainWindow& window, QToolBar& toolbar1, QToolBar& toolbar2);

    // The button of a toolbar with the given key.
    static QAction* button(const QToolBar& toolbar, const QString& key);
    static QString keyOf(const QAction& button);
};

}  // namespace zelidor::ui
