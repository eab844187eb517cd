// The main window's download command (the "Download" menu entry and the toolbar's "download"
// button): it rebuilds the catalogue, then shows the download window, made at its first use.
#pragma once

#include "browser/ui/frm_main.h"
#include "download/power_control.h"

namespace zelidor::ui {

class FrmImportTV;

void connectDownloadWindow(FrmMain& main, const GuideServices& services, PowerControl& power);

// The download window once the command has made it, or null.
FrmImportTV* downloadWindowOf(const FrmMain& main);

}  // namespace zelidor::ui
