// Where the windows go on the screen, and how the main window's panes move.
#include "core/geometry.h"
#include "core/pane_animation.h"

#include <gtest/gtest.h>

#include <random>

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
  EXPECT_EQ(at(L"14000", L"500", two), (Point{kScreenW, 500}));   // mostly on a second monitor...
  EXPECT_EQ(at(L"20000", L"500", primary), (Point{6025, 1260}));  // ...brought back once it is gone
  EXPECT_EQ(at(L"-9999", L"0", {}, 20000), (Point{6025, 0}));     // taller than the screen: its top shows
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

constexpr std::int32_t kToolsBottom = 480 + 4 * 600 + 555;  // the last tool entry

// Links at 480, 1130, 1780...: the bottom of the last of `links` buttons.
std::int32_t LinksBottom(int links) { return 480 + (links - 1) * 650 + 600; }

// The main window as it stands after its load: both panes closed, narrow.
PaneAnimation MainWindow(int links) {
  PaneAnimation a;
  a.area = {.panes = {{.top = 120, .height = 375, .contentBottom = kToolsBottom},
                      {.top = 615, .height = 375, .contentBottom = LinksBottom(links)}},
            .windowHeight = 5460, .visibleHeight = 5055, .frameHeight = 4650, .surfaceHeight = 5055,
            .scrollBarHeight = 4650, .lastButtonBottom = LinksBottom(links)};
  return a;
}

void RunToEnd(PaneAnimation& a) {
  for (int ticks = 0; a.Animating() && ticks < 2000; ++ticks) a.Tick();
  EXPECT_FALSE(a.Animating());
}

TEST(PaneAnimation, OpensSixtyPerTickToJustUnderItsContentAndClosesToTheHeader) {
  PaneAnimation a = MainWindow(3);
  a.MenuHeader_Click(1);
  a.Tick();
  EXPECT_EQ(a.area.panes[1].height, 435);
  EXPECT_TRUE(a.area.panes[1].headerOpen) << "the header changes on the first tick";
  a.MenuHeader_Click(0);  // dropped while pane 1 moves
  RunToEnd(a);
  EXPECT_EQ(a.area.panes[1].height, LinksBottom(3) + 120) << "not the 60-twip step past it";
  EXPECT_EQ(a.area.panes[0].height, 375);

  a.MenuHeader_Click(1);
  while (a.Animating()) {
    a.Tick();
    EXPECT_GE(a.area.panes[1].height, 375) << "never below the header";
  }
  EXPECT_EQ(a.area.panes[1].height, 375);
  EXPECT_EQ(a.area.surfaceTop, 0);
}

TEST(PaneAnimation, TheScrollRangeFollowsTheLinkPaneMovedDownByTheToolsPane) {
  PaneAnimation a = MainWindow(60);
  a.MenuHeader_Click(1);
  RunToEnd(a);
  ASSERT_TRUE(a.area.wide);
  a.MenuHeader_Click(0);
  RunToEnd(a);
  a.Tick();  // the links pane moves down under it
  EXPECT_EQ(a.area.panes[1].top, a.area.panes[0].Bottom() + 120);
  EXPECT_EQ(a.area.surfaceHeight, a.area.LastPaneBottom() + 250);
  EXPECT_EQ(a.area.scrollMax, (a.area.surfaceHeight - a.area.scrollBarHeight + 50) / 100);

  // Scrolled down, then the links pane closed: everything fits, back at the top.
  a.area.surfaceTop = -3000;
  a.MenuHeader_Click(1);
  RunToEnd(a);
  EXPECT_FALSE(a.area.wide);
  EXPECT_EQ(a.area.surfaceTop, 0);
}

// Whatever happens to the panes, a timer that sleeps at rest shows at every
// moment what one that never stops shows; every change wakes it, and a tick
// at rest puts it to sleep.
TEST(PaneAnimation, ASleepingTimerShowsWhatANeverStoppingOneShows) {
  std::mt19937 random(20261206);
  auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  int slept = 0, wokenTicks = 0, ticks = 0;
  for (int run = 0; run < 200; ++run) {
    PaneAnimation always = MainWindow(pick(1, 12));
    PaneAnimation sleeping = always;
    for (int step = 0; step < 400; ++step) {
      const int roll = pick(0, 59);
      const int what = roll < 52 ? 0 : roll - 40;  // mostly time passing, now and then a change
      const int pane = pick(0, 1);
      if (what < 12) {
        const bool atRest = always.Idle();
        always.Tick();
        ++ticks;
        if (sleeping.Awake()) {
          sleeping.Tick();
          ++wokenTicks;
          EXPECT_FALSE(atRest && sleeping.Awake()) << "run " << run << " step " << step;
        }
      } else {
        const int height = pick(0, 1) ? 375 : pick(375, 9000);
        const int top = -100 * pick(0, 40);
        const int windowHeight = pick(1500, 9000);
        const int links = pick(1, 70);
        for (PaneAnimation* p : {&always, &sleeping}) {
          switch (what) {
            case 12: case 13: p->MenuHeader_Click(pane); break;
            case 14: case 15: p->SetPaneHeight(pane, height); break;
            case 16: p->ScrollTo(top); break;
            case 17: p->SetWindowHeight(windowHeight, windowHeight - 405); break;
            case 18: p->ResizeLayout(); break;
            default:  // another group: only an opening pane reads its content
              p->area.panes[1].contentBottom = p->area.lastButtonBottom = LinksBottom(links);
          }
        }
        EXPECT_TRUE(what > 18 || sleeping.Awake()) << "change " << what;
      }
      ASSERT_EQ(sleeping.area, always.area) << "run " << run << " step " << step;
      ASSERT_EQ(sleeping.Animating(), always.Animating());
      if (!sleeping.Awake()) ++slept;
    }
  }
  EXPECT_GT(slept, 10000) << "the comparison has to see the timer asleep";
  EXPECT_LT(wokenTicks, ticks * 9 / 10) << "and ticks saved";
}

}  // namespace
}  // namespace tolvane
