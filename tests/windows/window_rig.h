// What the window tests share: an application folder with the shipped data and a small
// programme database, recording boxes and desktop, the web profile, and waiting on conditions.
#pragma once

#include <gtest/gtest.h>

#include <QStringList>
#include <QTest>
#include <functional>
#include <memory>

#include "browser/ui/frm_main.h"
#include "browser/ui/guide_services.h"
#include "browser/ui/local_web_profile.h"
#include "support/recording_dialogs.h"
#include "support/temp_dir.h"

namespace zelidor::test {

class WindowRig : public testing::Test {
  public:
    // The program-wide web profile of the test run; it outlives every window.
    class Environment {
      public:
        Environment();
        ~Environment();
    };
    static QStringList& warnings();

  protected:
    WindowRig();
    void TearDown() override;

    const std::filesystem::path& appFolder() const { return dir_.path(); }
    // A programme database with a few channel-days of "Canale 5" and "Rai 1" around `day`.
    void addProgrammes(std::int64_t day) const;
    ui::GuideServices services();
    // A loaded main window showing its start page, as the splash hands it over (not shown).
    std::unique_ptr<ui::FrmMain> loadMain();
    // Waits for the view's next page load to finish, and says whether it finished in time.
    static bool waitForLoad(ui::FrmMain& window, const std::function<void()>& action);
    static QString pageHtml(ui::FrmMain& window);
    // With SCREENSHOT_DIR set, keeps a picture of the widget there, for people to look at.
    static void screenshot(QWidget& widget, const char* name);
    // Each named object (control or menu entry) under root shows its text.
    static void expectTexts(const QObject& root,
                            const std::vector<std::pair<const char*, QString>>& texts);
    static QAction* toolbarButton(ui::FrmMain& window, const char* toolbar, const char* key);

    RecordingDialogs dialogs_;
    QString saveFileAnswer_;  // what the file dialog answers

  private:
    TempDir dir_;
};

}  // namespace zelidor::test
