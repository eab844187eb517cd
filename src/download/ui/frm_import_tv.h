// FrmImportTV, "Importa Programmi TV Da Internet...": the user picks channels, the first day and
// the number of days, starts the download and watches it (progress, bytes and speed, the log,
// the live view of the programme being read), can stop it, and can have the computer switched
// off at the end. The download runs on a worker thread; the window stays responsive.
//
// The window is made once and stays loaded for the rest of the program run (closing hides it):
// it owns the program's one script engine.
#pragma once

#include <QCloseEvent>
#include <QColor>
#include <QDate>
#include <QImage>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <memory>
#include <optional>

#include "browser/ui/guide_services.h"
#include "config/config_row.h"
#include "download/download_driver.h"
#include "download/power_control.h"
#include "download/ui/frm_import_tv_layout.h"

namespace zelidor {
class PageFetcher;
}

namespace zelidor::ui {

class FrmMain;
class FrmConfig;
class FrmImportTVDisplay;
class DownloadSession;
class ImportTypesEditor;
class ShutdownCountdown;

class FrmImportTV : public QWidget {
    Q_OBJECT
  public:
    // power carries the shutdown out; fetcher serves the engine (libcurl when not given).
    FrmImportTV(FrmMain& main, const GuideServices& services, PowerControl& power,
                std::unique_ptr<PageFetcher> fetcher = nullptr);
    ~FrmImportTV() override;

    // "Importa Programmi TV Da Internet..."
    static QString caption();

    bool isRunning() const { return worker_ != nullptr; }
    const FrmImportTVLayout& controls() const { return ui_; }
    // Seconds the shutdown box counts down (30).
    void setShutdownCountdown(int seconds) { countdownSeconds_ = seconds; }

    // What the download shows, called on the window's thread through the display adapter.
    void runStarted(int channelMaximum, int dayMaximum);
    void channelProgress(int value);
    void dayProgress(int value);
    void showRunStatus(const QString& text, const QColor& colour);
    void showCalendarDay(const QDate& day);
    void resetLiveView();
    void appendLog(const QString& line);
    void showField(RecordField field, const QString& text);
    void showTitleCaption(const QString& title);
    void showEngineStatus(const QString& text);
    void showCompletion(const QString& text);  // empty: hidden
    void showPoster(const QImage& picture);
    void showMainStatus(const QString& text);
    void shutdownRequested(ShutdownMode mode);

  signals:
    // The download run is over and the window is idle again.
    void runEnded();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    enum class Closing { No, Window, Program };

    void connectControls();
    void readSettings();
    void storeNumber(ConfigField field, double value);
    void fillChannels();
    void chooseCategory(const QString& text);
    void enableShutdownModes();
    void chooseShutdownMode(int index);
    void showConfig();
    DownloadPlan planFromChoice() const;
    void start();
    void stop();
    void workerFinished();
    void lockChoice(bool locked);
    void showTransfer();
    bool askToStopFor(Closing closing);
    void closeAfterRun(Closing closing);
    void countDownTo(ShutdownMode mode);

    FrmMain& main_;
    GuideServices services_;
    PowerControl& power_;
    FrmImportTVLayout ui_;
    QObject* inbox_ = nullptr;  // posted display calls run as its events
    std::unique_ptr<FrmImportTVDisplay> display_;
    std::unique_ptr<DownloadSession> session_;
    ImportTypesEditor* types_ = nullptr;
    QThread* worker_ = nullptr;
    std::atomic<bool> stop_{false};
    QTimer transferTimer_;
    std::optional<ShutdownMode> shutdown_;  // asked for by the run that is ending
    Closing closing_ = Closing::No;
    bool listStale_ = false;  // the catalogue changed while the list was locked
    int countdownSeconds_ = 30;
    QPointer<FrmConfig> frmConfig_;
    QPointer<ShutdownCountdown> countdown_;
};

}  // namespace zelidor::ui
