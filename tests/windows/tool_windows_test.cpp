// The small windows around the guide: settings, about, and the splash that hands over.
#include <QCheckBox>

#include "browser/ui/frm_inizio.h"
#include "common/ui/link_label.h"
#include "config/config_store.h"
#include "config/ui/frm_about.h"
#include "config/ui/frm_config.h"
#include "window_rig.h"

using namespace Qt::StringLiterals;

namespace zelidor::test {
namespace {

using ToolWindows = WindowRig;

TEST_F(ToolWindows, SettingsWindowStoresOnlyItsOwnFieldsAndTheGuideSeesThem) {
    auto window = loadMain();
    window->commands().preferences->trigger();
    auto* config = window->findChild<ui::FrmConfig*>(u"FrmConfig"_s);
    ASSERT_NE(config, nullptr);
    EXPECT_EQ(config->windowTitle(), u"Configurazione Zelidor"_s);
    auto* update = config->findChild<QCheckBox*>(u"ChkUpdate"_s);
    auto* scriptError = config->findChild<QCheckBox*>(u"ChkScriptError"_s);
    ASSERT_TRUE(update && scriptError);
    EXPECT_TRUE(update->isChecked());
    update->setChecked(false);
    scriptError->setChecked(true);
    // Meanwhile the guide stores another template; the settings window's copy is older.
    window->controls().combo1->setCurrentText(u"notturna.htm"_s);
    // A second "Preferenze" brings the same window back.
    window->commands().preferences->trigger();
    EXPECT_EQ(window->findChildren<ui::FrmConfig*>().size(), 1);

    screenshot(*config, "settings");
    config->close();
    EXPECT_EQ(window->settings().checkUpdate, 0);  // read again by the guide
    EXPECT_EQ(window->settings().scriptError, 1);
    window->close();
    ConfigRow stored = ConfigStore(appFolder()).read();
    EXPECT_EQ(stored.card, "notturna.htm");
    EXPECT_EQ(stored.checkUpdate, 0);
    EXPECT_EQ(stored.scriptError, 1);
}

TEST_F(ToolWindows, AboutWindowOpensItsLinksThroughTheDesktopAndExistsOnce) {
    auto window = loadMain();
    window->commands().about->trigger();
    toolbarButton(*window, "Toolbar1", "about")->trigger();
    auto abouts = window->findChildren<ui::FrmAbout*>();
    ASSERT_EQ(abouts.size(), 1);
    if (qEnvironmentVariableIsSet("SCREENSHOT_DIR")) {
        QTest::qWait(2500);  // the credits under way
        screenshot(*abouts[0], "about");
    }
    for (const char* link : {"Label1", "Label3"}) {
        auto* label = abouts[0]->findChild<ui::LinkLabel*>(QLatin1String(link));
        ASSERT_NE(label, nullptr) << link;
        QTest::mouseClick(label, Qt::LeftButton);
    }
    EXPECT_EQ(dialogs_.opened, (std::vector<std::string>{ui::kAuthorPage, ui::kAuthorMail}));
}

TEST_F(ToolWindows, SplashHandsOverToTheMainWindowAtItsStoredPlace) {
    ConfigStore(appFolder()).setWindowPlacement(780 * 15, 560 * 15, 12 * 15, 6 * 15);
    std::unique_ptr<ui::FrmMain> window;
    QPointer<ui::FrmInizio> splash = new ui::FrmInizio([&] {
        window = std::make_unique<ui::FrmMain>(services());
        window->load();
        return window.get();
    });
    screenshot(*splash, "splash");
    splash->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window && window->isVisible(); }, 20000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return splash.isNull(); }, 5000));
    EXPECT_EQ(window->size(), QSize(780, 560));
    EXPECT_EQ(window->pos(), QPoint(6, 12));
}

}  // namespace
}  // namespace zelidor::test
