// The last word before the computer is switched off after a download: a box that counts down
// and lets the user cancel, so that a machine never switches itself off under someone at work.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QTimer>

namespace zelidor::ui {

class ShutdownCountdown : public QDialog {
    Q_OBJECT
  public:
    // what: the chosen mode's caption.
    ShutdownCountdown(const QString& what, int seconds, QWidget* parent);

    int secondsLeft() const { return left_; }

  signals:
    // The countdown ran out without a cancel: carry the mode out now.
    void elapsed();

  private:
    void tick();
    void showLeft();

    QString what_;
    int left_;
    QLabel* text_ = nullptr;
    QTimer timer_;
};

}  // namespace zelidor::ui
