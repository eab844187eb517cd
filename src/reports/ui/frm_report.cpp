#include "reports/ui/frm_report.h"

#include <QApplication>

#include "common/ui/qt_text.h"
#include "common/ui/twips.h"
#include "reports/daily_report.h"

using namespace Qt::StringLiterals;

namespace zelidor::ui {

FrmReport::FrmReport(std::filesystem::path appFolder, Dialogs& dialogs, GuideHost& host,
                     QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint),
      appFolder_(std::move(appFolder)),
      dialogs_(dialogs),
      host_(host) {
    ui_.build(*this);
    placeBesideMainWindow();
    connect(ui_.command1, &QPushButton::clicked, this, &FrmReport::VISUALIZZA_CANALE_REPORT);
}

// 400 twips below and 8000 to the right of the main window's top left corner: over the HTML
// view, clear of the calendar and the channel tree.
void FrmReport::placeBesideMainWindow() {
    QWidget* main = host_.mainWindow();
    if (main == nullptr) {
        return;
    }
    Twips twips = twipsFor(main->screen());
    move(main->frameGeometry().topLeft() + QPoint(twips.toPixels(8000), twips.toPixels(400)));
}

int FrmReport::periodDays() const {
    if (ui_.option3->isChecked()) {
        return 7;
    }
    return ui_.option2->isChecked() ? 2 : 1;
}

void FrmReport::VISUALIZZA_CANALE_REPORT() {
    QString card = host_.cardTemplate();
    if (card.isEmpty()) {
        dialogs_.message(kProgramTitle, kNoCardChosen, MessageIcon::Information);
        return;
    }
    // Drawn at once: the report is made before the window gets back to its events.
    ui_.command1->setText(u"ATTENDERE..."_s);
    ui_.command1->repaint();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QDate date = host_.referenceDay();
    ReportRequest request{appFolder_, toLatin1(card), Day{date.year(), date.month(), date.day()},
                          toLatin1(ui_.cmbTipo->currentText()), periodDays()};
    PageBuild build = buildDailyReport(request, dialogs_);
    QApplication::restoreOverrideCursor();
    for (const std::string& text : build.statusTexts) {
        host_.showMessage(fromLatin1(text));
    }
    if (build.page) {
        host_.showPage(*build.page);
    }
    ui_.command1->setText(u"Crea Report !"_s);
}

}  // namespace zelidor::ui
