// The launcher at work on the real program: launching links, the tray icon's
// codes and menu. (Choosing a group through the real menus is part of the
// editors' scenario.)
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

#include "driver.h"

namespace {

namespace fs = std::filesystem;
using e2e::Program;
using e2e::SetSetting;

constexpr UINT kTrayMessage = WM_APP + 1;

class Launcher : public ::testing::Test {
 protected:
  void SetUp() override {
    e2e::ClearSettings();
    e2e::SetSettings(L"Settings", {{L"Rec 3", L"0"}, {L"Rec 5", L"0"}});
    e2e::SetSettings(L"Data", {{L"Groupe", L"NbOcc=1"}, {L"1", L"Nomgroupe=Outils du jour"}, {L"1Occ", L"NbOcc=3"}});
    Link(1, 1, L"Marqueur", marker.wstring());
    Link(1, 2, L"Vide", L"");
    Link(1, 3, L"Absent", L"C:\\nulle\\part.exe");
    fs::remove(markerFile);
  }
  void TearDown() override { e2e::ClearSettings(); }

  static void Link(int g, int k, const std::wstring& caption, const std::wstring& target) {
    std::wstring key = std::to_wstring(g) + L"-" + std::to_wstring(k);
    SetSetting(L"Data", key, L"Nom=" + caption);
    SetSetting(L"Data", key + L"c", L"Fic=" + target);
  }
  HWND Button(HWND main, const std::wstring& caption) {
    HWND b = nullptr;
    e2e::WaitFor([&] { return (b = e2e::FindChild(main, caption)) != nullptr; }, 5000);
    return b;
  }

  fs::path folder = fs::path(e2e::ProgramFolder()).parent_path().parent_path() / L"tests" / L"e2e";
  fs::path marker = folder / L"e2e_marker.exe";
  fs::path markerFile = folder / L"marker.txt";
};

// Both a launch and the title bar's button hide the bar behind its icon,
// whose double-click alone brings it back.
TEST_F(Launcher, ALaunchOrTheTitleBarButtonHidesTheBarAndTheIconBringsItBack) {
  Program p;
  HWND main = p.WaitMainWindow();
  ASSERT_NE(main, nullptr);
  HWND link = Button(main, L"Marqueur");
  ASSERT_NE(link, nullptr);
  e2e::ClickWindow(link);
  EXPECT_TRUE(e2e::WaitFor([&] { return fs::exists(markerFile); }, 10000));
  EXPECT_TRUE(e2e::WaitFor([&] { return !::IsWindowVisible(main); }, 5000));
  ::PostMessageW(main, kTrayMessage, 1, WM_LBUTTONDBLCLK);
  EXPECT_TRUE(e2e::WaitFor([&] { return ::IsWindowVisible(main); }, 5000));

  HWND hide = e2e::FindChild(main, L"Placer dans la barre d'icônes");
  ASSERT_NE(hide, nullptr);
  e2e::ClickWindow(hide);
  EXPECT_TRUE(e2e::WaitFor([&] { return !::IsWindowVisible(main); }, 5000));
  ::PostMessageW(main, kTrayMessage, 1, WM_LBUTTONDOWN);  // a press alone does nothing
  ::PostMessageW(main, kTrayMessage, 1, WM_LBUTTONDBLCLK);
  EXPECT_TRUE(e2e::WaitFor([&] { return ::IsWindowVisible(main); }, 5000));
}

TEST_F(Launcher, TheTrayMenuQuitsThroughTheQuestion) {
  Program p;
  HWND main = p.WaitMainWindow();
  ASSERT_NE(main, nullptr);
  ::PostMessageW(main, kTrayMessage, 1, WM_RBUTTONUP);
  HWND menu = e2e::WaitPopupMenu(p.Pid());
  ASSERT_NE(menu, nullptr);
  e2e::MenuKeys(menu, {VK_UP, VK_RETURN});
  HWND box = p.WaitMessageBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(e2e::MessageText(box), L"Voulez-vous réellement quitter Tolvane ?");
  e2e::Press(box, IDYES);
  EXPECT_TRUE(p.WaitExit(10000));
}

// A group longer than the bar takes, with the tools pane opened above it and
// the bar at the screen's bottom right: the last link the bar holds can be
// scrolled into view and is the window under the pointer there.
TEST_F(Launcher, TheLastLinkOfAThousandIsInReachWithBothPanesOpen) {
  SetSetting(L"Data", L"1Occ", L"NbOcc=1000");
  for (int k = 1; k <= 1000; ++k) Link(1, k, L"L" + std::to_wstring(k), L"");
  SetSetting(L"Settings", L"MainLeft", std::to_wstring(::GetSystemMetrics(SM_CXSCREEN) * 15 - 3310));
  SetSetting(L"Settings", L"MainTop", std::to_wstring(::GetSystemMetrics(SM_CYSCREEN) * 15 - 9000));
  Program p;
  HWND main = p.WaitMainWindow();
  ASSERT_NE(main, nullptr);
  ASSERT_NE(Button(main, L"L1"), nullptr);
  HWND tools = e2e::FindChild(main, L"Outils");
  ASSERT_NE(tools, nullptr);
  e2e::ClickWindow(::GetParent(tools));  // the header the caption lies on
  ::Sleep(2000);                          // the pane grows 60 twips a tick
  HWND last = e2e::FindChild(main, L"L737");  // the last the bar holds, all made by now
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(e2e::FindChild(main, L"L738"), nullptr);

  HWND bar = nullptr;  // the system control inside the bar's scroll bar
  ::EnumChildWindows(main, [](HWND c, LPARAM lp) -> BOOL {
    wchar_t name[32] = {};
    ::GetClassNameW(c, name, 32);
    return ::lstrcmpiW(name, L"ScrollBar") ? TRUE : (*reinterpret_cast<HWND*>(lp) = c, FALSE);
  }, reinterpret_cast<LPARAM>(&bar));
  ASSERT_NE(bar, nullptr);
  ::SendMessageW(::GetParent(bar), WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0), reinterpret_cast<LPARAM>(bar));
  ::Sleep(500);
  RECT button{}, window{};
  ::GetWindowRect(last, &button);
  ::GetWindowRect(main, &window);
  const POINT centre{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
  EXPECT_GE(button.top, window.top) << "scrolled into view";
  EXPECT_LE(button.bottom, window.bottom - 30) << "above the bottom bar";
  EXPECT_EQ(::WindowFromPoint(centre), last) << "can be clicked";
}

}  // namespace
