#include "menus/list_menus.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "../launcher/fake_desktop.h"
#include "core/settings_store.h"
#include "menus/gdi_count.h"
#include "ui/handles.h"
#include "ui/seams.h"

namespace menus {
namespace {

// A parent window that notes the WM_COMMAND its lists send it.
std::vector<std::pair<WPARAM, LPARAM>> commands;

LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COMMAND) commands.emplace_back(wParam, lParam);
  return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

struct Tips : cTips {
  std::vector<std::wstring> seen;
  void CustomSelection(std::wstring& UserID, std::wstring& Category, CustomValue& Value) override {
    seen.push_back(UserID + L"/" + Category + L"/" +
                   (std::holds_alternative<long long>(Value) ? std::to_wstring(std::get<long long>(Value))
                                                             : std::get<std::wstring>(Value)));
  }
};

class ListMenus : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ParentProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ListMenusParent";
    ::RegisterClassW(&wc);
    parent = ::CreateWindowW(L"ListMenusParent", L"", WS_OVERLAPPEDWINDOW, 0, 0, 300, 300, nullptr, nullptr,
                             wc.hInstance, nullptr);
    commands.clear();
    SetListSettings(&store);
  }
  void TearDown() override {
    SetListSettings(nullptr);
    ::DestroyWindow(parent);
  }
  HWND Child(const wchar_t* cls, DWORD style, int id, std::vector<std::wstring> entries) {
    HWND h = ::CreateWindowW(cls, L"", WS_CHILD | WS_VSCROLL | style, 0, 0, 200, 200, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
    const UINT add = std::wstring(cls) == L"COMBOBOX" ? CB_ADDSTRING : LB_ADDSTRING;
    for (const auto& e : entries) ::SendMessageW(h, add, 0, reinterpret_cast<LPARAM>(e.c_str()));
    return h;
  }
  static std::wstring Caption(HMENU menu, UINT id) {
    wchar_t text[512] = {};
    ::GetMenuStringW(menu, id, text, 512, MF_BYCOMMAND);
    return text;
  }
  HWND parent = nullptr;
  tolvane::MemoryStore store;
  tolvane::testing::FakeDesktop desktop;
};

TEST_F(ListMenus, AListBoxBecomesEntriesAndAChoiceSelectsInIt) {
  // An ID of 0x8000 or more is a valid control ID.
  HWND list = Child(L"LISTBOX", LBS_NOTIFY, 0x8123, {L"un", L"deux & trois", L"quatre"});
  ::SendMessageW(list, LB_SETCURSEL, 1, 0);
  GeneratedList built = BuildControlListMenu(list, 1, L"");
  ASSERT_TRUE(built.menu);
  ui::OwnedMenu menu(built.menu);
  ASSERT_EQ(::GetMenuItemCount(menu.get()), 3);
  for (UINT pos = 0; pos < 3; ++pos) EXPECT_EQ(::GetMenuItemID(menu.get(), static_cast<int>(pos)), 32500 - pos);
  EXPECT_FALSE(::GetMenuState(menu.get(), 32500, MF_BYCOMMAND) & MF_CHECKED);
  EXPECT_TRUE(::GetMenuState(menu.get(), 32499, MF_BYCOMMAND) & MF_CHECKED);
  EXPECT_EQ(Caption(menu.get(), 32499).substr(0, 15), L"deux && trois{g");

  EXPECT_TRUE(ListEntryChosen(Caption(menu.get(), 32498), false, parent, nullptr));
  EXPECT_EQ(::SendMessageW(list, LB_GETCURSEL, 0, 0), 2);
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(commands[0].first, MAKEWPARAM(0x8123, LBN_SELCHANGE));
  EXPECT_EQ(commands[0].second, reinterpret_cast<LPARAM>(list));
}

TEST_F(ListMenus, EmptyComboMultiColumnAndSeveralSelections) {
  HWND combo = Child(L"COMBOBOX", CBS_DROPDOWNLIST, 7, {});
  GeneratedList empty = BuildControlListMenu(combo, 0, L"");
  ASSERT_TRUE(empty.menu);
  ui::OwnedMenu menu(empty.menu);
  ASSERT_EQ(::GetMenuItemCount(menu.get()), 1);
  EXPECT_TRUE(::GetMenuState(menu.get(), 32500, MF_BYCOMMAND) & MF_GRAYED);
  const std::wstring caption = Caption(menu.get(), 32500);
  EXPECT_EQ(caption.substr(0, 25), L"-No Selections Available{");
  EXPECT_NE(caption.find(L"|Raised}"), std::wstring::npos);

  EXPECT_FALSE(BuildControlListMenu(Child(L"LISTBOX", LBS_MULTICOLUMN, 8, {L"a"}), 1, L"").menu);
  EXPECT_FALSE(BuildControlListMenu(nullptr, 1, L"").menu);

  HWND multi = Child(L"LISTBOX", LBS_MULTIPLESEL, 9, {L"a", L"b"});
  ::SendMessageW(multi, LB_SETSEL, TRUE, 1);
  ui::OwnedMenu several(BuildControlListMenu(multi, 1, L"").menu);
  ASSERT_TRUE(several);
  EXPECT_TRUE(::GetMenuState(several.get(), 32499, MF_BYCOMMAND) & MF_CHECKED);
  // A checked entry chosen again is deselected.
  ListEntryChosen(Caption(several.get(), 32499), true, parent, nullptr);
  EXPECT_EQ(::SendMessageW(multi, LB_GETSEL, 1, 0), 0);
  ListEntryChosen(Caption(several.get(), 32500), false, parent, nullptr);
  EXPECT_GT(::SendMessageW(multi, LB_GETSEL, 0, 0), 0);
}

TEST_F(ListMenus, ColoursAreKeptAndACancelLeavesTheStoredOne) {
  store.Save(L"Font", L"FontColor", L"255");
  ui::OwnedMenu menu(BuildPresetListMenu(L"lvColors:", L"65280:ID:ink").menu);
  ASSERT_EQ(::GetMenuItemCount(menu.get()), 26);
  EXPECT_TRUE(::GetMenuState(menu.get(), 32483, MF_BYCOMMAND) & MF_CHECKED);  // "Rouge"

  // No event object: the colour is kept all the same.
  EXPECT_TRUE(ListEntryChosen(Caption(menu.get(), 32499), false, parent, nullptr));
  EXPECT_EQ(store.Get(L"Font", L"FontColor", L""), L"16761024");

  const std::wstring custom = Caption(menu.get(), 32474);
  Tips tips;
  desktop.colourAnswers = {RGB(1, 2, 3)};
  EXPECT_TRUE(ListEntryChosen(custom, false, parent, &tips));
  EXPECT_EQ(desktop.colourStarts, std::vector<COLORREF>{65280});
  EXPECT_EQ(store.Get(L"Font", L"FontColor", L""), std::to_wstring(RGB(1, 2, 3)));
  EXPECT_EQ(tips.seen, std::vector<std::wstring>{L"ink/Color/" + std::to_wstring(RGB(1, 2, 3))});

  EXPECT_FALSE(ListEntryChosen(custom, false, parent, &tips));  // cancelled
  EXPECT_EQ(store.Get(L"Font", L"FontColor", L""), std::to_wstring(RGB(1, 2, 3)));
  EXPECT_EQ(tips.seen.size(), 1u);
}

}  // namespace
}  // namespace menus

namespace menus {
namespace {

TEST_F(ListMenus, EachOpeningReplacesTheGeneratedPopupAndNothingElse) {
  HWND list = Child(L"LISTBOX", 0, 11, {L"a", L"b", L"c"});
  cMenuItems owner;
  owner.InitializeSubMenu(parent, nullptr, nullptr, true);
  ui::OwnedMenu menu(::CreatePopupMenu());
  ::AppendMenuW(menu.get(), MF_STRING, 5, L"own");
  ::AppendMenuW(menu.get(), MF_STRING, 6, L"list");
  HMENU own = ::CreatePopupMenu();
  MENUITEMINFOW info{sizeof info, MIIM_SUBMENU};
  info.hSubMenu = own;
  ::SetMenuItemInfoW(menu.get(), 0, TRUE, &info);

  const long held = GdiObjectsHeld();
  HMENU previous = nullptr;
  for (int i = 0; i < 1000; ++i) {
    HMENU made = AttachGeneratedList(owner, menu.get(), 1, BuildControlListMenu(list, 1, L""), L"");
    ASSERT_TRUE(made);
    ASSERT_EQ(::GetSubMenu(menu.get(), 1), made);
    ASSERT_TRUE(owner.Generated(made));
    if (previous && previous != made) {
      ASSERT_FALSE(::IsMenu(previous));  // destroyed, with its instance
      ASSERT_FALSE(owner.Generated(previous));
    }
    previous = made;
  }
  EXPECT_EQ(GdiObjectsHeld(), held);
  // Position 0 has a sub-menu of its own: it is neither replaced nor destroyed.
  EXPECT_FALSE(AttachGeneratedList(owner, menu.get(), 0, BuildControlListMenu(list, 1, L""), L""));
  EXPECT_TRUE(::IsMenu(own));
  EXPECT_EQ(::GetSubMenu(menu.get(), 0), own);
  // The menu holding it destroyed, the generated pop-up is forgotten with it.
  owner.ForgetPopup(menu.get());
  EXPECT_FALSE(owner.Generated(previous));
}

// The system's colour dialog, as the custom colour entry opens it.
TEST(ListColourDialog, OpensFullOnTheEntrysColour) {
  LONG width = 0;
  UINT red = 0, green = 0;
  std::thread closer([&] {
    HWND dialog = nullptr;
    for (int i = 0; i < 400 && !dialog; ++i) {
      ::Sleep(25);
      dialog = ::FindWindowW(L"#32770", nullptr);
    }
    RECT r{};
    ::Sleep(100);
    ::GetWindowRect(dialog, &r);
    width = r.right - r.left;
    red = ::GetDlgItemInt(dialog, 706, nullptr, FALSE);  // its red and green boxes
    green = ::GetDlgItemInt(dialog, 707, nullptr, FALSE);
    ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_FALSE(ui::TheDesktop().ChooseListColour(nullptr, RGB(10, 20, 30)));
  closer.join();
  EXPECT_GT(width, 400);  // the custom colour part shown
  EXPECT_EQ(red, 10u);
  EXPECT_EQ(green, 20u);
}

}  // namespace
}  // namespace menus
