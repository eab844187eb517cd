#include "download/ui/download_window.h"

#include "browser/ui/frm_main_commands.h"
#include "download/ui/frm_import_tv.h"

using namespace Qt::StringLiterals;

namespace zelidor::ui {

void connectDownloadWindow(FrmMain& main, const GuideServices& services, PowerControl& power) {
    QAction* command = main.commands().downloadpr;
    command->setEnabled(true);
    if (auto* toolbar = main.findChild<QToolBar*>(u"Toolbar1"_s)) {
        if (QAction* button = FrmMainCommands::button(*toolbar, u"download"_s)) {
            button->setEnabled(true);
        }
    }
    QObject::connect(command, &QAction::triggered, &main, [&main, services, &power] {
        main.LOAD_TV();
        FrmImportTV* window = downloadWindowOf(main);
        if (window == nullptr) {
            window = new FrmImportTV(main, services, power);
        }
        window->showNormal();
        window->raise();
        window->activateWindow();
    });
}

FrmImportTV* downloadWindowOf(const FrmMain& main) {
    return main.findChild<FrmImportTV*>(u"FrmImportTV"_s, Qt::FindDirectChildrenOnly);
}

}  // namespace zelidor::ui
