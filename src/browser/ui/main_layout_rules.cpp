#include "browser/ui/main_layout_rules.h"

#include <algorithm>

namespace zelidor::ui {

MainLayoutInput designTimeLayout() {
    MainLayoutInput in;
    in.windowWidth = 12510;
    in.windowHeight = 10425;
    in.innerWidth = 12390;
    in.innerHeight = 9840;
    in.monthView = {90, 390, 2715, 2520};
    in.combo2 = {90, 2970, 2715, 330};
    in.treeView = {90, 3360, 2715, 4665};
    in.toolbar2 = {2880, 390, 4095, 390};
    in.combo1 = {7050, 390, 4005, 330};
    in.webView = {2880, 870, 8895, 7155};
    return in;
}

MainLayout layOutMainWindow(const MainLayoutInput& in) {
    MainLayout out;
    out.windowWidth = std::max(in.windowWidth, kMainMinWidth);
    out.windowHeight = std::max(in.windowHeight, kMainMinHeight);
    // A window raised to its minimum keeps the frame it had around its client area.
    double innerWidth = in.innerWidth + (out.windowWidth - in.windowWidth);
    double innerHeight = in.innerHeight + (out.windowHeight - in.windowHeight);
    out.tabWidth = innerWidth - 120;
    out.tabHeight = innerHeight - 1100;

    out.treeView = in.treeView;
    out.treeView.height = out.windowHeight - in.treeView.top - 1900;

    out.webView = in.webView;
    out.webView.height = out.windowHeight - in.webView.top - 1900;
    out.webView.left = in.monthView.width + 150;
    out.webView.width = out.windowWidth - out.webView.left - 350;

    out.combo1 = in.combo1;
    out.combo1.width = out.windowWidth - in.combo1.left - 350;

    out.toolbar2 = in.toolbar2;
    out.toolbar2.left = out.webView.left;

    out.combo2 = in.combo2;
    out.combo2.top = in.monthView.top + in.monthView.height + 50;
    out.treeView.top = out.combo2.top + 350;
    return out;
}

}  // namespace zelidor::ui
