// Starting as a new user does, and on a catalogue no reader should trust.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "driver.h"

namespace {

namespace fs = std::filesystem;
using e2e::Program;

constexpr UINT kTrayMessage = WM_APP + 1;

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

TEST(NewUser, StartsBehindTheTrayAndADoubleClickOnTheIconBringsTheBarOut) {
  e2e::ClearSettings();  // every option at its default: hidden behind the tray, desktop imported
  fs::path root = fs::temp_directory_path() / L"tolvane-new-user";
  fs::remove_all(root);
  fs::create_directories(root / L"user");
  fs::create_directories(root / L"common");
  std::ofstream(root / L"user" / L"Notes.txt") << "x";
  e2e::DesktopFolders desktops((root / L"user").wstring(), (root / L"common").wstring());
  {
    Program p;
    HWND main = nullptr;
    ASSERT_TRUE(e2e::WaitFor([&] {
      main = ::FindWindowW(L"TolvaneWindow", L"Tolvane");
      return main != nullptr;
    }, 20000));
    std::optional<POINT> icon;
    const bool trayShown = e2e::WaitFor([&] { return (icon = TrayIcon()).has_value(); }, 10000);
    EXPECT_FALSE(::IsWindowVisible(main)) << "hidden behind the tray";
    std::printf("tray icon %s\n", trayShown ? "double-clicked" : "not found: its callback sent");
    if (trayShown) {
      ::Sleep(500);  // the icon settles in its window
      e2e::DoubleClickAt(*icon);
    } else {
      // A tray of another kind: the callback a double-click on the icon sends.
      ::PostMessageW(main, kTrayMessage, 1, WM_LBUTTONDBLCLK);
    }
    ASSERT_TRUE(e2e::WaitFor([&] { return ::IsWindowVisible(main); }, 10000));
    EXPECT_TRUE(e2e::WaitFor([&] { return e2e::HasChildText(main, L"Desktop"); }, 5000));
    HWND notes = nullptr;
    ASSERT_TRUE(e2e::WaitFor([&] { return (notes = e2e::FindChild(main, L"Notes")) != nullptr; }, 5000))
        << "the current group's buttons are loaded";
    // The links pane opens down to the button and shows it.
    HWND pane = ::GetParent(notes);
    EXPECT_TRUE(e2e::WaitFor([&] {
      RECT b{}, r{};
      ::GetWindowRect(notes, &b);
      ::GetWindowRect(pane, &r);
      return ::IsWindowVisible(notes) && r.bottom >= b.bottom;
    }, 5000));
    if (trayShown) {
      EXPECT_TRUE(e2e::WaitFor([] { return !TrayIcon(); }, 5000)) << "the icon went";
    }
  }
  e2e::ClearSettings();
  fs::remove_all(root);
}

// A catalogue a broken tool wrote: more groups and links than anyone has.
TEST(Bounds, HugeCountsShowTheBarSoonWithNothingStoredLost) {
  e2e::ClearSettings();
  e2e::SetSettings(L"Settings", {{L"Rec 3", L"0"}, {L"Rec 5", L"0"}});
  e2e::SetSettings(L"Data", {{L"Groupe", L"NbOcc=2147483647"}, {L"1", L"Nomgroupe=Enorme"}, {L"1Occ", L"NbOcc=20000"},
                             {L"2", L"Nomgroupe=Suivant"}, {L"1-1", L"Nom=Premier"}, {L"1-737", L"Nom=Millième"},
                             {L"1-1001", L"Nom=Au-delà"}, {L"1-20000", L"Nom=Dernier"}});
  const auto data = e2e::Section(L"Data");

  const auto start = std::chrono::steady_clock::now();
  Program p;
  HWND main = p.WaitMainWindow();
  ASSERT_NE(main, nullptr);
  HWND last = nullptr;
  ASSERT_TRUE(e2e::WaitFor([&] { return (last = e2e::FindChild(main, L"Millième")) != nullptr; }, 30000));
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("bar shown with its 737 buttons %.2f s after the start\n", seconds);
  EXPECT_FALSE(e2e::HasChildText(main, L"Au-delà")) << "as many links as a window can reach";
  EXPECT_TRUE(e2e::HasChildText(main, L"Premier"));
  // The pane holds its header, its backing and one button per link read.
  EXPECT_EQ(e2e::DirectChildren(::GetParent(last)).size(), 737u + 2u);

  ::PostMessageW(main, WM_CLOSE, 0, 0);
  HWND box = p.WaitMessageBox();
  ASSERT_NE(box, nullptr);
  e2e::Press(box, IDYES);
  EXPECT_TRUE(p.WaitExit(20000));
  EXPECT_EQ(e2e::Section(L"Data"), data) << "nothing stored is rewritten or lost";
  e2e::ClearSettings();
}

}  // namespace
