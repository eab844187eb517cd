// What the guide's windows are given by the program: its folder, the boxes and the desktop's
// "open" they talk through (real ones in the program, recorders in the tests), and the web
// profile of the HTML view.
#pragma once

#include <filesystem>

#include "common/dialogs.h"

class QWebEngineProfile;

namespace zelidor::ui {

struct GuideServices {
    std::filesystem::path appFolder;
    Dialogs* dialogs = nullptr;
    Desktop* desktop = nullptr;
    QWebEngineProfile* webProfile = nullptr;
};

// The program's web site, opened by "Home Page" and by the search for new channel files.
inline constexpr const char* kProgramWebSite = "https://zelidor.example.org/";

}  // namespace zelidor::ui
