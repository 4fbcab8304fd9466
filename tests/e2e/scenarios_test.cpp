// The real program as its users run it: a first start and the catalogue built
// from it, a new user out of the tray, a whole run from start to quit with a
// second instance, a launch and the tray, and catalogues no reader should
// trust.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "driver.h"
#include "ui/registry_value.h"

namespace {

namespace fs = std::filesystem;
using e2e::Program;

constexpr wchar_t kQuestion[] = L"Voulez-vous réellement quitter Tolvane ?";

using Tolvane = e2e::Scenario;

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

// The topmost link button of the links pane: the pane's child, below its
// header, nearest to the top.
HWND FirstLinkButton(HWND pane, HWND headerHolder) {
  RECT header{};
  ::GetWindowRect(headerHolder, &header);
  HWND best = nullptr;
  LONG bestTop = LONG_MAX;
  for (HWND h = ::GetWindow(pane, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
    RECT r{};
    ::GetWindowRect(h, &r);
    if (::IsWindowVisible(h) && r.top >= header.bottom && r.top < bestTop) bestTop = r.top, best = h;
  }
  return best;
}

// Right-clicks `at` and walks its menu with `keys`.
void Menu(const Program& p, HWND at, std::initializer_list<WORD> keys) {
  e2e::ClickWindow(at, true);
  HWND menu = e2e::WaitPopupMenu(p.Pid());
  ASSERT_NE(menu, nullptr);
  e2e::MenuKeys(menu, keys);
}

// Types `text` into the editor titled `title` and presses Enter.
void Type(const Program& p, const std::wstring& title, const std::wstring& text) {
  HWND editor = p.WaitWindow(title);
  ASSERT_NE(editor, nullptr) << "no " << std::string(title.begin(), title.end());
  HWND edit = e2e::FindClass(editor, L"Edit");  // the editor's `Saisie`
  ASSERT_NE(edit, nullptr);
  ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  ::PostMessageW(edit, WM_CHAR, VK_RETURN, 0);
  EXPECT_TRUE(e2e::WaitFor([&] { return !::IsWindow(editor); }));
}

// A first start, then a catalogue built from its default with the group and
// link menus: the registry then holds exactly what the bar shows.
TEST_F(Tolvane, AFirstStartThenACatalogueBuiltFromItsDefaultAndTheRegistryHoldsNothingElse) {
  Program p;
  HWND main = p.WaitMainWindow();
  ASSERT_NE(main, nullptr);
  const auto find = [&](const std::wstring& text) { return e2e::FindChild(main, text, 5000); };
  // Help and about, from the tools pane, each over the bar until closed.
  for (const auto& [entry, title] :
       {std::pair(L"Aide", L"Aide de Tolvane"), std::pair(L"A Propos", L"A Propos de Tolvane")}) {
    e2e::ClickWindow(find(entry));
    HWND dialog = p.WaitWindow(title);
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(::IsWindowEnabled(main));
    e2e::ClickWindow(e2e::FindChild(dialog, L"Fermer"));
    EXPECT_TRUE(e2e::WaitFor([&] { return !::IsWindow(dialog) && ::IsWindowEnabled(main); }, 10000));
  }

  // Two groups, the second renamed; the group menu reads: the groups, a
  // line, add, modify, delete.
  Menu(p, find(L"Groupe N°01"), {VK_DOWN, VK_DOWN, VK_RETURN});
  Type(p, L"Gestion de groupes", L"Jeux");
  Menu(p, find(L"Jeux"), {VK_DOWN, VK_DOWN, VK_RETURN});
  Type(p, L"Gestion de groupes", L"R&D");
  Menu(p, find(L"R&D"), {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
  Type(p, L"Gestion de groupes", L"Labo R&D");
  HWND header = find(L"Labo R&D");
  ASSERT_NE(header, nullptr);

  // A link typed, then one browsed to, on the new group's blank button.
  HWND headerHolder = ::GetParent(header);
  HWND pane = ::GetParent(headerHolder);
  Menu(p, FirstLinkButton(pane, headerHolder), {VK_DOWN, VK_RETURN});
  Type(p, L"Gestion de liens", L"Notes");
  Menu(p, find(L"Notes"), {VK_DOWN, VK_RETURN});
  e2e::ClickWindow(e2e::FindChild(p.WaitWindow(L"Gestion de liens"), L"        ...", 5000));
  HWND chooser = p.WaitDialog();
  ASSERT_NE(chooser, nullptr);
  const std::wstring target = e2e::ProgramFolder() + L"\\Tolvane.exe";
  for (int nameBox : {0x47C, 0x480})  // the file name's combo box, or its edit
    ::SendDlgItemMessageW(chooser, nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(target.c_str()));
  e2e::Press(chooser, IDOK);
  ASSERT_TRUE(e2e::WaitFor([&] { return !::IsWindow(chooser); }));
  Type(p, L"Gestion de liens", L"Tolvane");  // the name the file gave, kept

  // The typed one renamed; the blank first link deleted.
  Menu(p, find(L"Notes"), {VK_DOWN, VK_DOWN, VK_RETURN});
  Type(p, L"Gestion de liens", L"Notes du jour");
  Menu(p, FirstLinkButton(pane, headerHolder), {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
  EXPECT_EQ(p.Answer(IDYES), L"Voulez-vous vraiement supprimer le programme ****** ?");
  ASSERT_NE(find(L"Notes du jour"), nullptr);

  // The middle group, "Jeux", chosen then deleted: the renamed group moves
  // into its number and shows.
  Menu(p, header, {VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN});
  Menu(p, find(L"Jeux"), {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
  EXPECT_EQ(p.Answer(IDYES), L"Voulez-vous vraiement supprimer le groupe ***Jeux*** ?");
  EXPECT_NE(find(L"Labo R&D"), nullptr);
  EXPECT_NE(find(L"Tolvane"), nullptr);

  const std::map<std::wstring, std::wstring> expected{
      {L"Groupe", L"NbOcc=2"},  {L"1", L"Nomgroupe=Groupe N°01"}, {L"1Occ", L"NbOcc=1"},
      {L"1-1", L"Nom="},        {L"1-1c", L"Fic="},               {L"2", L"Nomgroupe=Labo R&D"},
      {L"2Occ", L"NbOcc=2"},    {L"2-1", L"Nom=Notes du jour"},   {L"2-1c", L"Fic="},
      {L"2-2", L"Nom=Tolvane"}, {L"2-2c", L"Fic=" + target}};
  EXPECT_EQ(e2e::Section(L"Data"), expected);
  EXPECT_EQ(e2e::Get(L"Settings", L"NGroupe"), L"2");
}

// Every option at its default: hidden behind the tray, the desktops imported.
TEST_F(Tolvane, StartsBehindTheTrayAndADoubleClickOnTheIconBringsOutTheDesktops) {
  e2e::ClearSettings();
  fs::path root = fs::temp_directory_path() / L"tolvane-new-user";
  fs::remove_all(root);
  fs::create_directories(root / L"user");
  fs::create_directories(root / L"common");
  std::ofstream(root / L"user" / L"Notes.txt") << "x";
  std::ofstream(root / L"common" / L"Jeu.lnk") << "x";
  e2e::DesktopFolders desktops((root / L"user").wstring(), (root / L"common").wstring());
  {
    Program p;
    HWND main = nullptr;
    ASSERT_TRUE(e2e::WaitFor([&] { return (main = ::FindWindowW(L"TolvaneWindow", L"Tolvane")) != nullptr; }, 20000));
    EXPECT_TRUE(e2e::WaitFor([&] { return !::IsWindowVisible(main); })) << "hidden behind the tray";
    std::optional<POINT> icon;
    ASSERT_TRUE(e2e::WaitFor([&] { return (icon = TrayIcon()).has_value(); }, 10000)) << "no tray icon";
    ::Sleep(500);  // the icon settles in its window
    e2e::DoubleClickAt(*icon);
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
    EXPECT_TRUE(e2e::WaitFor([] { return !TrayIcon(); })) << "the icon went";
    EXPECT_EQ(e2e::Get(L"Data", L"1-1c"), L"Fic=" + (root / L"user" / L"Notes.txt").wstring());
  }
  fs::remove_all(root);
}

// A catalogue of expandable and multi-string texts, as another program
// leaves them, is shown and kept byte for byte through a whole run.
TEST_F(Tolvane, ARunRefusesASecondInstanceLaunchesHidesAndQuitsKeepingTheCatalogue) {
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
  for (const auto& [key, text] : std::map<std::wstring, std::wstring>{
           {L"Groupe", L"NbOcc=2"}, {L"1", L"Nomgroupe=G1"}, {L"1Occ", L"NbOcc=1"}, {L"1-1", L"Nom=%TEMP%"},
           {L"2", L"Nomgroupe=G2"}, {L"2Occ", L"NbOcc=2"}, {L"2-1", L"Nom=Marqueur"}, {L"2-2", L"Nom=%TEMP%"},
           {L"2-1c", L"Fic=" + marker.wstring()}})
    put(key.c_str(), text);
  put(L"2-2c", std::wstring(L"Fic=C:\\x.txt\0second\0", 20), REG_MULTI_SZ);
  e2e::Set(L"Settings", {{L"NGroupe", L"2"}});
  const auto before = Raw(data.get());

  Program p;
  HWND main = p.WaitMainWindow();
  ASSERT_NE(main, nullptr);
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

  // Moved, hidden by the title bar's button, and quit from the tray's menu.
  ::SetWindowPos(main, nullptr, 200, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  e2e::ClickWindow(e2e::FindChild(main, L"Placer dans la barre d'icônes"));
  EXPECT_TRUE(e2e::WaitFor([&] { return !::IsWindowVisible(main); }));
  ::PostMessageW(main, e2e::kTrayMessage, 1, WM_RBUTTONUP);
  HWND menu = e2e::WaitPopupMenu(p.Pid());
  ASSERT_NE(menu, nullptr);
  e2e::MenuKeys(menu, {VK_UP, VK_RETURN});
  EXPECT_EQ(p.Answer(IDYES), kQuestion);
  EXPECT_EQ(p.WaitExit(), 0u);  // ended, not crashed on the way out
  EXPECT_EQ(e2e::Get(L"Settings", L"MainLeft"), L"3000");
  EXPECT_EQ(e2e::Get(L"Settings", L"MainTop"), L"1800");
  EXPECT_EQ(e2e::Get(L"Settings", L"Ascenseur"), L"0");
  EXPECT_FALSE(fs::exists(temp));
  EXPECT_EQ(Raw(data.get()), before);
}

// More groups and links than anyone has, as a broken tool may write, with the
// bar at the screen's bottom right and both panes open: the last link the bar
// holds can be scrolled into view and clicked, and nothing stored is lost.
TEST_F(Tolvane, TheLastLinkOfAHugeGroupIsInReachWithBothPanesOpen) {
  e2e::Set(L"Data", {{L"Groupe", L"NbOcc=2147483647"}, {L"1", L"Nomgroupe=Enorme"}, {L"1Occ", L"NbOcc=20000"},
                     {L"2", L"Nomgroupe=Suivant"}});
  for (int k = 1; k <= 1000; ++k) e2e::Set(L"Data", {{L"1-" + std::to_wstring(k), L"Nom=L" + std::to_wstring(k)}});
  e2e::Set(L"Settings", {{L"MainLeft", std::to_wstring(::GetSystemMetrics(SM_CXSCREEN) * 15 - 3310)},
                         {L"MainTop", std::to_wstring(::GetSystemMetrics(SM_CYSCREEN) * 15 - 9000)}});
  const auto data = e2e::Section(L"Data");

  Program p;
  HWND main = p.WaitMainWindow();
  ASSERT_NE(main, nullptr);
  HWND last = e2e::FindChild(main, L"L737", 30000);  // the last the bar holds
  ASSERT_NE(last, nullptr);
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
