#include "config/ui/frm_config.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "common/sqlite.h"
#include "common/ui/named_widget.h"
#include "config/config_store.h"

using namespace Qt::StringLiterals;

namespace zelidor::ui {

namespace {

QWidget* tabWith(QTabWidget* tabs, const char* frameName, const QString& frameTitle, QCheckBox* box,
                 const QString& tabCaption) {
    auto* page = new QWidget(tabs);
    auto* frame = named<QGroupBox>(page, frameName, frameTitle);
    auto* frameRows = new QVBoxLayout(frame);
    box->setParent(frame);
    frameRows->addWidget(box);
    frameRows->addStretch();
    auto* pageRows = new QVBoxLayout(page);
    pageRows->addWidget(frame);
    tabs->addTab(page, tabCaption);
    return page;
}

}  // namespace

FrmConfig::FrmConfig(std::filesystem::path appFolder, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), appFolder_(std::move(appFolder)), dialogs_(dialogs) {
    build();
    readSettings();
}

FrmConfig::~FrmConfig() {
    // Closing the program with this window open still keeps what the user ticked. The main
    // window is being destroyed by now: nothing is announced, nothing is asked.
    storeSettings(false);
}

void FrmConfig::build() {
    setObjectName(u"FrmConfig"_s);
    setWindowTitle(u"Configurazione Zelidor"_s);
    auto* tabs = named<QTabWidget>(this, "SSTab1");
    chkUpdate_ = named<QCheckBox>(
        this, "ChkUpdate", u"Controlla Aggiornamenti ogni volta che importi nuovi programmi TV"_s);
    chkScriptError_ =
        named<QCheckBox>(this, "ChkScriptError", u"Abilita Segnalazione Errori Nello Script"_s);
    tabWith(tabs, "Frame2", u"Aggiornamenti"_s, chkUpdate_, u"Aggiornamenti"_s);
    tabWith(tabs, "Frame1", u"Weftscript Technology Advanced Setup"_s, chkScriptError_,
            u"Script"_s);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* closeButton = buttons->addButton(u"Chiudi"_s, QDialogButtonBox::AcceptRole);
    closeButton->setObjectName(u"CmdClose"_s);
    connect(closeButton, &QPushButton::clicked, this, &FrmConfig::close);
    auto* rows = new QVBoxLayout(this);
    rows->addWidget(tabs);
    rows->addWidget(buttons);
}

void FrmConfig::readSettings() {
    try {
        ConfigRow row = ConfigStore(appFolder_).read();
        chkUpdate_->setChecked(row.checkUpdate == 1);
        chkScriptError_->setChecked(row.scriptError == 1);
        readable_ = true;
    } catch (const StoreError& error) {
        dialogs_.message(kProgramTitle, error.what(), MessageIcon::Critical);
        setEnabled(false);
    }
}

void FrmConfig::storeSettings(bool announce) {
    if (stored_ || !readable_) {
        return;
    }
    stored_ = true;
    try {
        ConfigStore store(appFolder_);
        store.setNumber(ConfigField::CheckUpdate, chkUpdate_->isChecked() ? 1 : 0);
        store.setNumber(ConfigField::ScriptError, chkScriptError_->isChecked() ? 1 : 0);
    } catch (const StoreError& error) {
        if (announce) {
            dialogs_.message(kProgramTitle, error.what(), MessageIcon::Critical);
        }
        return;
    }
    if (announce) {
        emit settingsStored();
    }
}

void FrmConfig::closeEvent(QCloseEvent* event) {
    storeSettings(true);
    event->accept();
}

}  // namespace zelidor::ui
