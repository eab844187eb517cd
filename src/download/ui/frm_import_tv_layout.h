// The widget tree of the download window, FrmImportTV: every control under its name.
// Control arrays are named with their index after an underscore ("Check1_6", "Option4_2").
#pragma once

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <array>

#include "download/ui/blinking_label.h"
#include "engine/ports.h"

namespace zelidor::ui {

struct LiveField {
    QCheckBox* indicator = nullptr;
    QWidget* text = nullptr;  // a QLineEdit, or the QPlainTextEdit of the comments
};

struct FrmImportTVLayout {
    QComboBox* combo2 = nullptr;
    QListWidget* listView1 = nullptr;
    QTabWidget* ssTab1 = nullptr;
    QCalendarWidget* monthView1 = nullptr;
    QRadioButton* option1 = nullptr;
    QRadioButton* option2 = nullptr;
    QRadioButton* option3 = nullptr;
    QCheckBox* check2 = nullptr;
    QCheckBox* check9 = nullptr;
    QCheckBox* check1_6 = nullptr;
    QListWidget* listView2 = nullptr;
    QLineEdit* text1 = nullptr;
    QPushButton* command4 = nullptr;
    QPushButton* command5 = nullptr;
    QPushButton* command6 = nullptr;
    QPushButton* command3 = nullptr;
    QCheckBox* chkShutDown = nullptr;
    std::array<QRadioButton*, 5> option4{};
    QLineEdit* txtShoutType = nullptr;
    QPushButton* command1 = nullptr;
    QPushButton* command2 = nullptr;
    QProgressBar* progressBar1 = nullptr;
    QProgressBar* progressBar2 = nullptr;
    QLabel* label2 = nullptr;  // bytes of the page
    QLabel* label3 = nullptr;  // bytes of the run
    QLabel* label6 = nullptr;  // speed
    BlinkingLabel* label8 = nullptr;
    QListWidget* lstLog = nullptr;
    QPlainTextEdit* txtStop = nullptr;
    QGroupBox* frame3 = nullptr;
    std::array<LiveField, 7> live{};  // in the order of RecordField
    QLabel* imgCover = nullptr;
    QLineEdit* txtRightPage = nullptr;
    QLabel* label5 = nullptr;

    void build(QWidget& window);
    LiveField& field(RecordField which) { return live.at(static_cast<std::size_t>(which)); }

  private:
    QWidget* buildChannels(QWidget& window);
    QWidget* buildSetupTab(QWidget& window);
    QWidget* buildTypes(QWidget& parent);
    QWidget* buildShutdownTab(QWidget& window);
    QWidget* buildProgress(QWidget& window);
    QWidget* buildLog(QWidget& window);
    QWidget* buildLiveView(QWidget& window);
};

}  // namespace zelidor::ui
