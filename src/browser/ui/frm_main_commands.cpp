#include "browser/ui/frm_main_commands.h"

#include <QMenuBar>

#include "common/ui/app_icons.h"

using namespace Qt::StringLiterals;

namespace zelidor::ui {

namespace {

QAction* entry(QMenu* menu, const char* name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}

QAction* separator(QMenu* menu, const char* name) {
    QAction* action = menu->addSeparator();
    action->setObjectName(QLatin1String(name));
    return action;
}

QMenu* menu(QMenuBar* bar, const char* name, const QString& caption) {
    QMenu* m = bar->addMenu(caption);
    m->setObjectName(QLatin1String(name));
    return m;
}

// A menu of the bar that is itself the command (it has no entries).
QAction* barCommand(QMenuBar* bar, const char* name, const QString& caption) {
    QAction* action = bar->addAction(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}

struct ButtonPlan {
    const char* key;
    QString caption;
    QString tooltip;
    QString themeIcon;
};

void addButtons(QToolBar& toolbar, const std::vector<ButtonPlan>& buttons, bool showCaption) {
    for (const ButtonPlan& plan : buttons) {
        if (plan.key == nullptr) {
            toolbar.addSeparator();
            continue;
        }
        QString key = QLatin1String(plan.key);
        QAction* action = toolbar.addAction(commandIcon(key, plan.themeIcon),
                                            showCaption ? plan.caption : plan.tooltip);
        action->setObjectName(toolbar.objectName() + u'_' + key);
        action->setData(key);
        if (!plan.tooltip.isEmpty()) {
            action->setToolTip(plan.tooltip);
        }
    }
}

void buildMenus(FrmMainCommands& c, QMenuBar* bar) {
    QMenu* files = menu(bar, "files", u"&Database"_s);
    c.selectdb = entry(files, "selectdb", u"Seleziona Un Nuovo Database..."_s);
    c.cleardb = entry(files, "cleardb", u"Pulizia Database..."_s);
    c.compactdb = entry(files, "compactdb", u"Compatta il Database..."_s);
    c.exportxmltv = entry(files, "exportxmltv", u"Esporta XMLTV..."_s);
    separator(files, "barra1");
    c.exit = entry(files, "exit", u"Exit"_s);
    c.selectdb->setEnabled(false);
    c.cleardb->setEnabled(false);

    QMenu* search = menu(bar, "searchroot", u"Ricerche"_s);
    c.searchprog = entry(search, "searchprog", u"Ricerca Un Programma"_s);
    c.monitorroot = barCommand(bar, "monitorroot", u"Monitor"_s);
    c.statisticroot = barCommand(bar, "statisticroot", u"Statistiche"_s);
    c.statisticroot->setEnabled(false);
    QMenu* download = menu(bar, "downloadroot", u"Download"_s);
    c.downloadpr = entry(download, "downloadpr", u"Importa I Programmi Televisivi"_s);
    QMenu* tools = menu(bar, "toolsroot", u"&Tools"_s);
    c.advreport = entry(tools, "advreport", u"Report Avanzati"_s);
    QMenu* config = menu(bar, "configroot", u"&Config"_s);
    c.preferences = entry(config, "preferences", u"Preferenze"_s);
    QMenu* about = menu(bar, "aboutroot", u"&About"_s);
    c.help = entry(about, "help", u"Help"_s);
    separator(about, "barra2");
    c.home = entry(about, "home", u"Home Page"_s);
    c.nuovopal = entry(about, "nuovopal", u"Controlla La Presenza Di Nuovi Palinsesti"_s);
    separator(about, "barra6");
    c.about = entry(about, "about", u"About"_s);
}

}  // namespace

void FrmMainCommands::build(QMainWindow& window, QToolBar& toolbar1, QToolBar& toolbar2) {
    buildMenus(*this, window.menuBar());
    addButtons(toolbar1,
               {{"download", u"Importa"_s, {}, u"document-save"_s},
                {"find", u"Cerca"_s, {}, u"edit-find"_s},
                {"monitor", u"Monitor"_s, {}, {}},
                {nullptr, {}, {}, {}},
                {"report", u"Report"_s, u"Report Avanzati"_s, {}},
                {"config", u"Config"_s, {}, u"preferences-system"_s},
                {nullptr, {}, {}, {}},
                {"about", u"About"_s, {}, u"help-about"_s},
                {"help", u"Help"_s, {}, u"help-contents"_s},
                {nullptr, {}, {}, {}},
                {"exit", u"Exit"_s, {}, u"application-exit"_s}},
               true);
    addButtons(toolbar2,
               {{"back", {}, u"Previous Page"_s, u"go-previous"_s},
                {"forward", {}, u"Next Page"_s, u"go-next"_s},
                {"print", {}, u"Print"_s, u"document-print"_s}},
               false);
}

QAction* FrmMainCommands::button(const QToolBar& toolbar, const QString& key) {
    for (QAction* action : toolbar.actions()) {
        if (action->data().toString() == key) {
            return action;
        }
    }
    return nullptr;
}

QString FrmMainCommands::keyOf(const QAction& button) {
    return button.data().toString();
}

}  // namespace zelidor::ui
