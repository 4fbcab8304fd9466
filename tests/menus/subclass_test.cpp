// The engine between a window and its own procedure: what it passes on,
// what it takes, and what it leaves behind.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "menu_test_window.h"
#include "menus/menu_engine.h"
#include "menus/menu_fonts.h"
#include "ui/screen.h"

namespace menus {
namespace {

using testing::TestWindow;

struct TipsLog final : cTips {
  std::vector<std::wstring> tips;
  std::vector<std::wstring> categories;
  std::vector<std::pair<short, bool>> keys;  // key code, key up
  void DisplayTip(std::wstring& text) override { tips.push_back(text); }
  void CustomSelection(std::wstring&, std::wstring& category, CustomValue&) override { categories.push_back(category); }
  void MDIKeyDown(short& key, short&) override { keys.emplace_back(key, false); }
  void MDIKeyUp(short& key, short&) override { keys.emplace_back(key, true); }
};

class Subclass : public ::testing::Test {
 protected:
  void TearDown() override {
    windows_.clear();
    EXPECT_EQ(SubclassedCount(), 0u);
    EXPECT_FALSE(MenuFontsMade());
    KeyEvents = false;
  }
  TestWindow& Make(HWND parent = nullptr) {
    windows_.push_back(std::make_unique<TestWindow>(parent));
    return *windows_.back();
  }
  std::vector<std::unique_ptr<TestWindow>> windows_;
};

TEST_F(Subclass, MessagesReachTheWindowsOwnProcedureOnce) {
  TestWindow& w = Make();
  SubclassForm(w.hwnd(), nullptr, nullptr, 0);
  SubclassForm(w.hwnd(), nullptr, nullptr, 0);  // a second time hooks nothing more
  KeyEvents = true;
  HWND control = Make(w.hwnd()).hwnd();
  struct Case { UINT msg; WPARAM wp; LPARAM lp; };
  for (Case c : {Case{WM_KEYDOWN, 'A', 1}, Case{WM_SYSKEYUP, VK_MENU, 1}, Case{WM_USER + 7, 1, 2},
                 Case{WM_COMMAND, MAKEWPARAM(12, BN_CLICKED), reinterpret_cast<LPARAM>(control)},
                 Case{WM_COMMAND, MAKEWPARAM(40001, 1), 0},  // an accelerator
                 Case{WM_COMMAND, MAKEWPARAM(7, 0), 0},      // a menu item no list owns
                 Case{WM_GETMINMAXINFO, 0, 0}}) {
    std::size_t before = w.Log().size();
    MINMAXINFO info{};
    LPARAM lp = c.msg == WM_GETMINMAXINFO ? reinterpret_cast<LPARAM>(&info) : c.lp;
    ::SendMessageW(w.hwnd(), c.msg, c.wp, lp);
    ASSERT_EQ(w.Log().size(), before + 1) << std::hex << c.msg;
    EXPECT_EQ(w.Log().back().msg, c.msg);
    EXPECT_EQ(w.Log().back().wp, c.wp);
    EXPECT_EQ(w.Log().back().lp, lp);
  }
}

TEST_F(Subclass, AListEntryChoiceIsTakenEvenWithAnIdAbove0x7FFF) {
  TestWindow& w = Make();
  SubclassForm(w.hwnd(), nullptr, nullptr, 0);
  HMENU list = ::CreatePopupMenu();
  auto generated = std::make_unique<cMenuItems>();
  generated->Store().PutItem(0x9001, HandleOf(list)).Tip = L"entrée";
  InstanceOf(w.hwnd())->AddGenerated(list, std::move(generated));
  EXPECT_EQ(InstanceOf(w.hwnd())->Tips(0x9001, list), L"entrée");

  ::SendMessageW(w.hwnd(), WM_ENTERMENULOOP, 0, 0);
  ::SendMessageW(w.hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(list), 0);
  ::SendMessageW(w.hwnd(), WM_MENUSELECT, MAKEWPARAM(0x9001, MF_MOUSESELECT), reinterpret_cast<LPARAM>(list));
  ::SendMessageW(w.hwnd(), WM_EXITMENULOOP, 0, 0);
  ::SendMessageW(w.hwnd(), WM_COMMAND, MAKEWPARAM(0x9001, 0), 0);
  EXPECT_EQ(w.Count(WM_COMMAND), 0);
  ::SendMessageW(w.hwnd(), WM_COMMAND, MAKEWPARAM(0x9002, 0), 0);  // not an entry: the form's
  EXPECT_EQ(w.Count(WM_COMMAND), 1);
  EXPECT_FALSE(KeyboardSelect());
  // Dropping the pop-up drops its instance and records with it.
  InstanceOf(w.hwnd())->DestroyPopup(list, nullptr);
  EXPECT_EQ(InstanceOf(w.hwnd())->Generated(list), nullptr);
  EXPECT_EQ(InstanceOf(w.hwnd())->Tips(0x9001, list), L"");
  ::SendMessageW(w.hwnd(), WM_COMMAND, MAKEWPARAM(0x9001, 0), 0);
  EXPECT_EQ(w.Count(WM_COMMAND), 2);
  ::DestroyMenu(list);
}

TEST_F(Subclass, ALoopEndWithoutABeginningLeavesThePointerAlone) {
  TestWindow& w = Make();
  SubclassForm(w.hwnd(), nullptr, nullptr, 0);
  ::SendMessageW(w.hwnd(), WM_EXITMENULOOP, 0, 0);
  EXPECT_EQ(ui::MousePointer(), ui::kDefaultPointer);
  EXPECT_EQ(w.Count(WM_EXITMENULOOP), 1);
}

TEST_F(Subclass, ASlowPopupShowsTheHourglassUntilTheMenuIdles) {
  TestWindow& w = Make();
  SubclassForm(w.hwnd(), nullptr, nullptr, 0);
  cMenuItems& items = *InstanceOf(w.hwnd());
  HMENU slow = ::CreatePopupMenu();
  HMENU other = ::CreatePopupMenu();
  items.Store().PutPanel(HandleOf(other)).HasImages = true;
  items.InitializeSubMenu(w.hwnd(), nullptr, nullptr, true, slow);
  ASSERT_NE(items.Store().FindPanel(HandleOf(other)), nullptr);  // the others stay
  EXPECT_TRUE(items.Store().FindPanel(HandleOf(other))->HasImages);

  ::SendMessageW(w.hwnd(), WM_ENTERMENULOOP, 0, 0);
  ::SendMessageW(w.hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(slow), 0);
  EXPECT_EQ(ui::MousePointer(), ui::kHourglass);
  ::SendMessageW(w.hwnd(), WM_ENTERIDLE, MSGF_MENU, 0);
  EXPECT_EQ(ui::MousePointer(), ui::kDefaultPointer);
  ::SendMessageW(w.hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(slow), 0);
  ::SendMessageW(w.hwnd(), WM_EXITMENULOOP, 0, 0);
  EXPECT_EQ(ui::MousePointer(), ui::kDefaultPointer);
  ::DestroyMenu(slow);
  ::DestroyMenu(other);
}

TEST_F(Subclass, TipsAreReportedAndTheEndOfTheLoopAnnounced) {
  TestWindow& w = Make();
  TipsLog tips;
  SubclassForm(w.hwnd(), nullptr, &tips, 0);
  HMENU menu = ::CreatePopupMenu();
  ::AppendMenuW(menu, MF_STRING, 0x8123, L"x{TIP:astuce}");
  auto loop = [&] {
    ::SendMessageW(w.hwnd(), WM_ENTERMENULOOP, 0, 0);
    ::SendMessageW(w.hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
    ::SendMessageW(w.hwnd(), WM_MENUSELECT, MAKEWPARAM(0x8123, 0), reinterpret_cast<LPARAM>(menu));
    ::SendMessageW(w.hwnd(), WM_EXITMENULOOP, 0, 0);
  };
  loop();
  EXPECT_EQ(tips.tips, (std::vector<std::wstring>{L"astuce", L""}));
  EXPECT_EQ(tips.categories, (std::vector<std::wstring>{L"MenusClosed"}));
  EXPECT_TRUE(KeyboardSelect());
  // The client's object is going: the engine no longer calls it.
  ReleaseTips(&tips);
  loop();
  EXPECT_EQ(tips.tips.size(), 2u);
  // A second initialisation without an object brings the previous one back.
  TipsLog other;
  cMenuItems& items = *InstanceOf(w.hwnd());
  items.InitializeSubMenu(w.hwnd(), nullptr, &other, true);
  items.InitializeSubMenu(w.hwnd(), nullptr, &tips, true);
  items.InitializeSubMenu(w.hwnd(), nullptr, nullptr, true);
  EXPECT_EQ(items.ShowTips(), &other);
  ::DestroyMenu(menu);
}

MENUITEMINFOW ItemAt(HMENU menu, int position, wchar_t* text = nullptr) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_DATA | MIIM_ID | (text ? MIIM_STRING : 0);
  info.dwTypeData = text;
  info.cch = text ? 64 : 0;
  ::GetMenuItemInfoW(menu, position, TRUE, &info);
  return info;
}

TEST_F(Subclass, MenusAreRestoredByPositionKeepingSeparatorsAndItemData) {
  TestWindow& w = Make();
  SubclassForm(w.hwnd(), nullptr, nullptr, 0);
  HMENU menu = ::CreatePopupMenu();
  ::AppendMenuW(menu, MF_STRING, 1, L"A");
  ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(menu, MF_STRING, 2, L"B");
  ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  for (int p = 0; p < 4; ++p) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    info.fType = ItemAt(menu, p).fType | MFT_OWNERDRAW;
    info.dwItemData = 0x7'0000'0077ull;
    ASSERT_TRUE(::SetMenuItemInfoW(menu, p, TRUE, &info));
  }
  tolvane::MenuStore& store = InstanceOf(w.hwnd())->Store();
  auto m = HandleOf(menu);
  store.PutItem(1, m).Caption = L"A{IMG:i1}";
  tolvane::MenuItemRec& separator = store.PutItem(0, m);
  separator.Flags = tolvane::kItemSeparator;
  separator.Position = 1;
  tolvane::MenuItemRec& b = store.PutItem(2, m);
  b.Caption = L"cache";
  b.MenuCaption = L"B";
  b.Flags = tolvane::kItemDisabled | tolvane::kItemChecked;
  b.Position = 2;
  store.PutPanel(m);

  RestoreOnExit = true;
  w.Destroy();
  RestoreOnExit = false;
  ASSERT_EQ(::GetMenuItemCount(menu), 4);
  wchar_t text[64] = {};
  MENUITEMINFOW a = ItemAt(menu, 0, text);
  EXPECT_EQ(a.fType & MFT_OWNERDRAW, 0u);
  EXPECT_EQ(std::wstring(text), L"A{IMG:i1}");
  EXPECT_EQ(a.dwItemData, 0x7'0000'0077ull);
  EXPECT_EQ(a.wID, 1u);
  EXPECT_TRUE(ItemAt(menu, 1).fType & MFT_SEPARATOR);
  EXPECT_TRUE(ItemAt(menu, 3).fType & MFT_SEPARATOR);
  MENUITEMINFOW restored = ItemAt(menu, 2, text);
  EXPECT_EQ(std::wstring(text), L"B");
  EXPECT_TRUE(restored.fState & MFS_GRAYED);
  EXPECT_TRUE(restored.fState & MFS_CHECKED);
  EXPECT_EQ(restored.fType & MFT_OWNERDRAW, 0u);
  ::DestroyMenu(menu);
}

// Someone who subclassed after the engine is not cut off when it leaves.
LRESULT CALLBACK LaterProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  static int seen = 0;
  if (msg == WM_USER + 1) return ++seen;
  auto prev = reinterpret_cast<WNDPROC>(::GetPropW(hwnd, L"later"));
  return ::CallWindowProcW(prev, hwnd, msg, wp, lp);
}

TEST_F(Subclass, AWindowSubclassedAfterTheEngineKeepsItsMessages) {
  TestWindow& w = Make();
  SubclassForm(w.hwnd(), nullptr, nullptr, 0);
  auto prev = ::SetWindowLongPtrW(w.hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LaterProc));
  ::SetPropW(w.hwnd(), L"later", reinterpret_cast<HANDLE>(prev));
  UnsubclassForm(w.hwnd());
  LRESULT first = ::SendMessageW(w.hwnd(), WM_USER + 1, 0, 0);
  EXPECT_EQ(::SendMessageW(w.hwnd(), WM_USER + 1, 0, 0), first + 1);
  ::SendMessageW(w.hwnd(), WM_USER + 2, 0, 0);
  EXPECT_EQ(w.Count(WM_USER + 2), 1);
  ::SetWindowLongPtrW(w.hwnd(), GWLP_WNDPROC, prev);
  ::RemovePropW(w.hwnd(), L"later");
}

TEST_F(Subclass, TwoWindowsOneGoneKeepsTheFontsAndTheOther) {
  TestWindow& a = Make();
  TestWindow& b = Make();
  SubclassForm(a.hwnd(), nullptr, nullptr, 0);
  SubclassForm(b.hwnd(), nullptr, nullptr, 0);
  HWND gone = a.hwnd();
  a.Destroy();
  EXPECT_EQ(InstanceOf(gone), nullptr);
  EXPECT_NE(InstanceOf(b.hwnd()), nullptr);
  EXPECT_TRUE(MenuFontsMade());
  UnsubclassForm(gone);  // no longer held: nothing happens
  EXPECT_TRUE(MenuFontsMade());
  EXPECT_EQ(SubclassedCount(), 1u);
  ::SendMessageW(b.hwnd(), WM_USER, 0, 0);
  EXPECT_EQ(b.Count(WM_USER), 1);
  b.Destroy();
  EXPECT_EQ(SubclassedCount(), 0u);
  EXPECT_FALSE(MenuFontsMade());
}

// A small MDI frame: the engine follows it into its client and children.
LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  HWND client = ::FindWindowExW(hwnd, nullptr, L"MDIClient", nullptr);
  return ::DefFrameProcW(hwnd, client, msg, wp, lp);
}
LRESULT CALLBACK ChildProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) { return ::DefMDIChildProcW(hwnd, msg, wp, lp); }

TEST_F(Subclass, FollowsAnMdiFrameIntoItsClientAndChildren) {
  static const bool registered = [] {
    WNDCLASSW wc{};
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpfnWndProc = FrameProc;
    wc.lpszClassName = L"TolvaneMdiFrame";
    ::RegisterClassW(&wc);
    wc.lpfnWndProc = ChildProc;
    wc.lpszClassName = L"TolvaneMdiChild";
    return ::RegisterClassW(&wc) != 0;
  }();
  ASSERT_TRUE(registered);
  HWND frame = ::CreateWindowExW(0, L"TolvaneMdiFrame", L"cadre", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                                 nullptr, ::GetModuleHandleW(nullptr), nullptr);
  CLIENTCREATESTRUCT ccs{nullptr, 50000};
  HWND client = ::CreateWindowExW(0, L"MDIClient", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 400, 300, frame, nullptr,
                                  ::GetModuleHandleW(nullptr), &ccs);
  ASSERT_NE(client, nullptr);
  TipsLog tips;
  KeyEvents = true;
  SubclassForm(frame, nullptr, &tips, 0);
  ASSERT_NE(InstanceOf(client), nullptr);
  EXPECT_TRUE(InstanceOf(client)->IsMDIclient());
  EXPECT_EQ(InstanceOf(frame)->MDIClient(), client);

  // No active child: the frame's keys go to the event object, once each.
  ::SendMessageW(frame, WM_KEYDOWN, 'K', 0);
  EXPECT_EQ(tips.keys, (std::vector<std::pair<short, bool>>{{'K', false}}));

  MDICREATESTRUCTW mcs{L"TolvaneMdiChild", L"fille", ::GetModuleHandleW(nullptr), 0, 0, 200, 150, 0, 0};
  auto child = reinterpret_cast<HWND>(::SendMessageW(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
  ASSERT_NE(child, nullptr);
  ::SendMessageW(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child), 0);
  ASSERT_NE(InstanceOf(child), nullptr);
  EXPECT_EQ(InstanceOf(child)->ShowTips(), &tips);  // the frame's, handed down

  // The active child owns the frame's menus, unless it has none of its own.
  HMENU menu = ::CreatePopupMenu();
  ::SendMessageW(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
  EXPECT_EQ(CurrentMenuOwner(), child);
  SubclassForm(child, nullptr, nullptr, 4);
  ::SendMessageW(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
  EXPECT_EQ(CurrentMenuOwner(), frame);
  ::SendMessageW(frame, WM_KEYDOWN, 'L', 0);  // a child is active now: nothing forwarded
  EXPECT_EQ(tips.keys.size(), 1u);

  // Its WM_DESTROY lets it go; the WM_MDIDESTROY that follows finds nothing.
  ::SendMessageW(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(child), 0);
  EXPECT_EQ(InstanceOf(child), nullptr);
  EXPECT_NE(InstanceOf(frame), nullptr);
  EXPECT_NE(InstanceOf(client), nullptr);
  EXPECT_TRUE(MenuFontsMade());
  ::DestroyMenu(menu);
  ::DestroyWindow(frame);
}

}  // namespace
}  // namespace menus
