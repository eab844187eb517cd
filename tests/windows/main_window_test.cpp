// The main window as a user meets it: what it shows at start, a channel's card page, the view's
// toolbar, links that must never load remote content, and the window's place kept across runs.
#include <QMenu>
#include <QMenuBar>
#include <QTreeWidget>

#include "browser/ui/frm_main.h"
#include "common/day.h"
#include "common/ui/qt_text.h"
#include "config/config_store.h"
#include "support/local_server.h"
#include "window_rig.h"

using namespace Qt::StringLiterals;
using zelidor::ui::fromPath;

namespace zelidor::test {
namespace {

using MainWindow = WindowRig;

QTreeWidgetItem* channelNode(ui::FrmMain& window, const QString& name) {
    auto items =
        window.controls().treeView1->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
    return items.isEmpty() ? nullptr : items.first();
}

void click(QTreeWidget* tree, QTreeWidgetItem* item) {
    tree->scrollToItem(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
}

TEST_F(MainWindow, ControlsCommandsAndPicturesAreInPlace) {
    auto window = loadMain();
    EXPECT_EQ(window->windowTitle(), u"Zelidor - La tua Zelidor Interattiva!"_s);
    for (const char* name : {"Toolbar1", "SSTab1", "MonthView1", "Combo2", "TreeView1", "Toolbar2",
                             "Combo1", "WebBrowser1", "StatusBar1"}) {
        auto* control = window->findChild<QWidget*>(QLatin1String(name));
        ASSERT_NE(control, nullptr) << name;
        if (std::string_view(name) != "SSTab1" && std::string_view(name) != "StatusBar1") {
            EXPECT_FALSE(control->accessibleName().isEmpty()) << name;
        }
    }
    expectTexts(*window, {{"compactdb", u"Compatta il Database..."_s},
                          {"exit", u"Exit"_s},
                          {"searchprog", u"Ricerca Un Programma"_s},
                          {"downloadpr", u"Importa I Programmi Televisivi"_s},
                          {"advreport", u"Report Avanzati"_s},
                          {"preferences", u"Preferenze"_s},
                          {"help", u"Help"_s},
                          {"home", u"Home Page"_s},
                          {"about", u"About"_s}});
    // Commands without an action yet are shown but cannot be chosen.
    EXPECT_FALSE(window->findChild<QAction*>(u"selectdb"_s)->isEnabled());
    EXPECT_FALSE(window->findChild<QAction*>(u"statisticroot"_s)->isEnabled());
    for (const char* key :
         {"download", "find", "monitor", "report", "config", "about", "help", "exit"}) {
        QAction* button = toolbarButton(*window, "Toolbar1", key);
        ASSERT_NE(button, nullptr) << key;
        EXPECT_FALSE(button->icon().isNull()) << key;  // a dropped resource shows here
    }
    for (const char* key : {"back", "forward", "print"}) {
        ASSERT_NE(toolbarButton(*window, "Toolbar2", key), nullptr) << key;
        EXPECT_FALSE(toolbarButton(*window, "Toolbar2", key)->icon().isNull()) << key;
    }
    // Every channel node has its category's picture.
    QTreeWidgetItem* root = window->controls().treeView1->topLevelItem(0);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->text(0), u"Palinsesti Disponibili"_s);
    ASSERT_GT(root->childCount(), 40);
    for (int i = 0; i < root->childCount(); ++i) {
        EXPECT_FALSE(root->child(i)->icon(0).isNull()) << root->child(i)->text(0).toStdString();
    }
}

TEST_F(MainWindow, StartsOnTheStartPageWithTheTemplatesOfTheCardFolder) {
    test::writeFile(appFolder() / "htmlcards" / "notes.txt", "not a template");
    test::writeFile(appFolder() / "htmlcards" / "alfa.htm", "<html></html>");
    auto window = std::make_unique<ui::FrmMain>(services());
    ASSERT_TRUE(waitForLoad(*window, [&] { window->load(); }));
    EXPECT_TRUE(window->controls().webBrowser1->url().path().endsWith(u"/begin.htm"_s));
    QStringList templates;
    for (int i = 0; i < window->controls().combo1->count(); ++i) {
        templates.append(window->controls().combo1->itemText(i));
    }
    EXPECT_EQ(templates, (QStringList{u"alfa.htm"_s, u"classica.htm"_s, u"notturna.htm"_s}));
    EXPECT_EQ(window->controls().monthView1->selectedDate(), QDate::currentDate());
    EXPECT_EQ(window->controls().combo2->currentText(), u"0 Visualizza Tutte"_s);
}

TEST_F(MainWindow, MissingFoldersAreReportedInTheStatusBar) {
    std::filesystem::remove_all(appFolder() / "htmlcards");
    auto withoutCards = loadMain();
    EXPECT_EQ(withoutCards->statusMessage().toStdString(),
              "The Directory " + (appFolder() / "htmlcards" / "").string() +
                  " Doesn't Exist !  -> Bad Installation??");
    EXPECT_EQ(withoutCards->controls().combo1->count(), 0);
    // Without a template a card cannot be built, and the user is told so.
    withoutCards->BUILD_CARD();
    ASSERT_EQ(dialogs_.boxes.size(), 1u);
    EXPECT_EQ(dialogs_.boxes[0].text, "Non e' stata selezionata nessuna CARD!");

    std::filesystem::remove_all(appFolder() / "TV");
    auto withoutChannels = loadMain();
    EXPECT_EQ(withoutChannels->statusMessage(), u"*"_s);
    EXPECT_EQ(withoutChannels->controls().treeView1->topLevelItemCount(), 1);
    EXPECT_EQ(withoutChannels->controls().treeView1->topLevelItem(0)->childCount(), 0);
}

TEST_F(MainWindow, ClickingAChannelShowsItsCardPageAndPrintHandsItToTheBrowser) {
    addProgrammes(Day::today().number());
    auto window = loadMain();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QTreeWidgetItem* channel = channelNode(*window, u"Canale 5"_s);
    ASSERT_NE(channel, nullptr);
    ASSERT_TRUE(waitForLoad(*window, [&] { click(window->controls().treeView1, channel); }));
    EXPECT_EQ(window->controls().webBrowser1->shownFile(), appFolder() / "temp.htm");
    QString html = pageHtml(*window);
    EXPECT_TRUE(html.contains(u"Il commissario Rex"_s));
    EXPECT_TRUE(html.contains(u"Prima pagina"_s));
    EXPECT_FALSE(html.contains(u"Film della sera"_s));  // Rai 1's programme
    screenshot(*window, "main-card");

    toolbarButton(*window, "Toolbar2", "print")->trigger();
    ASSERT_EQ(dialogs_.opened.size(), 1u);
    EXPECT_EQ(std::filesystem::path(dialogs_.opened[0]), appFolder() / "temp.htm");
    // Back to the start page, then nothing further back.
    ASSERT_TRUE(
        waitForLoad(*window, [&] { toolbarButton(*window, "Toolbar2", "back")->trigger(); }));
    EXPECT_TRUE(window->controls().webBrowser1->url().path().endsWith(u"/begin.htm"_s));
    toolbarButton(*window, "Toolbar2", "back")->trigger();
    QTest::qWait(200);
    EXPECT_TRUE(window->controls().webBrowser1->url().path().endsWith(u"/begin.htm"_s));
    ASSERT_TRUE(
        waitForLoad(*window, [&] { toolbarButton(*window, "Toolbar1", "help")->trigger(); }));
    EXPECT_EQ(window->controls().webBrowser1->shownFile(), appFolder() / "help" / "help.htm");
    screenshot(*window, "main-help");
}

TEST_F(MainWindow, WebLinksGoToTheDesktopAndAPageNeverReachesTheNetwork) {
    LocalServer server;
    std::atomic<int> hits{0};
    server.server().Get(".*", [&](const httplib::Request&, httplib::Response& response) {
        ++hits;
        response.set_content("body{}", "text/css");
    });
    server.start();
    std::string remote = server.url("/x");
    test::writeFile(appFolder() / "hostile.htm",
                    "<html><head><link rel='stylesheet' href='" + remote +
                        ".css'>"
                        "<script src='" +
                        remote +
                        ".js'></script></head><body style='margin:0'>"
                        "<a href='" +
                        server.url("/link") +
                        "' style='display:block;height:200px'>"
                        "link</a><img src='" +
                        remote + ".png'><iframe src='" + remote + ".htm'></iframe></body></html>");
    auto window = loadMain();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    auto* view = window->controls().webBrowser1;
    ASSERT_TRUE(waitForLoad(*window, [&] { view->showFile(appFolder() / "hostile.htm"); }));
    QTest::mouseClick(view->focusProxy(), Qt::LeftButton, {}, QPoint(40, 40));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialogs_.opened.empty(); }, 20000));
    EXPECT_EQ(dialogs_.opened[0], server.url("/link"));
    EXPECT_EQ(view->shownFile(), appFolder() / "hostile.htm");
    EXPECT_EQ(hits.load(), 0);
}

TEST_F(MainWindow, ItsPlaceIsKeptOnEveryWayOutAndRestoredAtTheNextStart) {
    const std::vector<std::function<void(ui::FrmMain&)>> waysOut = {
        [](ui::FrmMain& w) { w.close(); }, [](ui::FrmMain& w) { w.commands().exit->trigger(); },
        [](ui::FrmMain& w) { toolbarButton(w, "Toolbar1", "exit")->trigger(); }};
    int left = 10;
    for (const auto& wayOut : waysOut) {
        auto window = loadMain();
        window->show();
        window->resize(780, 570);
        window->move(left, 9);
        ASSERT_TRUE(QTest::qWaitFor([&] { return window->pos() == QPoint(left, 9); }, 5000));
        wayOut(*window);
        ConfigRow row = ConfigStore(appFolder()).read();
        EXPECT_EQ(row.winWidth, 780 * 15);
        EXPECT_EQ(row.winHeight, 570 * 15);
        EXPECT_EQ(row.winTop, 9 * 15);
        EXPECT_EQ(row.winLeft, left * 15);
        left += 5;
    }
    auto next = loadMain();
    next->placeFromSettings();
    EXPECT_EQ(next->size(), QSize(780, 570));
    EXPECT_EQ(next->pos(), QPoint(left - 5, 9));

    // A place on a monitor that is gone is brought back onto the screen.
    ConfigStore(appFolder()).setWindowPlacement(780 * 15, 570 * 15, 30000, 90000);
    auto lost = loadMain();
    lost->placeFromSettings();
    EXPECT_TRUE(lost->screen()->availableGeometry().contains(lost->geometry().topLeft()));
}

TEST_F(MainWindow, CompactingWhileTheGuideIsOpenKeepsTheProgrammes) {
    addProgrammes(Day::today().number());
    auto window = loadMain();
    window->commands().compactdb->trigger();
    ASSERT_EQ(dialogs_.boxes.size(), 1u);
    EXPECT_EQ(dialogs_.boxes[0].title, "Packen erfolgreich beendet");
    EXPECT_FALSE(std::filesystem::exists(appFolder() / "database" / "ZelidorBackup.db"));
    window->controls().treeView1->setCurrentItem(channelNode(*window, u"Canale 5"_s));
    ASSERT_TRUE(waitForLoad(*window, [&] { window->BUILD_CARD(); }));
    EXPECT_TRUE(pageHtml(*window).contains(u"Il commissario Rex"_s));
}

TEST_F(MainWindow, ExportWritesTheStoredProgrammesForOtherGuides) {
    addProgrammes(Day::today().number());
    auto window = loadMain();
    window->commands().exportxmltv->trigger();  // the file dialog cancelled
    EXPECT_TRUE(dialogs_.boxes.empty());
    saveFileAnswer_ = fromPath(appFolder() / "guida.xml");
    window->commands().exportxmltv->trigger();
    ASSERT_EQ(dialogs_.boxes.size(), 1u);
    EXPECT_EQ(dialogs_.boxes[0].text.substr(0, 34), "Programmi esportati: 3 di 2 canali");
    std::string xml = test::readFile(appFolder() / "guida.xml");
    EXPECT_NE(xml.find("<title lang=\"it\">Il commissario Rex</title>"), std::string::npos);
}

}  // namespace
}  // namespace zelidor::test
