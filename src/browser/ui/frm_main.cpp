#include "browser/ui/frm_main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QFileDialog>
#include <QScreen>

#include "browser/card_page.h"
#include "browser/card_template.h"
#include "browser/status_texts.h"
#include "browser/ui/guide_tools.h"
#include "browser/ui/keyed_tree_view.h"
#include "common/day.h"
#include "common/sqlite.h"
#include "common/ui/qt_text.h"
#include "common/ui/tool_window.h"
#include "config/compaction.h"
#include "config/ui/frm_about.h"
#include "config/ui/frm_config.h"
#include "engine/programme_store.h"
#include "xmltv/xmltv_export.h"

using namespace Qt::StringLiterals;

namespace zelidor::ui {

namespace {

const QStringList kCategories = {u"0 Visualizza Tutte"_s, u"1 Satellite"_s, u"2 Televisione"_s,
                                 u"3 Cinema"_s,           u"4 Sport"_s,     u"5 Ragazzi"_s};

Day dayOf(const QDate& date) {
    return Day{date.year(), date.month(), date.day()};
}

}  // namespace

FrmMain::FrmMain(const GuideServices& services, QWidget* parent)
    : QMainWindow(parent), services_(services) {
    ui_.build(*this, services_);
    commands_.build(*this, *ui_.toolbar1, *ui_.toolbar2);
    ui_.central->setMinimumSize(ui_.minimumCentralSize(twips()));
    ui_.central->installEventFilter(this);
    connectCommands();
    connectBrowsing();
    tools_ = new GuideTools(*this, services_);
}

FrmMain::~FrmMain() = default;

Twips FrmMain::twips() const {
    return twipsFor(screen());
}

void FrmMain::load() {
    ui_.statusBar1->clearNews();
    ui_.webBrowser1->showFile(services_.appFolder / "begin.htm");
    ui_.monthView1->setSelectedDate(QDate::currentDate());
    fillCategories();
    fillTemplates();
    LOAD_TV();
    tools_->startUpMonitor();
    openSettings();
}

void FrmMain::fillCategories() {
    QSignalBlocker quiet(ui_.combo2);
    ui_.combo2->clear();
    ui_.combo2->addItems(kCategories);
    ui_.combo2->setCurrentIndex(0);
}

void FrmMain::fillTemplates() {
    QSignalBlocker quiet(ui_.combo1);
    ui_.combo1->clear();
    CardTemplateList templates = listCardTemplates(services_.appFolder);
    showStatus(templates.statusTexts);
    for (const std::string& name : templates.names) {
        ui_.combo1->addItem(fromLatin1(name));
    }
}

// The settings row stays open for the whole run: the template list shows the stored choice, and
// the window's place is written back at the end. A settings file that cannot be opened leaves
// the template unchosen; the program still works.
void FrmMain::openSettings() {
    try {
        config_.emplace(services_.appFolder);
        settings_ = config_->read();
    } catch (const StoreError& error) {
        config_.reset();
        ui_.statusBar1->setMessage(fromLatin1(error.what()));
        return;
    }
    QSignalBlocker quiet(ui_.combo1);
    ui_.combo1->setCurrentIndex(ui_.combo1->findText(fromLatin1(settings_.card)));
}

void FrmMain::rereadSettings() {
    if (!config_) {
        openSettings();
        return;
    }
    try {
        settings_ = config_->read();
    } catch (const StoreError& error) {
        ui_.statusBar1->setMessage(fromLatin1(error.what()));
    }
}

void FrmMain::chooseTemplate(const QString& name) {
    // Stored at once: the command line and the reports use the same choice.
    settings_.card = toLatin1(name);
    if (config_) {
        try {
            config_->setText(ConfigField::Card, settings_.card);
        } catch (const StoreError& error) {
            ui_.statusBar1->setMessage(fromLatin1(error.what()));
        }
    }
}

void FrmMain::LOAD_TV() {
    Catalogue catalogue = loadCatalogue(services_.appFolder, toLatin1(ui_.combo2->currentText()));
    showKeyedTree(*ui_.treeView1, catalogue.tree);
    showStatus(catalogue.statusTexts);
    downloadList_ = std::move(catalogue.downloadList);
    emit catalogueLoaded();
}

void FrmMain::BUILD_CARD() {
    CardRequest request;
    request.appFolder = services_.appFolder;
    request.templateName = toLatin1(ui_.combo1->currentText());
    request.day = dayOf(ui_.monthView1->selectedDate());
    if (QTreeWidgetItem* node = ui_.treeView1->currentItem()) {
        lastChannel_ = nodeKey(*node);
    } else {
        ui_.statusBar1->setMessage(QLatin1String(status::kFailed));
    }
    request.channel = lastChannel_;
    PageBuild build = buildCardPage(request, *services_.dialogs);
    showStatus(build.statusTexts);
    if (build.page) {
        ui_.webBrowser1->showFile(*build.page);
    }
}

bool FrmMain::showChannel(const QString& name) {
    const auto found = ui_.treeView1->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
    if (found.isEmpty()) {
        return false;
    }
    ui_.treeView1->setCurrentItem(found.first());
    BUILD_CARD();
    return true;
}

void FrmMain::showStatus(const std::vector<std::string>& texts) {
    for (const std::string& text : texts) {
        ui_.statusBar1->setMessage(fromLatin1(text));
    }
}

void FrmMain::connectBrowsing() {
    connect(ui_.treeView1, &QTreeWidget::itemClicked, this, [this] { BUILD_CARD(); });
    // Enter on a node does what a click does, for those who browse with the keyboard.
    connect(ui_.treeView1, &QTreeWidget::itemActivated, this, [this] { BUILD_CARD(); });
    connect(ui_.monthView1, &QCalendarWidget::clicked, this, [this] { BUILD_CARD(); });
    connect(ui_.monthView1, &QCalendarWidget::activated, this, [this] { BUILD_CARD(); });
    connect(ui_.combo2, &QComboBox::activated, this, [this] { LOAD_TV(); });
    connect(ui_.combo1, &QComboBox::currentTextChanged, this, &FrmMain::chooseTemplate);
}

void FrmMain::connectCommands() {
    connect(commands_.compactdb, &QAction::triggered, this, &FrmMain::compactDatabase);
    connect(commands_.exportxmltv, &QAction::triggered, this, &FrmMain::exportXmltv);
    connect(commands_.exit, &QAction::triggered, this, &FrmMain::close);
    connect(commands_.preferences, &QAction::triggered, this, &FrmMain::showConfig);
    connect(commands_.help, &QAction::triggered, this, &FrmMain::showHelp);
    auto openWebSite = [this] { services_.desktop->open(kProgramWebSite); };
    connect(commands_.home, &QAction::triggered, this, openWebSite);
    connect(commands_.nuovopal, &QAction::triggered, this, openWebSite);
    connect(commands_.about, &QAction::triggered, this, &FrmMain::showAbout);
    connect(ui_.toolbar1, &QToolBar::actionTriggered, this,
            [this](QAction* button) { runToolbar1(FrmMainCommands::keyOf(*button)); });
    connect(ui_.toolbar2, &QToolBar::actionTriggered, this,
            [this](QAction* button) { runToolbar2(FrmMainCommands::keyOf(*button)); });
    // The download window comes later; until then its commands are shown but cannot be chosen.
    // The search, monitor and report commands are GuideTools'.
    for (QAction* action : {commands_.downloadpr}) {
        action->setEnabled(false);
    }
    for (const char* key : {"download"}) {
        FrmMainCommands::button(*ui_.toolbar1, QLatin1String(key))->setEnabled(false);
    }
}

void FrmMain::runToolbar1(const QString& key) {
    if (key == u"download"_s) {
        commands_.downloadpr->trigger();
    } else if (key == u"about"_s) {
        showAbout();
    } else if (key == u"report"_s) {
        commands_.advreport->trigger();
    } else if (key == u"find"_s) {
        commands_.searchprog->trigger();
    } else if (key == u"config"_s) {
        showConfig();
    } else if (key == u"monitor"_s) {
        commands_.monitorroot->trigger();
    } else if (key == u"help"_s) {
        showHelp();
    } else if (key == u"exit"_s) {
        close();
    }
}

void FrmMain::runToolbar2(const QString& key) {
    if (key == u"back"_s) {
        ui_.webBrowser1->back();
    } else if (key == u"forward"_s) {
        ui_.webBrowser1->forward();
    } else if (key == u"print"_s) {
        printShownPage();
    }
}

void FrmMain::showHelp() {
    ui_.webBrowser1->showFile(services_.appFolder / "help" / "help.htm");
}

// The page is opened in the user's browser, where it can be printed with its pictures.
void FrmMain::printShownPage() {
    std::filesystem::path shown = ui_.webBrowser1->shownFile();
    if (!shown.empty()) {
        services_.desktop->open(shown.string());
    }
}

void FrmMain::compactDatabase() {
    // The window keeps no connection to the programme database between operations, so the file
    // is free to be compacted.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    CompactDatabaseFile(ProgrammeStore::defaultFile(services_.appFolder), *services_.dialogs);
    QApplication::restoreOverrideCursor();
}

// The programmes from today on, for a media centre or another guide.
void FrmMain::exportXmltv() {
    QString suggested = fromPath(services_.appFolder / "zelidor.xml");
    QString file =
        services_.chooseSaveFile
            ? services_.chooseSaveFile(suggested)
            : QFileDialog::getSaveFileName(this, u"Esporta XMLTV"_s, suggested, u"XMLTV (*.xml)"_s);
    if (file.isEmpty()) {
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::string text;
    MessageIcon icon = MessageIcon::Information;
    try {
        XmltvSummary done = exportXmltvFile(services_.appFolder, XmltvRequest{}, toPath(file));
        text = "Programmi esportati: " + std::to_string(done.programmes) + " di " +
               std::to_string(done.channels) + " canali.\r\n" + toLatin1(file);
    } catch (const std::exception& error) {
        text = std::string("Esportazione non riuscita: ") + error.what();
        icon = MessageIcon::Critical;
    }
    QApplication::restoreOverrideCursor();
    services_.dialogs->message(kProgramTitle, text, icon);
}

void FrmMain::showConfig() {
    showToolWindow(frmConfig_, [this] {
        auto* window = new FrmConfig(services_.appFolder, *services_.dialogs, this);
        connect(window, &FrmConfig::settingsStored, this, &FrmMain::rereadSettings);
        return window;
    });
}

void FrmMain::showAbout() {
    showToolWindow(frmAbout_, [this] { return new FrmAbout(*services_.desktop, this); });
}

void FrmMain::placeFromSettings() {
    ConfigRow row = settings_;
    if (!config_) {
        try {
            row = ConfigStore(services_.appFolder).read();
        } catch (const StoreError&) {
            // The defaults place the window.
        }
    }
    applyPlacement(*this, {row.winWidth, row.winHeight, row.winTop, row.winLeft}, twips());
}

void FrmMain::saveWindowPlacement() {
    try {
        if (!config_) {
            config_.emplace(services_.appFolder);
        }
        StoredPlacement placement = placementOf(*this, twips());
        config_->setWindowPlacement(placement.width, placement.height, placement.top,
                                    placement.left);
    } catch (const StoreError&) {
        // Nothing to keep the place in: the program still ends.
    }
}

void FrmMain::closeEvent(QCloseEvent* event) {
    if (!placementSaved_) {
        placementSaved_ = true;
        saveWindowPlacement();
    }
    event->accept();
    emit programEnding();
}

bool FrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_.central && event->type() == QEvent::Resize) {
        ui_.layOut(twips());
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace zelidor::ui
