// The preferences and the interface look on the real program: options and
// the Run value stored, the icon animating, the bar restyled on its own.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "driver.h"

namespace {

using e2e::Program;
using e2e::SetSetting;

constexpr wchar_t kRun[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

void RemoveRunValues() {
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) ::RegDeleteKeyValueW(root, kRun, L"Tolvane");
}

std::wstring RunValue() {
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    wchar_t data[1024] = {};
    DWORD size = sizeof data;
    if (::RegGetValueW(root, kRun, L"Tolvane", RRF_RT_REG_SZ, nullptr, data, &size) == ERROR_SUCCESS) return data;
  }
  return L"(none)";
}

// A digest of what the screen shows over a window's client area.
unsigned long long Pixels(HWND w, RECT part) {
  POINT origin{part.left, part.top};
  ::ClientToScreen(w, &origin);
  HDC screen = ::GetDC(nullptr);
  unsigned long long sum = 0;
  for (LONG y = 0; y < part.bottom - part.top; ++y)
    for (LONG x = 0; x < part.right - part.left; ++x)
      sum = sum * 31 + ::GetPixel(screen, origin.x + x, origin.y + y);
  ::ReleaseDC(nullptr, screen);
  return sum;
}

int CountColour(HWND w, COLORREF colour) {
  RECT r{};
  ::GetWindowRect(w, &r);
  HDC screen = ::GetDC(nullptr);
  int n = 0;
  for (LONG y = r.top; y < r.bottom; ++y)
    for (LONG x = r.left; x < r.right; ++x) n += ::GetPixel(screen, x, y) == colour;
  ::ReleaseDC(nullptr, screen);
  return n;
}

HWND WaitChild(HWND parent, const std::wstring& text) {
  HWND h = nullptr;
  e2e::WaitFor([&] { return (h = e2e::FindChild(parent, text)) != nullptr; }, 5000);
  return h;
}

BOOL CALLBACK FindSizeList(HWND h, LPARAM lp) {
  wchar_t cls[32] = {};
  ::GetClassNameW(h, cls, 32);
  if (std::wstring(cls) == L"ListBox" && ::SendMessageW(h, LB_GETCOUNT, 0, 0) == 6) {
    *reinterpret_cast<HWND*>(lp) = h;
    return FALSE;
  }
  return TRUE;
}

// Whether the screen shows the box itself over most of its place, not a
// window stacked over it.
bool Uncovered(HWND box) {
  RECT r{};
  ::GetWindowRect(box, &r);
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  int faces = 0, all = 0;
  HDC screen = ::GetDC(nullptr);
  for (LONG y = r.top; y < r.bottom; y += 2)
    for (LONG x = r.left; x < r.right; x += 2, ++all) faces += ::GetPixel(screen, x, y) == face;
  ::ReleaseDC(nullptr, screen);
  return faces * 2 > all;
}

// The message box shown, answered with `button`; its text.
std::wstring Answer(const Program& p, int button, bool plainBox = true) {
  HWND box = p.WaitMessageBox();
  if (!box) return L"(no message)";
  e2e::WaitFor([&] { return !e2e::MessageText(box).empty(); }, 2000);
  if (plainBox) {
    EXPECT_TRUE(e2e::WaitFor([&] { return Uncovered(box); }, 3000)) << "the box is hidden";
  }
  std::wstring text = e2e::MessageText(box);
  e2e::Press(box, button);
  e2e::WaitFor([&] { return !::IsWindow(box); }, 5000);
  return text;
}

class Preferences : public ::testing::Test {
 protected:
  void SetUp() override {
    e2e::ClearSettings();
    RemoveRunValues();
    SetSetting(L"Settings", L"Rec 3", L"0");
    SetSetting(L"Settings", L"Rec 5", L"0");
    SetSetting(L"Data", L"Groupe", L"NbOcc=1");
    SetSetting(L"Data", L"1", L"Nomgroupe=Essais");
    SetSetting(L"Data", L"1Occ", L"NbOcc=1");
    SetSetting(L"Data", L"1-1", L"Nom=Un lien bien visible");
    SetSetting(L"Data", L"1-1c", L"Fic=");
    // Dialogs beside the bar, and a look of the user's own already.
    SetSetting(L"Settings", L"PrefLeft", L"12000");
    SetSetting(L"Settings", L"PrefTop", L"3000");
    SetSetting(L"Interface", L"TaillePolice", L"10");
  }
  void TearDown() override {
    e2e::ClearSettings();
    RemoveRunValues();
  }
};

TEST_F(Preferences, OptionsAndInterfaceAsAUserSetsThem) {
  Program p;
  HWND main = p.WaitMainWindow();
  ASSERT_NE(main, nullptr);

  e2e::ClickWindow(WaitChild(main, L"Préférences"));
  HWND pref = p.WaitWindow(L"Préférences");
  ASSERT_NE(pref, nullptr);
  e2e::ClickWindow(WaitChild(pref, L"Lancer Tolvane au démarrage de l'ordinateur"));
  e2e::ClickWindow(WaitChild(pref, L"Activer l'animation de l'icone"));
  e2e::ClickWindow(WaitChild(pref, L"Valider"));
  EXPECT_EQ(Answer(p, IDOK), L"Le modification des références a été bien prise en compte !");
  EXPECT_FALSE(::IsWindow(pref));
  const auto settings = e2e::Section(L"Settings");
  std::wstring options;
  for (int i = 0; i < 7; ++i) {
    auto v = settings.find(L"Rec " + std::to_wstring(i));
    options += v == settings.end() ? L"-" : v->second;
  }
  EXPECT_EQ(options, L"1100101");  // 3 and 5 were stored off for the test
  EXPECT_EQ(RunValue(), L"\"" + e2e::ProgramFolder() + L"\\Tolvane.exe\"");
  // The title-bar icon changes within two seconds of a tick.
  const RECT icon{8, 3, 28, 23};
  const auto first = Pixels(main, icon);
  EXPECT_TRUE(e2e::WaitFor([&] { return Pixels(main, icon) != first; }, 4500));

  e2e::ClickWindow(WaitChild(main, L"Couleurs & Polices"));
  HWND look = p.WaitWindow(L"Gestion de l'interface");
  ASSERT_NE(look, nullptr);
  HWND sizes = nullptr;
  ::EnumChildWindows(look, FindSizeList, reinterpret_cast<LPARAM>(&sizes));
  ASSERT_NE(sizes, nullptr);
  ::SendMessageW(sizes, LB_SETCURSEL, 4, 0);
  ::SendMessageW(::GetParent(sizes), WM_COMMAND, MAKEWPARAM(0, LBN_SELCHANGE), reinterpret_cast<LPARAM>(sizes));
  // A text colour, typed into the colour dialog's red, green and blue boxes.
  e2e::ClickWindow(WaitChild(look, L"Abc"));
  HWND colours = p.WaitMessageBox();
  ASSERT_NE(colours, nullptr);
  ::Sleep(300);
  for (auto [id, value] : {std::pair{706, L"200"}, std::pair{707, L"0"}, std::pair{708, L"0"}})
    ::SendMessageW(::GetDlgItem(colours, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value));
  e2e::Press(colours, IDOK);
  ASSERT_TRUE(e2e::WaitFor([&] { return !::IsWindow(colours); }, 5000));
  // A second choice, cancelled.
  e2e::ClickWindow(WaitChild(look, L"Abc"));
  EXPECT_NE(Answer(p, IDCANCEL, false), L"(no message)");
  e2e::ClickWindow(WaitChild(look, L"Valider"));
  EXPECT_EQ(Answer(p, IDOK), L"Le modification de l'interface a été bien prise en compte !");
  EXPECT_EQ(e2e::Section(L"Interface").size(), 4u);
  EXPECT_EQ(e2e::GetSetting(L"Interface", L"TaillePolice"), L"12");
  EXPECT_EQ(e2e::GetSetting(L"Interface", L"CouleurTexte"), std::to_wstring(RGB(200, 0, 0)));
  EXPECT_EQ(e2e::GetSetting(L"Interface", L"BackCouleur"), L"16765860");
  // The bar shows its link in the new colour without being clicked.
  EXPECT_TRUE(e2e::WaitFor([&] { return CountColour(main, RGB(200, 0, 0)) > 20; }, 3000));
}

}  // namespace
