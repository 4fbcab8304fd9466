// The engine between a window and its own procedure: what it passes on,
// what it takes and what it leaves behind; and the menu fonts it shares.
#include <gtest/gtest.h>

#include <windows.h>

#include <future>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "menu_test_window.h"
#include "menu_testing.h"
#include "menus/menu_engine.h"
#include "menus/menu_fonts.h"
#include "ui/handles.h"
#include "ui/screen.h"

namespace menus {
namespace {

using testing::TestWindow;
using testing::TipsLog;

LRESULT Send(HWND w, UINT msg, WPARAM wp = 0, LPARAM lp = 0) { return ::SendMessageW(w, msg, wp, lp); }
WPARAM W(HMENU m) { return reinterpret_cast<WPARAM>(m); }

// Every test leaves no window hooked and the shared fonts freed.
class Subclass : public ::testing::Test {
 protected:
  void TearDown() override {
    windows_.clear();
    SetItalicText(false);
    EXPECT_EQ(SubclassedCount(), 0u);
    EXPECT_FALSE(MenuFontsMade());
  }
  TestWindow& Make(HWND parent = nullptr) { return *windows_.emplace_back(std::make_unique<TestWindow>(parent)); }
  TestWindow& Hooked(cTips* tips = nullptr) {
    TestWindow& w = Make();
    SubclassForm(w.hwnd(), nullptr, tips, 0);
    return w;
  }
  std::vector<std::unique_ptr<TestWindow>> windows_;
};

TEST_F(Subclass, AWindowThatCannotBeHookedIsSaidSoAndLeftAsItWas) {
  // Another thread's window: its system menu, made owner-drawn before the
  // hook is tried, must be put back.
  std::promise<HWND> made;
  std::promise<void> done;
  std::thread owner([&] {
    made.set_value(::CreateWindowW(L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr));
    done.get_future().wait();
  });
  HWND other = made.get_future().get();
  EXPECT_FALSE(SubclassForm(other, nullptr, nullptr, 0));
  MENUITEMINFOW info{sizeof info, MIIM_FTYPE};
  ::GetMenuItemInfoW(::GetSystemMenu(other, FALSE), 0, TRUE, &info);
  EXPECT_EQ(info.fType & MFT_OWNERDRAW, 0u);
  done.set_value();
  owner.join();
}

TEST_F(Subclass, MessagesReachTheWindowsOwnProcedureOnce) {
  TestWindow& w = Hooked();
  SubclassForm(w.hwnd(), nullptr, nullptr, 0);  // a second time hooks nothing more
  HWND control = Make(w.hwnd()).hwnd();
  MINMAXINFO info{};
  struct Case { UINT msg; WPARAM wp; LPARAM lp; };
  for (Case c : {Case{WM_KEYDOWN, 'A', 1}, Case{WM_SYSKEYUP, VK_MENU, 1}, Case{WM_USER + 7, 1, 2},
                 Case{WM_COMMAND, MAKEWPARAM(12, BN_CLICKED), reinterpret_cast<LPARAM>(control)},
                 Case{WM_COMMAND, MAKEWPARAM(40001, 1), 0},   // an accelerator
                 Case{WM_COMMAND, MAKEWPARAM(0x9001, 0), 0},  // a menu item no list owns
                 Case{WM_INITMENUPOPUP, 0, 0}, Case{WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info)}}) {
    const std::size_t before = w.Log().size();
    Send(w.hwnd(), c.msg, c.wp, c.lp);
    ASSERT_EQ(w.Log().size(), before + 1) << std::hex << c.msg;
    const MSG& got = w.Log().back();
    EXPECT_TRUE(got.message == c.msg && got.wParam == c.wp && got.lParam == c.lp) << c.msg;
  }
}

TEST_F(Subclass, ASlowPopupShowsTheHourglassUntilTheMenuIdles) {
  TestWindow& w = Hooked();
  Send(w.hwnd(), WM_EXITMENULOOP);  // an end without a beginning leaves the pointer alone
  EXPECT_EQ(ui::MousePointer(), ui::kDefaultPointer);
  cMenuItems& items = *InstanceOf(w.hwnd());
  ui::OwnedMenu slow(::CreatePopupMenu()), other(::CreatePopupMenu());
  items.Store().PutPanel(HandleOf(other.get())).HasImages = true;
  items.InitializeSubMenu(w.hwnd(), nullptr, nullptr, true, slow.get());
  ASSERT_NE(items.Store().FindPanel(HandleOf(other.get())), nullptr);  // the others stay
  EXPECT_TRUE(items.Store().FindPanel(HandleOf(other.get()))->HasImages);

  Send(w.hwnd(), WM_ENTERMENULOOP);
  Send(w.hwnd(), WM_INITMENUPOPUP, W(slow.get()));
  EXPECT_EQ(ui::MousePointer(), ui::kHourglass);
  Send(w.hwnd(), WM_ENTERIDLE, MSGF_MENU);
  EXPECT_EQ(ui::MousePointer(), ui::kDefaultPointer);
  Send(w.hwnd(), WM_INITMENUPOPUP, W(slow.get()));
  Send(w.hwnd(), WM_EXITMENULOOP);
  EXPECT_EQ(ui::MousePointer(), ui::kDefaultPointer);
}

TEST_F(Subclass, TipsAreReportedAndTheEndOfTheLoopAnnounced) {
  TipsLog tips;
  TestWindow& w = Hooked(&tips);
  ui::OwnedMenu menu(::CreatePopupMenu());
  ::AppendMenuW(menu.get(), MF_STRING, 0x8123, L"x{TIP:astuce}");
  auto loop = [&](UINT flags) {
    testing::OpenLoop(w.hwnd(), menu.get(), [&](HMENU m) {
      Send(w.hwnd(), WM_MENUSELECT, MAKEWPARAM(0x8123, flags), reinterpret_cast<LPARAM>(m));
    });
  };
  loop(MF_MOUSESELECT);
  EXPECT_FALSE(KeyboardSelect());
  loop(0);
  EXPECT_TRUE(KeyboardSelect());
  EXPECT_EQ(tips.tips, (std::vector<std::wstring>{L"astuce", L"", L"astuce", L""}));
  EXPECT_EQ(tips.closed, 2);
  ReleaseTips(&tips);  // the client's object is going: the engine no longer calls it
  loop(0);
  EXPECT_EQ(tips.tips.size(), 4u);
  // A second initialisation without an object brings the previous one back.
  cMenuItems& items = *InstanceOf(w.hwnd());
  TipsLog other;
  items.InitializeSubMenu(w.hwnd(), nullptr, &other, true);
  items.InitializeSubMenu(w.hwnd(), nullptr, &tips, true);
  items.InitializeSubMenu(w.hwnd(), nullptr, nullptr, true);
  EXPECT_EQ(items.ShowTips(), &other);
}

// Someone who subclassed after the engine is not cut off when it leaves.
LONG_PTR engineProc = 0;
LRESULT CALLBACK LaterProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_USER + 1) return 77;
  return ::CallWindowProcW(reinterpret_cast<WNDPROC>(engineProc), hwnd, msg, wp, lp);
}

TEST_F(Subclass, AWindowSubclassedAfterTheEngineKeepsItsMessages) {
  TestWindow& w = Hooked();
  engineProc = ::SetWindowLongPtrW(w.hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LaterProc));
  UnsubclassForm(w.hwnd());
  EXPECT_EQ(Send(w.hwnd(), WM_USER + 1), 77);
  Send(w.hwnd(), WM_USER + 2);
  EXPECT_EQ(w.Count(WM_USER + 2), 1);
  ::SetWindowLongPtrW(w.hwnd(), GWLP_WNDPROC, engineProc);
}

HFONT CurrentFont(HDC dc) { return static_cast<HFONT>(::GetCurrentObject(dc, OBJ_FONT)); }

TEST_F(Subclass, NestedFontSelectionsGiveTheDcItsFontBackAndAFontInUseIsFreedOnceReleased) {
  Hooked();  // the menu fonts come with the first window
  ui::OwnedMemoryDc memory(::CreateCompatibleDC(nullptr));
  HDC dc = memory.get();
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

TEST_F(Subclass, FontsStayWhileAWindowIsHookedAndTheItalicPairComesBackWithTheNext) {
  TestWindow& a = Hooked();
  Hooked();
  SetItalicText(true);
  HFONT italic = MenuFont(4);
  ASSERT_NE(italic, nullptr);
  SetItalicText(true);
  EXPECT_EQ(MenuFont(4), italic);  // made once
  a.Destroy();
  EXPECT_EQ(SubclassedCount(), 1u);
  EXPECT_TRUE(MenuFontsMade());
  windows_.clear();
  EXPECT_FALSE(MenuFontsMade());
  Hooked();
  EXPECT_NE(MenuFont(4), nullptr);
}

}  // namespace
}  // namespace menus
