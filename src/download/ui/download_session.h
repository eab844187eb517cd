// The download engine of the desktop program: one script engine for the whole program run (its
// script variables and its once-a-run update check carry over from one download to the next),
// and the download of one run, made on the worker thread with connections of its own.
#pragma once

#include <atomic>
#include <filesystem>
#include <memory>

#include "download/download_driver.h"
#include "download/stored_settings.h"
#include "engine/ports.h"
#include "engine/script_engine.h"

namespace zelidor::ui {

// Where the engine and the driver report to: the window's display adapter.
struct SessionPorts {
    EngineDisplay& engineDisplay;
    DownloadDisplay& downloadDisplay;
    Dialogs& dialogs;
    Desktop& desktop;
    PowerControl& power;
};

class DownloadSession {
  public:
    DownloadSession(std::filesystem::path appFolder, SessionPorts ports,
                    std::unique_ptr<PageFetcher> fetcher);
    ~DownloadSession();
    DownloadSession(const DownloadSession&) = delete;
    DownloadSession& operator=(const DownloadSession&) = delete;

    // One download run, on the calling (worker) thread; one run at a time. The settings file,
    // the programme database and the bundled site (when the listings host is "sample") are
    // opened for the run and closed after it. Throws when one of them cannot be opened.
    DownloadSummary run(const DownloadPlan& plan, const DownloadOptions& options,
                        const std::atomic<bool>& stop);

  private:
    class RunSettings;
    class RunSink;

    std::filesystem::path appFolder_;
    SessionPorts ports_;
    std::unique_ptr<PageFetcher> fetcher_;
    std::unique_ptr<RunSettings> settings_;
    std::unique_ptr<RunSink> sink_;
    std::unique_ptr<ScriptEngine> engine_;
};

}  // namespace zelidor::ui
