// The engine between a window and its own procedure: what it passes on,
// what it takes and what it leaves behind; and the menu fonts it shares.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
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
  std::vector<std::wstring> tips, categories;
  std::vector<short> keys;
  void DisplayTip(std::wstring& text) override { tips.push_back(text); }
  void CustomSelection(std::wstring&, std::wstring& category, CustomValue&) override { categories.push_back(category); }
  void MDIKeyDown(short& key, short&) override { keys.push_back(key); }
  void MDIKeyUp(short& key, short&) override { keys.push_back(-key); }
};

LRESULT Send(HWND w, UINT msg, WPARAM wp = 0, LPARAM lp = 0) { return ::SendMessageW(w, msg, wp, lp); }
WPARAM W(HMENU m) { return reinterpret_cast<WPARAM>(m); }

// One menu loop over `menu`, selecting `item`.
void Loop(HWND w, HMENU menu, UINT item, UINT flags = 0) {
  Send(w, WM_ENTERMENULOOP);
  Send(w, WM_INITMENUPOPUP, W(menu));
  Send(w, WM_MENUSELECT, MAKEWPARAM(item, flags), reinterpret_cast<LPARAM>(menu));
  Send(w, WM_EXITMENULOOP);
}

// Every test leaves no window hooked and the shared fonts freed.
class Subclass : public ::testing::Test {
 protected:
  void TearDown() override {
    windows_.clear();
    EXPECT_EQ(SubclassedCount(), 0u);
    EXPECT_FALSE(MenuFontsMade());
    KeyEvents = false;
  }
  TestWindow& Make(HWND parent = nullptr) { return *windows_.emplace_back(std::make_unique<TestWindow>(parent)); }
  TestWindow& Hooked(cTips* tips = nullptr) {
    TestWindow& w = Make();
    SubclassForm(w.hwnd(), nullptr, tips, 0);
    return w;
  }
  std::vector<std::unique_ptr<TestWindow>> windows_;
};

TEST_F(Subclass, MessagesReachTheWindowsOwnProcedureOnce) {
  TestWindow& w = Hooked();
  SubclassForm(w.hwnd(), nullptr, nullptr, 0);  // a second time hooks nothing more
  KeyEvents = true;
  HWND control = Make(w.hwnd()).hwnd();
  MINMAXINFO info{};
  struct Case { UINT msg; WPARAM wp; LPARAM lp; };
  for (Case c : {Case{WM_KEYDOWN, 'A', 1}, Case{WM_SYSKEYUP, VK_MENU, 1}, Case{WM_USER + 7, 1, 2},
                 Case{WM_COMMAND, MAKEWPARAM(12, BN_CLICKED), reinterpret_cast<LPARAM>(control)},
                 Case{WM_COMMAND, MAKEWPARAM(40001, 1), 0},  // an accelerator
                 Case{WM_COMMAND, MAKEWPARAM(7, 0), 0},      // a menu item no list owns
                 Case{WM_INITMENUPOPUP, 0, 0}, Case{WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info)}}) {
    const std::size_t before = w.Log().size();
    Send(w.hwnd(), c.msg, c.wp, c.lp);
    ASSERT_EQ(w.Log().size(), before + 1) << std::hex << c.msg;
    EXPECT_TRUE(w.Log().back().msg == c.msg && w.Log().back().wp == c.wp && w.Log().back().lp == c.lp) << c.msg;
  }
}

TEST_F(Subclass, AListEntryChoiceIsTakenEvenWithAnIdAbove0x7FFFUntilItsPopupGoes) {
  TestWindow& w = Hooked();
  cMenuItems& items = *InstanceOf(w.hwnd());
  HMENU list = ::CreatePopupMenu();
  auto generated = std::make_unique<cMenuItems>();
  generated->Store().PutItem(0x9001, HandleOf(list), 0).Tip = L"entr\u00e9e";
  items.AddGenerated(list, std::move(generated));
  EXPECT_EQ(items.Tips(0x9001, list), L"entr\u00e9e");
  Loop(w.hwnd(), list, 0x9001, MF_MOUSESELECT);
  EXPECT_FALSE(KeyboardSelect());
  Send(w.hwnd(), WM_COMMAND, MAKEWPARAM(0x9001, 0));
  Send(w.hwnd(), WM_COMMAND, MAKEWPARAM(0x9002, 0));  // not an entry: the form's
  EXPECT_EQ(w.Count(WM_COMMAND), 1);
  // Dropping the pop-up drops its instance and records with it.
  items.DestroyPopup(list, nullptr);
  EXPECT_EQ(items.Generated(list), nullptr);
  EXPECT_EQ(items.Tips(0x9001, list), L"");
  Send(w.hwnd(), WM_COMMAND, MAKEWPARAM(0x9001, 0));
  EXPECT_EQ(w.Count(WM_COMMAND), 2);
  ::DestroyMenu(list);
}

TEST_F(Subclass, ASlowPopupShowsTheHourglassUntilTheMenuIdles) {
  TestWindow& w = Hooked();
  Send(w.hwnd(), WM_EXITMENULOOP);  // an end without a beginning leaves the pointer alone
  EXPECT_EQ(ui::MousePointer(), ui::kDefaultPointer);
  cMenuItems& items = *InstanceOf(w.hwnd());
  HMENU slow = ::CreatePopupMenu(), other = ::CreatePopupMenu();
  items.Store().PutPanel(HandleOf(other)).HasImages = true;
  items.InitializeSubMenu(w.hwnd(), nullptr, nullptr, true, slow);
  ASSERT_NE(items.Store().FindPanel(HandleOf(other)), nullptr);  // the others stay
  EXPECT_TRUE(items.Store().FindPanel(HandleOf(other))->HasImages);

  Send(w.hwnd(), WM_ENTERMENULOOP);
  Send(w.hwnd(), WM_INITMENUPOPUP, W(slow));
  EXPECT_EQ(ui::MousePointer(), ui::kHourglass);
  Send(w.hwnd(), WM_ENTERIDLE, MSGF_MENU);
  EXPECT_EQ(ui::MousePointer(), ui::kDefaultPointer);
  Send(w.hwnd(), WM_INITMENUPOPUP, W(slow));
  Send(w.hwnd(), WM_EXITMENULOOP);
  EXPECT_EQ(ui::MousePointer(), ui::kDefaultPointer);
  ::DestroyMenu(slow);
  ::DestroyMenu(other);
}

TEST_F(Subclass, TipsAreReportedAndTheEndOfTheLoopAnnounced) {
  TipsLog tips;
  TestWindow& w = Hooked(&tips);
  HMENU menu = ::CreatePopupMenu();
  ::AppendMenuW(menu, MF_STRING, 0x8123, L"x{TIP:astuce}");
  Loop(w.hwnd(), menu, 0x8123);
  EXPECT_EQ(tips.tips, (std::vector<std::wstring>{L"astuce", L""}));
  EXPECT_EQ(tips.categories, (std::vector<std::wstring>{L"MenusClosed"}));
  EXPECT_TRUE(KeyboardSelect());
  ReleaseTips(&tips);  // the client's object is going: the engine no longer calls it
  Loop(w.hwnd(), menu, 0x8123);
  EXPECT_EQ(tips.tips.size(), 2u);
  // A second initialisation without an object brings the previous one back.
  cMenuItems& items = *InstanceOf(w.hwnd());
  TipsLog other;
  items.InitializeSubMenu(w.hwnd(), nullptr, &other, true);
  items.InitializeSubMenu(w.hwnd(), nullptr, &tips, true);
  items.InitializeSubMenu(w.hwnd(), nullptr, nullptr, true);
  EXPECT_EQ(items.ShowTips(), &other);
  ::DestroyMenu(menu);
}

// Someone who subclassed after the engine is not cut off when it leaves.
LRESULT CALLBACK LaterProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_USER + 1) return 77;
  return ::CallWindowProcW(reinterpret_cast<WNDPROC>(::GetPropW(hwnd, L"later")), hwnd, msg, wp, lp);
}

TEST_F(Subclass, AWindowSubclassedAfterTheEngineKeepsItsMessages) {
  TestWindow& w = Hooked();
  auto prev = ::SetWindowLongPtrW(w.hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LaterProc));
  ::SetPropW(w.hwnd(), L"later", reinterpret_cast<HANDLE>(prev));
  UnsubclassForm(w.hwnd());
  EXPECT_EQ(Send(w.hwnd(), WM_USER + 1), 77);
  Send(w.hwnd(), WM_USER + 2);
  EXPECT_EQ(w.Count(WM_USER + 2), 1);
  ::SetWindowLongPtrW(w.hwnd(), GWLP_WNDPROC, prev);
  ::RemovePropW(w.hwnd(), L"later");
}

TEST_F(Subclass, TwoWindowsOneGoneKeepsTheFontsAndTheOther) {
  TestWindow& a = Hooked();
  TestWindow& b = Hooked();
  HWND gone = a.hwnd();
  a.Destroy();
  EXPECT_EQ(InstanceOf(gone), nullptr);
  UnsubclassForm(gone);  // no longer held: nothing happens
  EXPECT_TRUE(MenuFontsMade());
  EXPECT_EQ(SubclassedCount(), 1u);
  Send(b.hwnd(), WM_USER);
  EXPECT_EQ(b.Count(WM_USER), 1);
}

// A small MDI frame: the engine follows it into its client and children.
LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  return ::DefFrameProcW(hwnd, ::FindWindowExW(hwnd, nullptr, L"MDIClient", nullptr), msg, wp, lp);
}

TEST_F(Subclass, FollowsAnMdiFrameIntoItsClientAndChildren) {
  static const bool registered = [] {
    WNDCLASSW wc{0, FrameProc, 0, 0, ::GetModuleHandleW(nullptr)};
    wc.lpszClassName = L"TolvaneMdiFrame";
    ::RegisterClassW(&wc);
    wc.lpfnWndProc = ::DefMDIChildProcW;
    wc.lpszClassName = L"TolvaneMdiChild";
    return ::RegisterClassW(&wc) != 0;
  }();
  ASSERT_TRUE(registered);
  HWND frame = ::CreateWindowW(L"TolvaneMdiFrame", L"cadre", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                               nullptr, nullptr);
  CLIENTCREATESTRUCT ccs{nullptr, 50000};
  HWND client = ::CreateWindowW(L"MDIClient", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 400, 300, frame, nullptr, nullptr,
                                &ccs);
  TipsLog tips;
  KeyEvents = true;
  SubclassForm(frame, nullptr, &tips, 0);
  ASSERT_NE(InstanceOf(client), nullptr);
  EXPECT_TRUE(InstanceOf(client)->IsMDIclient());
  EXPECT_EQ(InstanceOf(frame)->MDIClient(), client);
  Send(frame, WM_KEYDOWN, 'K');  // no active child: the frame's keys go to the event object
  EXPECT_EQ(tips.keys, std::vector<short>{'K'});

  MDICREATESTRUCTW mcs{L"TolvaneMdiChild", L"fille", ::GetModuleHandleW(nullptr), 0, 0, 200, 150, 0, 0};
  auto child = reinterpret_cast<HWND>(Send(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
  Send(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child));
  ASSERT_NE(InstanceOf(child), nullptr);
  EXPECT_EQ(InstanceOf(child)->ShowTips(), &tips);  // the frame's, handed down

  // The active child owns the frame's menus, unless it has none of its own.
  HMENU menu = ::CreatePopupMenu();
  Send(frame, WM_INITMENUPOPUP, W(menu));
  EXPECT_EQ(CurrentMenuOwner(), child);
  SubclassForm(child, nullptr, nullptr, 4);
  Send(frame, WM_INITMENUPOPUP, W(menu));
  EXPECT_EQ(CurrentMenuOwner(), frame);
  Send(frame, WM_KEYDOWN, 'L');  // a child is active now: nothing forwarded
  EXPECT_EQ(tips.keys.size(), 1u);

  // Its WM_DESTROY lets it go; the WM_MDIDESTROY that follows finds nothing.
  Send(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(child));
  EXPECT_EQ(InstanceOf(child), nullptr);
  EXPECT_EQ(SubclassedCount(), 2u);
  ::DestroyMenu(menu);
  ::DestroyWindow(frame);
}

HFONT CurrentFont(HDC dc) { return static_cast<HFONT>(::GetCurrentObject(dc, OBJ_FONT)); }

LOGFONTW Describe(HFONT font) {
  LOGFONTW lf{};
  ::GetObjectW(font, sizeof lf, &lf);
  return lf;
}

class MenuFonts : public ::testing::Test {
 protected:
  void SetUp() override { CreateMenuFonts(true, false, L""); }
  void TearDown() override {
    CreateMenuFonts(false, false, L"");
    SetItalicText(false);
    MenuFontName.clear();
    MenuFontSize = 0;
    ::DeleteDC(dc);
  }
  HDC dc = ::CreateCompatibleDC(nullptr);
};

TEST_F(MenuFonts, NestedSelectionsGiveTheDcItsFontBackAndAFontInUseIsFreedOnceReleased) {
  HFONT own = CurrentFont(dc), text = MenuFont(1);
  {
    ScopedMenuFont outer(dc, 1);
    {
      ScopedMenuFont inner(dc, 2);
      inner.Select(3);
      inner.Select(0);  // no such slot: nothing changes
      EXPECT_EQ(CurrentFont(dc), MenuFont(3));
    }
    EXPECT_EQ(CurrentFont(dc), text);
    CreateMenuFonts(false, false, L"");
    EXPECT_EQ(MenuFont(1), nullptr);
    EXPECT_EQ(::GetObjectType(text), static_cast<DWORD>(OBJ_FONT));  // still selected
  }
  EXPECT_EQ(CurrentFont(dc), own);
  EXPECT_EQ(::GetObjectType(text), 0u);
  ScopedMenuFont none(nullptr, 1);  // no DC: nothing to do
}

TEST_F(MenuFonts, SizesFollowTheMenuFontAndLongFacesAreCut) {
  MenuFontName = L"Tahoma";  // a preset face, no size: the system's size
  CreateMenuFonts(true, false, L"");
  ASSERT_GT(MenuFontSize, 0.f);
  EXPECT_EQ(std::wstring(Describe(MenuFont(1)).lfFaceName), L"Tahoma");
  EXPECT_LT(Describe(MenuFont(3)).lfHeight, 0);
  EXPECT_GE(Describe(MenuFont(1)).lfHeight, -100);
  // The small font is 0.8 of the size, or half a point less below 7.5 points.
  struct Case { float points; LONG text, small; };
  for (Case c : {Case{7.92f, -11, -10}, Case{12, -16, -13}}) {
    HFONT replaced = MenuFont(1);
    MenuFontSize = c.points;
    CreateMenuFonts(true, false, L"");
    EXPECT_EQ(::GetObjectType(replaced), 0u);  // made again: the old one is gone
    EXPECT_EQ(Describe(MenuFont(1)).lfHeight, c.text) << c.points;
    EXPECT_EQ(Describe(MenuFont(3)).lfHeight, c.small) << c.points;
  }
  const std::wstring face(60, L'x');
  CreateMenuFonts(true, false, face);
  EXPECT_EQ(std::wstring(Describe(MenuFont(6)).lfFaceName), face.substr(0, LF_FACESIZE - 1));
  EXPECT_TRUE(Describe(MenuFont(7)).lfItalic);
}

TEST_F(MenuFonts, TheItalicPairIsMadeOnceAndAgainAfterTheLastWindowWent) {
  SetItalicText(true);
  HFONT italic = MenuFont(4);
  ASSERT_NE(italic, nullptr);
  SetItalicText(true);
  EXPECT_EQ(MenuFont(4), italic);
  {
    TestWindow w;
    SubclassForm(w.hwnd(), nullptr, nullptr, 0);
  }
  EXPECT_FALSE(MenuFontsMade());
  TestWindow w;
  SubclassForm(w.hwnd(), nullptr, nullptr, 0);
  EXPECT_NE(MenuFont(4), nullptr);
}

}  // namespace
}  // namespace menus
