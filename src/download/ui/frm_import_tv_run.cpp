// The download run of the window: start, Stop, the worker's end, and what the run shows.
#include <QDate>
#include <QImage>
#include <QPixmap>

#include "browser/ui/frm_main.h"
#include "common/ui/qt_text.h"
#include "download/ui/download_session.h"
#include "download/ui/frm_import_tv.h"
#include "download/ui/frm_import_tv_display.h"
#include "download/ui/shutdown_countdown.h"

using namespace Qt::StringLiterals;

namespace zelidor::ui {

namespace {

const QColor kFilled(0, 100, 0);  // an indicator whose field was filled: dark green

// A palette, not a style sheet: the live view changes hundreds of times a second, and a style
// sheet would restyle the box every time.
void markIndicator(QCheckBox& indicator, const QColor& colour) {
    QPalette look = indicator.palette();
    look.setColor(QPalette::WindowText, colour);
    look.setColor(QPalette::ButtonText, colour);
    indicator.setPalette(look);
}

Day dayOf(const QDate& date) {
    return Day{date.year(), date.month(), date.day()};
}

}  // namespace

// The choice is captured here: the run works on these channels and days whatever the window
// shows later.
DownloadPlan FrmImportTV::planFromChoice() const {
    DownloadPlan plan;
    for (int row = 0; row < ui_.listView1->count(); ++row) {
        const QListWidgetItem* item = ui_.listView1->item(row);
        if (item->isSelected()) {
            plan.channels.push_back(toLatin1(item->data(Qt::UserRole).toString()));
        }
    }
    plan.firstDay = dayOf(ui_.monthView1->selectedDate());
    plan.dayCount = ui_.option3->isChecked() ? 7 : ui_.option2->isChecked() ? 2 : 1;
    if (ui_.chkShutDown->isChecked()) {
        plan.shutdown = shutdownModeFromText(toLatin1(ui_.txtShoutType->text()));
    }
    return plan;
}

void FrmImportTV::start() {
    if (isRunning()) {
        return;
    }
    DownloadPlan plan = planFromChoice();
    DownloadOptions options;
    options.listOnly = ui_.check2->isChecked();
    options.openListingInBrowser = ui_.check9->isChecked();
    options.takeOnlyListed = ui_.check1_6->isChecked();

    ui_.txtStop->hide();
    ui_.command2->setEnabled(true);
    ui_.frame3->show();
    ui_.command1->setEnabled(false);
    ui_.progressBar2->setRange(0, plan.dayCount);
    ui_.progressBar2->setValue(0);
    ui_.progressBar1->setRange(0, 1 + static_cast<int>(plan.channels.size()));
    ui_.progressBar1->setValue(0);
    ui_.label8->setText(u"Download In Corso... Attendere !"_s);
    ui_.label8->show();
    ui_.label8->startBlinking();
    ui_.lstLog->clear();
    lockChoice(true);
    stop_ = false;
    shutdown_.reset();
    worker_ = QThread::create([this, plan = std::move(plan), options] {
        try {
            session_->run(plan, options, stop_);
        } catch (const std::exception& error) {
            display_->appendLog("ERRORE : " + std::string(error.what()));
            display_->showMainStatus(error.what());
        }
    });
    connect(worker_, &QThread::finished, this, &FrmImportTV::workerFinished);
    transferTimer_.start();
    worker_->start();
}

void FrmImportTV::stop() {
    if (!isRunning()) {
        return;
    }
    ui_.txtStop->show();
    stop_ = true;
}

// The channel list, the category filter and the day choice stay as they were while a download
// runs; the type list and the settings stay editable, since the engine reads them afresh.
void FrmImportTV::lockChoice(bool locked) {
    for (QWidget* control : std::initializer_list<QWidget*>{
             ui_.listView1, ui_.combo2, ui_.monthView1, ui_.option1, ui_.option2, ui_.option3}) {
        control->setEnabled(!locked);
    }
}

// Everything the worker posted has arrived by now: finished is posted after its last call.
void FrmImportTV::workerFinished() {
    transferTimer_.stop();
    showTransfer();
    worker_->deleteLater();
    worker_ = nullptr;
    ui_.label8->stopBlinking();
    setWindowTitle(caption());  // the last programme's title belonged to the run
    ui_.command2->setEnabled(false);
    ui_.txtStop->hide();
    ui_.command1->setEnabled(true);
    lockChoice(false);
    if (listStale_) {
        fillChannels();
    }
    emit runEnded();
    const Closing closing = std::exchange(closing_, Closing::No);
    if (closing != Closing::No) {
        closeAfterRun(closing);
    } else if (shutdown_) {
        countDownTo(*shutdown_);
    }
}

// Someone who closed the window or the program during the run is at the computer and said what
// he wants: the shutdown asked for at the start is dropped.
void FrmImportTV::countDownTo(ShutdownMode mode) {
    const auto index = static_cast<std::size_t>(mode);
    countdown_ = new ShutdownCountdown(ui_.option4.at(index)->text(), countdownSeconds_, this);
    connect(countdown_, &ShutdownCountdown::elapsed, this, [this, mode] { power_.request(mode); });
    countdown_->open();
}

void FrmImportTV::showTransfer() {
    if (std::optional<TransferTexts> texts = display_->takeTransfer()) {
        ui_.label2->setText(texts->page);
        ui_.label3->setText(texts->session);
        if (texts->speed) {
            ui_.label6->setText(*texts->speed);
        }
    }
}

void FrmImportTV::runStarted(int channelMaximum, int dayMaximum) {
    ui_.progressBar1->setRange(0, channelMaximum);
    ui_.progressBar2->setRange(0, dayMaximum);
}

void FrmImportTV::channelProgress(int value) {
    ui_.progressBar1->setValue(std::min(value, ui_.progressBar1->maximum()));
}

void FrmImportTV::dayProgress(int value) {
    ui_.progressBar2->setValue(std::min(value, ui_.progressBar2->maximum()));
}

void FrmImportTV::showRunStatus(const QString& text, const QColor& colour) {
    ui_.label8->setText(text);
    ui_.label8->setColour(colour);
}

void FrmImportTV::showCalendarDay(const QDate& day) {
    ui_.monthView1->setSelectedDate(day);
}

void FrmImportTV::resetLiveView() {
    for (LiveField& field : ui_.live) {
        if (auto* line = qobject_cast<QLineEdit*>(field.text)) {
            line->clear();
        } else if (auto* box = qobject_cast<QPlainTextEdit*>(field.text)) {
            box->clear();
        }
        field.indicator->setChecked(false);
        markIndicator(*field.indicator, Qt::black);
    }
    // The poster stays until the next one arrives.
}

void FrmImportTV::appendLog(const QString& line) {
    ui_.lstLog->addItem(line);
    ui_.lstLog->scrollToBottom();
}

void FrmImportTV::showField(RecordField which, const QString& text) {
    LiveField& field = ui_.field(which);
    if (auto* line = qobject_cast<QLineEdit*>(field.text)) {
        line->setText(text);
        line->setCursorPosition(0);
    } else if (auto* box = qobject_cast<QPlainTextEdit*>(field.text)) {
        box->setPlainText(text);
    }
    field.indicator->setChecked(true);
    markIndicator(*field.indicator, kFilled);
}

void FrmImportTV::showTitleCaption(const QString& title) {
    setWindowTitle(caption() + u' ' + title);
}

void FrmImportTV::showEngineStatus(const QString& text) {
    ui_.txtRightPage->setText(text);
    ui_.txtRightPage->setCursorPosition(0);
}

void FrmImportTV::showCompletion(const QString& text) {
    ui_.label5->setText(text);
    ui_.label5->setStyleSheet(u"color: rgb(0, 128, 0)"_s);
    ui_.label5->setVisible(!text.isEmpty());
}

void FrmImportTV::showPoster(const QImage& picture) {
    ui_.imgCover->setPixmap(QPixmap::fromImage(picture).scaled(
        ui_.imgCover->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void FrmImportTV::showMainStatus(const QString& text) {
    main_.controls().statusBar1->setMessage(text);
}

void FrmImportTV::shutdownRequested(ShutdownMode mode) {
    shutdown_ = mode;
}

}  // namespace zelidor::ui
