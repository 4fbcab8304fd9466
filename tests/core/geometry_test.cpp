#include "core/geometry.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

constexpr double kScreenW = 1024 * 15, kScreenH = 768 * 15;

TEST(Geometry, MainWindowPositionPutsTheWholeBarOnAWorkArea) {
  const std::vector<Rect> primary{{0, 0, kScreenW, kScreenH - 600}};  // a task bar below
  std::vector<Rect> two = primary;
  two.push_back({kScreenW, 0, 19200, 16200});
  auto at = [&](const wchar_t* l, const wchar_t* t, const std::vector<Rect>& screens, double h = 9000) {
    return MainWindowPosition(l, t, 3310, h, screens, kScreenW, kScreenH);
  };
  EXPECT_EQ(at(L"", L"", primary), (Point{6025, 1260}));  // centred, rounded then truncated
  EXPECT_EQ(at(L"120", L"abc", primary), (Point{120, 1260}));
  EXPECT_EQ(at(L"12050", L"1920", primary), (Point{12050, 1920})) << "wholly on the work area: as saved";
  EXPECT_EQ(at(L"-2000", L"30", primary), (Point{0, 30}));
  EXPECT_EQ(at(L"14000", L"2500", primary), (Point{kScreenW - 3310, kScreenH - 600 - 9000})) << "over the task bar";
  EXPECT_EQ(at(L"20000", L"500", two), (Point{20000, 500}));      // on a second monitor...
  EXPECT_EQ(at(L"14000", L"500", two), (Point{kScreenW, 500}));   // ...mostly
  EXPECT_EQ(at(L"20000", L"500", primary), (Point{6025, 1260}));  // ...brought back once it is gone
  EXPECT_EQ(at(L"-9999", L"0", {}, 20000), (Point{6025, 0}));     // taller than the screen: its top shows
  // A 1280 x 1024 screen and a place that would show 47 x 37 pixels of the bar.
  EXPECT_EQ(MainWindowPosition(L"18500", L"14800", 3310, 5460, {{0, 0, 19200, 15360}}, 19200, 15360),
            (Point{19200 - 3310, 15360 - 5460}));
}

TEST(Geometry, DialogPositionBesideTheMainWindowOrKeptOnTheScreen) {
  Rect main{6000, 1000, 3310, 6000};
  auto at = [&](const wchar_t* l, const wchar_t* t, double h = 2000) {
    return DialogPosition(l, t, 3630, h, main, kScreenW, kScreenH);
  };
  EXPECT_EQ(at(L"-1", L"-1"), (Point{6000, 7000}));
  EXPECT_EQ(at(L"15361", L"100"), (Point{kScreenW - 3630, 100}));
  EXPECT_EQ(at(L"100", L"11521"), (Point{100, kScreenH - 2000}));
  EXPECT_EQ(at(L"100", L"notanumber"), (Point{100, -1}));
  main.top = 4000;  // low: above it when it fits there
  EXPECT_EQ(at(L"-1", L"-1"), (Point{6000, 2000}));
  // Fits neither: once below and off the screen, now risen to the bottom edge.
  EXPECT_EQ(at(L"-1", L"-1", 5000), (Point{6000, kScreenH - 5000}));
  main.left = kScreenW - 3310;  // a bar at the right edge: the wider dialog stays on the screen
  EXPECT_EQ(at(L"-1", L"-1"), (Point{kScreenW - 3630, 2000}));
}

TEST(Geometry, HelpWindowReopensWhereItWasClosedOrCentred) {
  auto at = [](const wchar_t* l, const wchar_t* t) { return HelpWindowPosition(l, t, 4785, 4800, kScreenW, kScreenH); };
  const Point centred{5287, 3360};  // halves dropped
  EXPECT_EQ(at(L"-1", L"-1"), centred);
  EXPECT_EQ(at(L"2000", L"300"), (Point{2000, 300}));
  EXPECT_EQ(at(L"15361", L"-4801"), (Point{kScreenW - 4785, 0}));  // lost beyond the edges: brought back
}

TEST(Geometry, AutoMoveClearsTheMainWindowAndStaysOnTheScreen) {
  Rect main{5000, 3000, 3310, 5460};
  auto drop = [&](double left, double t, double w = 3000) {
    return AutoMoveTop(true, main, {left, t, w, 1650}, kScreenH);
  };
  EXPECT_EQ(drop(5500, 1200), 1350);
  EXPECT_EQ(drop(5500, 1150), std::nullopt);
  EXPECT_EQ(drop(5500, 8550), 8460);
  EXPECT_EQ(drop(5000, 2000, 3310), std::nullopt);  // same side edges: no overlap
  EXPECT_EQ(drop(4000, 2000, 6000), std::nullopt);  // spanning it
  EXPECT_EQ(drop(3000, 2000, 2500), 1350);  // by the right edge only
  EXPECT_EQ(AutoMoveTop(false, main, {5500, 2000, 3000, 1650}, kScreenH), std::nullopt) << "the option off";

  main = {5000, 500, 3310, 5460};
  EXPECT_EQ(drop(5500, 0), 5960);  // no room above: below
  main = {5000, 500, 3310, 10500};
  EXPECT_EQ(drop(5500, 100), 0.0);  // room nowhere: clamped into the screen
  EXPECT_EQ(drop(5500, 9000), kScreenH - 1650);
  main = {5000, 4000, 3310, 6500};
  EXPECT_EQ(drop(5500, 10550), 2350);  // below a window ending near the bottom: above
}

}  // namespace
}  // namespace tolvane
