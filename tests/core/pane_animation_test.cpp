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

TEST(PaneAnimation, OpensSixtyPerTickAndEndsExactlyUnderItsContent) {
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
}

TEST(PaneAnimation, ClosingNeverGoesBelowTheHeaderAndEndsAtIt) {
  PaneAnimation a = MainWindow(3);
  a.MenuHeader_Click(1);
  RunToEnd(a);
  a.MenuHeader_Click(1);
  EXPECT_FALSE(a.Opening());
  while (a.Animating()) {
    a.Tick();
    EXPECT_GE(a.area.panes[1].height, 375);
    EXPECT_FALSE(a.area.panes[1].headerOpen);
  }
  EXPECT_EQ(a.area.panes[1].height, 375);
  EXPECT_FALSE(a.area.wide);
  EXPECT_EQ(a.area.surfaceTop, 0);
}

TEST(PaneAnimation, IdleTicksOnlyKeepThePanesStacked) {
  PaneAnimation a = MainWindow(3);
  a.area.panes[1].top = 1800;  // as designed, before the first tick
  a.Tick();
  EXPECT_EQ(a.area.panes[1].top, 120 + 375 + 120);
  const PaneArea settled = a.area;
  for (int i = 0; i < 10; ++i) EXPECT_FALSE(a.Tick());
  EXPECT_EQ(a.area, settled);
}

TEST(PaneAnimation, ClicksOutsideThePanesAreIgnored) {
  PaneAnimation a = MainWindow(3);
  a.MenuHeader_Click(2);
  a.MenuHeader_Click(-1);
  EXPECT_FALSE(a.Animating());
}

TEST(PaneAnimation, TheDecisionComparesWithTheFirstPanesHeader) {
  PaneAnimation a = MainWindow(3);
  a.area.panes[1].headerHeight = 400;
  a.MenuHeader_Click(1);  // 375 is pane 0's header height: it opens
  EXPECT_TRUE(a.Opening());
}

TEST(PaneAnimation, AnOverflowingLinkPaneShowsAtFullHeightInTheWideLayout) {
  PaneAnimation a = MainWindow(60);  // its content lies deeper than 32767 twips
  a.MenuHeader_Click(1);
  int ticks = RunToEnd(a);
  EXPECT_LT(ticks, 100);
  const std::int32_t full = LinksBottom(60) + 120;
  EXPECT_EQ(a.area.panes[1].height, full);
  EXPECT_TRUE(a.area.wide);
  EXPECT_EQ(a.area.surfaceHeight, 615 + full + 250);
  EXPECT_EQ(a.area.scrollMax, (615 + full + 250 - 4650 + 50) / 100);
}

TEST(PaneAnimation, AnOverflowingToolsPaneKeepsGrowingAndPushesTheLinksDown) {
  PaneAnimation a = MainWindow(60);
  a.MenuHeader_Click(1);
  RunToEnd(a);
  a.MenuHeader_Click(0);
  a.Tick();
  EXPECT_TRUE(a.Animating()) << "only the link pane jumps to its full height";
  EXPECT_TRUE(a.area.wide);
  RunToEnd(a);
  EXPECT_EQ(a.area.panes[0].height, kToolsBottom + 120);
  a.Tick();
  EXPECT_EQ(a.area.panes[1].top, 120 + kToolsBottom + 120 + 120);
}

TEST(PaneAnimation, ClosingAPaneBelowTheWindowCutsItAtTheEdgeFirst) {
  PaneAnimation a = MainWindow(60);
  a.MenuHeader_Click(1);
  RunToEnd(a);
  a.MenuHeader_Click(1);
  a.Tick();
  EXPECT_EQ(a.area.panes[1].height, 5460 - 615 - 60);
  RunToEnd(a);
  EXPECT_EQ(a.area.panes[1].height, 375);
  EXPECT_FALSE(a.area.wide) << "both panes fit again";
}

TEST(PaneAnimation, ClosingReturnsToTheWideLayoutWhenTheOtherPaneStillOverflows) {
  PaneAnimation a = MainWindow(60);
  a.MenuHeader_Click(1);
  RunToEnd(a);
  a.MenuHeader_Click(0);
  RunToEnd(a);
  a.MenuHeader_Click(0);
  EXPECT_EQ(RunToEnd(a), (kToolsBottom + 120 - 375 + 59) / 60);
  EXPECT_EQ(a.area.panes[0].height, 375);
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

TEST(PaneAnimation, AMinimisedWindowKeepsItsLayout) {
  PaneAnimation a = MainWindow(3);
  a.area.minimised = true;
  a.area.surfaceTop = -500;
  a.ResizeLayout();
  EXPECT_EQ(a.area.surfaceTop, -500);
  a.area.minimised = false;
  a.ResizeLayout();
  EXPECT_EQ(a.area.surfaceTop, 0);
  EXPECT_EQ(a.area.surfaceHeight, 5055);
}

}  // namespace

namespace tolvane {
namespace {

TEST(PaneAnimationIdle, OnlyABarAtRestIsIdle) {
  PaneAnimation a;
  a.area.panes = {PaneBox{120, 375}, PaneBox{615, 375}};
  EXPECT_TRUE(a.Idle());
  a.area.panes[0].height = 435;  // the tools pane grew: the links pane must follow
  EXPECT_FALSE(a.Idle());
  a.Tick();
  EXPECT_TRUE(a.Idle());
  a.MenuHeader_Click(1);
  EXPECT_FALSE(a.Idle());
}

}  // namespace
}  // namespace tolvane
