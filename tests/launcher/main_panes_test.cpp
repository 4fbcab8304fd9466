#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "launcher/skin.h"
#include "main_window_fixture.h"

namespace {

using namespace tolvane;
using tolvane::testing::MainWindowTest;

double LastButtonBottom(FrmMain& m) {
  const ui::RibbonButton& last = m.Prog[m.Prog.UBound()];
  return last.Top() + last.Height();
}

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM lp) {
  reinterpret_cast<std::vector<HWND>*>(lp)->push_back(hwnd);
  return TRUE;
}

// Windows of the bar waiting to be repainted or moved since the last check.
struct Snapshot {
  std::vector<RECT> rects;
  int dirty = 0;
  bool operator==(const Snapshot& o) const {
    if (dirty != o.dirty || rects.size() != o.rects.size()) return false;
    for (std::size_t i = 0; i < rects.size(); ++i)
      if (!::EqualRect(&rects[i], &o.rects[i])) return false;
    return true;
  }
};

Snapshot Take(HWND top) {
  std::vector<HWND> all{top};
  ::EnumChildWindows(top, CollectChild, reinterpret_cast<LPARAM>(&all));
  Snapshot s;
  for (HWND h : all) {
    RECT r{};
    ::GetWindowRect(h, &r);
    s.rects.push_back(r);
    if (::GetUpdateRect(h, nullptr, FALSE)) ++s.dirty;
  }
  return s;
}

TEST_F(MainWindowTest, TheLinkPaneOpensAtLoadToItsLastButton) {
  SetLinks({L"", L"", L""});
  FrmMain& m = LoadMain();
  EXPECT_TRUE(m.Animating());
  m.MenuHeader_Click(0);  // dropped while pane 1 opens
  Animate(m);
  EXPECT_EQ(m.FrameXPMenu[1].Height(), LastButtonBottom(m) + 120);
  EXPECT_EQ(m.FrameXPMenu[0].Height(), 375);
  EXPECT_EQ(m.MenuHeader[1].GetPicture(), TheSkin().headerUp);
  EXPECT_EQ(m.Width(), 3310);

  m.Up_Click(1);
  Animate(m);
  EXPECT_EQ(m.FrameXPMenu[1].Height(), 375);
  EXPECT_EQ(m.MenuHeader[1].GetPicture(), TheSkin().headerDown);
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

TEST_F(MainWindowTest, ManyLinksOpenAtOnceInTheWideLayout) {
  SetLinks(std::vector<std::wstring>(60, L""));
  FrmMain& m = LoadMain();
  EXPECT_LT(Animate(m), 200);
  EXPECT_EQ(m.FrameXPMenu[1].Height(), LastButtonBottom(m) + 120);
  EXPECT_GT(m.FrameXPMenu[1].Height(), 32767);
  EXPECT_EQ(m.Width(), 3610);
  EXPECT_EQ(m.FEnteteL.Width(), 3550);
  EXPECT_EQ(m.FBtn.Left(), 3610 - m.FBtn.Width());
  EXPECT_GT(m.Ascenseur.Max(), 300);
  EXPECT_EQ(m.MenuHeader[1].GetPicture(), TheSkin().headerUp);

  m.MenuHeader_Click(1);
  Animate(m);
  EXPECT_EQ(m.FrameXPMenu[1].Height(), 375);
  EXPECT_EQ(m.Width(), 3310);
  EXPECT_EQ(m.EnteteL.Top(), 0);
}

TEST_F(MainWindowTest, AnIdleTickMovesAndRepaintsNothing) {
  SetLinks({L"", L""});
  FrmMain& m = LoadMain();
  m.Show();
  Animate(m);
  m.tmrFrames.onTimer();
  ::RedrawWindow(m.hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  const Snapshot before = Take(m.hwnd());
  EXPECT_EQ(before.dirty, 0);
  for (int i = 0; i < 20; ++i) m.tmrFrames.onTimer();
  EXPECT_TRUE(Take(m.hwnd()) == before);
}

}  // namespace
