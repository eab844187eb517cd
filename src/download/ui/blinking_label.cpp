#include "download/ui/blinking_label.h"

namespace zelidor::ui {

BlinkingLabel::BlinkingLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent), colour_(Qt::black) {
    timer_.setInterval(500);
    connect(&timer_, &QTimer::timeout, this, [this] {
        lit_ = !lit_;
        paintText();
    });
}

void BlinkingLabel::setColour(const QColor& colour) {
    colour_ = colour;
    paintText();
}

void BlinkingLabel::startBlinking() {
    wanted_ = true;
    if (isVisible()) {
        timer_.start();
    }
}

void BlinkingLabel::stopBlinking() {
    wanted_ = false;
    timer_.stop();
    lit_ = true;
    paintText();
}

void BlinkingLabel::hideEvent(QHideEvent* event) {
    timer_.stop();
    QLabel::hideEvent(event);
}

void BlinkingLabel::showEvent(QShowEvent* event) {
    QLabel::showEvent(event);
    if (wanted_) {
        timer_.start();
    }
}

void BlinkingLabel::paintText() {
    QPalette look = palette();
    look.setColor(QPalette::WindowText, lit_ ? colour_ : QColor(Qt::transparent));
    setPalette(look);
}

}  // namespace zelidor::ui
