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

}  // namespace
