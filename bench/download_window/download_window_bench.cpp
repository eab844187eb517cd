// Figures for the download window: the same download (K channels x 1 day with detail pages and
// posters, the sample site waiting L ms before every answer) driven through the window and by
// zelidor-cli, and how late a 10 ms timer on the window's thread runs during the window's
// download (the window must never freeze). Prints seconds and milliseconds; never fails.
//
// Usage: zelidor_download_window_bench [K [L [RUNS]]]   (defaults 10, 5, 3)
// Run with QT_QPA_PLATFORM=offscreen (or on Xvfb), and QTWEBENGINE_DISABLE_SANDBOX=1 as root.
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "browser/catalogue.h"
#include "browser/ui/frm_main.h"
#include "browser/ui/local_web_profile.h"
#include "common/ui/qt_text.h"
#include "config/config_store.h"
#include "download/ui/download_window.h"
#include "download/ui/frm_import_tv.h"
#include "samplesite/sample_site.h"
#include "support/recording_dialogs.h"

using namespace Qt::StringLiterals;
using namespace zelidor;
using namespace zelidor::ui;

namespace {

const QDate kDay(2002, 12, 5);

struct NoPower : PowerControl {
    void request(ShutdownMode) override {}
};

std::filesystem::path makeAppFolder(const QTemporaryDir& dir, const std::string& host) {
    std::filesystem::path folder = toPath(dir.path());
    std::filesystem::copy(ZELIDOR_APP_DATA, folder, std::filesystem::copy_options::recursive);
    std::filesystem::create_directories(folder / "database");
    ConfigStore config(folder);
    config.setText(ConfigField::ListingsHost, host);
    config.setText(ConfigField::UpdateHost, host);
    config.setNumber(ConfigField::CheckUpdate, 0);
    return folder;
}

std::vector<std::string> firstChannels(const std::filesystem::path& folder, int count) {
    std::vector<std::string> names;
    for (const DownloadListItem& item : loadCatalogue(folder, "0").downloadList) {
        if (static_cast<int>(names.size()) < count) {
            names.push_back(item.key);
        }
    }
    return names;
}

double cliSeconds(const std::filesystem::path& folder, const std::vector<std::string>& channels) {
    QStringList args{u"--app-folder"_s, fromPath(folder), u"download"_s, u"--from"_s,
                     u"20021205"_s,     u"--answers"_s,   u"cancel"_s};
    for (const std::string& channel : channels) {
        args << u"--channel"_s << fromLatin1(channel);
    }
    QProcess cli;
    QElapsedTimer clock;
    clock.start();
    cli.start(QLatin1String(ZELIDOR_CLI), args);
    cli.waitForFinished(600000);
    return static_cast<double>(clock.nsecsElapsed()) / 1e9;
}

struct WindowRun {
    double seconds;
    double worstLateMs;
};

WindowRun windowRun(FrmImportTV& window, const std::vector<std::string>& channels) {
    window.controls().monthView1->setSelectedDate(kDay);
    window.controls().listView1->clearSelection();
    for (const std::string& channel : channels) {
        for (QListWidgetItem* item :
             window.controls().listView1->findItems(fromLatin1(channel), Qt::MatchExactly)) {
            item->setSelected(true);
        }
    }
    bool ended = false;
    auto done = QObject::connect(&window, &FrmImportTV::runEnded, [&] { ended = true; });
    // A 10 ms timer on the window's thread: how late each tick comes shows how long the thread
    // was kept from its events.
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QElapsedTimer sinceTick;
    double worst = 0;
    QElapsedTimer clock;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        double late = static_cast<double>(sinceTick.nsecsElapsed()) / 1e6 - 10.0;
        if (late > 40 && qEnvironmentVariableIsSet("BENCH_SPIKES")) {
            std::printf("  late %.0f ms at %.3f s\n", late,
                        static_cast<double>(clock.nsecsElapsed()) / 1e9);
        }
        worst = std::max(worst, late);
        sinceTick.restart();
    });
    clock.start();
    sinceTick.start();
    ticker.start(10);
    window.controls().command1->click();
    (void)QTest::qWaitFor([&] { return ended; }, 600000);
    double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    QObject::disconnect(done);
    return {seconds, worst};
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    const int channelCount = argc > 1 ? std::atoi(argv[1]) : 10;
    const int latency = argc > 2 ? std::atoi(argv[2]) : 5;
    const int runs = argc > 3 ? std::atoi(argv[3]) : 3;
    samplesite::SampleSite site;
    site.setLatency(std::chrono::milliseconds(latency));
    site.start();
    QTemporaryDir dir;
    const std::filesystem::path folder = makeAppFolder(dir, site.host());
    const std::vector<std::string> channels = firstChannels(folder, channelCount);

    LocalWebProfile web;
    test::RecordingDialogs dialogs;
    NoPower power;
    GuideServices services{folder, &dialogs, &dialogs, web.profile(), {}};
    FrmMain main(services);
    main.load();
    connectDownloadWindow(main, services, power);
    main.commands().downloadpr->trigger();
    FrmImportTV& window = *downloadWindowOf(main);

    std::vector<double> cli, gui, late;
    windowRun(window, channels);  // warm the caches, the site's and the engine's
    // The same timer with nothing to do: what this machine's scheduler costs by itself.
    double idleLate = 0;
    {
        QTimer ticker;
        ticker.setTimerType(Qt::PreciseTimer);
        QElapsedTimer sinceTick;
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            idleLate =
                std::max(idleLate, static_cast<double>(sinceTick.nsecsElapsed()) / 1e6 - 10.0);
            sinceTick.restart();
        });
        sinceTick.start();
        ticker.start(10);
        QTest::qWait(3000);
    }
    for (int i = 0; i < runs; ++i) {
        cli.push_back(cliSeconds(folder, channels));
        WindowRun run = windowRun(window, channels);
        gui.push_back(run.seconds);
        late.push_back(run.worstLateMs);
    }
    std::printf("%zu channels x 1 day with details, %d ms latency, %d runs each (median)\n",
                channels.size(), latency, runs);
    std::printf("zelidor-cli (process start included): %.2f s\n", median(cli));
    std::printf("download window (Start to the end):    %.2f s\n", median(gui));
    std::printf("window / command line:                 %.3f\n", median(gui) / median(cli));
    std::printf(
        "10 ms timer on the window's thread, worst lateness: %.1f ms (worst run %.1f); "
        "idle for 3 s: %.1f ms\n",
        median(late), *std::max_element(late.begin(), late.end()), idleLate);
    return 0;
}
