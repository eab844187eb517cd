#include "monitor/ui/frm_monitor.h"

#include <QApplication>
#include <QEvent>
#include <QLocale>

#include "browser/keyed_tree.h"
#include "browser/ui/keyed_tree_view.h"
#include "common/sqlite.h"
#include "common/ui/qt_text.h"
#include "monitor/monitor_search.h"
#include "monitor/monitor_words.h"

using namespace Qt::StringLiterals;

namespace zelidor::ui {

namespace {

constexpr const char* kDeleteQuestion = "Cancellare Questa Parola?";

}  // namespace

FrmMonitor::FrmMonitor(std::filesystem::path appFolder, Dialogs& dialogs, GuideHost& host,
                       QWidget* parent)
    : QWidget(parent, Qt::Window),
      appFolder_(std::move(appFolder)),
      dialogs_(dialogs),
      host_(host) {
    ui_.build(*this);
    KeyedTree empty;
    prepareResultTree(empty);
    showKeyedTree(*ui_.treeView1, empty);
    CARICA_LISTA();
    ui_.panel1->setText(QLocale(QLocale::Italian, QLocale::Italy)
                            .toString(host_.referenceDay(), QLocale::ShortFormat));
    connect(ui_.command1, &QPushButton::clicked, this, &FrmMonitor::startNewWord);
    connect(ui_.command4, &QPushButton::clicked, this, &FrmMonitor::saveWord);
    connect(ui_.command2, &QPushButton::clicked, this, &FrmMonitor::deleteWord);
    connect(ui_.command3, &QPushButton::clicked, this, [this] { search(); });
    connect(ui_.text1, &QLineEdit::returnPressed, this, &FrmMonitor::saveWord);
    connect(ui_.listView1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { chooseWord(*item); });
}

void FrmMonitor::report(const std::vector<std::string>& failures) {
    for (const std::string& text : failures) {
        host_.showMessage(fromLatin1(text));
    }
}

void FrmMonitor::CARICA_LISTA() {
    std::vector<std::string> failures;
    std::vector<std::string> words = loadMonitorList(appFolder_, failures);
    ui_.listView1->clear();
    for (const std::string& word : words) {
        ui_.listView1->addItem(fromLatin1(word));
    }
    report(failures);
}

bool FrmMonitor::search() {
    std::vector<std::string> words;
    for (int i = 0; i < ui_.listView1->count(); ++i) {
        words.push_back(toLatin1(ui_.listView1->item(i)->text()));
    }
    QDate date = host_.referenceDay();
    KeyedTree tree;
    SearchState state;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    runMonitorSearch(appFolder_, words, Day{date.year(), date.month(), date.day()}, tree, state);
    showKeyedTree(*ui_.treeView1, tree);
    QApplication::restoreOverrideCursor();
    return state.monitorHit;
}

void FrmMonitor::startNewWord() {
    currentRow_.reset();
    ui_.text1->clear();
    ui_.text1->show();
    ui_.text1->setFocus(Qt::OtherFocusReason);
}

void FrmMonitor::chooseWord(const QListWidgetItem& item) {
    try {
        MonitorWords store(MonitorWords::defaultFile(appFolder_));
        if (std::optional<MonitorWord> found = store.find(toLatin1(item.text()))) {
            currentRow_ = found->row;
            ui_.text1->setText(fromLatin1(found->word));
            ui_.text1->show();
        }
    } catch (const StoreError& error) {
        host_.showMessage(fromLatin1(error.what()));
    }
}

// A new word that is already watched, in any letter case, is not stored a second time; an empty
// one is not stored at all.
void FrmMonitor::saveWord() {
    ui_.text1->hide();
    std::string word = toLatin1(ui_.text1->text());
    try {
        MonitorWords store(MonitorWords::defaultFile(appFolder_));
        std::optional<MonitorWord> same = store.find(word);
        if (currentRow_) {
            store.save(currentRow_, word);
        } else if (same) {
            currentRow_ = same->row;
        } else if (!word.empty()) {
            currentRow_ = store.save(std::nullopt, word);
        }
    } catch (const StoreError& error) {
        host_.showMessage(fromLatin1(error.what()));
    }
    CARICA_LISTA();
}

void FrmMonitor::deleteWord() {
    if (dialogs_.confirm(toLatin1(ui_.text1->text()), kDeleteQuestion) != Answer::Ok) {
        return;
    }
    try {
        if (currentRow_) {
            MonitorWords(MonitorWords::defaultFile(appFolder_)).remove(*currentRow_);
        }
    } catch (const StoreError&) {
        // Reported below, as every outcome of the command is.
    }
    currentRow_.reset();
    ui_.text1->hide();
    ui_.text1->clear();
    CARICA_LISTA();
    host_.showMessage(u"*"_s);
}

bool FrmMonitor::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        emit activated();
    }
    return QWidget::event(event);
}

}  // namespace zelidor::ui
