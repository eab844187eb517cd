// The widget tree of the report window, FrmReport: the controls under their names.
#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

namespace zelidor::ui {

struct FrmReportLayout {
    QGroupBox* frame1 = nullptr;
    QComboBox* cmbTipo = nullptr;
    QGroupBox* frame2 = nullptr;
    QRadioButton* option1 = nullptr;  // one day
    QRadioButton* option2 = nullptr;  // two days
    QRadioButton* option3 = nullptr;  // seven days
    QPushButton* command1 = nullptr;

    void build(QWidget& window);
};

}  // namespace zelidor::ui
