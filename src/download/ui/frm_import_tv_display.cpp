#include "download/ui/frm_import_tv_display.h"

#include <QColor>
#include <QDate>
#include <QImage>

#include "common/ui/qt_text.h"
#include "download/ui/frm_import_tv.h"

namespace zelidor::ui {

FrmImportTVDisplay::FrmImportTVDisplay(FrmImportTV& window, QObject& inbox, Dialogs& dialogs,
                                       Desktop& desktop)
    : window_(window), dialogs_(dialogs), desktop_(desktop), inbox_(&inbox) {}

// Posted under the lock, so that detach() cannot slip in between the check and the post. A call
// posted to an inbox that is deleted later is dropped with it.
template <class Call>
void FrmImportTVDisplay::post(Call call) {
    std::lock_guard lock(mutex_);
    if (inbox_ != nullptr) {
        QMetaObject::invokeMethod(inbox_, std::move(call), Qt::QueuedConnection);
    }
}

// The worker waits for the answer. When the call never runs (the window went away first) the
// promise is destroyed with it and the fallback answer is taken.
template <class Result, class Call>
Result FrmImportTVDisplay::ask(Call call, Result fallback) {
    auto answer = std::make_shared<std::promise<Result>>();
    std::future<Result> future = answer->get_future();
    post([answer, call = std::move(call)] { answer->set_value(call()); });
    try {
        return future.get();
    } catch (const std::future_error&) {
        return fallback;
    }
}

void FrmImportTVDisplay::detach() {
    std::lock_guard lock(mutex_);
    inbox_ = nullptr;
}

std::optional<TransferTexts> FrmImportTVDisplay::takeTransfer() {
    std::lock_guard lock(mutex_);
    return std::exchange(transfer_, std::nullopt);
}

void FrmImportTVDisplay::runStarted(int channelMaximum, int dayMaximum) {
    post([w = &window_, channelMaximum, dayMaximum] { w->runStarted(channelMaximum, dayMaximum); });
}

void FrmImportTVDisplay::channelProgress(int value) {
    post([w = &window_, value] { w->channelProgress(value); });
}

void FrmImportTVDisplay::dayProgress(int value) {
    post([w = &window_, value] { w->dayProgress(value); });
}

void FrmImportTVDisplay::showRunStatus(const std::string& text, StatusColour colour) {
    QColor shade = colour == StatusColour::Green ? QColor(0, 128, 0) : QColor(192, 0, 0);
    post([w = &window_, text = fromLatin1(text), shade] { w->showRunStatus(text, shade); });
}

void FrmImportTVDisplay::showCalendarDay(const Day& day) {
    QDate date(day.year, day.month, day.day);
    post([w = &window_, date] { w->showCalendarDay(date); });
}

void FrmImportTVDisplay::resetLiveView() {
    post([w = &window_] { w->resetLiveView(); });
}

void FrmImportTVDisplay::appendLog(const std::string& line) {
    post([w = &window_, text = fromLatin1(line)] { w->appendLog(text); });
}

void FrmImportTVDisplay::showField(RecordField field, const std::string& text) {
    post([w = &window_, field, text = fromLatin1(text)] { w->showField(field, text); });
}

void FrmImportTVDisplay::showTitleCaption(const std::string& title) {
    post([w = &window_, text = fromLatin1(title)] { w->showTitleCaption(text); });
}

void FrmImportTVDisplay::showStatus(const std::string& text) {
    post([w = &window_, text = fromLatin1(text)] { w->showEngineStatus(text); });
}

void FrmImportTVDisplay::hideCompletion() {
    post([w = &window_] { w->showCompletion({}); });
}

void FrmImportTVDisplay::showCompletion(const std::string& text) {
    post([w = &window_, text = fromLatin1(text)] { w->showCompletion(text); });
}

void FrmImportTVDisplay::showTransfer(const std::string& pageText, const std::string& sessionText,
                                      const std::optional<std::string>& speedText) {
    TransferTexts texts{fromLatin1(pageText), fromLatin1(sessionText), std::nullopt};
    if (speedText) {
        texts.speed = fromLatin1(*speedText);
    }
    std::lock_guard lock(mutex_);
    if (transfer_ && !texts.speed) {
        texts.speed = transfer_->speed;  // a speed not yet shown is not lost
    }
    transfer_ = std::move(texts);
}

void FrmImportTVDisplay::showPoster(const std::filesystem::path& picture) {
    // Read now: the engine writes the next poster into the same file.
    QImage image(fromPath(picture));
    post([w = &window_, image] { w->showPoster(image); });
}

void FrmImportTVDisplay::showMainStatus(const std::string& text) {
    post([w = &window_, text = fromLatin1(text)] { w->showMainStatus(text); });
}

void FrmImportTVDisplay::message(const std::string& title, const std::string& text,
                                 MessageIcon icon) {
    ask([d = &dialogs_, title, text, icon] { return (d->message(title, text, icon), 0); }, 0);
}

Answer FrmImportTVDisplay::question(const std::string& title, const std::string& text) {
    return ask([d = &dialogs_, title, text] { return d->question(title, text); }, Answer::Cancel);
}

void FrmImportTVDisplay::open(const std::string& address) {
    post([d = &desktop_, address] { d->open(address); });
}

void FrmImportTVDisplay::request(ShutdownMode mode) {
    post([w = &window_, mode] { w->shutdownRequested(mode); });
}

}  // namespace zelidor::ui
