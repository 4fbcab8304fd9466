#include "core/pane_animation.h"

#include <gtest/gtest.h>

namespace {

using namespace tolvane;

constexpr std::int32_t kToolsBottom = 480 + 4 * 600 + 555;  // the last tool entry

// Links at 480, 1130, 1780...: the bottom of the last of `links` buttons.
std::int32_t LinksBottom(int links) { return 480 + (links - 1) * 650 + 600; }

// The main window as it stands after its load: both panes closed, narrow.
PaneAnimation MainWindow(int links) {
  PaneAnimation a;
  a.area.panes = {{.top = 120, .height = 375, .contentBottom = kToolsBottom},
                  {.top = 615, .height = 375, .contentBottom = LinksBottom(links)}};
  a.area.windowHeight = 5460;
  a.area.visibleHeight = 5055;
  a.area.frameHeight = 4650;
  a.area.surfaceHeight = 5055;
  a.area.scrollBarHeight = 4650;
  a.area.lastButtonBottom = LinksBottom(links);
  return a;
}

// Ticks until the animation ends; the number of ticks it took.
int RunToEnd(PaneAnimation& a, int limit = 2000) {
  int ticks = 0;
  while (a.Animating() && ticks < limit) {
    a.Tick();
    ++ticks;
  }
  EXPECT_FALSE(a.Animating());
  return ticks;
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

TEST(PaneAnimation, AnOverflowingLinkPaneShowsAtFullHeightInTheWideLayout) {
  PaneAnimation a = MainWindow(60);  // its content lies deeper than 32767 twips
  a.MenuHeader_Click(1);
  EXPECT_LT(RunToEnd(a), 100) << "jumps open";
  EXPECT_EQ(a.area.panes[1].height, LinksBottom(60) + 120);
  EXPECT_TRUE(a.area.wide);
}

TEST(PaneAnimation, TheScrollRangeGoesNegativeAndRoundsHalvesToEven) {
  PaneAnimation a = MainWindow(3);
  a.MenuHeader_Click(1);
  RunToEnd(a);
  a.MenuHeader_Click(1);
  a.Tick();  // the surface is now shorter than the scroll bar
  EXPECT_EQ(a.area.surfaceHeight, 615 + LinksBottom(3) + 120 - 60 + 250);
  EXPECT_EQ(a.area.scrollMax, -13);  // -13.45

  a.area.scrollBarHeight = a.area.surfaceHeight - 60 - 1250;  // 12.5 units on the next tick
  a.Tick();
  EXPECT_EQ(a.area.scrollMax, 12);
}

}  // namespace
