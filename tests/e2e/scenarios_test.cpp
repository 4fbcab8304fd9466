// The real program as its users run it: a first start and the catalogue built
// from it, a new user out of the tray, a whole run from start to quit with a
// second instance, a launch and the tray, and catalogues no reader should
// trust. Each run drives Tolvane.exe through its windows, with its settings
// under its own title in this test prefix.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "driver.h"
#include "ui/handles.h"
#include "ui/registry_store.h"
#include "ui/registry_value.h"

namespace {

namespace fs = std::filesystem;
using e2e::WaitFor;

constexpr wchar_t kQuestion[] = L"Voulez-vous réellement quitter Tolvane ?";
constexpr UINT kTrayMessage = WM_APP + 1;

ui::RegistryStore store(L"Tolvane");

void Set(const std::wstring& section, std::initializer_list<std::pair<std::wstring, std::wstring>> values) {
  for (const auto& [key, value] : values) store.Save(section, key, value);
}

std::map<std::wstring, std::wstring> Section(const std::wstring& section) {
  std::map<std::wstring, std::wstring> out;
  for (const std::wstring& key : store.Keys(section)) out[key] = store.Get(section, key, L"");
  return out;
}

void ClearSettings() {
  for (const wchar_t* section : {L"Data", L"Settings", L"Interface"}) store.DeleteSection(section);
}

// Settings of a scenario's own: the bar shown, no desktop import, none left.
class Tolvane : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearSettings();
    Set(L"Settings", {{L"Rec 3", L"0"}, {L"Rec 5", L"0"}});
  }
  void TearDown() override { ClearSettings(); }
};

std::wstring ProgramFolder() {
  wchar_t self[MAX_PATH];
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  return (fs::path(self).parent_path() / TOLVANE_EXE_DIR).lexically_normal().wstring();
}

std::wstring TextOf(HWND hwnd) {
  wchar_t text[1024] = {};
  ::GetWindowTextW(hwnd, text, 1024);
  return text;
}

// The descendant of `parent` with this text (or, `byClass`, of this class),
// waiting up to `ms` for it.
HWND FindChild(HWND parent, const std::wstring& name, DWORD ms = 0, bool byClass = false) {
  struct Search { const std::wstring& name; bool byClass; HWND found; } search{name, byClass, nullptr};
  WaitFor([&] {
    ::EnumChildWindows(parent, [](HWND h, LPARAM lp) {
      auto& s = *reinterpret_cast<Search*>(lp);
      wchar_t className[64] = {};
      ::GetClassNameW(h, className, 64);
      if (s.byClass ? ::lstrcmpiW(className, s.name.c_str()) == 0 : TextOf(h) == s.name) s.found = h;
      return s.found ? FALSE : TRUE;
    }, reinterpret_cast<LPARAM>(&search));
    return search.found != nullptr;
  }, ms);
  return search.found;
}

void Press(HWND dialog, int buttonId) {
  ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(dialog, buttonId)));
}

void ClickWindow(HWND hwnd, bool right = false) {
  RECT r{};
  ::GetClientRect(hwnd, &r);
  LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
  ::PostMessageW(hwnd, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, at);
  ::PostMessageW(hwnd, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, at);
}

class Program {
 public:
  Program() {
    const std::wstring folder = ProgramFolder();
    std::wstring command = L"\"" + folder + L"\\Tolvane.exe\"";
    STARTUPINFOW si{sizeof si};
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi))
      return;
    ::CloseHandle(pi.hThread);
    process_.reset(pi.hProcess);
    pid_ = pi.dwProcessId;
  }
  ~Program() {  // still running at the end of a test: killed
    if (!WaitExit(0)) {
      ::TerminateProcess(process_.get(), 1);
      ::WaitForSingleObject(process_.get(), 5000);
    }
  }

  // The exit code, once the program has ended (none after `ms`).
  std::optional<DWORD> WaitExit(DWORD ms = 10000) const {
    DWORD code = 0;
    if (!process_) return code;
    if (::WaitForSingleObject(process_.get(), ms) != WAIT_OBJECT_0 || !::GetExitCodeProcess(process_.get(), &code))
      return std::nullopt;
    return code;
  }

  // A shown form of this program, or a message box or file chooser.
  HWND Wait(const wchar_t* title) const { return e2e::WaitTopLevel(pid_, L"TolvaneWindow", title, 20000); }
  HWND WaitDialog() const { return e2e::WaitTopLevel(pid_, L"#32770", nullptr, 20000); }

  // Presses a button (IDYES...) of the message box shown, and gives its text.
  std::wstring Answer(int buttonId) const {
    const HWND box = WaitDialog();
    std::wstring text;
    for (HWND h = nullptr; (h = ::FindWindowExW(box, h, L"Static", nullptr)) != nullptr;) text += TextOf(h);
    Press(box, buttonId);
    WaitFor([&] { return !::IsWindow(box); });
    return text;
  }

  // Walks the pop-up menu shown (after a right-click on `at`) with `keys`.
  void Menu(HWND at, const std::vector<WORD>& keys) const {
    if (at) ClickWindow(at, true);
    HWND menu = e2e::WaitPopupMenu(pid_);
    ASSERT_NE(menu, nullptr);
    e2e::MenuKeys(menu, keys);
  }

  // Types `text` into the editor titled `title` and presses Enter.
  void Type(const std::wstring& title, const std::wstring& text) const {
    HWND editor = Wait(title.c_str());
    ASSERT_NE(editor, nullptr) << "no " << std::string(title.begin(), title.end());
    HWND edit = FindChild(editor, L"Edit", 0, true);  // the editor's `Saisie`
    ASSERT_NE(edit, nullptr);
    ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    ::PostMessageW(edit, WM_CHAR, VK_RETURN, 0);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(editor); }));
  }

 private:
  ui::OwnedHandle process_;
  DWORD pid_ = 0;
};

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

TEST_F(Tolvane, AFirstStartThenACatalogueBuiltFromItsDefaultAndTheRegistryHoldsNothingElse) {
  Program p;
  HWND main = p.Wait(L"Tolvane");
  ASSERT_NE(main, nullptr);
  const auto find = [&](const std::wstring& text) { return FindChild(main, text, 5000); };
  // Help and about, from the tools pane, each over the bar until closed.
  for (const auto& [entry, title] :
       {std::pair(L"Aide", L"Aide de Tolvane"), std::pair(L"A Propos", L"A Propos de Tolvane")}) {
    ClickWindow(find(entry));
    HWND dialog = p.Wait(title);
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(::IsWindowEnabled(main));
    ClickWindow(FindChild(dialog, L"Fermer"));
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(dialog) && ::IsWindowEnabled(main); }, 10000));
  }

  // Two groups, the second renamed; the group menu reads: the groups, a
  // line, add, modify, delete.
  p.Menu(find(L"Groupe N°01"), {VK_DOWN, VK_DOWN, VK_RETURN});
  p.Type(L"Gestion de groupes", L"Jeux");
  p.Menu(find(L"Jeux"), {VK_DOWN, VK_DOWN, VK_RETURN});
  p.Type(L"Gestion de groupes", L"R&D");
  p.Menu(find(L"R&D"), {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
  p.Type(L"Gestion de groupes", L"Labo R&D");
  HWND header = find(L"Labo R&D");
  ASSERT_NE(header, nullptr);

  // A link typed, then one browsed to, on the new group's blank button.
  HWND headerHolder = ::GetParent(header);
  HWND pane = ::GetParent(headerHolder);
  p.Menu(FirstLinkButton(pane, headerHolder), {VK_DOWN, VK_RETURN});
  p.Type(L"Gestion de liens", L"Notes");
  p.Menu(find(L"Notes"), {VK_DOWN, VK_RETURN});
  ClickWindow(FindChild(p.Wait(L"Gestion de liens"), L"        ...", 5000));
  HWND chooser = p.WaitDialog();
  ASSERT_NE(chooser, nullptr);
  const std::wstring target = ProgramFolder() + L"\\Tolvane.exe";
  for (int nameBox : {0x47C, 0x480})  // the file name's combo box, or its edit
    ::SendDlgItemMessageW(chooser, nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(target.c_str()));
  Press(chooser, IDOK);
  ASSERT_TRUE(WaitFor([&] { return !::IsWindow(chooser); }));
  p.Type(L"Gestion de liens", L"Tolvane");  // the name the file gave, kept

  // The typed one renamed; the blank first link deleted.
  p.Menu(find(L"Notes"), {VK_DOWN, VK_DOWN, VK_RETURN});
  p.Type(L"Gestion de liens", L"Notes du jour");
  p.Menu(FirstLinkButton(pane, headerHolder), {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
  EXPECT_EQ(p.Answer(IDYES), L"Voulez-vous vraiement supprimer le programme ****** ?");
  ASSERT_NE(find(L"Notes du jour"), nullptr);

  // The middle group, "Jeux", chosen then deleted: the renamed group moves
  // into its number and shows.
  p.Menu(header, {VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN});
  p.Menu(find(L"Jeux"), {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
  EXPECT_EQ(p.Answer(IDYES), L"Voulez-vous vraiement supprimer le groupe ***Jeux*** ?");
  EXPECT_NE(find(L"Labo R&D"), nullptr);
  EXPECT_NE(find(L"Tolvane"), nullptr);

  const std::map<std::wstring, std::wstring> expected{
      {L"Groupe", L"NbOcc=2"},  {L"1", L"Nomgroupe=Groupe N°01"}, {L"1Occ", L"NbOcc=1"},
      {L"1-1", L"Nom="},        {L"1-1c", L"Fic="},               {L"2", L"Nomgroupe=Labo R&D"},
      {L"2Occ", L"NbOcc=2"},    {L"2-1", L"Nom=Notes du jour"},   {L"2-1c", L"Fic="},
      {L"2-2", L"Nom=Tolvane"}, {L"2-2c", L"Fic=" + target}};
  EXPECT_EQ(Section(L"Data"), expected);
  EXPECT_EQ(Section(L"Settings")[L"NGroupe"], L"2");
}

// The user's and the all users' desktop folders pointed at folders of the
// test's own for as long as it lives, then put back.
class DesktopFolders {
 public:
  DesktopFolders(const std::wstring& user, const std::wstring& common) : ours_{user, common} {
    for (int i = 0; i < 2; ++i) old_[i] = ui::ReadStringValue(Key(i).get(), kNames[i]).value_or(L"");
    // Wine's desktop process writes the real folders back when it starts up:
    // have it up first, and keep ours until they stay.
    ::GetDesktopWindow();
    for (int n = 0; n < 10; ++n, ::Sleep(100)) Set(ours_);
  }
  ~DesktopFolders() { Set(old_); }

 private:
  static constexpr const wchar_t* kNames[] = {L"Desktop", L"Common Desktop"};
  static ui::OwnedKey Key(int i) {
    return ui::CreateRegistryKey(i ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER,
                                 L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", KEY_ALL_ACCESS);
  }
  static void Set(const std::wstring (&values)[2]) {
    for (int i = 0; i < 2; ++i) ui::WriteStringValue(Key(i).get(), kNames[i], values[i]);
  }
  std::wstring ours_[2], old_[2];
};

// Every option at its default: hidden behind the tray, the desktops imported.
TEST_F(Tolvane, StartsBehindTheTrayAndADoubleClickOnTheIconBringsOutTheDesktops) {
  ClearSettings();
  fs::path root = fs::temp_directory_path() / L"tolvane-new-user";
  fs::remove_all(root);
  for (auto [folder, file] : {std::pair{L"user", L"Notes.txt"}, {L"common", L"Jeu.lnk"}}) {
    fs::create_directories(root / folder);
    std::ofstream(root / folder / file) << "x";
  }
  DesktopFolders desktops((root / L"user").wstring(), (root / L"common").wstring());
  {
    Program p;
    HWND main = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (main = ::FindWindowW(L"TolvaneWindow", L"Tolvane")) != nullptr; }, 20000));
    EXPECT_TRUE(WaitFor([&] { return !::IsWindowVisible(main); })) << "hidden behind the tray";
    // Under Wine with no tray on the X display, explorer shows the icons in a
    // window of its own; the first icon sits at its left end.
    HWND tray = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (tray = ::FindWindowW(nullptr, L"Wine System Tray")) && ::IsWindowVisible(tray); },
                        10000)) << "no tray icon";
    ::Sleep(500);  // the icon settles in its window
    RECT r{};
    ::GetWindowRect(tray, &r);
    const int icon = r.bottom - r.top;  // square icons, one after another
    ::SetCursorPos(r.left + icon / 2, r.top + icon / 2);
    ::Sleep(100);
    for (int i = 0; i < 2; ++i, ::Sleep(60)) {
      ::mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
      ::mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    }
    ASSERT_TRUE(WaitFor([&] { return ::IsWindowVisible(main); }, 10000));
    EXPECT_NE(FindChild(main, L"Desktop", 5000), nullptr);
    EXPECT_NE(FindChild(main, L"Jeu", 5000), nullptr);
    HWND notes = FindChild(main, L"Notes", 5000);
    ASSERT_NE(notes, nullptr);
    // The links pane opens down to the button and shows it.
    EXPECT_TRUE(WaitFor([&] {
      RECT b{}, pane{};
      ::GetWindowRect(notes, &b);
      ::GetWindowRect(::GetParent(notes), &pane);
      return ::IsWindowVisible(notes) && pane.bottom >= b.bottom;
    }));
    EXPECT_EQ(Section(L"Data")[L"1-1c"], L"Fic=" + (root / L"user" / L"Notes.txt").wstring());
  }
  fs::remove_all(root);
}

// Every value of the catalogue: its type and bytes.
std::map<std::wstring, std::optional<ui::RawValue>> Raw(HKEY key) {
  std::map<std::wstring, std::optional<ui::RawValue>> values;
  for (const std::wstring& name : store.Keys(L"Data")) values[name] = ui::ReadRawValue(key, name);
  return values;
}

// A catalogue of expandable and multi-string texts, as another program
// leaves them, is shown and kept byte for byte through a whole run.
TEST_F(Tolvane, ARunRefusesASecondInstanceLaunchesHidesAndQuitsKeepingTheCatalogue) {
  const fs::path marker = fs::path(ProgramFolder()).parent_path().parent_path() / L"tests\\e2e\\e2e_marker.exe";
  const fs::path markerFile = marker.parent_path() / L"marker.txt", temp = fs::path(ProgramFolder()) / L"temp";
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
  Set(L"Settings", {{L"NGroupe", L"2"}});
  const auto before = Raw(data.get());

  Program p;
  HWND main = p.Wait(L"Tolvane");
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(fs::exists(temp));
  HWND link = FindChild(main, L"Marqueur", 5000);
  ASSERT_NE(link, nullptr);
  EXPECT_TRUE(FindChild(main, L"G2") && FindChild(main, L"%TEMP%"));

  Set(L"Settings", {{L"Rec 5", L"1"}});  // would import the desktop, were the second start not refused
  const auto settings = Section(L"Settings");
  {
    Program second;
    EXPECT_EQ(second.Answer(IDOK),
              L"Une version de Tolvane est en cours d'exécution sur cette machine \rLe programme va s'arrêter !");
    EXPECT_TRUE(second.WaitExit());
  }
  EXPECT_EQ(Section(L"Settings"), settings);

  // A launch hides the bar behind its icon, whose double-click brings it back.
  ClickWindow(link);
  EXPECT_TRUE(WaitFor([&] { return fs::exists(markerFile); }, 10000));
  EXPECT_TRUE(WaitFor([&] { return !::IsWindowVisible(main); }));
  ::PostMessageW(main, kTrayMessage, 1, WM_LBUTTONDBLCLK);
  EXPECT_TRUE(WaitFor([&] { return ::IsWindowVisible(main); }));

  ::PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(p.Answer(IDNO), kQuestion);
  EXPECT_FALSE(p.WaitExit(1500));

  // Moved, hidden by the title bar's button, and quit from the tray's menu.
  ::SetWindowPos(main, nullptr, 200, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ClickWindow(FindChild(main, L"Placer dans la barre d'icônes"));
  EXPECT_TRUE(WaitFor([&] { return !::IsWindowVisible(main); }));
  ::PostMessageW(main, kTrayMessage, 1, WM_RBUTTONUP);
  p.Menu(nullptr, {VK_UP, VK_RETURN});
  EXPECT_EQ(p.Answer(IDYES), kQuestion);
  EXPECT_EQ(p.WaitExit(), 0u);  // ended, not crashed on the way out
  auto saved = Section(L"Settings");
  EXPECT_EQ(saved[L"MainLeft"] + L"," + saved[L"MainTop"] + L"," + saved[L"Ascenseur"], L"3000,1800,0");
  EXPECT_FALSE(fs::exists(temp));
  EXPECT_EQ(Raw(data.get()), before);
}

// More groups and links than anyone has, as a broken tool may write, with the
// bar at the screen's bottom right and both panes open: the last link the bar
// holds can be scrolled into view and clicked, and nothing stored is lost.
TEST_F(Tolvane, TheLastLinkOfAHugeGroupIsInReachWithBothPanesOpen) {
  Set(L"Data", {{L"Groupe", L"NbOcc=2147483647"}, {L"1", L"Nomgroupe=Enorme"}, {L"1Occ", L"NbOcc=20000"},
                {L"2", L"Nomgroupe=Suivant"}});
  for (int k = 1; k <= 1000; ++k) store.Save(L"Data", L"1-" + std::to_wstring(k), L"Nom=L" + std::to_wstring(k));
  Set(L"Settings", {{L"MainLeft", std::to_wstring(::GetSystemMetrics(SM_CXSCREEN) * 15 - 3310)},
                    {L"MainTop", std::to_wstring(::GetSystemMetrics(SM_CYSCREEN) * 15 - 9000)}});
  const auto data = Section(L"Data");

  Program p;
  HWND main = p.Wait(L"Tolvane");
  ASSERT_NE(main, nullptr);
  HWND last = FindChild(main, L"L737", 30000);  // the last the bar holds
  ASSERT_NE(last, nullptr);

  ClickWindow(::GetParent(FindChild(main, L"Outils")));  // the header the caption lies on
  ::Sleep(2000);  // the pane grows 60 twips a tick
  HWND bar = FindChild(main, L"ScrollBar", 0, true);  // the system control inside the bar's scroll bar
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
  EXPECT_EQ(Section(L"Data"), data);
}

}  // namespace
