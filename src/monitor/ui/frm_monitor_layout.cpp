#include "monitor/ui/frm_monitor_layout.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "common/ui/app_icons.h"
#include "common/ui/named_widget.h"
#include "search/ui/frm_ricerche_layout.h"

using namespace Qt::StringLiterals;

namespace zelidor::ui {

void FrmMonitorLayout::build(QWidget& window) {
    window.setObjectName(u"FrmMonitor"_s);
    window.setWindowTitle(u"Monitor Programmi"_s);
    image1 = named<QLabel>(&window, "Image1");
    image1->setPixmap(appPicture(u"monitor"_s, QSize(48, 48), window.devicePixelRatioF()));
    label1 = named<QLabel>(&window, "Label1", u"Lista Programmi Da Monitorare"_s);
    listView1 = named<QListWidget>(&window, "ListView1");
    listView1->setAccessibleName(u"Lista Programmi Da Monitorare"_s);
    label1->setBuddy(listView1);
    text1 = named<QLineEdit>(&window, "Text1");
    text1->setAccessibleName(u"Parola da monitorare"_s);
    text1->hide();
    command1 = named<QPushButton>(&window, "Command1", u"Nuovo"_s);
    command4 = named<QPushButton>(&window, "Command4", u"Salva"_s);
    command2 = named<QPushButton>(&window, "Command2", u"Elimina"_s);
    command3 = named<QPushButton>(&window, "Command3", u"Ricerca Ora"_s);
    treeView1 = resultTree(&window);
    statusBar1 = named<QStatusBar>(&window, "StatusBar1");
    panel1 = named<QLabel>(statusBar1, "Panel1");
    panel1->setAccessibleName(u"Giorno di riferimento"_s);
    statusBar1->addPermanentWidget(panel1, 1);

    auto* heading = new QHBoxLayout;
    heading->addWidget(image1);
    heading->addWidget(label1, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {command1, command4, command2}) {
        buttons->addWidget(button);
    }
    auto* left = new QVBoxLayout;
    left->addLayout(heading);
    left->addWidget(listView1, 1);
    left->addWidget(text1);
    left->addLayout(buttons);
    left->addWidget(command3);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 2);
    columns->addWidget(treeView1, 3);
    auto* rows = new QVBoxLayout(&window);
    rows->addLayout(columns, 1);
    rows->addWidget(statusBar1);
    rows->setContentsMargins(6, 6, 6, 0);
    window.resize(720, 480);
}

}  // namespace zelidor::ui
