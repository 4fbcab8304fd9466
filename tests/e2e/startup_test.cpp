// The real program from its start to its quit: the single instance, a
// launch, the tray, and catalogues no reader should trust.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <vector>

#include "driver.h"
#include "ui/registry_value.h"

namespace {

namespace fs = std::filesystem;
using e2e::Program;

constexpr wchar_t kQuestion[] = L"Voulez-vous réellement quitter Tolvane ?";

class Startup : public ::testing::Test {
 protected:
  void SetUp() override {
    e2e::ClearSettings();
    e2e::Set(L"Settings", {{L"Rec 3", L"0"}, {L"Rec 5", L"0"}});  // shown, no desktop import
  }
  void TearDown() override { e2e::ClearSettings(); }
};

// Every value's type and bytes.
std::map<std::wstring, std::pair<DWORD, std::vector<BYTE>>> Raw(HKEY key) {
  std::map<std::wstring, std::pair<DWORD, std::vector<BYTE>>> values;
  for (DWORD i = 0;; ++i) {
    wchar_t name[64];
    DWORD length = 64, type = 0, bytes = 4096;
    std::vector<BYTE> buffer(bytes);
    if (::RegEnumValueW(key, i, name, &length, nullptr, &type, buffer.data(), &bytes) != ERROR_SUCCESS) break;
    buffer.resize(bytes);
    values[name] = {type, buffer};
  }
  return values;
}

// A catalogue of expandable and multi-string texts, as another program
// leaves them, is shown and kept byte for byte through a whole run.
TEST_F(Startup, ARunRefusesASecondInstanceLaunchesHidesAndQuitsKeepingTheCatalogue) {
  const fs::path marker = fs::path(e2e::ProgramFolder()).parent_path().parent_path() / L"tests\\e2e\\e2e_marker.exe";
  const fs::path markerFile = marker.parent_path() / L"marker.txt", temp = fs::path(e2e::ProgramFolder()) / L"temp";
  fs::remove(markerFile);
  ui::OwnedKey data = ui::CreateRegistryKey(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\Tolvane\\Data",
                                            KEY_ALL_ACCESS);
  ASSERT_TRUE(data);
  auto put = [&](const wchar_t* key, const std::wstring& text, DWORD type = REG_EXPAND_SZ) {
    ::RegSetValueExW(data.get(), key, 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  };
  put(L"Groupe", L"NbOcc=2");
  put(L"1", L"Nomgroupe=G1");
  put(L"1Occ", L"NbOcc=1");
  put(L"1-1", L"Nom=%TEMP%");
  put(L"2", L"Nomgroupe=G2");
  put(L"2Occ", L"NbOcc=2");
  put(L"2-1", L"Nom=Marqueur");
  put(L"2-1c", L"Fic=" + marker.wstring());
  put(L"2-2", L"Nom=%TEMP%");
  put(L"2-2c", std::wstring(L"Fic=C:\\x.txt\0second\0", 20), REG_MULTI_SZ);
  e2e::Set(L"Settings", {{L"NGroupe", L"2"}, {L"MainLeft", L"1500"}, {L"MainTop", L"900"}});
  const auto before = Raw(data.get());

  Program p;
  HWND main = p.WaitMainWindow();
  ASSERT_NE(main, nullptr);
  RECT r{};
  ::GetWindowRect(main, &r);
  EXPECT_EQ(std::pair(r.left, r.top), std::pair(100L, 60L));
  EXPECT_TRUE(fs::exists(temp));
  HWND link = e2e::FindChild(main, L"Marqueur", 5000);
  ASSERT_NE(link, nullptr);
  EXPECT_TRUE(e2e::FindChild(main, L"G2") && e2e::FindChild(main, L"%TEMP%"));

  e2e::Set(L"Settings", {{L"Rec 5", L"1"}});  // would import the desktop, were the second start not refused
  const auto settings = e2e::Section(L"Settings");
  {
    Program second;
    EXPECT_EQ(second.Answer(IDOK),
              L"Une version de Tolvane est en cours d'exécution sur cette machine \rLe programme va s'arrêter !");
    EXPECT_TRUE(second.WaitExit());
  }
  EXPECT_EQ(e2e::Section(L"Settings"), settings);

  // A launch hides the bar behind its icon, whose double-click brings it back.
  e2e::ClickWindow(link);
  EXPECT_TRUE(e2e::WaitFor([&] { return fs::exists(markerFile); }, 10000));
  EXPECT_TRUE(e2e::WaitFor([&] { return !::IsWindowVisible(main); }));
  ::PostMessageW(main, e2e::kTrayMessage, 1, WM_LBUTTONDBLCLK);
  EXPECT_TRUE(e2e::WaitFor([&] { return ::IsWindowVisible(main); }));

  ::PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(p.Answer(IDNO), kQuestion);
  EXPECT_FALSE(p.WaitExit(1500));
  EXPECT_TRUE(::IsWindowVisible(main));

  // Moved, hidden by the title bar's button, and quit from the tray's menu.
  ::SetWindowPos(main, nullptr, 200, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  e2e::ClickWindow(e2e::FindChild(main, L"Placer dans la barre d'icônes"));
  EXPECT_TRUE(e2e::WaitFor([&] { return !::IsWindowVisible(main); }));
  ::PostMessageW(main, e2e::kTrayMessage, 1, WM_RBUTTONUP);
  HWND menu = e2e::WaitPopupMenu(p.Pid());
  ASSERT_NE(menu, nullptr);
  e2e::MenuKeys(menu, {VK_UP, VK_RETURN});
  EXPECT_EQ(p.Answer(IDYES), kQuestion);
  EXPECT_TRUE(p.WaitExit());
  EXPECT_EQ(p.ExitCode(), 0u);  // ended, not crashed on the way out
  EXPECT_EQ(e2e::Get(L"Settings", L"MainLeft"), L"3000");
  EXPECT_EQ(e2e::Get(L"Settings", L"MainTop"), L"1800");
  EXPECT_EQ(e2e::Get(L"Settings", L"Ascenseur"), L"0");
  EXPECT_FALSE(fs::exists(temp));
  EXPECT_EQ(Raw(data.get()), before);
}

// More groups and links than anyone has, as a broken tool may write, with the
// bar at the screen's bottom right and both panes open: the last link the bar
// holds can be scrolled into view and clicked, and nothing stored is lost.
TEST_F(Startup, TheLastLinkOfAHugeGroupIsInReachWithBothPanesOpen) {
  e2e::Set(L"Data", {{L"Groupe", L"NbOcc=2147483647"}, {L"1", L"Nomgroupe=Enorme"}, {L"1Occ", L"NbOcc=20000"},
                     {L"2", L"Nomgroupe=Suivant"}});
  for (int k = 1; k <= 1000; ++k) e2e::Set(L"Data", {{L"1-" + std::to_wstring(k), L"Nom=L" + std::to_wstring(k)}});
  e2e::Set(L"Settings", {{L"MainLeft", std::to_wstring(::GetSystemMetrics(SM_CXSCREEN) * 15 - 3310)},
                         {L"MainTop", std::to_wstring(::GetSystemMetrics(SM_CYSCREEN) * 15 - 9000)}});
  const auto data = e2e::Section(L"Data");

  const auto start = std::chrono::steady_clock::now();
  Program p;
  HWND main = p.WaitMainWindow();
  ASSERT_NE(main, nullptr);
  HWND last = e2e::FindChild(main, L"L737", 30000);  // the last the bar holds
  ASSERT_NE(last, nullptr);
  std::printf("bar shown with its 737 buttons %.2f s after the start\n",
              std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  EXPECT_EQ(e2e::FindChild(main, L"L738"), nullptr);

  e2e::ClickWindow(::GetParent(e2e::FindChild(main, L"Outils")));  // the header the caption lies on
  ::Sleep(2000);  // the pane grows 60 twips a tick
  HWND bar = e2e::FindClass(main, L"ScrollBar");  // the system control inside the bar's scroll bar
  ASSERT_NE(bar, nullptr);
  ::SendMessageW(::GetParent(bar), WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0), reinterpret_cast<LPARAM>(bar));
  ::Sleep(500);
  RECT button{}, window{};
  ::GetWindowRect(last, &button);
  ::GetWindowRect(main, &window);
  EXPECT_GE(button.top, window.top) << "scrolled into view";
  EXPECT_LE(button.bottom, window.bottom - 30) << "above the bottom bar";
  EXPECT_EQ(::WindowFromPoint({(button.left + button.right) / 2, (button.top + button.bottom) / 2}), last);

  ::PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(p.Answer(IDYES), kQuestion);
  EXPECT_TRUE(p.WaitExit(20000));
  EXPECT_EQ(e2e::Section(L"Data"), data);
}

}  // namespace
