#include "core/pane_animation.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using namespace tolvane;

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
  EXPECT_TRUE(a.Animating());
  a.Tick();
  EXPECT_EQ(a.area.panes[1].height, 435);
  EXPECT_TRUE(a.area.panes[1].headerOpen) << "the header changes on the first tick";
  a.MenuHeader_Click(0);  // dropped while pane 1 moves
  EXPECT_EQ(a.AnimatedPane(), 1);
  RunToEnd(a);
  EXPECT_EQ(a.area.panes[1].height, LinksBottom(3) + 120) << "not the 60-twip step past it";
  EXPECT_EQ(a.area.panes[0].height, 375);
  EXPECT_FALSE(a.area.wide);

  a.MenuHeader_Click(1);
  EXPECT_FALSE(a.Opening());
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
