#include "download/ui/frm_import_tv.h"

#include <QDate>
#include <algorithm>

#include "browser/ui/frm_main.h"
#include "common/sqlite.h"
#include "common/ui/app_icons.h"
#include "common/ui/qt_text.h"
#include "common/ui/tool_window.h"
#include "config/config_store.h"
#include "config/ui/frm_config.h"
#include "download/power_control.h"
#include "download/ui/download_session.h"
#include "download/ui/frm_import_tv_display.h"
#include "download/ui/import_types_editor.h"
#include "engine/fetch/curl_fetcher.h"

using namespace Qt::StringLiterals;

namespace zelidor::ui {

namespace {

// The pictures of the channel image list, by their 1-based small-icon numbers.
const QString kChannelImages[] = {u"root"_s,         u"parabola"_s, u"tempo1"_s, u"televisione"_s,
                                  u"televisione2"_s, u"vhs"_s,      u"root1"_s,  u"config1"_s,
                                  u"idea1"_s,        u"testo"_s,    u"smile1"_s, u"explorer1"_s,
                                  u"televisione3"_s, u"sport"_s,    u"ragazzi"_s};

QIcon channelImage(int smallIcon) {
    const int count = static_cast<int>(std::size(kChannelImages));
    return smallIcon >= 1 && smallIcon <= count ? appIcon(kChannelImages[smallIcon - 1]) : QIcon();
}

}  // namespace

QString FrmImportTV::caption() {
    return u"Importa Programmi TV Da Internet..."_s;
}

FrmImportTV::FrmImportTV(FrmMain& main, const GuideServices& services, PowerControl& power,
                         std::unique_ptr<PageFetcher> fetcher)
    : QWidget(&main, Qt::Window), main_(main), services_(services), power_(power) {
    setObjectName(u"FrmImportTV"_s);
    setWindowTitle(caption());
    setWindowIcon(appIcon(u"download"_s));
    ui_.build(*this);
    inbox_ = new QObject(this);
    display_ = std::make_unique<FrmImportTVDisplay>(*this, *inbox_, *services_.dialogs,
                                                    *services_.desktop);
    if (!fetcher) {
        fetcher = std::make_unique<CurlFetcher>();
    }
    session_ = std::make_unique<DownloadSession>(
        services_.appFolder, SessionPorts{*display_, *display_, *display_, *display_, *display_},
        std::move(fetcher));
    types_ = new ImportTypesEditor(
        ui_, services_.appFolder, *services_.dialogs,
        [this](const QString& text) { main_.controls().statusBar1->panel(1)->setText(text); },
        this);
    transferTimer_.setInterval(100);
    connect(&transferTimer_, &QTimer::timeout, this, &FrmImportTV::showTransfer);

    ui_.lstLog->clear();
    ui_.monthView1->setSelectedDate(QDate::currentDate());
    ui_.combo2->addItems({u"0 Visualizza Tutte"_s, u"1 Satellite"_s, u"2 Televisione"_s,
                          u"3 Cinema"_s, u"4 Sport"_s, u"5 Ragazzi"_s});
    ui_.combo2->setCurrentText(main_.controls().combo2->currentText());
    readSettings();
    types_->LoadImportTypes();
    fillChannels();
    connectControls();
    main_.installEventFilter(this);
    resize(1240, 660);
}

// The worker is never left running: when the window goes before its download ended (the
// program is torn down without asking), the worker is told to stop, any question it waits on
// is answered Cancel, and the window waits for the channel-day in progress to end.
FrmImportTV::~FrmImportTV() {
    main_.removeEventFilter(this);
    display_->detach();
    if (worker_ != nullptr) {
        stop_ = true;
        worker_->wait();
        delete worker_;
    }
}

void FrmImportTV::connectControls() {
    connect(&main_, &FrmMain::catalogueLoaded, this, &FrmImportTV::fillChannels);
    connect(ui_.combo2, &QComboBox::activated, this,
            [this] { chooseCategory(ui_.combo2->currentText()); });
    connect(ui_.command1, &QPushButton::clicked, this, &FrmImportTV::start);
    connect(ui_.command2, &QPushButton::clicked, this, &FrmImportTV::stop);
    connect(ui_.command3, &QPushButton::clicked, this, &FrmImportTV::showConfig);
    connect(ui_.chkShutDown, &QCheckBox::toggled, this, [this](bool on) {
        storeNumber(ConfigField::ShutDown, on ? 1 : 0);
        enableShutdownModes();
    });
    connect(ui_.check1_6, &QCheckBox::toggled, this,
            [this](bool on) { storeNumber(ConfigField::TakeOnlyListed, on ? 1 : 0); });
    for (std::size_t i = 0; i < ui_.option4.size(); ++i) {
        connect(ui_.option4[i], &QRadioButton::clicked, this,
                [this, i] { chooseShutdownMode(static_cast<int>(i)); });
    }
}

// Only this window's own fields are read and written: another window's change to the settings
// row is never overwritten by a stale copy.
void FrmImportTV::readSettings() {
    try {
        ConfigRow row = ConfigStore(services_.appFolder).read();
        ui_.chkShutDown->setChecked(row.shutDown == 1);
        ui_.txtShoutType->setText(fromLatin1(row.shutType));
        ui_.check1_6->setChecked(row.takeOnlyListed == 1);
    } catch (const StoreError& error) {
        showMainStatus(fromLatin1(error.what()));
    }
}

void FrmImportTV::storeNumber(ConfigField field, double value) {
    try {
        ConfigStore(services_.appFolder).setNumber(field, value);
    } catch (const StoreError& error) {
        showMainStatus(fromLatin1(error.what()));
    }
}

// The list mirrors the main window's catalogue. While a download runs the list stays as it was
// (what is being downloaded stays in view) and is refilled when the run ends.
void FrmImportTV::fillChannels() {
    if (isRunning()) {
        listStale_ = true;
        return;
    }
    listStale_ = false;
    ui_.combo2->setCurrentText(main_.controls().combo2->currentText());
    ui_.listView1->clear();
    for (const DownloadListItem& item : main_.downloadList()) {
        auto* row = new QListWidgetItem(channelImage(item.smallIcon), fromLatin1(item.key));
        row->setData(Qt::UserRole, fromLatin1(item.key));
        ui_.listView1->addItem(row);
    }
}

void FrmImportTV::chooseCategory(const QString& text) {
    main_.controls().combo2->setCurrentText(text);
    main_.LOAD_TV();
}

void FrmImportTV::showEvent(QShowEvent* event) {
    bool ok = false;
    const int mode = ui_.txtShoutType->text().toInt(&ok);
    if (ok && mode >= 0 && mode < static_cast<int>(ui_.option4.size())) {
        ui_.option4[static_cast<std::size_t>(mode)]->setChecked(true);
    }
    enableShutdownModes();
    QWidget::showEvent(event);
}

void FrmImportTV::enableShutdownModes() {
    for (QRadioButton* mode : ui_.option4) {
        mode->setEnabled(ui_.chkShutDown->isChecked());
    }
}

void FrmImportTV::chooseShutdownMode(int index) {
    ui_.txtShoutType->setText(QString::number(index));
    try {
        ConfigStore(services_.appFolder).setText(ConfigField::ShutType, std::to_string(index));
    } catch (const StoreError& error) {
        showMainStatus(fromLatin1(error.what()));
    }
}

void FrmImportTV::showConfig() {
    showToolWindow(frmConfig_, [this] {
        auto* window = new FrmConfig(services_.appFolder, *services_.dialogs, this);
        connect(window, &FrmConfig::settingsStored, &main_, &FrmMain::rereadSettings);
        return window;
    });
}

// Closing the window during a download asks whether to stop; on yes the channel-day in progress
// ends (nothing is left half stored) and the window closes after it. The same goes for closing
// the program, which ends once the download has stopped.
bool FrmImportTV::askToStopFor(Closing closing) {
    if (closing_ != Closing::No) {
        closing_ = std::max(closing_, closing);  // already stopping: closing the program wins
        return true;
    }
    if (services_.dialogs->confirm(kProgramTitle,
                                   "Un download e' in corso. Fermarlo alla fine del canale-giorno "
                                   "in corso e chiudere?") != Answer::Ok) {
        return false;
    }
    if (!isRunning()) {
        // The run ended while the question was open: close now, once this close event is over.
        QMetaObject::invokeMethod(
            this, [this, closing] { closeAfterRun(closing); }, Qt::QueuedConnection);
        return true;
    }
    closing_ = closing;
    stop();
    return true;
}

void FrmImportTV::closeAfterRun(Closing closing) {
    if (closing == Closing::Program) {
        main_.close();
    } else if (closing == Closing::Window) {
        close();
    }
}

void FrmImportTV::closeEvent(QCloseEvent* event) {
    if (isRunning()) {
        event->ignore();
        askToStopFor(Closing::Window);
        return;
    }
    QWidget::closeEvent(event);
}

bool FrmImportTV::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &main_ && event->type() == QEvent::Close && isRunning()) {
        event->ignore();
        askToStopFor(Closing::Program);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace zelidor::ui
