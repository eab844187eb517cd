// What the search, monitor and report windows use of the main window: the day of its calendar,
// its message panel, its HTML view with the card template chosen above it, and its place on the
// screen. The main window provides it; the tool windows never see the main window's class.
#pragma once

#include <QDate>
#include <QString>
#include <filesystem>

class QWidget;

namespace zelidor::ui {

class GuideHost {
  public:
    virtual ~GuideHost() = default;
    // The reference day: the day chosen on the main window's calendar.
    virtual QDate referenceDay() const = 0;
    // Panel 3 of the main window's status bar.
    virtual void showMessage(const QString& text) = 0;
    // The card template file chosen in the main window (empty when none is).
    virtual QString cardTemplate() const = 0;
    // Shows a generated page in the main window's HTML view.
    virtual void showPage(const std::filesystem::path& page) = 0;
    virtual QWidget* mainWindow() const = 0;
};

}  // namespace zelidor::ui
