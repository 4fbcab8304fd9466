#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "main_window_fixture.h"

namespace {

using namespace tolvane;
using tolvane::testing::MainWindowTest;

// Where each window of the bar is, and whether it waits to be repainted.
std::vector<std::array<LONG, 5>> Take(HWND top) {
  std::vector<HWND> all{top};
  auto collect = [](HWND h, LPARAM lp) -> BOOL {
    reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
    return TRUE;
  };
  ::EnumChildWindows(top, collect, reinterpret_cast<LPARAM>(&all));
  std::vector<std::array<LONG, 5>> out;
  for (HWND h : all) {
    RECT r{};
    ::GetWindowRect(h, &r);
    out.push_back({r.left, r.top, r.right, r.bottom, ::GetUpdateRect(h, nullptr, FALSE)});
  }
  return out;
}

TEST_F(MainWindowTest, HiddenToolsCountAndTheLinksPaneFollowsTheToolsPane) {
  SetLinks({L""});
  FrmMain& m = LoadMain();
  Animate(m);
  m.Gestion[4].SetVisible(false);
  m.MenuHeader_Click(0);
  Animate(m);
  const double toolsHeight = m.Gestion[4].Top() + m.Gestion[4].Height() + 120;
  EXPECT_EQ(m.FrameXPMenu[0].Height(), toolsHeight);
  m.tmrFrames.onTimer();
  EXPECT_EQ(m.FrameXPMenu[1].Top(), m.FrameXPMenu[0].Top() + toolsHeight + 120);
}

TEST_F(MainWindowTest, AnIdleTickMovesAndRepaintsNothing) {
  SetLinks({L"", L""});
  FrmMain& m = LoadMain();
  m.Show();
  Animate(m);
  m.tmrFrames.onTimer();
  ::RedrawWindow(m.hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  const auto before = Take(m.hwnd());
  for (const auto& w : before) EXPECT_EQ(w[4], 0);
  for (int i = 0; i < 20; ++i) m.tmrFrames.onTimer();
  EXPECT_EQ(Take(m.hwnd()), before);
}

}  // namespace
