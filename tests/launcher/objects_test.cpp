// What the bar holds must not grow with use: windows, tool-tip entries, GDI
// and USER objects stay as they are over many group switches and many hides
// and shows.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "base/registry_helpers.h"
#include "launcher/tray.h"
#include "main_window_fixture.h"
#include "ui/handles.h"

namespace {

using namespace tolvane;
using tolvane::testing::MainWindowTest;

// The thread's windows and all their descendants.
int ThreadWindows() {
  int n = 0;
  ::EnumThreadWindows(::GetCurrentThreadId(), [](HWND top, LPARAM n) -> BOOL {
    ::EnumChildWindows(top, [](HWND, LPARAM n) -> BOOL { return ++*reinterpret_cast<int*>(n), TRUE; }, n);
    return ++*reinterpret_cast<int*>(n), TRUE;
  }, reinterpret_cast<LPARAM>(&n));
  return n;
}

// Wine's GetGuiResources says 0. Its handle tables hand out the most recently
// freed entries first, then new ones: past the free entries, the index of a
// fresh object counts the entries in use. Windows gives the real figure.
int GdiInUse() {
  if (DWORD n = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS)) return static_cast<int>(n);
  constexpr int kProbe = 3000;
  std::vector<HBRUSH> fresh;
  int highest = 0;
  for (int i = 0; i < kProbe; ++i) {
    fresh.push_back(::CreateSolidBrush(RGB(1, 2, 3)));
    highest = std::max(highest, static_cast<int>(reinterpret_cast<UINT_PTR>(fresh.back()) & 0xFFFF));
  }
  for (HBRUSH b : fresh) ::DeleteObject(b);
  return highest + 1 - kProbe;
}

// USER objects: the program's windows, counted exactly, and the icons,
// cursors and menus the runtime holds, by its own count (Wine's USER table
// is shared by every program of the prefix, so no fresh index tells ours).
int UserInUse() {
  if (DWORD n = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS)) return static_cast<int>(n);
  return ThreadWindows() + ui::OwnedIcon::Live() + ui::OwnedCursor::Live() + ui::OwnedMenu::Live();
}

// Under Wine, a window hidden while a window manager is expected waits up to
// 2 s for its answer; a bare X display has none. This program's windows are
// left unmanaged in the test prefix: Wine's display driver reads the setting
// when it starts, so it holds from the next run on.
const bool unmanaged =
    ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") &&  // not Windows itself
    EcrireValeurRegistre(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\launcher_tests.exe\\X11 Driver",
                         L"Managed", L"N");

constexpr int kRounds = 1000;

struct Objects { int tips, gdi, user; };

void PumpPending() {
  tolvane::testing::PumpUntil([] { return true; });
  ui::CollectUnloaded();
}

class ObjectsTest : public MainWindowTest {
 protected:
  Objects Count() {
    PumpPending();
    HWND tips = static_cast<HWND>(::GetPropW(main->hwnd(), L"TolvaneTips"));
    return {tips ? static_cast<int>(::SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0)) : 0,
            GdiInUse(), UserInUse()};
  }
  // `step(i)` leaves nothing behind over `rounds` rounds, counted from after
  // `warmUp` rounds that may make what is made once. The count before.
  Objects ExpectNothingLeft(int warmUp, int rounds, const std::function<void(int)>& step) {
    for (int i = 0; i < warmUp; ++i) step(i);
    const Objects before = Count();
    for (int i = 0; i < rounds; ++i) step(i);
    const Objects after = Count();
    EXPECT_LE(after.tips, before.tips);
    EXPECT_LE(after.gdi, before.gdi + 10);
    EXPECT_LE(after.user, before.user);
    return before;
  }
};

TEST_F(ObjectsTest, AThousandGroupSwitchesLeaveNothingBehind) {
  model::SaveGroup(store, 1, L"Essais", {L"a|C:\\windows\\system32\\notepad.exe", L"b|", L"c|C:\\nulle\\part.txt"});
  model::SaveGroup(store, 2, L"Deux", {L"d1", L"d2", L"d3", L"d4", L"d5"});
  FrmMain& m = LoadMain();
  m.Show();
  auto switchTo = [&](int g) {
    desktop.choose = g == 1 ? L"Groupe de programmes/Essais" : L"Groupe de programmes/Deux";
    tolvane::testing::RightClick(m.lblHeader[1]);
    m.FinishLinkIcons();
    m.tmrFrames.onTimer();  // the pane starts to open: the buttons show
    // The pointer over every button: each gets its tool tip.
    m.Prog.ForEach([](int, ui::RibbonButton& b) { ::SendMessageW(b.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)); });
    PumpPending();
  };
  EXPECT_GT(ExpectNothingLeft(20, kRounds, [&](int i) { switchTo(i % 2 + 1); }).tips, 0)
      << "the tips were made";
  EXPECT_EQ(m.ButtonCount(), 5);
}

TEST_F(ObjectsTest, HidesAndShowsLeaveNothingBehind) {
  model::SaveGroup(store, 1, L"Essais", {L"a|C:\\windows\\system32\\notepad.exe", L"b|"});
  FrmMain& m = LoadMain();
  m.Show();
  auto hideAndShow = [&] {
    m.HideToTray();
    PumpPending();
    ::SendMessageW(m.hwnd(), kTrayMessage, 1, WM_LBUTTONDBLCLK);
    PumpPending();
  };
  const ULONGLONG start = ::GetTickCount64();
  hideAndShow();
  // Wine still waits for a window manager (see `unmanaged`): fewer rounds.
  const int rounds = ::GetTickCount64() - start > 1000 ? 4 : kRounds;
  ExpectNothingLeft(10, rounds, [&](int) { hideAndShow(); });
  EXPECT_TRUE(m.Visible());
}

}  // namespace
