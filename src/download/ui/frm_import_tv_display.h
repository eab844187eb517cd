// The download window as the engine and the driver see it from the worker thread. Every call is
// posted to the window in the order it was made, with its text copied at once; questions and
// message boxes wait on the worker for the user's answer. The byte and speed counters change
// with every chunk received, so only their latest value is kept, for the window to fetch.
#pragma once

#include <QObject>
#include <QString>
#include <future>
#include <mutex>
#include <optional>

#include "common/dialogs.h"
#include "download/download_display.h"
#include "download/power_control.h"
#include "engine/ports.h"

namespace zelidor::ui {

class FrmImportTV;

struct TransferTexts {
    QString page;
    QString session;
    std::optional<QString> speed;
};

class FrmImportTVDisplay : public DownloadDisplay,
                           public EngineDisplay,
                           public Dialogs,
                           public Desktop,
                           public PowerControl {
  public:
    // inbox: a child of the window whose events run the posted calls.
    FrmImportTVDisplay(FrmImportTV& window, QObject& inbox, Dialogs& dialogs, Desktop& desktop);

    // Window thread: nothing more reaches the window; a question waiting for its answer gets
    // Cancel. Called before the window goes away.
    void detach();
    // Window thread: the counters received since the last call, if any.
    std::optional<TransferTexts> takeTransfer();

    // Download driver
    void runStarted(int channelMaximum, int dayMaximum) override;
    void channelProgress(int value) override;
    void dayProgress(int value) override;
    void showRunStatus(const std::string& text, StatusColour colour) override;
    void showCalendarDay(const Day& day) override;
    // Both the driver and the engine
    void resetLiveView() override;
    void appendLog(const std::string& line) override;
    // Engine
    void showField(RecordField field, const std::string& text) override;
    void showTitleCaption(const std::string& title) override;
    void showStatus(const std::string& text) override;
    void hideCompletion() override;
    void showCompletion(const std::string& text) override;
    void showTransfer(const std::string& pageText, const std::string& sessionText,
                      const std::optional<std::string>& speedText) override;
    void showPoster(const std::filesystem::path& picture) override;
    void showMainStatus(const std::string& text) override;
    // Boxes and the desktop
    void message(const std::string& title, const std::string& text, MessageIcon icon) override;
    Answer question(const std::string& title, const std::string& text) override;
    void open(const std::string& address) override;
    // The shutdown asked for at the end of the run: the window counts down before it acts.
    void request(ShutdownMode mode) override;

  private:
    template <class Call>
    void post(Call call);
    template <class Result, class Call>
    Result ask(Call call, Result fallback);

    FrmImportTV& window_;
    Dialogs& dialogs_;
    Desktop& desktop_;
    std::mutex mutex_;
    QObject* inbox_;  // null once detached
    std::optional<TransferTexts> transfer_;
};

}  // namespace zelidor::ui
