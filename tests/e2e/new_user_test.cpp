// Starting as a new user does: every option at its default, so hidden behind
// the tray with the desktops imported.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "driver.h"

namespace {

namespace fs = std::filesystem;

// The notification area's icon of a program hidden behind it: under Wine
// with no tray on the X display, explorer shows the icons in a window of its
// own; the first icon sits at its left end.
std::optional<POINT> TrayIcon() {
  HWND tray = ::FindWindowW(nullptr, L"Wine System Tray");
  if (!tray || !::IsWindowVisible(tray)) return std::nullopt;
  RECT r{};
  ::GetWindowRect(tray, &r);
  const int icon = r.bottom - r.top;  // square icons, one after another
  return POINT{r.left + icon / 2, r.top + icon / 2};
}

TEST(NewUser, StartsBehindTheTrayAndADoubleClickOnTheIconBringsOutTheDesktops) {
  e2e::ClearSettings();
  fs::path root = fs::temp_directory_path() / L"tolvane-new-user";
  fs::remove_all(root);
  fs::create_directories(root / L"user");
  fs::create_directories(root / L"common");
  std::ofstream(root / L"user" / L"Notes.txt") << "x";
  std::ofstream(root / L"common" / L"Jeu.lnk") << "x";
  e2e::DesktopFolders desktops((root / L"user").wstring(), (root / L"common").wstring());
  {
    e2e::Program p;
    HWND main = nullptr;
    ASSERT_TRUE(e2e::WaitFor([&] { return (main = ::FindWindowW(L"TolvaneWindow", L"Tolvane")) != nullptr; }, 20000));
    std::optional<POINT> icon;
    const bool trayShown = e2e::WaitFor([&] { return (icon = TrayIcon()).has_value(); }, 10000);
    EXPECT_FALSE(::IsWindowVisible(main)) << "hidden behind the tray";
    std::printf("tray icon %s\n", trayShown ? "double-clicked" : "not found: its callback sent");
    if (trayShown) {
      ::Sleep(500);  // the icon settles in its window
      e2e::DoubleClickAt(*icon);
    } else {
      ::PostMessageW(main, e2e::kTrayMessage, 1, WM_LBUTTONDBLCLK);
    }
    ASSERT_TRUE(e2e::WaitFor([&] { return ::IsWindowVisible(main); }, 10000));
    EXPECT_NE(e2e::FindChild(main, L"Desktop", 5000), nullptr);
    EXPECT_NE(e2e::FindChild(main, L"Jeu", 5000), nullptr);
    HWND notes = e2e::FindChild(main, L"Notes", 5000);
    ASSERT_NE(notes, nullptr);
    // The links pane opens down to the button and shows it.
    EXPECT_TRUE(e2e::WaitFor([&] {
      RECT b{}, pane{};
      ::GetWindowRect(notes, &b);
      ::GetWindowRect(::GetParent(notes), &pane);
      return ::IsWindowVisible(notes) && pane.bottom >= b.bottom;
    }));
    if (trayShown) EXPECT_TRUE(e2e::WaitFor([] { return !TrayIcon(); })) << "the icon went";
    EXPECT_EQ(e2e::Get(L"Data", L"1-1c"), L"Fic=" + (root / L"user" / L"Notes.txt").wstring());
  }
  e2e::ClearSettings();
  fs::remove_all(root);
}

}  // namespace
