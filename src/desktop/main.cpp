// zelidor: the desktop TV guide. The splash window comes first and hands over to the main
// window, which lives until the user closes it.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <memory>

#include "appfolder/app_folder.h"
#include "browser/ui/frm_inizio.h"
#include "browser/ui/frm_main.h"
#include "browser/ui/local_web_profile.h"
#include "common/ui/app_icons.h"
#include "common/ui/desktop_open.h"
#include "common/ui/message_boxes.h"
#include "common/ui/qt_text.h"
#include "config/config_store.h"
#include "download/power_control.h"
#include "download/ui/download_window.h"
#include "samplesite/local_sample_site.h"

using namespace Qt::StringLiterals;
using namespace zelidor::ui;

namespace {

struct StartOptions {
    std::optional<std::filesystem::path> appFolder;  // given by the user
    QString channel;                                 // shown at start when given
};

StartOptions startOptions(const QApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Zelidor, la guida TV"_s);
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption folder(
        u"app-folder"_s, u"The application folder (TV/, database/, htmlcards/ ...)"_s, u"DIR"_s);
    QCommandLineOption channel(u"channel"_s, u"Show this channel's programmes of today"_s,
                               u"NAME"_s);
    parser.addOption(folder);
    parser.addOption(channel);
    parser.process(app);
    StartOptions options;
    if (parser.isSet(folder)) {
        options.appFolder = toPath(parser.value(folder));
    }
    options.channel = parser.value(channel);
    return options;
}

// The bundled listings site runs for as long as the program does, so that the web links of the
// programmes it listed open in the browser. Nothing else depends on it: a failure is only told.
std::unique_ptr<zelidor::samplesite::LocalSampleSite> startSampleSite(
    const std::filesystem::path& appFolder, std::optional<zelidor::ConfigStore>& settings,
    QString& failure) {
    try {
        settings.emplace(appFolder);
        if (settings->read().listingsHost != zelidor::kSampleHost) {
            return nullptr;
        }
        return std::make_unique<zelidor::samplesite::LocalSampleSite>(*settings);
    } catch (const std::exception& error) {
        failure = fromLatin1(error.what());
        return nullptr;
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    // The web view shares its OpenGL context with the windows; Qt asks for this before the
    // application exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Zelidor"_s);
    QApplication::setApplicationVersion(u"1.2"_s);
    QApplication::setDesktopFileName(u"org.zelidor.Zelidor"_s);
    QApplication::setWindowIcon(appIcon(u"zelidor"_s));

    StartOptions options = startOptions(app);  // --help and --version end here
    // The profile outlives every page: windows are declared after it and die first.
    LocalWebProfile web;
    DesktopOpen desktop;
    MessageBoxes dialogs;
    zelidor::SystemPowerControl power;
    std::filesystem::path appFolder;
    try {
        appFolder = zelidor::prepareAppFolder(toPath(QCoreApplication::applicationDirPath()),
                                              options.appFolder)
                        .folder;
    } catch (const zelidor::AppFolderError& error) {
        dialogs.message(zelidor::kProgramTitle, error.what(), zelidor::MessageIcon::Critical);
        return 1;
    }
    GuideServices services{appFolder, &dialogs, &desktop, web.profile(), {}};
    std::optional<zelidor::ConfigStore> siteSettings;
    QString siteFailure;
    auto sampleSite = startSampleSite(appFolder, siteSettings, siteFailure);

    std::unique_ptr<FrmMain> mainWindow;
    auto* splash = new FrmInizio([&] {
        mainWindow = std::make_unique<FrmMain>(services);
        dialogs.setOwner(mainWindow.get());
        mainWindow->load();
        if (!siteFailure.isEmpty()) {
            mainWindow->showMessage(siteFailure);
        }
        connectDownloadWindow(*mainWindow, services, power);
        if (!options.channel.isEmpty()) {
            mainWindow->showChannel(options.channel);
        }
        QObject::connect(mainWindow.get(), &FrmMain::programEnding, &app, &QApplication::quit,
                         Qt::QueuedConnection);
        return mainWindow.get();
    });
    splash->show();
    int code = QApplication::exec();
    mainWindow.reset();
    return code;
}
