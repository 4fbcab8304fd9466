// A new user's first start, then a catalogue built from its default with the
// group and link menus of the real program: the registry then holds exactly
// what the bar shows.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <optional>
#include <string>

#include "driver.h"

namespace {

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

class Editors : public ::testing::Test {
 protected:
  void SetUp() override {
    e2e::ClearSettings();
    e2e::Set(L"Settings", {{L"Rec 3", L"0"}, {L"Rec 5", L"0"}});  // shown, no desktop import
    main = p.emplace().WaitMainWindow();
    ASSERT_NE(main, nullptr);
  }
  void TearDown() override {
    p.reset();
    e2e::ClearSettings();
  }

  HWND Find(const std::wstring& text) { return e2e::FindChild(main, text, 5000); }
  // Right-clicks `at` and walks its menu with `keys`.
  void Menu(HWND at, std::initializer_list<WORD> keys) {
    e2e::ClickWindow(at, true);
    HWND menu = e2e::WaitPopupMenu(p->Pid());
    ASSERT_NE(menu, nullptr);
    e2e::MenuKeys(menu, keys);
  }
  // Types `text` into the editor titled `title` and presses Enter.
  void Type(const std::wstring& title, const std::wstring& text) {
    HWND editor = p->WaitWindow(title);
    ASSERT_NE(editor, nullptr) << "no " << std::string(title.begin(), title.end());
    HWND edit = e2e::FindClass(editor, L"Edit");  // the editor's `Saisie`
    ASSERT_NE(edit, nullptr);
    ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    ::PostMessageW(edit, WM_CHAR, VK_RETURN, 0);
    EXPECT_TRUE(e2e::WaitFor([&] { return !::IsWindow(editor); }));
  }

  std::optional<e2e::Program> p;
  HWND main = nullptr;
};

TEST_F(Editors, AFirstStartThenACatalogueBuiltFromItsDefaultAndTheRegistryHoldsNothingElse) {
  // Borderless, on top, 3310 twips wide, centred on the screen.
  EXPECT_EQ(::GetWindowLongW(main, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
  EXPECT_TRUE(::GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_TOPMOST);
  RECT r{};
  ::GetWindowRect(main, &r);
  EXPECT_EQ(r.right - r.left, 221);
  EXPECT_NEAR(r.left, (::GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2.0, 1.0);
  EXPECT_NEAR(r.top, (::GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2.0, 1.0);
  // Help and about, from the tools pane, each over the bar until closed.
  for (const auto& [entry, title] : {std::pair(L"Aide", L"Aide de Tolvane"), std::pair(L"A Propos", L"A Propos de Tolvane")}) {
    e2e::ClickWindow(Find(entry));
    HWND dialog = p->WaitWindow(title);
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(::IsWindowEnabled(main));
    e2e::ClickWindow(e2e::FindChild(dialog, L"Fermer"));
    EXPECT_TRUE(e2e::WaitFor([&] { return !::IsWindow(dialog) && ::IsWindowEnabled(main); }, 10000));
  }

  // Two groups, the second renamed; the group menu reads: the groups, a
  // line, add, modify, delete.
  Menu(Find(L"Groupe N°01"), {VK_DOWN, VK_DOWN, VK_RETURN});
  Type(L"Gestion de groupes", L"Jeux");
  Menu(Find(L"Jeux"), {VK_DOWN, VK_DOWN, VK_RETURN});
  Type(L"Gestion de groupes", L"R&D");
  Menu(Find(L"R&D"), {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
  Type(L"Gestion de groupes", L"Labo R&D");
  HWND header = Find(L"Labo R&D");
  ASSERT_NE(header, nullptr);

  // A link typed, then one browsed to, on the new group's blank button.
  HWND headerHolder = ::GetParent(header);
  HWND pane = ::GetParent(headerHolder);
  Menu(FirstLinkButton(pane, headerHolder), {VK_DOWN, VK_RETURN});
  Type(L"Gestion de liens", L"Notes");
  Menu(Find(L"Notes"), {VK_DOWN, VK_RETURN});
  HWND editor = p->WaitWindow(L"Gestion de liens");
  ASSERT_NE(editor, nullptr);
  e2e::ClickWindow(e2e::FindChild(editor, L"        ..."));
  HWND chooser = p->WaitDialog();
  ASSERT_NE(chooser, nullptr);
  const std::wstring target = e2e::ProgramFolder() + L"\\Tolvane.exe";
  for (int nameBox : {0x47C, 0x480})  // the file name's combo box, or its edit
    ::SendDlgItemMessageW(chooser, nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(target.c_str()));
  e2e::Press(chooser, IDOK);
  ASSERT_TRUE(e2e::WaitFor([&] { return !::IsWindow(chooser); }));
  Type(L"Gestion de liens", L"Tolvane");  // the name the file gave, kept

  // The typed one renamed; the blank first link deleted.
  Menu(Find(L"Notes"), {VK_DOWN, VK_DOWN, VK_RETURN});
  Type(L"Gestion de liens", L"Notes du jour");
  Menu(FirstLinkButton(pane, headerHolder), {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
  EXPECT_EQ(p->Answer(IDYES), L"Voulez-vous vraiement supprimer le programme ****** ?");
  ASSERT_NE(Find(L"Notes du jour"), nullptr);

  // The middle group, "Jeux", chosen then deleted: the renamed group moves
  // into its number and shows.
  Menu(header, {VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN});
  ASSERT_NE(Find(L"Jeux"), nullptr);
  Menu(Find(L"Jeux"), {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
  EXPECT_EQ(p->Answer(IDYES), L"Voulez-vous vraiement supprimer le groupe ***Jeux*** ?");
  EXPECT_NE(Find(L"Labo R&D"), nullptr);
  EXPECT_NE(e2e::FindChild(main, L"Tolvane"), nullptr);

  const std::map<std::wstring, std::wstring> expected{
      {L"Groupe", L"NbOcc=2"},  {L"1", L"Nomgroupe=Groupe N°01"}, {L"1Occ", L"NbOcc=1"},
      {L"1-1", L"Nom="},        {L"1-1c", L"Fic="},               {L"2", L"Nomgroupe=Labo R&D"},
      {L"2Occ", L"NbOcc=2"},    {L"2-1", L"Nom=Notes du jour"},   {L"2-1c", L"Fic="},
      {L"2-2", L"Nom=Tolvane"}, {L"2-2c", L"Fic=" + target}};
  EXPECT_EQ(e2e::Section(L"Data"), expected);
  EXPECT_EQ(e2e::Get(L"Settings", L"NGroupe"), L"2");
  for (const wchar_t* kept : {L"GroupeLeft", L"GroupeTop", L"ProgrammeLeft", L"ProgrammeTop"})
    EXPECT_TRUE(e2e::Get(L"Settings", kept)) << kept;
}

}  // namespace
