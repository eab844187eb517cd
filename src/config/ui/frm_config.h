// FrmConfig, "Configurazione Zelidor": the two script-engine options. It stores only its own
// two fields, when it closes, so a change another window made to the settings meanwhile stays.
#pragma once

#include <QCheckBox>
#include <QWidget>
#include <filesystem>

#include "common/dialogs.h"

namespace zelidor::ui {

class FrmConfig : public QWidget {
    Q_OBJECT
  public:
    FrmConfig(std::filesystem::path appFolder, Dialogs& dialogs, QWidget* parent);
    ~FrmConfig() override;

  signals:
    // The two options are in the settings file; readers of the row should read it again.
    void settingsStored();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void build();
    void readSettings();
    void storeSettings(bool announce);

    std::filesystem::path appFolder_;
    Dialogs& dialogs_;
    QCheckBox* chkUpdate_ = nullptr;
    QCheckBox* chkScriptError_ = nullptr;
    bool readable_ = false;  // only what was read is written back
    bool stored_ = false;
};

}  // namespace zelidor::ui
