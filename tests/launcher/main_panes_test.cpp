#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "base/skin.h"
#include "launcher/frm_pop.h"
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

// Runs the thread's messages, the real timers' among them, until `done`
// holds or `ms` pass; whether it held.
template <typename F>
bool PumpUntil(F done, DWORD ms) {
  const ULONGLONG end = ::GetTickCount64() + ms;
  while (!done()) {
    const ULONGLONG now = ::GetTickCount64();
    if (now >= end) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(end - now, 50)), QS_ALLINPUT);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
  }
  return true;
}

void Pump(DWORD ms) { PumpUntil([] { return false; }, ms); }

class PaneTimerTest : public MainWindowTest {
 protected:
  // Counts the pane timer's ticks from here on.
  void CountTicks(FrmMain& m) {
    m.tmrFrames.onTimer = [this, tick = m.tmrFrames.onTimer] {
      ++ticks;
      tick();
    };
  }
  int ticks = 0;
};

TEST_F(PaneTimerTest, TheBarAtRestGetsNoPaneTicksAndAHeaderClickAnimatesToTheEnd) {
  SetLinks({L"", L"", L""});
  FrmMain& m = LoadMain();
  m.Show();
  CountTicks(m);
  ASSERT_TRUE(PumpUntil([&] { return !m.PanesAwake(); }, 5000)) << "the links pane opens, then the timer sleeps";
  EXPECT_EQ(m.FrameXPMenu[1].Height(), m.Prog[2].Top() + m.Prog[2].Height() + 120);
  ticks = 0;
  Pump(2000);
  EXPECT_EQ(ticks, 0) << "a bar at rest wakes nobody";

  tolvane::testing::PressAndRelease(m.MenuHeader[0]);
  EXPECT_TRUE(m.PanesAwake());
  ASSERT_TRUE(PumpUntil([&] { return !m.PanesAwake(); }, 5000));
  const double toolsHeight = m.Gestion[4].Top() + m.Gestion[4].Height() + 120;
  EXPECT_GT(ticks, (toolsHeight - 375) / 60 - 1) << "opened step by step";
  EXPECT_EQ(m.FrameXPMenu[0].Height(), toolsHeight);
  EXPECT_EQ(m.MenuHeader[0].GetPicture(), TheSkin().headerUp);
  EXPECT_EQ(m.FrameXPMenu[1].Top(), m.FrameXPMenu[0].Top() + toolsHeight + 120) << "restacked";
  ticks = 0;
  Pump(300);
  EXPECT_EQ(ticks, 0);
}

TEST_F(PaneTimerTest, AGroupChangeReopensTheLinksPaneAndTheTimerSleepsAgain) {
  SetLinks({L""});
  AddGroup(2, L"Deux", {L"a", L"b", L"c", L"d"});
  FrmMain& m = LoadMain();
  m.Show();
  ASSERT_TRUE(PumpUntil([&] { return !m.PanesAwake(); }, 5000));
  desktop.choose = L"Groupe de programmes/Deux";
  tolvane::testing::RightClick(m.lblHeader[1]);
  ASSERT_EQ(m.ButtonCount(), 4);
  EXPECT_TRUE(m.PanesAwake());
  ASSERT_TRUE(PumpUntil([&] { return !m.PanesAwake(); }, 5000));
  EXPECT_EQ(m.FrameXPMenu[1].Height(), m.Prog[3].Top() + m.Prog[3].Height() + 120);
  EXPECT_EQ(m.MenuHeader[1].GetPicture(), TheSkin().headerUp);
}

}  // namespace
