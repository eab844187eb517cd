#include "browser/ui/status_panels.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QLocale>
#include <QMouseEvent>

#include "common/ui/named_widget.h"

using namespace Qt::StringLiterals;

namespace zelidor::ui {

namespace {

QLabel* panelLabel(QWidget* parent, const char* name, const QString& accessibleName) {
    auto* label = named<QLabel>(parent, name);
    label->setAccessibleName(accessibleName);
    label->setContentsMargins(6, 0, 6, 0);
    return label;
}

}  // namespace

StatusPanels::StatusPanels(QWidget* parent) : QStatusBar(parent) {
    setObjectName(u"StatusBar1"_s);
    setSizeGripEnabled(true);
    panels_[0] = panelLabel(this, "Panel1", u"Data"_s);
    panels_[1] = panelLabel(this, "Panel2", u"Ora"_s);
    panels_[2] = panelLabel(this, "Panel3", u"Messaggi"_s);
    panels_[2]->setMinimumWidth(120);
    auto* news = named<QWidget>(this, "news");
    news->setAccessibleName(u"Avviso"_s);
    auto* row = new QHBoxLayout(news);
    row->setContentsMargins(6, 0, 6, 0);
    newsPicture_ = named<QLabel>(news, "newsPicture");
    panels_[3] = named<QLabel>(news, "Panel4");
    row->addWidget(newsPicture_);
    row->addWidget(panels_[3]);
    news->setMinimumWidth(190);

    addPermanentWidget(panels_[0]);
    addPermanentWidget(panels_[1]);
    addPermanentWidget(panels_[2], 1);
    addPermanentWidget(news);

    connect(&clock_, &QTimer::timeout, this, &StatusPanels::tick);
    clock_.start(1000);
    tick();
}

void StatusPanels::tick() {
    QDateTime now = QDateTime::currentDateTime();
    panels_[0]->setText(now.date().toString(u"dd/MM/yyyy"_s));
    panels_[1]->setText(now.time().toString(u"HH:mm:ss"_s));
    // The next tick on the turn of the second, so the clock never lags by almost a second.
    clock_.setInterval(1000 - now.time().msec() + 5);
}

void StatusPanels::setMessage(const QString& text) {
    panels_[2]->setText(text);
    panels_[2]->setToolTip(text);
}

QString StatusPanels::message() const {
    return panels_[2]->text();
}

void StatusPanels::setNews(const QPixmap& picture, const QString& text) {
    newsPicture_->setPixmap(picture);
    panels_[3]->setText(text);
}

void StatusPanels::reserveNews(const QString& text) {
    int side = newsPictureSide();
    newsPicture_->setFixedSize(side, side);
    QWidget* news = panels_[3]->parentWidget();
    QMargins margins = news->layout()->contentsMargins();
    news->setMinimumWidth(margins.left() + side + news->layout()->spacing() +
                          panels_[3]->fontMetrics().horizontalAdvance(text) + margins.right() + 8);
}

int StatusPanels::newsPictureSide() const {
    return panels_[3]->fontMetrics().height();
}

void StatusPanels::clearNews() {
    newsPicture_->clear();
    panels_[3]->clear();
}

bool StatusPanels::newsShown() const {
    return !newsPicture_->pixmap().isNull() || !panels_[3]->text().isEmpty();
}

void StatusPanels::mousePressEvent(QMouseEvent* event) {
    QStatusBar::mousePressEvent(event);
    if (event->button() == Qt::LeftButton) {
        emit clicked();
    }
}

}  // namespace zelidor::ui
