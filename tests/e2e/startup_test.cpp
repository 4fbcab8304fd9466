// Start-up, the single instance, the window and quitting, on the real program.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <vector>

#include "driver.h"
#include "ui/registry_value.h"

namespace {

namespace fs = std::filesystem;
using e2e::GetSetting;
using e2e::Program;
using e2e::SetSetting;

class Startup : public ::testing::Test {
 protected:
  void SetUp() override {
    e2e::ClearSettings();
    SetSetting(L"Settings", L"Rec 3", L"0");  // shown, not hidden behind the tray
    SetSetting(L"Settings", L"Rec 5", L"0");  // no desktop import
  }
  void TearDown() override { e2e::ClearSettings(); }

  // Answers the quit question of a running program.
  static void Quit(Program& p, HWND main, int answer) {
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    HWND box = p.WaitMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(e2e::MessageText(box), L"Voulez-vous réellement quitter Tolvane ?");
    e2e::Press(box, answer);
  }
};

TEST_F(Startup, FirstStartShowsTheDefaultGroupInABorderlessCentredBar) {
  Program p;
  HWND main = p.WaitMainWindow();
  ASSERT_NE(main, nullptr);
  // What it writes is checked to the key in the editors' scenario.
  EXPECT_EQ(GetSetting(L"Settings", L"NGroupe"), L"1");
  EXPECT_TRUE(e2e::WaitFor([&] { return e2e::HasChildText(main, L"Groupe N°01"); }, 5000));
  EXPECT_TRUE(e2e::HasChildText(main, L"Outils"));

  // Borderless, on top, 3310 twips wide, centred on the screen.
  LONG style = ::GetWindowLongW(main, GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME), 0);
  EXPECT_TRUE(::GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_TOPMOST);
  RECT r{};
  ::GetWindowRect(main, &r);
  EXPECT_EQ(r.right - r.left, 221);  // 3310 / 15, to the nearest pixel
  int screenW = ::GetSystemMetrics(SM_CXSCREEN), screenH = ::GetSystemMetrics(SM_CYSCREEN);
  EXPECT_NEAR(r.left, (screenW - (r.right - r.left)) / 2.0, 1.0);
  EXPECT_NEAR(r.top, (screenH - (r.bottom - r.top)) / 2.0, 1.0);
}

TEST_F(Startup, SecondStartIsRefusedAndChangesNothing) {
  Program first;
  ASSERT_NE(first.WaitMainWindow(), nullptr);
  SetSetting(L"Settings", L"Rec 5", L"1");  // would import the desktop, were it not refused
  auto data = e2e::Section(L"Data");
  auto settings = e2e::Section(L"Settings");

  Program second;
  HWND box = second.WaitMessageBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(e2e::MessageText(box), L"Une version de Tolvane est en cours d'exécution sur cette machine \r"
                                   L"Le programme va s'arrêter !");
  e2e::Press(box, IDOK);
  EXPECT_TRUE(second.WaitExit(10000));
  EXPECT_EQ(e2e::Section(L"Data"), data);
  EXPECT_EQ(e2e::Section(L"Settings"), settings);
  EXPECT_TRUE(first.Running());
}

TEST_F(Startup, QuitAskedNoKeepsRunningYesSavesThePlaceAndEnds) {
  e2e::SetSettings(L"Settings", {{L"MainLeft", L"1500"}, {L"MainTop", L"900"}});
  Program p;
  HWND main = p.WaitMainWindow();
  ASSERT_NE(main, nullptr);
  RECT r{};
  ::GetWindowRect(main, &r);
  EXPECT_EQ(std::pair(r.left, r.top), std::pair(100L, 60L));
  EXPECT_TRUE(fs::exists(fs::path(e2e::ProgramFolder()) / L"temp"));

  Quit(p, main, IDNO);
  EXPECT_FALSE(p.WaitExit(1500));
  EXPECT_TRUE(::IsWindowVisible(main));

  ::SetWindowPos(main, nullptr, 200, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Quit(p, main, IDYES);
  EXPECT_TRUE(p.WaitExit(10000));
  EXPECT_EQ(p.ExitCode(), 0u);  // ended, not crashed on the way out
  EXPECT_EQ(GetSetting(L"Settings", L"MainLeft"), L"3000");
  EXPECT_EQ(GetSetting(L"Settings", L"MainTop"), L"1800");
  EXPECT_EQ(GetSetting(L"Settings", L"Ascenseur"), L"0");
  EXPECT_FALSE(fs::exists(fs::path(e2e::ProgramFolder()) / L"temp"));
}

TEST_F(Startup, DesktopImportFillsTheDesktopGroup) {
  fs::path root = fs::temp_directory_path() / L"tolvane-desktops";
  fs::remove_all(root);
  fs::create_directories(root / L"user" / L"folder");
  fs::create_directories(root / L"common");
  std::ofstream(root / L"user" / L"Notes.txt") << "x";
  std::ofstream(root / L"user" / L"README") << "x";
  std::ofstream(root / L"common" / L"Jeu.lnk") << "x";

  e2e::DesktopFolders desktops((root / L"user").wstring(), (root / L"common").wstring());
  // An old "Desktop" group of four links; the import leaves none of them behind.
  e2e::SetSettings(L"Data", {{L"Groupe", L"NbOcc=2"}, {L"1", L"Nomgroupe=Jeux"}, {L"1Occ", L"NbOcc=1"},
                            {L"2", L"Nomgroupe=Desktop"}, {L"2Occ", L"NbOcc=4"}});
  SetSetting(L"Settings", L"Rec 5", L"1");
  for (int k = 1; k <= 4; ++k) {
    SetSetting(L"Data", L"2-" + std::to_wstring(k), L"Nom=old");
    SetSetting(L"Data", L"2-" + std::to_wstring(k) + L"c", L"Fic=old");
  }
  {
    Program p;
    HWND main = p.WaitMainWindow();
    ASSERT_NE(main, nullptr);
    auto data = e2e::Section(L"Data");
    EXPECT_EQ(data[L"Groupe"], L"NbOcc=2");
    EXPECT_EQ(data[L"2Occ"], L"NbOcc=3");
    std::map<std::wstring, std::wstring> links;
    for (int k = 1; k <= 3; ++k) links[data[L"2-" + std::to_wstring(k)]] = data[L"2-" + std::to_wstring(k) + L"c"];
    EXPECT_EQ(links[L"Nom=Notes"], L"Fic=" + (root / L"user" / L"Notes.txt").wstring());
    EXPECT_EQ(links[L"Nom=README"], L"Fic=" + (root / L"user" / L"README").wstring());
    EXPECT_EQ(links[L"Nom=Jeu"], L"Fic=" + (root / L"common" / L"Jeu.lnk").wstring());
    EXPECT_EQ(data.count(L"2-4") + data.count(L"2-4c"), 0u);
    EXPECT_EQ(GetSetting(L"Settings", L"NGroupe"), L"2");
    EXPECT_EQ(GetSetting(L"Settings", L"Desktop"), L"1");
    EXPECT_EQ(GetSetting(L"Settings", L"Rec 5"), L"0");
    EXPECT_TRUE(e2e::WaitFor([&] { return e2e::HasChildText(main, L"Desktop"); }, 5000));
  }
  fs::remove_all(root);
}

// Values of another type, as another program leaves them: every one kept,
// byte for byte, through a start and a quit.
TEST_F(Startup, AnExpandableTextCatalogueIsShownAndKeptAsItIs) {
  const wchar_t* const path = L"Software\\VB and VBA Program Settings\\Tolvane\\Data";
  ui::OwnedKey data = ui::CreateRegistryKey(HKEY_CURRENT_USER, path, KEY_ALL_ACCESS);
  ASSERT_TRUE(data);
  auto put = [&](const wchar_t* key, const std::wstring& text, DWORD type) {
    ::RegSetValueExW(data.get(), key, 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  };
  put(L"Groupe", L"NbOcc=3", REG_EXPAND_SZ);
  for (const wchar_t* g : {L"1", L"2", L"3"}) {
    put(g, std::wstring(L"Nomgroupe=G") + g, REG_EXPAND_SZ);
    put((std::wstring(g) + L"Occ").c_str(), L"NbOcc=1", REG_EXPAND_SZ);
    put((std::wstring(g) + L"-1").c_str(), L"Nom=%TEMP%", REG_EXPAND_SZ);
  }
  put(L"3-1c", std::wstring(L"Fic=C:\\x.txt\0second\0", 20), REG_MULTI_SZ);
  SetSetting(L"Settings", L"NGroupe", L"3");
  // Every value's type and bytes.
  auto raw = [&] {
    std::map<std::wstring, std::pair<DWORD, std::vector<BYTE>>> values;
    for (DWORD i = 0;; ++i) {
      wchar_t name[64];
      DWORD length = 64, type = 0, bytes = 4096;
      std::vector<BYTE> buffer(bytes);
      if (::RegEnumValueW(data.get(), i, name, &length, nullptr, &type, buffer.data(), &bytes) != ERROR_SUCCESS)
        break;
      buffer.resize(bytes);
      values[name] = {type, buffer};
    }
    return values;
  };
  const auto before = raw();
  ASSERT_EQ(before.size(), 11u);
  {
    Program p;
    HWND main = p.WaitMainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(e2e::WaitFor([&] { return e2e::HasChildText(main, L"G3") && e2e::HasChildText(main, L"%TEMP%"); }, 5000));
    Quit(p, main, IDYES);
    EXPECT_TRUE(p.WaitExit(10000));
  }
  EXPECT_EQ(raw(), before);
}

}  // namespace
