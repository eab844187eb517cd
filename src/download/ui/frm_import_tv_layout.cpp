#include "download/ui/frm_import_tv_layout.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLocale>
#include <QVBoxLayout>

#include "common/ui/named_widget.h"

using namespace Qt::StringLiterals;

namespace zelidor::ui {

namespace {

constexpr const char* kIndicatorNames[] = {"Check1_0", "Check1_1", "Check1_2", "Check1_3",
                                           "Check1_4", "Check1_5", "Check1_13"};
constexpr const char* kFieldNames[] = {"TxtCode", "TxtHour",         "TxtTitle", "TxtLink",
                                       "TxtType", "TxtUserComments", "TxtCover"};
const QString kIndicatorCaptions[] = {u"Codice :"_s,   u"Ora :"_s,  u"Titolo :"_s,
                                      u"Web Link :"_s, u"Tipo :"_s, u"Informazioni :"_s,
                                      u"Immagini :"_s};
const QString kShutdownCaptions[] = {
    u"Chiudi tutti i processi e fai il LogOff dell'utente."_s,
    u"Chiudi tutti i processi e scarica la cache su HD."_s, u"Riavvia il sistema."_s,
    u"ShoutDown Forzato (si possono perdere dati)"_s, u"Solo per PIII ATX"_s};

// A caption label and the value label beside it ("Bytes :" "12 KBytes").
QLabel* counter(QWidget* parent, QGridLayout* grid, int row, const char* captionName,
                const QString& caption, const char* valueName) {
    grid->addWidget(named<QLabel>(parent, captionName, caption), row, 0);
    auto* value = named<QLabel>(parent, valueName, QString());
    grid->addWidget(value, row, 1);
    return value;
}

}  // namespace

void FrmImportTVLayout::build(QWidget& window) {
    auto* columns = new QHBoxLayout(&window);
    columns->addWidget(buildChannels(window));
    auto* middle = new QVBoxLayout();
    ssTab1 = named<QTabWidget>(&window, "SSTab1");
    ssTab1->addTab(buildSetupTab(*ssTab1), u"Setup Download"_s);
    ssTab1->addTab(buildShutdownTab(*ssTab1), u"Spegnimento PC"_s);
    middle->addWidget(ssTab1);
    middle->addWidget(buildProgress(window));
    // The choices keep their natural width; the live view and the log take what is left, for
    // the long texts they show.
    columns->addLayout(middle, 0);
    auto* right = new QVBoxLayout();
    right->addWidget(buildLiveView(window), 3);
    right->addWidget(buildLog(window), 2);
    columns->addLayout(right, 1);
}

QWidget* FrmImportTVLayout::buildChannels(QWidget& window) {
    auto* box = new QWidget(&window);
    auto* rows = new QVBoxLayout(box);
    rows->setContentsMargins(0, 0, 0, 0);
    combo2 = named<QComboBox>(box, "Combo2");
    combo2->setAccessibleName(u"Categoria"_s);
    listView1 = named<QListWidget>(box, "ListView1");
    listView1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    listView1->setAccessibleName(u"Canali"_s);
    listView1->setIconSize(QSize(16, 16));
    rows->addWidget(combo2);
    rows->addWidget(listView1, 1);
    box->setMinimumWidth(190);
    box->setMaximumWidth(230);
    return box;
}

QWidget* FrmImportTVLayout::buildSetupTab(QWidget& parent) {
    auto* page = new QWidget(&parent);
    auto* grid = new QGridLayout(page);
    monthView1 = named<QCalendarWidget>(page, "MonthView1");
    monthView1->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    monthView1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    monthView1->setAccessibleName(u"Primo giorno"_s);
    grid->addWidget(monthView1, 0, 0, 2, 1);
    auto* days = new QVBoxLayout();
    option1 = named<QRadioButton>(page, "Option1", u"Scarica Solo I Programmi Di Oggi"_s);
    option2 = named<QRadioButton>(page, "Option2", u"Scarica I Programmi Di Oggi e Domani"_s);
    option3 = named<QRadioButton>(page, "Option3", u"Scarica I Programmi Di Tutta La Settimana"_s);
    option1->setChecked(true);
    check2 = named<QCheckBox>(page, "Check2", u"Scarica Solo La Lista (Veloce)"_s);
    check9 = named<QCheckBox>(page, "Check9", u"Apri Una Finestra Di Explorer"_s);
    for (QWidget* w : std::initializer_list<QWidget*>{option1, option2, option3, check2, check9}) {
        days->addWidget(w);
    }
    days->addStretch();
    grid->addLayout(days, 0, 1);
    grid->addWidget(buildTypes(*page), 1, 1);
    command3 = named<QPushButton>(page, "Command3", u"Opzioni Avanzate"_s);
    grid->addWidget(command3, 2, 1, Qt::AlignRight);
    return page;
}

QWidget* FrmImportTVLayout::buildTypes(QWidget& parent) {
    auto* box = new QWidget(&parent);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    check1_6 = named<QCheckBox>(box, "Check1_6", u"Scarica Le Descrizioni solo di questo TIPO :"_s);
    listView2 = named<QListWidget>(box, "ListView2");
    listView2->setAccessibleName(u"Tipi"_s);
    text1 = named<QLineEdit>(box, "Text1");
    text1->setAccessibleName(u"Tipo"_s);
    text1->hide();
    command4 = named<QPushButton>(box, "Command4", u"Nuovo Tipo"_s);
    command6 = named<QPushButton>(box, "Command6", u"Salva"_s);
    command5 = named<QPushButton>(box, "Command5", u"Elimina"_s);
    grid->addWidget(check1_6, 0, 0, 1, 3);
    grid->addWidget(listView2, 1, 0, 1, 3);
    grid->addWidget(text1, 2, 0, 1, 3);
    grid->addWidget(command4, 3, 0);
    grid->addWidget(command6, 3, 1);
    grid->addWidget(command5, 3, 2);
    return box;
}

QWidget* FrmImportTVLayout::buildShutdownTab(QWidget& parent) {
    auto* page = new QWidget(&parent);
    auto* rows = new QVBoxLayout(page);
    chkShutDown = named<QCheckBox>(page, "ChkShutDown",
                                   u"Spegni il PC alla fine del Download Delle Informazioni"_s);
    rows->addWidget(chkShutDown);
    for (std::size_t i = 0; i < option4.size(); ++i) {
        const std::string name = "Option4_" + std::to_string(i);
        option4[i] = named<QRadioButton>(page, name.c_str(), kShutdownCaptions[i]);
        rows->addWidget(option4[i]);
    }
    txtShoutType = named<QLineEdit>(page, "TxtShoutType");
    txtShoutType->hide();
    rows->addStretch();
    return page;
}

QWidget* FrmImportTVLayout::buildProgress(QWidget& window) {
    auto* box = new QWidget(&window);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    command1 = named<QPushButton>(box, "Command1",
                                  u"Inizia a Scaricare I Programmi Delle TV Selezionate"_s);
    command2 = named<QPushButton>(box, "Command2", u"Stop"_s);
    command2->setEnabled(false);
    grid->addWidget(command1, 0, 0, 1, 3);
    grid->addWidget(command2, 0, 3);
    grid->addWidget(named<QLabel>(box, "Label9", u"Download Palinsesti :"_s), 1, 0);
    progressBar1 = named<QProgressBar>(box, "ProgressBar1");
    grid->addWidget(progressBar1, 1, 1, 1, 3);
    grid->addWidget(named<QLabel>(box, "Label10", u"Download Giorni :"_s), 2, 0);
    progressBar2 = named<QProgressBar>(box, "ProgressBar2");
    grid->addWidget(progressBar2, 2, 1, 1, 3);
    for (QProgressBar* bar : {progressBar1, progressBar2}) {
        bar->setRange(0, 1);
        bar->setValue(0);
    }
    auto* counters = new QGridLayout();
    label2 = counter(box, counters, 0, "Label1", u"Bytes :"_s, "Label2");
    label3 = counter(box, counters, 1, "Label4", u"Totale :"_s, "Label3");
    label6 = counter(box, counters, 2, "Label7", u"Speed :"_s, "Label6");
    grid->addLayout(counters, 3, 0, 1, 2);
    label8 = new BlinkingLabel(u"Download In Corso... Attendere !"_s, box);
    label8->setObjectName(u"Label8"_s);
    label8->hide();
    txtStop = named<QPlainTextEdit>(box, "TxtStop", u"ARRESTO DEL DOWNLOAD IN CORSO\nATTENDERE!"_s);
    txtStop->setReadOnly(true);
    txtStop->setMaximumHeight(txtStop->fontMetrics().lineSpacing() * 3 + 12);
    txtStop->hide();
    grid->addWidget(label8, 3, 2, 1, 2);
    grid->addWidget(txtStop, 4, 0, 1, 4);
    return box;
}

QWidget* FrmImportTVLayout::buildLog(QWidget& window) {
    auto* frame = named<QGroupBox>(&window, "Frame2", u"Log Window"_s);
    auto* rows = new QVBoxLayout(frame);
    lstLog = named<QListWidget>(frame, "LstLog");
    lstLog->setAccessibleName(u"Log"_s);
    rows->addWidget(lstLog);
    return frame;
}

QWidget* FrmImportTVLayout::buildLiveView(QWidget& window) {
    frame3 = named<QGroupBox>(&window, "Frame3", u"Informazioni Importate"_s);
    auto* grid = new QGridLayout(frame3);
    for (std::size_t i = 0; i < live.size(); ++i) {
        const int row = static_cast<int>(i);
        live[i].indicator = named<QCheckBox>(frame3, kIndicatorNames[i], kIndicatorCaptions[i]);
        live[i].indicator->setFocusPolicy(Qt::NoFocus);
        live[i].indicator->setAttribute(Qt::WA_TransparentForMouseEvents);
        if (i == static_cast<std::size_t>(RecordField::Comments)) {
            auto* comments = named<QPlainTextEdit>(frame3, kFieldNames[i]);
            comments->setReadOnly(true);
            live[i].text = comments;
        } else {
            auto* line = named<QLineEdit>(frame3, kFieldNames[i]);
            line->setReadOnly(true);
            live[i].text = line;
        }
        live[i].text->setAccessibleName(kIndicatorCaptions[i].chopped(2));
        grid->addWidget(live[i].indicator, row, 0, Qt::AlignTop);
        grid->addWidget(live[i].text, row, 1);
    }
    grid->setColumnStretch(1, 1);
    imgCover = named<QLabel>(frame3, "ImgCover");
    imgCover->setFixedSize(96, 128);
    imgCover->setAlignment(Qt::AlignCenter);
    imgCover->setFrameShape(QFrame::StyledPanel);
    grid->addWidget(imgCover, 0, 2, 7, 1, Qt::AlignTop);
    txtRightPage = named<QLineEdit>(frame3, "TxtRightPage");
    txtRightPage->setReadOnly(true);
    txtRightPage->setAccessibleName(u"Stato"_s);
    label5 = named<QLabel>(frame3, "Label5", QString());
    grid->addWidget(txtRightPage, 7, 0, 1, 2);
    grid->addWidget(label5, 7, 2);
    frame3->hide();
    return frame3;
}

}  // namespace zelidor::ui
