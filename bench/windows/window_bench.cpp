// Figures for the main window: the start of the program until the start page is drawn (each
// run a fresh process, as a user starts it), and a click on a channel until its card page of 45
// programmes has loaded in the view. Prints milliseconds; it never fails on a threshold.
// Run as root with QTWEBENGINE_DISABLE_SANDBOX=1, on any screen (QT_QPA_PLATFORM=offscreen
// or Xvfb).
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEngineView>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "browser/ui/frm_inizio.h"
#include "browser/ui/frm_main.h"
#include "browser/ui/local_web_profile.h"
#include "common/day.h"
#include "common/ui/qt_text.h"
#include "engine/programme_store.h"
#include "support/recording_dialogs.h"

using namespace Qt::StringLiterals;
using namespace zelidor;
using namespace zelidor::ui;

namespace {

constexpr int kStarts = 7;
constexpr int kClicks = 40;
constexpr int kPerChannelDay = 45;

std::filesystem::path makeAppFolder(const QTemporaryDir& dir) {
    std::filesystem::path folder = toPath(dir.path());
    std::filesystem::copy(ZELIDOR_APP_DATA, folder, std::filesystem::copy_options::recursive);
    std::filesystem::create_directories(folder / "database");
    ProgrammeStore store(ProgrammeStore::defaultFile(folder));
    for (const char* channel : {"Canale 5", "Italia 1"}) {
        for (int i = 0; i < kPerChannelDay; ++i) {
            std::string hour = std::to_string(6 + i / 3) + ":" + std::to_string(10 + (i % 3) * 20);
            store.insert({Day::today().number(), hour, "Programma numero " + std::to_string(i),
                          "http://127.0.0.1:9/p" + std::to_string(i),
                          "Una descrizione di qualche riga per il programma, con <b>markup</b>.",
                          "none.jpg", channel, i + 1, i % 2 ? "Film" : "Telefilm"});
        }
    }
    return folder;
}

struct Figures {
    double median;
    double worst;
};

Figures figures(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}

// One start, in this process: the splash hands over, the main window shows the start page.
int startOnce(const std::filesystem::path& appFolder) {
    LocalWebProfile web;
    test::RecordingDialogs dialogs;
    GuideServices services{appFolder, &dialogs, &dialogs, web.profile(), {}};
    std::unique_ptr<FrmMain> window;
    auto* splash = new FrmInizio([&] {
        window = std::make_unique<FrmMain>(services);
        QObject::connect(window->controls().webBrowser1, &QWebEngineView::loadFinished, [&](bool) {
            // The page has loaded; the next frame of the window draws it.
            window->controls().webBrowser1->grab();
            std::printf("painted\n");
            std::fflush(stdout);
            QCoreApplication::exit(0);
        });
        window->load();
        return window.get();
    });
    splash->show();
    return QApplication::exec();
}

double timeOneStart(const QString& program, const std::filesystem::path& appFolder) {
    QProcess child;
    QElapsedTimer clock;
    clock.start();
    child.start(program, {u"--start-once"_s, fromPath(appFolder)});
    child.waitForFinished(60000);
    double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    return child.readAllStandardOutput().contains("painted") ? ms : -1;
}

void benchStart(const QString& program, const std::filesystem::path& appFolder) {
    timeOneStart(program, appFolder);  // warm the file cache
    std::vector<double> ms;
    for (int i = 0; i < kStarts; ++i) {
        ms.push_back(timeOneStart(program, appFolder));
    }
    Figures f = figures(ms);
    std::printf("start to the start page drawn: median %.0f ms, worst %.0f ms (%d starts)\n",
                f.median, f.worst, kStarts);
}

// Waits in an event loop of its own, as the program does: QTest::qWaitFor sleeps between rounds
// of events, and the web engine's work, which runs on this thread's event loop, would wait too.
bool waitForLoads(QWebEngineView* view, const int& loads, int wanted) {
    QEventLoop loop;
    QObject::connect(view, &QWebEngineView::loadFinished, &loop, [&] {
        if (loads >= wanted) {
            loop.quit();
        }
    });
    QTimer::singleShot(20000, &loop, &QEventLoop::quit);
    if (loads < wanted) {
        loop.exec();
    }
    return loads >= wanted;
}

void benchClicks(const std::filesystem::path& appFolder) {
    LocalWebProfile web;
    test::RecordingDialogs dialogs;
    FrmMain window(GuideServices{appFolder, &dialogs, &dialogs, web.profile(), {}});
    window.resize(1000, 700);
    window.load();
    window.show();
    auto* view = window.controls().webBrowser1;
    int loads = 0;
    QObject::connect(view, &QWebEngineView::loadFinished, [&](bool) { ++loads; });
    (void)waitForLoads(view, loads, 1);
    std::vector<double> ms;
    std::vector<double> build;
    for (int i = 0; i < kClicks; ++i) {
        int before = loads;
        QElapsedTimer clock;
        clock.start();
        window.showChannel(i % 2 ? u"Canale 5"_s : u"Italia 1"_s);
        build.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        if (!waitForLoads(view, loads, before + 1)) {
            std::printf("a card page did not load\n");
            return;
        }
        ms.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
    }
    Figures f = figures(ms);
    std::printf(
        "click on a channel to its card page loaded (%d programmes): median %.1f ms, "
        "worst %.1f ms (%d clicks)\n",
        kPerChannelDay, f.median, f.worst, kClicks);
    Figures b = figures(build);
    std::printf("  of which building and writing the page: median %.1f ms, worst %.1f ms\n",
                b.median, b.worst);
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QStringList args = QApplication::arguments();
    if (args.size() == 3 && args[1] == u"--start-once"_s) {
        return startOnce(toPath(args[2]));
    }
    QTemporaryDir dir;
    std::filesystem::path appFolder = makeAppFolder(dir);
    benchStart(QApplication::applicationFilePath(), appFolder);
    benchClicks(appFolder);
    return 0;
}
