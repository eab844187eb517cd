// The found-programme alert: when the keyword monitor's start-up search found something, panel 4
// of the main status bar blinks every 500 ms (Timer1) between the smile picture with "Trovato
// Programma TV !" and nothing, until the user answers it (a click on the status bar, or the
// monitor window coming up). It is raised once, at start-up, and never again in the same run.
#pragma once

#include <QObject>
#include <QTimer>

#include "browser/ui/status_panels.h"

namespace zelidor::ui {

class MonitorAlert : public QObject {
    Q_OBJECT
  public:
    explicit MonitorAlert(StatusPanels& panels);

    // AlertOn set and Timer1 started: the first tick shows the picture and the text.
    void raise();
    // Ends the blinking and empties panel 4; false (and nothing changed) when it was not on.
    bool answer();
    bool isBlinking() const { return timer1_.isActive(); }
    // Stays true once raised, as the alert's flag always has.
    bool alertOn() const { return alertOn_; }

  private:
    void tick();

    StatusPanels& panels_;
    QTimer timer1_;
    bool alertOn_ = false;
};

}  // namespace zelidor::ui
