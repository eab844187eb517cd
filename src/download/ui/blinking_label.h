// A status label that blinks while a job runs: its text colour turns transparent and back every
// half second (hiding it would move the layout around it).
#pragma once

#include <QLabel>
#include <QTimer>

namespace zelidor::ui {

class BlinkingLabel : public QLabel {
    Q_OBJECT
  public:
    explicit BlinkingLabel(const QString& text, QWidget* parent);

    void setColour(const QColor& colour);
    void startBlinking();
    void stopBlinking();  // and shown
    bool isBlinking() const { return timer_.isActive(); }
    QTimer& timer() { return timer_; }

  protected:
    void hideEvent(QHideEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void paintText();

    QTimer timer_;
    QColor colour_;
    bool lit_ = true;
    bool wanted_ = false;  // blinking was asked for (it pauses while the label is hidden)
};

}  // namespace zelidor::ui
