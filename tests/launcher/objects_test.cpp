// What the bar holds must not grow with use: windows, tool-tip entries, GDI
// and USER objects stay as they are over many group switches and many hides
// and shows.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "launcher/frm_pop.h"
#include "launcher/tray.h"
#include "main_window_fixture.h"
#include "ui/handles.h"

namespace {

using namespace tolvane;
using tolvane::testing::MainWindowTest;

BOOL CALLBACK CountWindow(HWND hwnd, LPARAM lp) {
  ++*reinterpret_cast<int*>(lp);
  ::EnumChildWindows(hwnd, [](HWND, LPARAM n) -> BOOL { return ++*reinterpret_cast<int*>(n), TRUE; }, lp);
  return TRUE;
}

int ThreadWindows() {
  int n = 0;
  ::EnumThreadWindows(::GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&n));
  return n;
}

// Wine's GetGuiResources says 0. Its handle tables hand out the most recently
// freed entries first, then new ones: past the free entries, the index of a
// fresh object counts the entries in use. Windows gives the real figure.
template <typename Make, typename Free, typename IndexOf>
int InUse(DWORD kind, Make make, Free free, IndexOf indexOf) {
  if (DWORD n = ::GetGuiResources(::GetCurrentProcess(), kind)) return static_cast<int>(n);
  constexpr int kProbe = 3000;
  std::vector<decltype(make())> fresh;
  int highest = 0;
  for (int i = 0; i < kProbe; ++i) {
    fresh.push_back(make());
    highest = std::max(highest, indexOf(fresh.back()));
  }
  for (auto h : fresh) free(h);
  return highest + 1 - kProbe;
}

int GdiInUse() {
  return InUse(GR_GDIOBJECTS, [] { return ::CreateSolidBrush(RGB(1, 2, 3)); },
               [](HBRUSH b) { ::DeleteObject(b); },
               [](HBRUSH b) { return static_cast<int>(reinterpret_cast<UINT_PTR>(b) & 0xFFFF); });
}

// USER objects: the program's windows, counted exactly, and the icons,
// cursors and menus the runtime holds, by its own count (Wine's USER table
// is shared by every program of the prefix, so no fresh index tells ours).
int UserInUse() {
  if (DWORD n = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS)) return static_cast<int>(n);
  return ThreadWindows() + ui::OwnedIcon::Live() + ui::OwnedCursor::Live() + ui::OwnedMenu::Live();
}

constexpr int kSwitches = 1000;
// Under Wine with no window manager, hiding a shown window waits 2 s for a
// manager's answer that never comes: fewer rounds here.
constexpr int kHides = 4;

struct Objects {
  int windows, tips, gdi, user;
};

void PumpPending() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
  ui::CollectUnloaded();
}

class ObjectsTest : public MainWindowTest {
 protected:
  Objects Count() {
    PumpPending();
    HWND tips = static_cast<HWND>(::GetPropW(main->hwnd(), L"TolvaneTips"));
    return {ThreadWindows(), tips ? static_cast<int>(::SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0)) : 0,
            GdiInUse(), UserInUse()};
  }
  static void Report(const char* what, const Objects& before, const Objects& after) {
    std::printf("%s: windows %d -> %d, tool tips %d -> %d, GDI %d -> %d, USER %d -> %d\n", what, before.windows,
                after.windows, before.tips, after.tips, before.gdi, after.gdi, before.user, after.user);
  }
  static void ExpectSame(const Objects& before, const Objects& after) {
    EXPECT_EQ(after.windows, before.windows);
    EXPECT_LE(after.tips, before.tips);
    EXPECT_LE(after.gdi, before.gdi + 10);
    EXPECT_LE(after.user, before.user);
  }
};

TEST_F(ObjectsTest, TheCountingSeesWhatIsMade) {
  LoadMain();
  const int gdi = GdiInUse(), user = UserInUse();
  std::vector<HPEN> pens;
  std::vector<ui::OwnedMenu> menus;
  for (int i = 0; i < 50; ++i) pens.push_back(::CreatePen(PS_SOLID, 1, RGB(0, 0, i)));
  for (int i = 0; i < 50; ++i) menus.emplace_back(::CreateMenu());
  EXPECT_NEAR(GdiInUse() - gdi, 50, 3);
  EXPECT_EQ(UserInUse() - user, 50);
  for (HPEN p : pens) ::DeleteObject(p);
  menus.clear();
  EXPECT_EQ(UserInUse(), user);
}

TEST_F(ObjectsTest, AThousandGroupSwitchesLeaveNothingBehind) {
  SetLinks({L"C:\\windows\\system32\\notepad.exe", L"", L"C:\\nulle\\part.txt"});
  store.Save(L"Data", L"Groupe", L"NbOcc=2");
  store.Save(L"Data", L"2", L"Nomgroupe=Deux");
  store.Save(L"Data", L"2Occ", L"NbOcc=5");
  for (int k = 1; k <= 5; ++k) {
    store.Save(L"Data", L"2-" + std::to_wstring(k), L"Nom=Deux " + std::to_wstring(k));
    store.Save(L"Data", L"2-" + std::to_wstring(k) + L"c", L"Fic=C:\\cible" + std::to_wstring(k) + L".txt");
  }
  FrmMain& m = LoadMain();
  m.Show();
  auto switchTo = [&](int g) {
    desktop.choose = g == 1 ? L"Groupe de programmes/Essais" : L"Groupe de programmes/Deux";
    ::SendMessageW(m.lblHeader[1].hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 3));
    ::SendMessageW(m.lblHeader[1].hwnd(), WM_RBUTTONUP, 0, MAKELPARAM(3, 3));
    m.FinishLinkIcons();
    m.tmrFrames.onTimer();  // the pane starts to open: the buttons show
    // The pointer over every button: each gets its tool tip.
    m.Prog.ForEach([](int, ui::RibbonButton& b) { ::SendMessageW(b.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)); });
    PumpPending();
  };
  for (int i = 0; i < 20; ++i) switchTo(i % 2 + 1);
  const Objects before = Count();
  for (int i = 0; i < kSwitches; ++i) switchTo(i % 2 + 1);
  ASSERT_EQ(m.ButtonCount(), 5);
  const Objects after = Count();
  Report("group switches", before, after);
  ExpectSame(before, after);
  EXPECT_GT(before.tips, 0) << "the tips were made";
}

TEST_F(ObjectsTest, HidesAndShowsLeaveNothingBehind) {
  SetLinks({L"C:\\windows\\system32\\notepad.exe", L""});
  FrmMain& m = LoadMain();
  m.Show();
  auto hideAndShow = [&] {
    m.HideToTray();
    PumpPending();
    ::SendMessageW(m.hwnd(), kTrayMessage, 1, WM_LBUTTONDBLCLK);
    PumpPending();
  };
  for (int i = 0; i < 2; ++i) hideAndShow();
  const Objects before = Count();
  for (int i = 0; i < kHides; ++i) hideAndShow();
  EXPECT_TRUE(m.Visible());
  const Objects after = Count();
  Report("hides and shows", before, after);
  ExpectSame(before, after);
}

}  // namespace
