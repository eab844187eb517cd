// The download window on the real engine, store and fetcher, against the sample listings site:
// the site the settings name ("sample", started for the download) or one started by the test
// when it must misbehave.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

#include "browser/catalogue.h"
#include "common/ui/message_boxes.h"
#include "config/config_store.h"
#include "config/import_types.h"
#include "download/ui/download_window.h"
#include "download/ui/frm_import_tv.h"
#include "download/ui/shutdown_countdown.h"
#include "engine/programme_store.h"
#include "samplesite/sample_site.h"
#include "support/local_server.h"
#include "window_rig.h"

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace zelidor::test {
namespace {

using samplesite::AddressPattern;
using samplesite::Fault;

const QDate kFirstDay(2002, 12, 28);

struct RecordingPower : PowerControl {
    void request(ShutdownMode mode) override { requests.push_back(mode); }
    std::vector<ShutdownMode> requests;
};

class DownloadWindow : public WindowRig {
  protected:
    // The bundled site on a port of this test's own: the fixed default port would be shared
    // with other test programs running at the same time.
    DownloadWindow() {
        ConfigStore(appFolder()).setNumber(ConfigField::SamplePort, test::closedPort());
    }

    // The main window with the download command connected, and the download window it opens.
    ui::FrmImportTV* open(ui::GuideServices guide) {
        if (!main_) {
            main_ = loadMain();
            ui::connectDownloadWindow(*main_, guide, power_);
        }
        main_->commands().downloadpr->trigger();
        ui::FrmImportTV* window = ui::downloadWindowOf(*main_);
        window->controls().monthView1->setSelectedDate(kFirstDay);
        return window;
    }
    ui::FrmImportTV* open() { return open(services()); }

    // A site of the test's own, named in the settings, with no update check.
    void useOwnSite() {
        site_.start();
        ConfigStore config(appFolder());
        config.setText(ConfigField::ListingsHost, site_.host());
        config.setText(ConfigField::UpdateHost, site_.host());
        config.setNumber(ConfigField::CheckUpdate, 0);
    }

    static void select(ui::FrmImportTV& window, const std::vector<const char*>& channels) {
        for (const char* name : channels) {
            auto found =
                window.controls().listView1->findItems(QLatin1String(name), Qt::MatchExactly);
            ASSERT_EQ(found.size(), 1) << name;
            found.first()->setSelected(true);
        }
    }

    static bool download(ui::FrmImportTV& window, const std::function<void()>& during = {}) {
        QSignalSpy ended(&window, &ui::FrmImportTV::runEnded);
        window.controls().command1->click();
        if (during) {
            during();
        }
        return QTest::qWaitFor([&] { return ended.count() > 0; }, 60000);
    }

    static QStringList log(const ui::FrmImportTV& window) {
        QStringList lines;
        for (int i = 0; i < window.controls().lstLog->count(); ++i) {
            lines.append(window.controls().lstLog->item(i)->text());
        }
        return lines;
    }

    std::int64_t rows(const std::string& channel, const QDate& day) const {
        ProgrammeStore store(ProgrammeStore::defaultFile(appFolder()));
        const Day stored{day.year(), day.month(), day.day()};
        return static_cast<std::int64_t>(store.channelDay(stored.number(), channel).size());
    }

    samplesite::SampleSite site_;
    RecordingPower power_;
    std::unique_ptr<ui::FrmMain> main_;
};

TEST_F(DownloadWindow, ControlsCarryTheirNamesAndTheFilterIsTheGuidesFilter) {
    ui::FrmImportTV* window = open();
    EXPECT_EQ(window->windowTitle(), u"Importa Programmi TV Da Internet..."_s);
    expectTexts(*window,
                {{"Option1", u"Scarica Solo I Programmi Di Oggi"_s},
                 {"Option3", u"Scarica I Programmi Di Tutta La Settimana"_s},
                 {"Check2", u"Scarica Solo La Lista (Veloce)"_s},
                 {"Check9", u"Apri Una Finestra Di Explorer"_s},
                 {"Command1", u"Inizia a Scaricare I Programmi Delle TV Selezionate"_s},
                 {"Command2", u"Stop"_s},
                 {"Command3", u"Opzioni Avanzate"_s},
                 {"Command4", u"Nuovo Tipo"_s},
                 {"Command5", u"Elimina"_s},
                 {"Command6", u"Salva"_s},
                 {"ChkShutDown", u"Spegni il PC alla fine del Download Delle Informazioni"_s},
                 {"Option4_3", u"ShoutDown Forzato (si possono perdere dati)"_s},
                 {"Check1_6", u"Scarica Le Descrizioni solo di questo TIPO :"_s},
                 {"Check1_13", u"Immagini :"_s},
                 {"Label9", u"Download Palinsesti :"_s},
                 {"Label8", u"Download In Corso... Attendere !"_s}});
    for (const char* name : {"MonthView1", "ListView2", "LstLog", "TxtStop", "Frame3", "ImgCover",
                             "TxtRightPage", "Label5", "ProgressBar2", "TxtUserComments"}) {
        EXPECT_NE(window->findChild<QWidget*>(QLatin1String(name)), nullptr) << name;
    }

    auto* filter = window->controls().combo2;
    filter->setCurrentText(u"3 Cinema"_s);
    emit filter->activated(filter->currentIndex());
    Catalogue cinema = loadCatalogue(appFolder(), "3 Cinema");
    ASSERT_FALSE(cinema.downloadList.empty());
    ASSERT_EQ(window->controls().listView1->count(), static_cast<int>(cinema.downloadList.size()));
    for (int i = 0; i < window->controls().listView1->count(); ++i) {
        EXPECT_EQ(window->controls().listView1->item(i)->text(),
                  QString::fromLatin1(cinema.downloadList[static_cast<std::size_t>(i)].key));
    }
    EXPECT_EQ(main_->controls().combo2->currentText(), u"3 Cinema"_s);
    EXPECT_EQ(main_->controls().treeView1->topLevelItem(0)->childCount(),
              static_cast<int>(cinema.downloadList.size()));
}

TEST_F(DownloadWindow, TwoChannelsOverTwoDaysFromTheBundledSite) {
    ui::FrmImportTV* window = open();
    window->show();
    screenshot(*window, "download-before");
    select(*window, {"Canale 5", "Rai Uno"});
    window->controls().option2->setChecked(true);
    bool posterSeen = false;
    ASSERT_TRUE(download(*window, [&] {
        EXPECT_TRUE(window->controls().command2->isEnabled());
        EXPECT_FALSE(window->controls().listView1->isEnabled());
        EXPECT_TRUE(window->controls().label8->isBlinking());
        posterSeen =
            QTest::qWaitFor([&] { return !window->controls().imgCover->pixmap().isNull(); }, 30000);
        screenshot(*window, "download-during");
    }));
    screenshot(*window, "download-after");
    EXPECT_TRUE(posterSeen);
    const auto& ui = window->controls();
    EXPECT_EQ(log(*window),
              (QStringList{u"Network : Rai Uno.zdr   Day : 28/12/2002 Import Complete..."_s,
                           u"Network : Rai Uno.zdr   Day : 29/12/2002 Import Complete..."_s,
                           u"Network : Canale 5.zdr   Day : 28/12/2002 Import Complete..."_s,
                           u"Network : Canale 5.zdr   Day : 29/12/2002 Import Complete..."_s}));
    EXPECT_EQ(ui.progressBar1->value(), 3);
    EXPECT_EQ(ui.progressBar1->maximum(), 3);
    EXPECT_EQ(ui.progressBar2->value(), 2);
    EXPECT_EQ(ui.label8->text(), u"Import Completed !"_s);
    EXPECT_EQ(ui.label8->palette().color(QPalette::WindowText), QColor(0, 128, 0));
    EXPECT_FALSE(ui.label8->isBlinking());
    EXPECT_EQ(ui.monthView1->selectedDate(), kFirstDay);
    EXPECT_TRUE(ui.listView1->isEnabled() && ui.command1->isEnabled());
    EXPECT_FALSE(ui.command2->isEnabled());
    EXPECT_EQ(ui.label5->text(), u"Download Completato !"_s);
    EXPECT_EQ(ui.txtRightPage->text(), u"Page Found...Gathering Information"_s);
    EXPECT_TRUE(ui.label3->text().endsWith(u" KBytes"_s));
    for (const ui::LiveField& field : ui.live) {
        EXPECT_FALSE(field.indicator->isChecked()) << field.indicator->objectName().toStdString();
    }
    for (const char* channel : {"Canale 5", "Rai Uno"}) {
        EXPECT_GT(rows(channel, kFirstDay), 0) << channel;
        EXPECT_GT(rows(channel, kFirstDay.addDays(1)), 0) << channel;
    }
}

TEST_F(DownloadWindow, StopEndsTheRunAfterTheChannelDayInProgress) {
    useOwnSite();
    // The second day of the first channel takes a while: Stop is pressed during it.
    site_.faults().add(AddressPattern::containing("giorno2=29"), Fault::stallBefore(800ms));
    ui::FrmImportTV* window = open();
    window->controls().check2->setChecked(true);
    window->controls().check9->setChecked(true);  // each listing also to the desktop's "open"
    window->controls().option2->setChecked(true);
    select(*window, {"Canale 5", "Italia 1", "Rai Uno"});
    ASSERT_TRUE(download(*window, [&] {
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return window->controls().monthView1->selectedDate() == kFirstDay.addDays(1); },
            20000));
        window->controls().command2->click();
        EXPECT_TRUE(window->controls().txtStop->isVisibleTo(window));
    }));
    // The list runs from Z to A: Rai Uno comes first.
    EXPECT_EQ(site_.requestCounts().listing, 2u);
    EXPECT_GT(rows("Rai Uno", kFirstDay.addDays(1)), 0);
    EXPECT_EQ(rows("Italia 1", kFirstDay), 0);
    ASSERT_EQ(dialogs_.opened.size(), 2u);
    EXPECT_NE(dialogs_.opened[1].find("channel=Rai+Uno"), std::string::npos);
    EXPECT_EQ(log(*window).size(), 2);
    EXPECT_EQ(window->controls().monthView1->selectedDate(), kFirstDay);
    EXPECT_FALSE(window->controls().txtStop->isVisibleTo(window));
    EXPECT_EQ(window->controls().label8->text(), u"Import Completed !"_s);
}

TEST_F(DownloadWindow, AFailingListingIsLoggedAndKeepsWhatWasStored) {
    useOwnSite();
    site_.faults().add(AddressPattern::containing("channel=Italia+1"), Fault::refuse(500));
    ProgrammeStore(ProgrammeStore::defaultFile(appFolder()))
        .insert({20021228, "06:00", "Vecchio", {}, {}, {}, "Italia 1", 1, "News"});
    ui::FrmImportTV* window = open();
    window->controls().check2->setChecked(true);
    select(*window, {"Italia 1", "Canale 5"});
    ASSERT_TRUE(download(*window));
    QStringList lines = log(*window);
    ASSERT_EQ(lines.size(), 4) << lines.join(u'\n').toStdString();
    EXPECT_TRUE(lines[0].startsWith(u"ERRORE DI CONNESSIONE AL SITO http://"_s));
    EXPECT_TRUE(lines[1].endsWith(u"Conservati I Dati Precedenti"_s));
    EXPECT_EQ(rows("Italia 1", kFirstDay), 1);
    EXPECT_GT(rows("Canale 5", kFirstDay), 0);
}

TEST_F(DownloadWindow, TheEnginesQuestionIsARealBoxWhileTheWorkerWaits) {
    useOwnSite();
    site_.faults().add(AddressPattern::containing("channel=Canale+5"), Fault::noStartMarker());
    ui::MessageBoxes boxes;
    ui::GuideServices guide = services();
    guide.dialogs = &boxes;
    ui::FrmImportTV* window = open(guide);
    window->controls().check2->setChecked(true);
    select(*window, {"Canale 5"});
    QStringList seen;
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            return;
        }
        seen.append(box->windowTitle() + u" | "_s + box->text());
        QStringList buttons;
        for (QAbstractButton* button : box->buttons()) {
            buttons.append(button->text());
        }
        EXPECT_EQ(buttons, (QStringList{u"Riprova"_s, u"Annulla"_s}));
        box->buttons().at(seen.size() == 1 ? 0 : 1)->click();  // Retry first, then Cancel
    });
    answerer.start(20);
    ASSERT_TRUE(download(*window));
    // Retry went on to the next line, which asked again; Cancel ended the channel-day.
    ASSERT_GE(seen.size(), 2) << seen.join(u"\n"_s).toStdString();
    EXPECT_EQ(
        seen[0],
        u"Script Engine Information | Can't Find The Word : <!-- start DX main -->Line : 6"_s);
    EXPECT_TRUE(log(*window).last().endsWith(u"Import Complete..."_s));
}

TEST_F(DownloadWindow, NoChannelEndsAtOnceAndTheShutdownCountsDownFirst) {
    ui::FrmImportTV* window = open();
    const auto& ui = window->controls();
    ui.chkShutDown->setChecked(true);
    ui.option4[2]->click();
    window->setShutdownCountdown(1);
    ASSERT_TRUE(download(*window));
    EXPECT_EQ(ui.progressBar1->value(), ui.progressBar1->maximum());
    EXPECT_TRUE(log(*window).isEmpty());
    auto* countdown = window->findChild<ui::ShutdownCountdown*>();
    ASSERT_NE(countdown, nullptr);
    screenshot(*countdown, "download-countdown");
    countdown->findChild<QPushButton*>(u"CmdCancel"_s)->click();
    QTest::qWait(1500);
    EXPECT_TRUE(power_.requests.empty());

    ASSERT_TRUE(download(*window));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !power_.requests.empty(); }, 5000));
    EXPECT_EQ(power_.requests, std::vector<ShutdownMode>{ShutdownMode::Reboot});

    // The mode is kept: a new program run shows it, enabled only while the box is ticked.
    window->close();
    main_.reset();
    window = open();
    EXPECT_TRUE(window->controls().option4[2]->isChecked());
    EXPECT_TRUE(window->controls().option4[2]->isEnabled());
    window->controls().chkShutDown->setChecked(false);
    EXPECT_FALSE(window->controls().option4[2]->isEnabled());
}

TEST_F(DownloadWindow, TypeEditorAddsATypeOnceAndDeletesItAfterTheQuestion) {
    ui::FrmImportTV* window = open();
    const auto& ui = window->controls();
    for (const QString& typed : {u"Film"_s, u"film"_s}) {
        ui.command4->click();
        EXPECT_TRUE(ui.text1->isVisibleTo(window));
        ui.text1->setText(typed);
        ui.command6->click();
    }
    EXPECT_EQ(ui.listView2->findItems(u"Film"_s, Qt::MatchExactly).size(), 1);
    EXPECT_EQ(ImportTypeStore(appFolder()).list(), (std::vector<std::string>{"Film"}));

    ui.command5->click();  // nothing chosen: said in the guide's status bar, nothing asked
    EXPECT_TRUE(dialogs_.boxes.empty());
    EXPECT_FALSE(main_->controls().statusBar1->panel(1)->text().isEmpty());
    QListWidgetItem* film = ui.listView2->findItems(u"Film"_s, Qt::MatchExactly).first();
    emit ui.listView2->itemClicked(film);
    dialogs_.answers = {Answer::Cancel, Answer::Ok};
    ui.command5->click();
    EXPECT_EQ(ui.listView2->count(), 1);
    ui.command5->click();
    EXPECT_EQ(ui.listView2->count(), 0);
    ASSERT_EQ(dialogs_.boxes.size(), 2u);
    EXPECT_EQ(dialogs_.boxes[1], (Box{"Film", "Cancellare Questa Parola?", MessageIcon::Question}));
    EXPECT_TRUE(ImportTypeStore(appFolder()).list().empty());
}

TEST_F(DownloadWindow, ClosingDuringADownloadStopsItFirstAndLosesNothing) {
    useOwnSite();
    site_.faults().add(AddressPattern::containing("channel="), Fault::stallBefore(600ms));
    ui::FrmImportTV* window = open();
    window->controls().check2->setChecked(true);
    select(*window, {"Canale 5", "Italia 1"});
    window->show();
    // The window: "no" keeps the download going, "yes" stops it and closes after the channel-day.
    dialogs_.answers = {Answer::Cancel, Answer::Ok};
    auto listingAsked = [&] {
        return QTest::qWaitFor([&] { return site_.requestCounts().listing > 0; }, 20000);
    };
    ASSERT_TRUE(download(*window, [&] {
        ASSERT_TRUE(listingAsked());  // the first channel-day is under way
        EXPECT_FALSE(window->close());
        EXPECT_TRUE(window->isRunning());
        EXPECT_FALSE(window->close());
        EXPECT_TRUE(window->isVisible());
    }));
    EXPECT_FALSE(window->isVisible());
    EXPECT_GT(rows("Italia 1", kFirstDay), 0);
    EXPECT_EQ(rows("Canale 5", kFirstDay), 0);

    // The program: it ends once the download has stopped.
    QSignalSpy ending(main_.get(), &ui::FrmMain::programEnding);
    dialogs_.answers = {Answer::Ok};
    window = open();
    select(*window, {"Canale 5", "Italia 1"});
    site_.resetRequestCounts();
    ASSERT_TRUE(download(*window, [&] {
        ASSERT_TRUE(listingAsked());
        EXPECT_FALSE(main_->close());
        EXPECT_EQ(ending.count(), 0);
    }));
    EXPECT_TRUE(QTest::qWaitFor([&] { return ending.count() == 1; }, 5000));
    EXPECT_EQ(dialogs_.boxes.size(), 3u);
    EXPECT_EQ(site_.requestCounts().listing, 1u);

    // Torn down without asking (the program is killed from its session): the worker ends first.
    window = open();
    select(*window, {"Canale 5", "Italia 1"});
    window->controls().command1->click();
    ASSERT_TRUE(window->isRunning());
    main_.reset();
}

// The user answers the close question only after the run has ended by itself.
TEST_F(DownloadWindow, ARunThatEndsWhileTheCloseQuestionIsOpenStillCloses) {
    useOwnSite();
    site_.faults().add(AddressPattern::containing("channel="), Fault::stallBefore(300ms));
    struct LateAnswer : RecordingDialogs {
        std::function<bool()> ended;
        Answer confirm(const std::string&, const std::string&) override {
            EXPECT_TRUE(QTest::qWaitFor(ended, 20000));
            return Answer::Ok;
        }
    } late;
    ui::GuideServices guide = services();
    guide.dialogs = &late;
    ui::FrmImportTV* window = open(guide);
    late.ended = [&] { return !window->isRunning(); };
    window->controls().check2->setChecked(true);
    select(*window, {"Canale 5"});
    window->show();
    ASSERT_TRUE(download(*window, [&] { EXPECT_FALSE(window->close()); }));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }, 5000));
}

}  // namespace
}  // namespace zelidor::test
