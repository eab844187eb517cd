// zelidor: the desktop TV guide. The splash window comes first and hands over to the main
// window, which lives until the user closes it.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <memory>

#include "browser/ui/frm_inizio.h"
#include "browser/ui/frm_main.h"
#include "browser/ui/local_web_profile.h"
#include "common/ui/app_icons.h"
#include "common/ui/desktop_open.h"
#include "common/ui/message_boxes.h"
#include "common/ui/qt_text.h"
#include "download/power_control.h"
#include "download/ui/download_window.h"

using namespace Qt::StringLiterals;
using namespace zelidor::ui;

namespace {

struct StartOptions {
    std::filesystem::path appFolder;
    QString channel;  // shown at start when given
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
    QString given = parser.value(folder);
    return {
        toPath(
            QDir(given.isEmpty() ? QCoreApplication::applicationDirPath() : given).absolutePath()),
        parser.value(channel)};
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Zelidor"_s);
    QApplication::setApplicationVersion(u"1.2"_s);
    QApplication::setDesktopFileName(u"zelidor"_s);
    QApplication::setWindowIcon(appIcon(u"zelidor"_s));

    // The profile outlives every page: windows are declared after it and die first.
    LocalWebProfile web;
    DesktopOpen desktop;
    MessageBoxes dialogs;
    zelidor::SystemPowerControl power;
    StartOptions options = startOptions(app);
    GuideServices services{options.appFolder, &dialogs, &desktop, web.profile()};

    std::unique_ptr<FrmMain> mainWindow;
    auto* splash = new FrmInizio([&] {
        mainWindow = std::make_unique<FrmMain>(services);
        dialogs.setOwner(mainWindow.get());
        mainWindow->load();
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
