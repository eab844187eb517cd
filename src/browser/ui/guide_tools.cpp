#include "browser/ui/guide_tools.h"

#include "browser/ui/frm_main.h"
#include "common/ui/tool_window.h"
#include "monitor/ui/frm_monitor.h"
#include "reports/ui/frm_report.h"
#include "search/ui/frm_ricerche.h"

using namespace Qt::StringLiterals;

namespace zelidor::ui {

GuideTools::GuideTools(FrmMain& main, const GuideServices& services)
    : QObject(&main), main_(main), services_(services), alert_(*main.controls().statusBar1) {
    connectCommands();
}

// The windows go before the main window's parts they use.
GuideTools::~GuideTools() {
    delete search_.data();
    delete monitor_.data();
    delete report_.data();
}

void GuideTools::connectCommands() {
    const FrmMainCommands& commands = main_.commands();
    connect(commands.searchprog, &QAction::triggered, this, [this] { showSearch(); });
    connect(commands.monitorroot, &QAction::triggered, this, [this] { showMonitor(); });
    connect(commands.advreport, &QAction::triggered, this, [this] { showReport(); });
    for (QAction* command : {commands.searchprog, commands.monitorroot, commands.advreport}) {
        command->setEnabled(true);
    }
    for (const QString& key : {u"find"_s, u"monitor"_s, u"report"_s}) {
        FrmMainCommands::button(*main_.controls().toolbar1, key)->setEnabled(true);
    }
    // A click on the status bar answers the alert, and only while it blinks.
    connect(main_.controls().statusBar1, &StatusPanels::clicked, this, [this] {
        if (alert_.answer()) {
            showMonitor();
        }
    });
}

FrmMonitor* GuideTools::makeMonitor() {
    auto* window = new FrmMonitor(services_.appFolder, *services_.dialogs, *this, &main_);
    window->setAttribute(Qt::WA_DeleteOnClose);
    connect(window, &FrmMonitor::activated, this, [this] { alert_.answer(); });
    return window;
}

void GuideTools::startUpMonitor() {
    if (monitor_.isNull()) {
        monitor_ = makeMonitor();
    }
    if (monitor_->search()) {
        alert_.raise();
    }
}

FrmRicerche* GuideTools::showSearch() {
    FrmRicerche* window = showToolWindow(
        search_, [this] { return new FrmRicerche(services_.appFolder, *this, &main_); });
    window->focusText();
    return window;
}

FrmMonitor* GuideTools::showMonitor() {
    alert_.answer();  // opening the window ends the alert, whether or not it gets activated
    return showToolWindow(monitor_, [this] { return makeMonitor(); });
}

FrmReport* GuideTools::showReport() {
    return showToolWindow(report_, [this] {
        return new FrmReport(services_.appFolder, *services_.dialogs, *this, &main_);
    });
}

FrmMonitor* GuideTools::monitorWindow() const {
    return monitor_.data();
}

QDate GuideTools::referenceDay() const {
    return main_.controls().monthView1->selectedDate();
}

void GuideTools::showMessage(const QString& text) {
    main_.controls().statusBar1->setMessage(text);
}

QString GuideTools::cardTemplate() const {
    return main_.controls().combo1->currentText();
}

void GuideTools::showPage(const std::filesystem::path& page) {
    main_.controls().webBrowser1->showFile(page);
}

QWidget* GuideTools::mainWindow() const {
    return &main_;
}

}  // namespace zelidor::ui
