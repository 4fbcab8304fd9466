// A user builds a catalogue from nothing with the group and link menus of
// the real program, and the registry then holds exactly what the bar shows.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <string>

#include "driver.h"

namespace {

using e2e::Program;

// The system edit inside a window (the editors' `Saisie`).
HWND FindEdit(HWND parent) {
  HWND found = nullptr;
  ::EnumChildWindows(
      parent,
      [](HWND h, LPARAM lp) -> BOOL {
        wchar_t cls[16] = {};
        ::GetClassNameW(h, cls, 16);
        if (::lstrcmpiW(cls, L"Edit") != 0) return TRUE;
        *reinterpret_cast<HWND*>(lp) = h;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
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

class Editors : public ::testing::Test {
 protected:
  void SetUp() override {
    e2e::ClearSettings();
    e2e::SetSettings(L"Settings", {{L"Rec 3", L"0"}, {L"Rec 5", L"0"}});
    main = p.WaitMainWindow();
    ASSERT_NE(main, nullptr);
  }
  void TearDown() override { e2e::ClearSettings(); }

  HWND Find(const std::wstring& text) {
    HWND h = nullptr;
    e2e::WaitFor([&] { return (h = e2e::FindChild(main, text)) != nullptr; }, 5000);
    return h;
  }
  // Right-clicks `at` and walks its menu with `keys`.
  void Menu(HWND at, std::initializer_list<WORD> keys) {
    e2e::ClickWindow(at, true);
    HWND menu = e2e::WaitPopupMenu(p.Pid());
    ASSERT_NE(menu, nullptr);
    e2e::MenuKeys(menu, keys);
  }
  // Types `text` into the editor titled `title` and presses Enter.
  void Type(const std::wstring& title, const std::wstring& text) {
    HWND editor = p.WaitWindow(title);
    ASSERT_NE(editor, nullptr) << "no " << std::string(title.begin(), title.end());
    HWND edit = FindEdit(editor);
    ASSERT_NE(edit, nullptr);
    ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    ::PostMessageW(edit, WM_CHAR, VK_RETURN, 0);
    EXPECT_TRUE(e2e::WaitFor([&] { return !::IsWindow(editor); }, 5000));
  }
  void Confirm(const std::wstring& question) {
    HWND box = p.WaitMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(e2e::MessageText(box), question);
    e2e::Press(box, IDYES);
    EXPECT_TRUE(e2e::WaitFor([&] { return !::IsWindow(box); }, 5000));
  }

  Program p;
  HWND main = nullptr;
};

TEST_F(Editors, AUserBuildsACatalogueAndTheRegistryHoldsNothingElse) {
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
  HWND editor = p.WaitWindow(L"Gestion de liens");
  ASSERT_NE(editor, nullptr);
  e2e::ClickWindow(e2e::FindChild(editor, L"        ..."));
  HWND chooser = p.WaitMessageBox();
  ASSERT_NE(chooser, nullptr);
  const std::wstring target = e2e::ProgramFolder() + L"\\Tolvane.exe";
  for (int nameBox : {0x47C, 0x480})  // the file name's combo box, or its edit
    ::SendDlgItemMessageW(chooser, nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(target.c_str()));
  e2e::Press(chooser, IDOK);
  ASSERT_TRUE(e2e::WaitFor([&] { return !::IsWindow(chooser); }, 5000));
  Type(L"Gestion de liens", L"Tolvane");  // the name the file gave, kept

  // The typed one renamed; the blank first link deleted.
  Menu(Find(L"Notes"), {VK_DOWN, VK_DOWN, VK_RETURN});
  Type(L"Gestion de liens", L"Notes du jour");
  Menu(FirstLinkButton(pane, headerHolder), {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
  Confirm(L"Voulez-vous vraiement supprimer le programme ****** ?");
  ASSERT_NE(Find(L"Notes du jour"), nullptr);

  // The middle group, "Jeux", chosen then deleted: the renamed group moves
  // into its number and shows.
  Menu(header, {VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN});
  ASSERT_TRUE(e2e::WaitFor([&] { return e2e::HasChildText(main, L"Jeux"); }, 5000));
  Menu(Find(L"Jeux"), {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
  Confirm(L"Voulez-vous vraiement supprimer le groupe ***Jeux*** ?");
  EXPECT_TRUE(e2e::WaitFor([&] { return e2e::HasChildText(main, L"Labo R&D"); }, 5000));
  EXPECT_TRUE(e2e::HasChildText(main, L"Tolvane"));

  const std::map<std::wstring, std::wstring> expected{
      {L"Groupe", L"NbOcc=2"},  {L"1", L"Nomgroupe=Groupe N°01"}, {L"1Occ", L"NbOcc=1"},
      {L"1-1", L"Nom="},        {L"1-1c", L"Fic="},               {L"2", L"Nomgroupe=Labo R&D"},
      {L"2Occ", L"NbOcc=2"},    {L"2-1", L"Nom=Notes du jour"},   {L"2-1c", L"Fic="},
      {L"2-2", L"Nom=Tolvane"}, {L"2-2c", L"Fic=" + target}};
  EXPECT_EQ(e2e::Section(L"Data"), expected);
  EXPECT_EQ(e2e::GetSetting(L"Settings", L"NGroupe"), L"2");
  for (const wchar_t* kept : {L"GroupeLeft", L"GroupeTop", L"ProgrammeLeft", L"ProgrammeTop"})
    EXPECT_TRUE(e2e::GetSetting(L"Settings", kept)) << kept;
}

}  // namespace
