// How the main window lays itself out when it is resized, in twips: the calendar, the category
// filter and the channel tree form a column of fixed width on the left; the HTML view, with its
// toolbar and the template list on one row above it, fills the rest. Pure arithmetic, so the
// rules can be checked without a window.
#pragma once

namespace zelidor::ui {

// The smallest main window, in twips.
inline constexpr double kMainMinWidth = 11355;
inline constexpr double kMainMinHeight = 8320;

struct TwipRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    double right() const { return left + width; }
    double bottom() const { return top + height; }
    friend bool operator==(const TwipRect&, const TwipRect&) = default;
};

// The window and its controls as they stand before the layout. Control positions are relative
// to the tab that holds them, as at design time.
struct MainLayoutInput {
    double windowWidth = 0;
    double windowHeight = 0;
    double innerWidth = 0;  // the window's client area
    double innerHeight = 0;
    TwipRect monthView;  // MonthView1
    TwipRect combo2;     // the category filter
    TwipRect treeView;   // TreeView1
    TwipRect toolbar2;
    TwipRect combo1;  // the template list
    TwipRect webView;
};

struct MainLayout {
    double windowWidth = 0;  // raised to the minimum when smaller
    double windowHeight = 0;
    double tabWidth = 0;  // SSTab1
    double tabHeight = 0;
    TwipRect combo2;
    TwipRect treeView;
    TwipRect toolbar2;
    TwipRect combo1;
    TwipRect webView;
};

// The controls' design-time places inside the tab.
MainLayoutInput designTimeLayout();

MainLayout layOutMainWindow(const MainLayoutInput& input);

}  // namespace zelidor::ui
