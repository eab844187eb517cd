#include "search/ui/frm_ricerche.h"

#include <QApplication>

#include "browser/keyed_tree.h"
#include "browser/ui/keyed_tree_view.h"
#include "common/ui/qt_text.h"
#include "search/title_search.h"

namespace zelidor::ui {

FrmRicerche::FrmRicerche(std::filesystem::path appFolder, GuideHost& host, QWidget* parent)
    : QWidget(parent, Qt::Window), appFolder_(std::move(appFolder)), host_(host) {
    ui_.build(*this);
    KeyedTree empty;
    prepareResultTree(empty);
    showKeyedTree(*ui_.treeView1, empty);
    connect(ui_.command3, &QPushButton::clicked, this, &FrmRicerche::search);
    // Enter runs the search, as whoever types a text expects.
    connect(ui_.text1, &QLineEdit::returnPressed, this, &FrmRicerche::search);
}

void FrmRicerche::search() {
    QDate date = host_.referenceDay();
    KeyedTree tree;
    SearchState state;  // the alert's flag belongs to the start-up search: not kept here
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::vector<std::string> failures = runTitleSearch(appFolder_, toLatin1(ui_.text1->text()),
                                                       Day{date.year(), date.month(), date.day()},
                                                       ui_.check1->isChecked(), tree, state);
    showKeyedTree(*ui_.treeView1, tree);
    QApplication::restoreOverrideCursor();
    for (const std::string& text : failures) {
        host_.showMessage(fromLatin1(text));
    }
}

void FrmRicerche::focusText() {
    ui_.text1->setFocus(Qt::OtherFocusReason);
    ui_.text1->selectAll();
}

}  // namespace zelidor::ui
