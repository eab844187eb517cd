// FrmReport, "Report Avanzati": the report of every programme of the day of the main window's
// calendar (or of two or seven days from it), of all types or of one, made from the card
// template chosen in the main window and shown in its HTML view. It stays above the other
// windows, so that the user sees it beside the report.
#pragma once

#include <QWidget>
#include <filesystem>

#include "common/dialogs.h"
#include "common/ui/guide_host.h"
#include "reports/ui/frm_report_layout.h"

namespace zelidor::ui {

class FrmReport : public QWidget {
    Q_OBJECT
  public:
    FrmReport(std::filesystem::path appFolder, Dialogs& dialogs, GuideHost& host, QWidget* parent);

    // "Crea Report !": builds the report and shows it in the main window.
    void VISUALIZZA_CANALE_REPORT();
    // The days the chosen option covers.
    int periodDays() const;

    const FrmReportLayout& controls() const { return ui_; }

  private:
    void placeBesideMainWindow();

    std::filesystem::path appFolder_;
    Dialogs& dialogs_;
    GuideHost& host_;
    FrmReportLayout ui_;
};

}  // namespace zelidor::ui
