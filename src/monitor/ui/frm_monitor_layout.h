// The widget tree of the keyword monitor window, FrmMonitor: the controls under their names.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>

namespace zelidor::ui {

struct FrmMonitorLayout {
    QLabel* label1 = nullptr;
    QListWidget* listView1 = nullptr;
    QLineEdit* text1 = nullptr;  // shown only while a word is edited
    QPushButton* command1 = nullptr;
    QPushButton* command4 = nullptr;
    QPushButton* command2 = nullptr;
    QPushButton* command3 = nullptr;
    QTreeWidget* treeView1 = nullptr;
    QStatusBar* statusBar1 = nullptr;
    QLabel* panel1 = nullptr;  // the reference day
    QLabel* image1 = nullptr;

    void build(QWidget& window);
};

}  // namespace zelidor::ui
