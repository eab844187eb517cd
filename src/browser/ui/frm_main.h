// FrmMain, the guide browser: a day on the calendar, a channel in the tree, and that channel's
// programmes of that day as a card page in the HTML view; the commands that open the other
// windows; the status bar.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <optional>
#include <string>
#include <vector>

#include "browser/catalogue.h"
#include "browser/ui/frm_main_commands.h"
#include "browser/ui/frm_main_layout.h"
#include "browser/ui/guide_services.h"
#include "common/ui/window_placement.h"
#include "config/config_row.h"
#include "config/config_store.h"

namespace zelidor::ui {

class FrmConfig;
class FrmAbout;
class GuideTools;

class FrmMain : public QMainWindow {
    Q_OBJECT
  public:
    explicit FrmMain(const GuideServices& services, QWidget* parent = nullptr);
    ~FrmMain() override;

    // The loading sequence: each step that fails is skipped and reported where the user sees it.
    void load();
    // Rebuilds the channel catalogue in the tree (and the download window's channel list).
    void LOAD_TV();
    // Builds the card page of the selected channel and day and shows it.
    void BUILD_CARD();
    // Stores the window's place into the settings row (the template is stored when chosen).
    void saveWindowPlacement();
    // Places the window where the settings row says it was.
    void placeFromSettings();
    // Selects a channel of the tree and shows its card page, as a click on it would; false when
    // the tree has no such channel.
    bool showChannel(const QString& name);
    // Reads the settings row again (after the configuration window stored its fields).
    void rereadSettings();

    // A text in the messages panel of the status bar.
    void showMessage(const QString& text) { ui_.statusBar1->setMessage(text); }
    const ConfigRow& settings() const { return settings_; }
    const std::vector<DownloadListItem>& downloadList() const { return downloadList_; }
    QString statusMessage() const { return ui_.statusBar1->message(); }
    const FrmMainLayout& controls() const { return ui_; }
    const FrmMainCommands& commands() const { return commands_; }
    // The search, monitor and report windows and the monitor's alert.
    GuideTools& tools() const { return *tools_; }

  signals:
    // The catalogue was rebuilt; the download window mirrors its channel list.
    void catalogueLoaded();
    // The user closed the program (close box, Exit menu or exit button).
    void programEnding();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void connectCommands();
    void connectBrowsing();
    void fillCategories();
    void fillTemplates();
    void openSettings();
    void chooseTemplate(const QString& name);
    void showStatus(const std::vector<std::string>& texts);
    void runToolbar1(const QString& key);
    void runToolbar2(const QString& key);
    void showHelp();
    void printShownPage();
    void compactDatabase();
    void exportXmltv();
    void showConfig();
    void showAbout();
    Twips twips() const;

    GuideServices services_;
    FrmMainLayout ui_;
    FrmMainCommands commands_;
    std::optional<ConfigStore> config_;
    ConfigRow settings_;
    std::vector<DownloadListItem> downloadList_;
    std::string lastChannel_;  // the channel of the previous card page
    bool placementSaved_ = false;
    QPointer<FrmConfig> frmConfig_;
    QPointer<FrmAbout> frmAbout_;
    GuideTools* tools_ = nullptr;  // a child object
};

}  // namespace zelidor::ui
