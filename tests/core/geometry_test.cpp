#include "core/geometry.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

constexpr double kScreenW = 1024 * 15, kScreenH = 768 * 15;

TEST(Geometry, CentringTruncatesAfterRounding) {
  EXPECT_EQ(CentredPosition(15360, 3310), 6025);
  EXPECT_EQ(CentredPosition(100, 31), 34);    // 69 \ 2
  EXPECT_EQ(CentredPosition(100, 32.5), 34);  // 67.5 rounds to 68
  EXPECT_EQ(CentredPosition(0, 3), -1);       // -3 \ 2 truncates
  EXPECT_EQ(CentredButtonLeft(3630, 1201), 1214);
  EXPECT_EQ(CentredButtonLeft(3630, 1200.5), 1215);  // 2429.5 rounds to 2430
  EXPECT_EQ(ButtonHolderLeft(3310, 650), 2660);
}

TEST(Geometry, MainWindowPosition) {
  std::vector<Rect> primary{{0, 0, kScreenW, kScreenH - 600}};
  EXPECT_EQ(MainWindowPosition(L"", L"", 3310, 9000, primary, kScreenW, kScreenH),
            (Point{6025, 1260}));
  EXPECT_EQ(MainWindowPosition(L"120", L"abc", 3310, 9000, primary, kScreenW, kScreenH),
            (Point{120, 1260}));
  // Partly off the left edge but with the title bar still reachable.
  EXPECT_EQ(MainWindowPosition(L"-2000", L"30", 3310, 9000, primary, kScreenW, kScreenH),
            (Point{-2000, 30}));
  // Saved on a second monitor to the right: kept while it is there...
  std::vector<Rect> two = primary;
  two.push_back({kScreenW, 0, 19200, 16200});
  EXPECT_EQ(MainWindowPosition(L"20000", L"500", 3310, 9000, two, kScreenW, kScreenH),
            (Point{20000, 500}));
  // ...and brought back once it is gone.
  EXPECT_EQ(MainWindowPosition(L"20000", L"500", 3310, 9000, primary, kScreenW, kScreenH),
            (Point{6025, 1260}));
  // The title bar above every screen, the body still showing: not grabbable.
  EXPECT_EQ(MainWindowPosition(L"100", L"-400", 3310, 9000, primary, kScreenW, kScreenH),
            (Point{6025, 1260}));
  // A window taller than the screen keeps its title bar on it.
  EXPECT_EQ(MainWindowPosition(L"-9999", L"0", 3310, 20000, {}, kScreenW, kScreenH),
            (Point{6025, 0}));
}

TEST(Geometry, DialogBesideTheMainWindowWhenNotSaved) {
  Rect main{6000, 1000, 3310, 6000};
  EXPECT_EQ(DialogPosition(L"-1", L"-1", 3310, 2000, main, kScreenW, kScreenH),
            (Point{6000, 7000}));
  EXPECT_EQ(DialogPosition(L"junk", L"5", 3310, 2000, main, kScreenW, kScreenH),
            (Point{6000, 7000}));
  main.top = 4000;  // low: above it when it fits there
  EXPECT_EQ(DialogPosition(L"-1", L"-1", 3310, 2000, main, kScreenW, kScreenH),
            (Point{6000, 2000}));
  // Fits neither above nor below: below, as before.
  EXPECT_EQ(DialogPosition(L"-1", L"-1", 3310, 5000, main, kScreenW, kScreenH),
            (Point{6000, 10000}));
}

TEST(Geometry, SavedDialogPositionIsKeptOnTheScreen) {
  Rect main{6000, 1000, 3310, 6000};
  auto at = [&](const wchar_t* l, const wchar_t* t) {
    return DialogPosition(l, t, 3630, 2000, main, kScreenW, kScreenH);
  };
  EXPECT_EQ(at(L"15361", L"100"), (Point{kScreenW - 3630, 100}));
  EXPECT_EQ(at(L"-500", L"100"), (Point{-500, 100}));
  EXPECT_EQ(at(L"-3631", L"-2001"), (Point{0, 0}));
  EXPECT_EQ(at(L"100", L"11521"), (Point{100, kScreenH - 2000}));
  EXPECT_EQ(at(L"100", L"notanumber"), (Point{100, -1}));
}

TEST(Geometry, AutoMoveClearsTheMainWindow) {
  Rect main{5000, 3000, 3310, 5460};
  auto drop = [&](double t) { return AutoMoveTop(true, main, {5500, t, 3000, 1650}, kScreenH); };
  EXPECT_EQ(drop(1200), 1350);
  EXPECT_EQ(drop(1150), std::nullopt);
  EXPECT_EQ(drop(2000), 1350);
  EXPECT_EQ(drop(8550), 8460);
  EXPECT_EQ(drop(8660), std::nullopt);
  EXPECT_EQ(drop(1350), std::nullopt);  // already resting on the top edge
  EXPECT_EQ(AutoMoveTop(false, main, {5500, 2000, 3000, 1650}, kScreenH), std::nullopt);
  // Same side edges as the main window, or spanning it: no overlap.
  EXPECT_EQ(AutoMoveTop(true, main, {5000, 2000, 3310, 1650}, kScreenH), std::nullopt);
  EXPECT_EQ(AutoMoveTop(true, main, {4000, 2000, 6000, 1650}, kScreenH), std::nullopt);
  // Overlapping by the right edge only.
  EXPECT_EQ(AutoMoveTop(true, main, {3000, 2000, 2500, 1650}, kScreenH), 1350);
}

TEST(Geometry, AutoMoveStaysOnTheScreen) {
  Rect main{5000, 500, 3310, 5460};
  Rect dialog{5500, 0, 3000, 1650};
  EXPECT_EQ(AutoMoveTop(true, main, dialog, kScreenH), 5960);  // no room above: below
  // No room above nor below: clamped into the screen.
  main = {5000, 500, 3310, 10500};
  dialog.top = 100;
  EXPECT_EQ(AutoMoveTop(true, main, dialog, kScreenH), 0.0);
  dialog.top = 9000;
  EXPECT_EQ(AutoMoveTop(true, main, dialog, kScreenH), kScreenH - 1650);
  // Dropped just below a main window that ends near the screen's bottom: above.
  main = {5000, 4000, 3310, 6500};
  dialog.top = 10550;
  EXPECT_EQ(AutoMoveTop(true, main, dialog, kScreenH), 2350);
}

TEST(Geometry, Layouts) {
  EXPECT_TRUE(UsesWideLayout(9000, 405, 8600));
  EXPECT_FALSE(UsesWideLayout(9000, 405, 8595));
  EXPECT_EQ(KeepRightEdgeOnScreen(13000, kWideWindowWidth, kScreenW), kScreenW - 3610);
  EXPECT_EQ(KeepRightEdgeOnScreen(1000, kWideWindowWidth, kScreenW), 1000);
}

}  // namespace
}  // namespace tolvane
