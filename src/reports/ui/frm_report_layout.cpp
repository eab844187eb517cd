#include "reports/ui/frm_report_layout.h"

#include <QVBoxLayout>

#include "common/ui/named_widget.h"
#include "common/ui/qt_text.h"
#include "reports/daily_report.h"

using namespace Qt::StringLiterals;

namespace zelidor::ui {

void FrmReportLayout::build(QWidget& window) {
    window.setObjectName(u"FrmReport"_s);
    window.setWindowTitle(u"Report Avanzati"_s);
    frame1 = named<QGroupBox>(&window, "Frame1", u"Tipo Programma"_s);
    cmbTipo = named<QComboBox>(frame1, "CmbTipo");
    cmbTipo->setAccessibleName(u"Tipo Programma"_s);
    for (const std::string& type : reportTypeChoices()) {
        cmbTipo->addItem(fromLatin1(type));
    }
    cmbTipo->setCurrentIndex(0);
    (new QVBoxLayout(frame1))->addWidget(cmbTipo);

    frame2 = named<QGroupBox>(&window, "Frame2", u"Opzioni"_s);
    option1 = named<QRadioButton>(frame2, "Option1", u"Solo I Programmi Di Oggi"_s);
    option2 = named<QRadioButton>(frame2, "Option2", u"Programmi Di Oggi e Domani"_s);
    option3 = named<QRadioButton>(frame2, "Option3", u"Programmi Di Tutta La Settimana"_s);
    option1->setChecked(true);
    auto* options = new QVBoxLayout(frame2);
    for (QRadioButton* option : {option1, option2, option3}) {
        options->addWidget(option);
    }

    command1 = named<QPushButton>(&window, "Command1", u"Crea Report !"_s);
    auto* rows = new QVBoxLayout(&window);
    rows->addWidget(frame1);
    rows->addWidget(frame2);
    rows->addWidget(command1);
    rows->addStretch();
}

}  // namespace zelidor::ui
