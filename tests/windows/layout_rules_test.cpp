// The arithmetic behind the windows: the main window's resize rules, the rule that keeps a
// stored window visible, and the about window's animation.
#include <gtest/gtest.h>

#include "browser/ui/main_layout_rules.h"
#include "common/ui/twips.h"
#include "common/ui/window_placement.h"
#include "config/ui/about_animation.h"

namespace zelidor::ui {
namespace {

TEST(MainLayoutRules, WideWindowGivesTheViewEverythingRightOfTheCalendar) {
    MainLayoutInput in = designTimeLayout();
    in.windowWidth = 15000;
    in.monthView.width = 2500;
    MainLayout out = layOutMainWindow(in);
    EXPECT_EQ(out.webView.left, 2650);
    EXPECT_EQ(out.webView.width, 12000);
    EXPECT_EQ(out.toolbar2.left, 2650);
    EXPECT_EQ(out.combo1.width, 15000 - in.combo1.left - 350);
    // The column on the left: the filter under the calendar, the tree under the filter.
    EXPECT_EQ(out.combo2.top, in.monthView.top + in.monthView.height + 50);
    EXPECT_EQ(out.treeView.top, out.combo2.top + 350);
    EXPECT_EQ(out.treeView.height, in.windowHeight - in.treeView.top - 1900);
    EXPECT_EQ(out.tabWidth, in.innerWidth - 120);
    EXPECT_EQ(out.tabHeight, in.innerHeight - 1100);
}

TEST(MainLayoutRules, TooSmallAWindowSnapsBackToTheMinimum) {
    MainLayoutInput in = designTimeLayout();
    double frameWidth = in.windowWidth - in.innerWidth;
    double frameHeight = in.windowHeight - in.innerHeight;
    in.windowWidth = 5000;
    in.windowHeight = 5000;
    in.innerWidth = 5000 - frameWidth;
    in.innerHeight = 5000 - frameHeight;
    MainLayout out = layOutMainWindow(in);
    EXPECT_EQ(out.windowWidth, 11355);
    EXPECT_EQ(out.windowHeight, 8320);
    // Everything is laid out for the snapped size, nothing for the one asked.
    EXPECT_EQ(out.tabWidth, 11355 - frameWidth - 120);
    EXPECT_EQ(out.webView.height, 8320 - in.webView.top - 1900);
    EXPECT_GT(out.treeView.height, 0);
}

TEST(Twips, FifteenToThePixelAt96DpiAndFewerAbove) {
    EXPECT_EQ(Twips(96).toPixels(12000), 800);
    EXPECT_EQ(Twips(96).fromPixels(800), 12000);
    EXPECT_EQ(Twips(144).toPixels(12000), 1200);
    EXPECT_EQ(Twips(144).toPixels(Twips(144).fromPixels(333)), 333);
}

TEST(KeepOnScreens, AWindowLeftOnAMissingMonitorComesBackToThePrimaryScreen) {
    QRect primary(0, 0, 1920, 1040);
    QRect second(1920, 0, 1280, 1024);
    QRect onSecond(2200, 100, 800, 600);
    // Both monitors present: the window stays where the user put it.
    EXPECT_EQ(keepOnScreens(onSecond, {primary, second}, primary), onSecond);
    // The second monitor unplugged: the window is centred on the primary screen, same size.
    QRect moved = keepOnScreens(onSecond, {primary}, primary);
    EXPECT_EQ(moved.size(), onSecond.size());
    EXPECT_TRUE(primary.contains(moved));
    // Title bar above the screen, or too big for it: brought down and shrunk.
    EXPECT_TRUE(primary.contains(keepOnScreens(QRect(100, -500, 800, 600), {primary}, primary)));
    EXPECT_TRUE(primary.contains(keepOnScreens(QRect(5000, 5000, 3000, 2000), {primary}, primary)));
    // Partly off the screen but easy to grab: left alone.
    QRect partly(1700, 500, 800, 600);
    EXPECT_EQ(keepOnScreens(partly, {primary}, primary), partly);
}

TEST(AboutAnimation, CreditsStopWithTheEndMarkerJustAboveTheTop) {
    CreditScroll scroll(3605, 300);  // off the step grid on purpose
    int ticks = 0;
    while (scroll.tick()) {
        ASSERT_LT(++ticks, 10000) << "the credits never stop";
    }
    EXPECT_EQ(scroll.endTop(), CreditScroll::kEndTop);
    EXPECT_EQ(scroll.lineTop(15), CreditScroll::kEndTop - 300);
    EXPECT_FALSE(scroll.tick());
}

TEST(AboutAnimation, PicturesTakeTurnsForTwentyOneTicksThenJump) {
    std::vector<int> asked;
    PictureCycle cycle([&](int n) {
        asked.push_back(n);
        return n - 1;
    });
    std::vector<int> shown;
    for (int i = 0; i < PictureCycle::kTicks; ++i) {
        shown.push_back(cycle.tick().visible);
    }
    EXPECT_EQ(shown, (std::vector<int>{12, 12, 11, 11, 10, 10, 11, 11, 12, 12, 0,
                                       0,  0,  0,  0,  0,  0,  0,  0,  0,  0}));
    PictureCycle::Step jump = cycle.tick();
    EXPECT_TRUE(jump.moved);
    EXPECT_EQ(jump.top, 2550 + 499);
    EXPECT_EQ(jump.left, 270 + 499);
    EXPECT_EQ(asked, (std::vector<int>{500, 500}));
    EXPECT_EQ(cycle.tick().visible, 12);  // and the cycle starts again
}

}  // namespace
}  // namespace zelidor::ui
