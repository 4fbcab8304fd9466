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

// Under Wine, a window hidden while a window manager is expected waits up to
// 2 s for its answer; a bare X display has none. This program's windows are
// left unmanaged in the test prefix: Wine's display driver reads the setting
// when it starts, so it holds from the next run on.
const bool unmanaged = [] {
  if (!::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version")) return false;  // Windows itself
  HKEY key = nullptr;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\launcher_tests.exe\\X11 Driver", 0,
                        nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return false;
  const wchar_t no[] = L"N";
  ::RegSetValueExW(key, L"Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>(no), sizeof no);
  ::RegCloseKey(key);
  return true;
}();

constexpr int kRounds = 1000;

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
  static void ExpectSame(const char* what, int rounds, const Objects& before, const Objects& after) {
    std::printf("%d %s: windows %d -> %d, tool tips %d -> %d, GDI %d -> %d, USER %d -> %d\n", rounds, what,
                before.windows, after.windows, before.tips, after.tips, before.gdi, after.gdi, before.user,
                after.user);
    EXPECT_EQ(after.windows, before.windows);
    EXPECT_LE(after.tips, before.tips);
    EXPECT_LE(after.gdi, before.gdi + 10);
    EXPECT_LE(after.user, before.user);
  }
};

TEST_F(ObjectsTest, AThousandGroupSwitchesLeaveNothingBehind) {
  SetLinks({L"C:\\windows\\system32\\notepad.exe", L"", L"C:\\nulle\\part.txt"});
  AddGroup(2, L"Deux", {L"d1", L"d2", L"d3", L"d4", L"d5"});
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
  for (int i = 0; i < 20; ++i) switchTo(i % 2 + 1);
  const Objects before = Count();
  for (int i = 0; i < kRounds; ++i) switchTo(i % 2 + 1);
  ASSERT_EQ(m.ButtonCount(), 5);
  const Objects after = Count();
  ExpectSame("group switches", kRounds, before, after);
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
  const ULONGLONG start = ::GetTickCount64();
  hideAndShow();
  // Wine still waits for a window manager: the setting above is read when its
  // display driver starts, so it holds from the next run on. Fewer rounds.
  const int rounds = ::GetTickCount64() - start > 1000 ? 4 : kRounds;
  // Some objects are made once, on the first few rounds: count from after them.
  for (int i = 0; i < 10; ++i) hideAndShow();
  const Objects before = Count();
  for (int i = 0; i < rounds; ++i) hideAndShow();
  EXPECT_TRUE(m.Visible());
  const Objects after = Count();
  ExpectSame("hides and shows", rounds, before, after);
}

}  // namespace
