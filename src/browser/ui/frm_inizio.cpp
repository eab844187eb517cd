#include "browser/ui/frm_inizio.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include "browser/ui/frm_main.h"
#include "common/ui/app_icons.h"
#include "common/ui/named_widget.h"

using namespace Qt::StringLiterals;

namespace zelidor::ui {

FrmInizio::FrmInizio(std::function<FrmMain*()> loadMain)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint), loadMain_(std::move(loadMain)) {
    build();
    timer1_.setObjectName(u"Timer1"_s);
    timer1_.setSingleShot(true);
    timer1_.setInterval(1);
    connect(&timer1_, &QTimer::timeout, this, &FrmInizio::handOver);
    timer2_.setObjectName(u"Timer2"_s);
    timer2_.setSingleShot(true);
    timer2_.setInterval(0);
    connect(&timer2_, &QTimer::timeout, this, [this] { loadedMain(); });
}

void FrmInizio::build() {
    setObjectName(u"FrmInizio"_s);
    setWindowTitle(u"Zelidor"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    auto* image = named<QLabel>(this, "Image1");
    image->setPixmap(appPicture(u"splash"_s, QSize(360, 200), devicePixelRatioF()));
    image->setAccessibleName(u"Zelidor"_s);
    auto* title = named<QLabel>(this, "Label1", u"Zelidor"_s);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 2.6);
    big.setBold(true);
    title->setFont(big);
    auto* subtitle =
        named<QLabel>(this, "Label2", u"La tua guida TV interattiva\nCaricamento in corso..."_s);
    auto* text = new QVBoxLayout;
    text->addStretch();
    text->addWidget(title);
    text->addWidget(subtitle);
    text->addStretch();
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(24, 24, 32, 24);
    row->setSpacing(24);
    row->addWidget(image);
    row->addLayout(text);
    setAutoFillBackground(true);
    setStyleSheet(u"#FrmInizio { background: #f4f1ea; border: 1px solid #8a8170; }"_s);
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
}

// The main window is loaded only after the splash has been drawn once, so the user sees it
// while the guide starts.
void FrmInizio::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (!painted_) {
        painted_ = true;
        timer2_.start();
        timer1_.start();
    }
}

FrmMain* FrmInizio::loadedMain() {
    if (main_ == nullptr) {
        main_ = loadMain_();
    }
    return main_;
}

void FrmInizio::handOver() {
    FrmMain* window = loadedMain();
    window->placeFromSettings();
    window->show();
    emit mainWindowShown(window);
    close();
}

}  // namespace zelidor::ui
