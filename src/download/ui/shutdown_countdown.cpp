#include "download/ui/shutdown_countdown.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/ui/app_icons.h"
#include "common/ui/named_widget.h"

using namespace Qt::StringLiterals;

namespace zelidor::ui {

ShutdownCountdown::ShutdownCountdown(const QString& what, int seconds, QWidget* parent)
    : QDialog(parent), what_(what), left_(seconds) {
    setObjectName(u"FrmShutdownCountdown"_s);
    setWindowTitle(u"Spegnimento PC"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    auto* rows = new QVBoxLayout(this);
    text_ = named<QLabel>(this, "LblCountdown", QString());
    text_->setWordWrap(true);
    text_->setMinimumWidth(text_->fontMetrics().averageCharWidth() * 50);
    rows->addWidget(text_);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* now = buttons->addButton(u"Procedi Ora"_s, QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(u"Annulla"_s, QDialogButtonBox::RejectRole);
    now->setObjectName(u"CmdNow"_s);
    cancel->setObjectName(u"CmdCancel"_s);
    cancel->setDefault(true);  // Enter in passing must not switch the computer off
    rows->addWidget(buttons);
    connect(now, &QPushButton::clicked, this, [this] {
        timer_.stop();
        accept();
        emit elapsed();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(this, &QDialog::rejected, &timer_, &QTimer::stop);
    timer_.setInterval(1000);
    connect(&timer_, &QTimer::timeout, this, &ShutdownCountdown::tick);
    timer_.start();
    showLeft();
}

void ShutdownCountdown::tick() {
    if (--left_ > 0) {
        showLeft();
        return;
    }
    timer_.stop();
    accept();
    emit elapsed();
}

void ShutdownCountdown::showLeft() {
    text_->setText(
        u"Il download è terminato.\n%1\nTra %2 %3. Premi Annulla per restare al lavoro."_s
            .arg(what_)
            .arg(left_)
            .arg(left_ == 1 ? u"secondo"_s : u"secondi"_s));
}

}  // namespace zelidor::ui
