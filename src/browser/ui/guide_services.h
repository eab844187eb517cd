// What the guide's windows are given by the program: its folder, the boxes and the desktop's
// "open" they talk through (real ones in the program, recorders in the tests), and the web
// profile of the HTML view.
#pragma once

#include <QString>
#include <filesystem>
#include <functional>

#include "common/dialogs.h"

class QWebEngineProfile;

namespace zelidor::ui {

struct GuideServices {
    std::filesystem::path appFolder;
    Dialogs* dialogs = nullptr;
    Desktop* desktop = nullptr;
    QWebEngineProfile* webProfile = nullptr;
    // Asks where to write a file (the XMLTV export); empty when the user cancels. Unset, the
    // desktop's file dialog asks.
    std::function<QString(const QString& suggested)> chooseSaveFile;
};

// The program's web site, opened by "Home Page" and by the search for new channel files.
inline constexpr const char* kProgramWebSite = "https://zelidor.example.org/";

}  // namespace zelidor::ui
