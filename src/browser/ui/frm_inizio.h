// FrmInizio, the splash window: shown first, it loads the main window behind itself, places it
// where the settings say it was, shows it and closes.
#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>

namespace zelidor::ui {

class FrmMain;

class FrmInizio : public QWidget {
    Q_OBJECT
  public:
    // loadMain builds the main window and runs its loading sequence; the splash calls it once.
    explicit FrmInizio(std::function<FrmMain*()> loadMain);

  signals:
    void mainWindowShown(FrmMain* window);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void build();
    FrmMain* loadedMain();
    void handOver();

    std::function<FrmMain*()> loadMain_;
    FrmMain* main_ = nullptr;
    QTimer timer1_;  // the hand-over, once the splash has been drawn
    QTimer timer2_;  // loads the main window while the splash is up
    bool painted_ = false;
};

}  // namespace zelidor::ui
