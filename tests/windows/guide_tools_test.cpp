// The search, monitor and report windows over a small database, and the monitor's alert in the
// main window. The queries, the trees and the pages are the core's to test; here, what the
// windows add: where their day and template come from, what reaches the main window, the word
// list's editing, the alert's life.
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "browser/status_texts.h"
#include "browser/ui/guide_tools.h"
#include "common/day.h"
#include "common/ui/qt_text.h"
#include "engine/programme_store.h"
#include "monitor/monitor_words.h"
#include "monitor/ui/frm_monitor.h"
#include "reports/ui/frm_report.h"
#include "search/ui/frm_ricerche.h"
#include "window_rig.h"

using namespace Qt::StringLiterals;

namespace zelidor::test {
namespace {

using GuideTools = WindowRig;

std::int64_t dayFromToday(int days) {
    return Day::today().plusDays(days).number();
}

// The texts of the programme nodes (the fourth level below the root), in tree order.
QStringList programmeNodes(const QTreeWidget& tree) {
    QStringList texts;
    std::function<void(QTreeWidgetItem*, int)> walk = [&](QTreeWidgetItem* item, int depth) {
        if (depth == 4) {
            texts << item->text(0);
        }
        for (int i = 0; i < item->childCount(); ++i) {
            walk(item->child(i), depth + 1);
        }
    };
    for (int i = 0; i < tree.topLevelItemCount(); ++i) {
        walk(tree.topLevelItem(i), 0);
    }
    return texts;
}

QStringList listed(const QListWidget& list) {
    QStringList words;
    for (int i = 0; i < list.count(); ++i) {
        words << list.item(i)->text();
    }
    return words;
}

void watch(const std::filesystem::path& app, const std::vector<std::string>& words) {
    MonitorWords store(MonitorWords::defaultFile(app));
    for (const std::string& word : words) {
        store.save(std::nullopt, word);
    }
}

TEST_F(GuideTools, SearchFindsFromTheCalendarDayAndTellsTheMainWindowWhatItCouldNotShow) {
    ProgrammeStore store(ProgrammeStore::defaultFile(appFolder()));
    store.insert({dayFromToday(0), "21:00", "L'ispettore Citt\xE0", {}, {}, {}, "Rai 1", 1, {}});
    store.insert(
        {dayFromToday(0), "21:00", "L'ispettore citt\xE0 (2)", {}, {}, {}, "Rai 1", 2, {}});
    store.insert({dayFromToday(-1), "20:00", "L'ISPETTORE CITT\xC0", {}, {}, {}, "Rai 2", 1, {}});
    auto window = loadMain();
    toolbarButton(*window, "Toolbar1", "find")->trigger();
    auto* search = window->findChild<ui::FrmRicerche*>(u"FrmRicerche"_s);
    ASSERT_NE(search, nullptr);
    EXPECT_EQ(search->windowTitle(), u"Ricerche"_s);
    const ui::FrmRicercheLayout& ui = search->controls();
    EXPECT_EQ(search->focusWidget(), ui.text1);

    ui.text1->setText(u"l'ispettore CITTÀ"_s);
    QTest::keyClick(ui.text1, Qt::Key_Return);
    // The second programme of the same day, channel and hour has no node of its own.
    EXPECT_EQ(programmeNodes(*ui.treeView1), QStringList{u"21:00-L'ispettore Città"_s});
    EXPECT_EQ(window->statusMessage(), QLatin1String(status::kKeyNotUnique));

    ui.check1->setChecked(true);
    QTest::mouseClick(ui.command3, Qt::LeftButton);
    EXPECT_EQ(programmeNodes(*ui.treeView1),
              (QStringList{u"20:00-L'ISPETTORE CITTÀ"_s, u"21:00-L'ispettore Città"_s}));
    ui.treeView1->expandAll();
    screenshot(*search, "search");
    // The command again brings back the same window, with the text ready to be typed over.
    window->commands().searchprog->trigger();
    EXPECT_EQ(window->findChildren<ui::FrmRicerche*>().size(), 1);
    EXPECT_EQ(search->focusWidget(), ui.text1);
}

TEST_F(GuideTools, MonitorListsTheNewestWordFirstStoresAWordOnceAndAsksBeforeDeleting) {
    watch(appFolder(), {"Rex", "Film"});
    auto window = loadMain();
    window->commands().monitorroot->trigger();
    ui::FrmMonitor* monitor = window->tools().monitorWindow();
    ASSERT_TRUE(monitor != nullptr && monitor->isVisible());
    const ui::FrmMonitorLayout& ui = monitor->controls();
    EXPECT_EQ(listed(*ui.listView1), (QStringList{u"Film"_s, u"Rex"_s}));
    EXPECT_FALSE(ui.panel1->text().isEmpty());

    QTest::mouseClick(ui.command1, Qt::LeftButton);  // "Nuovo"
    EXPECT_TRUE(ui.text1->isVisible());
    ui.text1->setText(u"rex"_s);
    QTest::mouseClick(ui.command4, Qt::LeftButton);  // "Salva": watched already
    EXPECT_EQ(listed(*ui.listView1), (QStringList{u"Film"_s, u"Rex"_s}));

    dialogs_.answers = {Answer::Cancel, Answer::Ok};
    QListWidgetItem* rex = ui.listView1->item(1);
    QTest::mouseClick(ui.listView1->viewport(), Qt::LeftButton, {},
                      ui.listView1->visualItemRect(rex).center());
    EXPECT_EQ(ui.text1->text(), u"Rex"_s);
    QTest::mouseClick(ui.command2, Qt::LeftButton);  // "Elimina", answered Cancel
    EXPECT_EQ(dialogs_.boxes.back(),
              (Box{"Rex", "Cancellare Questa Parola?", MessageIcon::Question}));
    EXPECT_EQ(listed(*ui.listView1), (QStringList{u"Film"_s, u"Rex"_s}));
    EXPECT_NE(window->statusMessage(), u"*"_s);
    QTest::mouseClick(ui.command2, Qt::LeftButton);  // answered OK
    EXPECT_EQ(listed(*ui.listView1), QStringList{u"Film"_s});
    EXPECT_EQ(MonitorWords(MonitorWords::defaultFile(appFolder())).list(),
              std::vector<std::string>{"Film"});
    EXPECT_EQ(window->statusMessage(), u"*"_s);
}

TEST_F(GuideTools, AMatchAtStartUpBlinksUntilTheStatusBarIsClickedOrTheMonitorOpens) {
    addProgrammes(dayFromToday(1));
    watch(appFolder(), {"commissario", "Nessuno"});
    for (bool byStatusBar : {true, false}) {
        auto window = loadMain();
        const ui::MonitorAlert& alert = window->tools().alert();
        ui::StatusPanels* statusBar = window->controls().statusBar1;
        ASSERT_TRUE(alert.isBlinking());
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return statusBar->panel(4)->text() == u"Trovato Programma TV !"_s; }, 5000));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !statusBar->newsShown(); }, 5000));
        ui::FrmMonitor* monitor = window->tools().monitorWindow();
        ASSERT_NE(monitor, nullptr);
        EXPECT_FALSE(monitor->isVisible());  // loaded, not shown
        if (byStatusBar) {
            window->show();
            ASSERT_TRUE(QTest::qWaitFor([&] { return statusBar->newsShown(); }, 5000));
            screenshot(*window, "alert");
            QTest::mouseClick(statusBar, Qt::LeftButton);
        } else {
            window->commands().monitorroot->trigger();
        }
        EXPECT_FALSE(alert.isBlinking());
        EXPECT_FALSE(statusBar->newsShown());
        EXPECT_TRUE(monitor->isVisible());
        // The tree of the start-up search, one branch per word.
        EXPECT_EQ(programmeNodes(*monitor->controls().treeView1),
                  QStringList{u"20:40-Il commissario Rex"_s});
        if (byStatusBar) {
            monitor->controls().treeView1->expandAll();
            screenshot(*monitor, "monitor");
        }
    }
}

TEST_F(GuideTools, WithoutAMatchThereIsNoAlertAndTheStatusBarClickDoesNothing) {
    addProgrammes(dayFromToday(-1));  // before the calendar's day: not watched for
    watch(appFolder(), {"commissario"});
    auto window = loadMain();
    EXPECT_FALSE(window->tools().alert().isBlinking());
    QTest::mouseClick(window->controls().statusBar1, Qt::LeftButton);
    EXPECT_FALSE(window->tools().monitorWindow()->isVisible());
    EXPECT_FALSE(window->controls().statusBar1->newsShown());
}

// The caption the button showed each time it was drawn.
class Captions : public QObject {
  public:
    explicit Captions(QPushButton* button) : button_(button) { button->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            shown << button_->text();
        }
        return false;
    }
    QStringList shown;

  private:
    QPushButton* button_;
};

TEST_F(GuideTools, ReportOfATypeAndOfAPeriodShowsInTheMainViewWithACaptionWhileItWorks) {
    addProgrammes(dayFromToday(0));
    addProgrammes(dayFromToday(1));
    auto window = loadMain();
    window->show();
    toolbarButton(*window, "Toolbar1", "report")->trigger();
    auto* report = window->findChild<ui::FrmReport*>(u"FrmReport"_s);
    ASSERT_NE(report, nullptr);
    EXPECT_TRUE(report->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    const ui::FrmReportLayout& ui = report->controls();
    ASSERT_EQ(ui.cmbTipo->count(), 14);
    EXPECT_EQ(ui.cmbTipo->currentText(), u"Tutti i Tipi"_s);

    ASSERT_TRUE(QTest::qWaitForWindowExposed(report));
    Captions captions(ui.command1);
    ui.cmbTipo->setCurrentText(u"Film"_s);
    ASSERT_TRUE(waitForLoad(*window, [&] { QTest::mouseClick(ui.command1, Qt::LeftButton); }));
    EXPECT_TRUE(captions.shown.contains(u"ATTENDERE..."_s));
    EXPECT_EQ(ui.command1->text(), u"Crea Report !"_s);
    QString html = pageHtml(*window);
    EXPECT_TRUE(html.contains(u"REPORT GIORNALIERO"_s));
    EXPECT_EQ(html.count(u"Film della sera"_s), 1);
    EXPECT_FALSE(html.contains(u"Il commissario Rex"_s));  // a "Telefilm"

    ui.cmbTipo->setCurrentIndex(0);
    ui.option3->setChecked(true);  // the week from the calendar's day
    ASSERT_TRUE(waitForLoad(*window, [&] { QTest::mouseClick(ui.command1, Qt::LeftButton); }));
    html = pageHtml(*window);
    QString period = ui::fromLatin1(Day::fromNumber(dayFromToday(0)).slashed() + " - " +
                                    Day::fromNumber(dayFromToday(6)).slashed());
    EXPECT_TRUE(html.contains(period)) << period.toStdString();
    EXPECT_EQ(html.count(u"Film della sera"_s), 2);
    screenshot(*report, "report");
    if (qEnvironmentVariableIsSet("SCREENSHOT_DIR")) {
        QTest::qWait(1500);  // the view's first frames of the page
        screenshot(*window, "report-in-main-window");
    }
}

}  // namespace
}  // namespace zelidor::test
