#include "window_rig.h"

#include <QSignalSpy>
#include <QWebEnginePage>

#include "browser/ui/frm_main_commands.h"
#include "engine/programme_store.h"

using namespace Qt::StringLiterals;

namespace zelidor::test {

namespace {

std::unique_ptr<ui::LocalWebProfile>& profile() {
    static std::unique_ptr<ui::LocalWebProfile> instance;
    return instance;
}

// Noise that Qt and Chromium print on an offscreen screen without a GPU.
bool knownNoise(const QString& text) {
    static const QStringList known = {
        u"propagateSizeHints"_s, u"graphics backend"_s,    u"GL"_s,
        u"support raise()"_s,    u"Sandboxing disabled"_s, u"Release of profile"_s};
    for (const QString& part : known) {
        if (text.contains(part)) {
            return part != u"Release of profile"_s;  // that one is a real fault
        }
    }
    return false;
}

}  // namespace

QStringList& WindowRig::warnings() {
    static QStringList list;
    return list;
}

WindowRig::Environment::Environment() {
    profile() = std::make_unique<ui::LocalWebProfile>();
}

WindowRig::Environment::~Environment() {
    profile().reset();
}

WindowRig::WindowRig() {
    std::filesystem::copy(ZELIDOR_APP_DIR_SOURCE, dir_.path(),
                          std::filesystem::copy_options::recursive);
    dir_.makeAppFolders();
    warnings().clear();
}

void WindowRig::TearDown() {
    QStringList unexpected;
    for (const QString& warning : warnings()) {
        if (!knownNoise(warning)) {
            unexpected.append(warning);
        }
    }
    EXPECT_TRUE(unexpected.isEmpty()) << unexpected.join(u'\n').toStdString();
}

void WindowRig::addProgrammes(std::int64_t day) const {
    ProgrammeStore store(ProgrammeStore::defaultFile(appFolder()));
    store.insert(
        {day, "06:00", "Prima pagina", {}, "Le notizie del mattino", {}, "Canale 5", 1, "News"});
    store.insert({day,
                  "20:40",
                  "Il commissario Rex",
                  "http://127.0.0.1:9/rex",
                  "Un caso difficile",
                  {},
                  "Canale 5",
                  2,
                  "Telefilm"});
    store.insert({day, "21:00", "Film della sera", {}, {}, {}, "Rai 1", 1, "Film"});
}

ui::GuideServices WindowRig::services() {
    ui::GuideServices services{appFolder(), &dialogs_, &dialogs_, profile()->profile(), {}};
    services.chooseSaveFile = [this](const QString&) { return saveFileAnswer_; };
    return services;
}

std::unique_ptr<ui::FrmMain> WindowRig::loadMain() {
    auto window = std::make_unique<ui::FrmMain>(services());
    window->resize(780, 570);
    // The start page first, as a user sees it before clicking anything.
    EXPECT_TRUE(waitForLoad(*window, [&] { window->load(); }));
    return window;
}

bool WindowRig::waitForLoad(ui::FrmMain& window, const std::function<void()>& action) {
    QSignalSpy spy(window.controls().webBrowser1, &QWebEngineView::loadFinished);
    action();
    // The spy's wait runs an event loop; the web engine works on it (a polling wait that sleeps
    // between rounds slows every load to seconds).
    return spy.count() > 0 || spy.wait(20000);
}

QString WindowRig::pageHtml(ui::FrmMain& window) {
    QString html;
    bool done = false;
    window.controls().webBrowser1->page()->toHtml([&](const QString& text) {
        html = text;
        done = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, 20000));
    return html;
}

void WindowRig::screenshot(QWidget& widget, const char* name) {
    QString folder = qEnvironmentVariable("SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        widget.grab().save(folder + u'/' + QLatin1String(name) + u".png"_s);
    }
}

void WindowRig::expectTexts(const QObject& root,
                            const std::vector<std::pair<const char*, QString>>& texts) {
    for (const auto& [name, text] : texts) {
        auto* object = root.findChild<QObject*>(QLatin1String(name));
        ASSERT_NE(object, nullptr) << name;
        EXPECT_EQ(object->property("text").toString(), text) << name;
    }
}

QAction* WindowRig::toolbarButton(ui::FrmMain& window, const char* toolbar, const char* key) {
    auto* bar = window.findChild<QToolBar*>(QLatin1String(toolbar));
    return bar != nullptr ? ui::FrmMainCommands::button(*bar, QLatin1String(key)) : nullptr;
}

}  // namespace zelidor::test
