// The widget tree of the main window, FrmMain: the controls under their names, and how the
// resize rules place them.
#pragma once

#include <QCalendarWidget>
#include <QComboBox>
#include <QMainWindow>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>

#include "browser/ui/guide_services.h"
#include "browser/ui/guide_view.h"
#include "browser/ui/main_layout_rules.h"
#include "browser/ui/status_panels.h"
#include "common/ui/twips.h"

namespace zelidor::ui {

struct FrmMainLayout {
    QWidget* central = nullptr;
    QToolBar* toolbar1 = nullptr;
    QTabWidget* ssTab1 = nullptr;
    QWidget* page = nullptr;  // the tab's one page, " Programmi TV"
    QCalendarWidget* monthView1 = nullptr;
    QComboBox* combo2 = nullptr;
    QTreeWidget* treeView1 = nullptr;
    QToolBar* toolbar2 = nullptr;
    QComboBox* combo1 = nullptr;
    GuideView* webBrowser1 = nullptr;
    StatusPanels* statusBar1 = nullptr;

    void build(QMainWindow& window, const GuideServices& services);
    // Applies the resize rules to the window's current size (the central area's, in fact).
    void layOut(const Twips& twips);
    // The smallest central area that keeps the window at its minimum size.
    QSize minimumCentralSize(const Twips& twips) const;
};

}  // namespace zelidor::ui
