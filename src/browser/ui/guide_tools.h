// The main window's search, monitor and report windows, and the alert the monitor raises: the
// commands that open them, what they use of the main window (GuideHost), and the monitor's
// start-up search. Each window exists once and is brought to the front when already open.
#pragma once

#include <QObject>
#include <QPointer>

#include "browser/ui/guide_services.h"
#include "browser/ui/monitor_alert.h"
#include "common/ui/guide_host.h"

namespace zelidor::ui {

class FrmMain;
class FrmRicerche;
class FrmMonitor;
class FrmReport;

class GuideTools : public QObject, public GuideHost {
    Q_OBJECT
  public:
    GuideTools(FrmMain& main, const GuideServices& services);
    ~GuideTools() override;

    // A step of the main window's loading: the monitor's search with its window loaded but not
    // shown; the alert when anything matched.
    void startUpMonitor();

    FrmRicerche* showSearch();
    FrmMonitor* showMonitor();
    FrmReport* showReport();

    const MonitorAlert& alert() const { return alert_; }
    FrmMonitor* monitorWindow() const;

    QDate referenceDay() const override;
    void showMessage(const QString& text) override;
    QString cardTemplate() const override;
    void showPage(const std::filesystem::path& page) override;
    QWidget* mainWindow() const override;

  private:
    void connectCommands();
    FrmMonitor* makeMonitor();

    FrmMain& main_;
    GuideServices services_;
    MonitorAlert alert_;
    QPointer<FrmRicerche> search_;
    QPointer<FrmMonitor> monitor_;
    QPointer<FrmReport> report_;
};

}  // namespace zelidor::ui
