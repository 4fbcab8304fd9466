// Generated list menus and side bars on a demo form hooked by the engine:
// a list box mirrored in a sub-menu, built-in lists reported through the
// event object, side-bar pop-ups, over real menu loops.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "menu_test_window.h"
#include "menus/gdi_count.h"
#include "menus/menu_engine.h"
#include "ui/handles.h"

namespace menus {
namespace {

using testing::MenuTypist;
using testing::TestWindow;

struct Tips : cTips {
  std::vector<std::wstring> seen;
  void CustomSelection(std::wstring& UserID, std::wstring& Category, CustomValue& Value) override {
    if (Category == L"MenusClosed") return;
    seen.push_back(UserID + L"/" + Category + L"/" +
                   (std::holds_alternative<long long>(Value) ? std::to_wstring(std::get<long long>(Value))
                                                             : std::get<std::wstring>(Value)));
  }
};

std::wstring HandleText(HWND h) { return std::to_wstring(reinterpret_cast<UINT_PTR>(h)); }

void Pump() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

// A visible form with a list box, its menu using the lists and side bars.
class Demo : public ::testing::Test {
 protected:
  void SetUp() override {
    ::SetForegroundWindow(form.hwnd());
    list = ::CreateWindowW(L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | LBS_NOTIFY, 5, 5, 120, 80, form.hwnd(),
                           reinterpret_cast<HMENU>(INT_PTR{0x8200}), nullptr, nullptr);
    for (const wchar_t* e : {L"Premier", L"Second & dernier", L"Troisi\u00e8me"})
      ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e));
    ::SendMessageW(list, LB_SETCURSEL, 1, 0);
    SubclassForm(form.hwnd(), nullptr, &tips, 0);
    root = ::CreatePopupMenu();
    ::AppendMenuW(root, MF_STRING, 10, (L"Liste{LB:" + HandleText(list) + L"}").c_str());
    ::AppendMenuW(root, MF_STRING, 11, L"\u00c9tats{lvStates:TX:ID:st}");
    ::AppendMenuW(root, MF_STRING, 12, L"Mois{lvMonths:Group:FYQtr:ID:m}");
    bar = ::CreatePopupMenu();
    ::AppendMenuW(bar, MF_STRING, 20, L"{Sidebar|Text:Tolvane|BColor:16711680|GColor:16777215|FColor:255|BOLD}");
    for (int i = 0; i < 30; ++i) ::AppendMenuW(bar, MF_STRING, 21 + i, (L"Entr\u00e9e " + std::to_wstring(i)).c_str());
    ::AppendMenuW(root, MF_POPUP, reinterpret_cast<UINT_PTR>(bar), L"Barre");
  }
  void TearDown() override {
    ::DestroyMenu(root);
    form.Destroy();
    EXPECT_EQ(SubclassedCount(), 0u);
  }
  // A real menu loop; the choice goes to the form as WM_COMMAND.
  void Track(std::vector<WORD> keys) {
    {
      MenuTypist typist(form.hwnd(), std::move(keys));
      ::TrackPopupMenu(root, TPM_LEFTALIGN, 80, 80, 0, form.hwnd(), nullptr);
    }
    Pump();
  }
  // What a menu loop sends for the root and every sub-menu, choosing nothing.
  void Open() {
    ::SendMessageW(form.hwnd(), WM_ENTERMENULOOP, 0, 0);
    ::SendMessageW(form.hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(root), 0);
    for (int i = 0; i < ::GetMenuItemCount(root); ++i)
      if (HMENU sub = ::GetSubMenu(root, i)) ::SendMessageW(form.hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sub), i);
    ::SendMessageW(form.hwnd(), WM_EXITMENULOOP, 0, 0);
    for (int i = 0; i < ::GetMenuItemCount(bar); ++i) ::SendMessageW(form.hwnd(), WM_UNINITMENUPOPUP, 0, 0);
  }
  TestWindow form{nullptr, true};
  Tips tips;
  HWND list = nullptr;
  HMENU root = nullptr, bar = nullptr;
};

TEST_F(Demo, ASubMenuMirrorsTheListBoxAndSelectsInIt) {
  Track({VK_DOWN, VK_RIGHT, VK_DOWN, VK_DOWN, VK_RETURN});
  EXPECT_EQ(::SendMessageW(list, LB_GETCURSEL, 0, 0), 2);
  ASSERT_EQ(form.Count(WM_COMMAND), 1);  // the menu's own command is taken by the engine
  for (const auto& r : form.Log())
    if (r.msg == WM_COMMAND) {
      EXPECT_EQ(r.wp, MAKEWPARAM(0x8200, LBN_SELCHANGE));
      EXPECT_EQ(r.lp, reinterpret_cast<LPARAM>(list));
    }
  HMENU entries = ::GetSubMenu(root, 0);
  ASSERT_TRUE(entries);
  EXPECT_EQ(::GetMenuItemCount(entries), 3);
  EXPECT_EQ(::GetMenuItemID(entries, 0), 32500u);
}

TEST_F(Demo, BuiltInChoicesReachTheEventObject) {
  Track({VK_DOWN, VK_DOWN, VK_RIGHT, VK_RETURN});
  Track({VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_RETURN});  // the first header is passed by
  EXPECT_EQ(tips.seen, (std::vector<std::wstring>{L"st/State/AL", L"m/Month/10"}));
  EXPECT_TRUE(::GetMenuState(::GetSubMenu(root, 1), 32456, MF_BYCOMMAND) & MF_CHECKED);  // Texas
}

TEST_F(Demo, OpeningsKeepTheCountsSteady) {
  Open();
  const long held = GdiObjectsHeld();
  HMENU first = ::GetSubMenu(root, 0);
  for (int i = 0; i < 1000; ++i) Open();
  EXPECT_EQ(GdiObjectsHeld(), held);
  HMENU now = ::GetSubMenu(root, 0);
  ASSERT_TRUE(now);
  if (now != first) EXPECT_FALSE(::IsMenu(first));
  const cMenuItems* items = InstanceOf(form.hwnd());
  ASSERT_TRUE(items);
  const tolvane::MenuPanelRec* panel = const_cast<cMenuItems*>(items)->Store().FindPanel(HandleOf(bar));
  ASSERT_TRUE(panel);
  EXPECT_NE(panel->SideBarBitmap, 0u);
}

}  // namespace
}  // namespace menus
