#include "search/ui/frm_ricerche_layout.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "common/ui/named_widget.h"

using namespace Qt::StringLiterals;

namespace zelidor::ui {

QTreeWidget* resultTree(QWidget* parent) {
    auto* tree = named<QTreeWidget>(parent, "TreeView1");
    tree->setHeaderHidden(true);
    tree->setColumnCount(1);
    tree->setAccessibleName(u"Risultati Ricerca"_s);
    // Tens of thousands of rows of one height: the view need not measure each.
    tree->setUniformRowHeights(true);
    return tree;
}

void FrmRicercheLayout::build(QWidget& window) {
    window.setObjectName(u"FrmRicerche"_s);
    window.setWindowTitle(u"Ricerche"_s);
    frame1 = named<QGroupBox>(&window, "Frame1", u"Cerca un programma"_s);
    auto* label = new QLabel(u"&Titolo:"_s, frame1);
    text1 = named<QLineEdit>(frame1, "Text1");
    text1->setAccessibleName(u"Testo da cercare"_s);
    label->setBuddy(text1);
    check1 = named<QCheckBox>(frame1, "Check1", u"Ricerca anche nei giorni precedenti"_s);
    command3 = named<QPushButton>(frame1, "Command3", u"Ricerca Ora"_s);
    auto* grid = new QGridLayout(frame1);
    grid->addWidget(label, 0, 0);
    grid->addWidget(text1, 0, 1);
    grid->addWidget(command3, 0, 2);
    grid->addWidget(check1, 1, 1, 1, 2);
    grid->setColumnStretch(1, 1);

    treeView1 = resultTree(&window);
    statusBar1 = named<QStatusBar>(&window, "StatusBar1");
    statusBar1->setSizeGripEnabled(true);
    auto* rows = new QVBoxLayout(&window);
    rows->addWidget(frame1);
    rows->addWidget(treeView1, 1);
    rows->addWidget(statusBar1);
    rows->setContentsMargins(6, 6, 6, 0);
    window.resize(520, 560);
}

}  // namespace zelidor::ui
