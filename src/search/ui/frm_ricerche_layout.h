// The widget tree of the search window, FrmRicerche: the controls under their names.
#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>

namespace zelidor::ui {

struct FrmRicercheLayout {
    QGroupBox* frame1 = nullptr;
    QLineEdit* text1 = nullptr;
    QCheckBox* check1 = nullptr;
    QPushButton* command3 = nullptr;
    QTreeWidget* treeView1 = nullptr;
    QStatusBar* statusBar1 = nullptr;  // the search writes nothing here

    void build(QWidget& window);
};

// A result tree as the search and the monitor windows show it: no header, one column.
QTreeWidget* resultTree(QWidget* parent);

}  // namespace zelidor::ui
