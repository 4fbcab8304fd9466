// The engine between a window and its own procedure: what it passes on,
// what it takes and what it leaves behind; the menu fonts it shares; and the
// engine on real menu loops: generated list menus and side bars on a demo
// form it hooks, and the runtime's own pop-up menus.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "canvas.h"
#include "menu_test_window.h"
#include "menu_testing.h"
#include "menus/gdi_count.h"
#include "menus/lookups.h"
#include "menus/menu_engine.h"
#include "menus/menu_fonts.h"
#include "ui/controls.h"
#include "ui/edit_controls.h"
#include "ui/form.h"
#include "ui/handles.h"
#include "ui/menu.h"
#include "ui/picture.h"
#include "ui/screen.h"
#include "ui/seams.h"

namespace menus {
namespace {

using namespace menus::testing;

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
    OpenLoop(w.hwnd(), menu.get(), [&](HMENU m) {
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
LONG_PTR nextProc = 0;
LRESULT CALLBACK LaterProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_USER + 1) return 77;
  return ::CallWindowProcW(reinterpret_cast<WNDPROC>(nextProc), hwnd, msg, wp, lp);
}

TEST_F(Subclass, AWindowSubclassedAfterTheEngineKeepsItsMessages) {
  TestWindow& w = Hooked();
  nextProc = ::SetWindowLongPtrW(w.hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LaterProc));
  UnsubclassForm(w.hwnd());
  EXPECT_EQ(Send(w.hwnd(), WM_USER + 1), 77);
  Send(w.hwnd(), WM_USER + 2);
  EXPECT_EQ(w.Count(WM_USER + 2), 1);
  // Hooked again while still in the chain: it goes on from where it is.
  SubclassForm(w.hwnd(), nullptr, nullptr, 0);
  Send(w.hwnd(), WM_USER + 2);
  EXPECT_EQ(w.Count(WM_USER + 2), 2);
  ::SetWindowLongPtrW(w.hwnd(), GWLP_WNDPROC, nextProc);
}

TEST_F(Subclass, MessagesGoOnThroughTheProcedureTheInstanceHoldsWhichUnsubclassingPutsBack) {
  TestWindow& w = Hooked();
  cMenuItems& items = *InstanceOf(w.hwnd());
  nextProc = reinterpret_cast<LONG_PTR>(items.hPrevProc());
  EXPECT_EQ(nextProc, ::GetClassLongPtrW(w.hwnd(), GCLP_WNDPROC));  // the window's own
  items.SethPrevProc(LaterProc);
  EXPECT_EQ(Send(w.hwnd(), WM_USER + 1), 77);
  UnsubclassForm(w.hwnd());
  EXPECT_EQ(::GetWindowLongPtrW(w.hwnd(), GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(LaterProc));
  ::SetWindowLongPtrW(w.hwnd(), GWLP_WNDPROC, nextProc);
}

HFONT CurrentFont(HDC dc) { return static_cast<HFONT>(::GetCurrentObject(dc, OBJ_FONT)); }

TEST_F(Subclass, AFontInUseIsFreedOnceReleasedAndTheDcGetsItsOwnBack) {
  Hooked();  // the menu fonts come with the first window
  ui::OwnedMemoryDc memory(::CreateCompatibleDC(nullptr));
  HDC dc = memory.get();
  HFONT own = CurrentFont(dc), text = MenuFont(1);
  {
    ScopedMenuFont font(dc, 1);
    CreateMenuFonts(false, false, L"");
    EXPECT_EQ(MenuFont(1), nullptr);
    EXPECT_EQ(::GetObjectType(text), static_cast<DWORD>(OBJ_FONT));  // still selected
  }
  EXPECT_EQ(CurrentFont(dc), own);
  EXPECT_EQ(::GetObjectType(text), 0u);
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

// An item's place, 240 x 24, in the menu colour.
struct ItemCanvas : Canvas {
  ItemCanvas() : Canvas(240, 24) {
    RECT all{0, 0, 240, 24};
    ::FillRect(Dc(), &all, ::GetSysColorBrush(COLOR_MENU));
  }
  // Pixels of columns [from, to) in another colour.
  int Inked(int from, int to) const {
    int n = 0;
    for (int x = from; x < to; ++x)
      for (int y = 0; y < 24; ++y) n += At(x, y) != ::GetSysColor(COLOR_MENU);
    return n;
  }
};

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
    // A list named on an item with a sub-menu of its own: the sub-menu stays.
    ::AppendMenuW(root, MF_POPUP, reinterpret_cast<UINT_PTR>(bar), L"Barre{lvStates:TX}");
    ::AppendMenuW(root, MF_STRING, 13, L"Couleurs{lvColors:|TIP:choisir}");
    extra = ::CreatePopupMenu();
    for (const wchar_t* e : {L"-Titre{RAISED}", L"-", L"C:{gControl:1|LDrv:C:\\}", L"Z:{gControl:1|LDrv:Z:\\windows}",
                             L"Face{gControl:1|LFont:DejaVu Sans Mono|LState:Police WWW}",
                             L"Face{gControl:1|LFont:DejaVu Serif Condensed|LState:Police WWW}",
                             L"C:{gControl:1|LDrv:C:\\|TIP:Removable Media}"})
      ::AppendMenuW(extra, MF_STRING, e[0] == L'-' ? 0 : 40 + ::GetMenuItemCount(extra), e);
    ::AppendMenuW(root, MF_POPUP, reinterpret_cast<UINT_PTR>(extra), L"Divers");
    files = ::CreateWindowW(L"LISTBOX", L"", WS_CHILD | LBS_NOTIFY, 5, 90, 120, 80, form.hwnd(), nullptr, nullptr, nullptr);
    for (const wchar_t* e : {L"C:\\windows\\win.ini", L"C:\\windows\\system.ini"})
      ::SendMessageW(files, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e));
    ::AppendMenuW(root, MF_STRING, 14, (L"Fichiers{LB:" + HandleText(files) + L"|Files:-1}").c_str());
  }
  void TearDown() override {
    ::DestroyMenu(root);  // with its sub-menus
    form.Destroy();
    EXPECT_EQ(SubclassedCount(), 0u);
  }
  // A real menu loop; the choice goes to the form as WM_COMMAND.
  void Track(std::vector<WORD> keys) {
    {
      MenuTypist typist(form.hwnd(), std::move(keys));
      ::TrackPopupMenu(root, TPM_LEFTALIGN, 80, 80, 0, form.hwnd(), nullptr);
    }
    for (MSG msg; ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) ::DispatchMessageW(&msg);
  }
  const tolvane::MenuItemRec* Record(HMENU menu, int position) {
    cMenuItems& items = *InstanceOf(form.hwnd());
    cMenuItems* owner = items.Generated(menu) ? items.Generated(menu) : &items;
    const UINT id = ::GetMenuItemID(menu, position);
    return id ? owner->Store().FindItem(id, HandleOf(menu)) : owner->Store().FindItemAt(HandleOf(menu), position);
  }
  bool Draw(const Canvas& canvas, HMENU menu, int position, UINT action = ODA_DRAWENTIRE, UINT state = 0) {
    return DrawItem(form.hwnd(), canvas.Dc(), menu, position, {0, 0}, state, action, 240);
  }
  TestWindow form{nullptr, true};
  TipsLog tips;
  HWND list = nullptr, files = nullptr;
  HMENU root = nullptr, bar = nullptr, extra = nullptr;
};

// A sub-menu mirrors the list box and selects in it; the built-in lists'
// choices reach the event object.
TEST_F(Demo, ChoicesOfTheGeneratedLists) {
  Track({VK_DOWN, VK_RIGHT, VK_DOWN, VK_DOWN, VK_RETURN});
  EXPECT_EQ(::SendMessageW(list, LB_GETCURSEL, 0, 0), 2);
  HMENU entries = ::GetSubMenu(root, 0);
  ASSERT_TRUE(entries);
  EXPECT_EQ(::GetMenuItemCount(entries), 3);
  EXPECT_TRUE(::GetMenuState(entries, 1, MF_BYPOSITION) & MF_CHECKED);  // the selection when it opened
  Track({VK_DOWN, VK_DOWN, VK_RIGHT, VK_RETURN});
  Track({VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_RETURN});  // the first header is passed by
  EXPECT_EQ(tips.choices, (std::vector<std::wstring>{L"st/State/AL", L"m/Month/10"}));
  EXPECT_TRUE(::GetMenuState(::GetSubMenu(root, 1), 32456, MF_BYCOMMAND) & MF_CHECKED);  // Texas
  // The menus' own commands are taken by the engine: the form hears only of the list box.
  ASSERT_EQ(form.Count(WM_COMMAND), 1);
  const MSG& command =
      *std::find_if(form.Log().begin(), form.Log().end(), [](const MSG& m) { return m.message == WM_COMMAND; });
  EXPECT_EQ(command.wParam, MAKEWPARAM(0x8200, LBN_SELCHANGE));
  EXPECT_EQ(command.lParam, reinterpret_cast<LPARAM>(list));
}

TEST_F(Demo, OpeningsKeepTheCountsSteady) {
  // Every list drawn too: faces, file icons and drive pictures are made as drawn.
  ItemCanvas c;
  int round = 0;
  auto openAndDraw = [&] {
    const bool draw = round++ % 10 == 0;
    OpenLoop(form.hwnd(), root, [&](HMENU m) {
      for (int p = 0; draw && p < ::GetMenuItemCount(m); ++p) Draw(c, m, p, ODA_DRAWENTIRE, p % 2 ? ODS_SELECTED : 0);
    });
    // A pop-up its caller makes for one opening and then destroys.
    HMENU once = ::CreatePopupMenu();
    ::AppendMenuW(once, MF_STRING, 1, L"Couleurs{lvColors:}");
    OpenLoop(form.hwnd(), once);
    ::DestroyMenu(once);
  };
  cMenuItems& items = *InstanceOf(form.hwnd());
  // The side bar measured alike at every opening, and drawn again only for a new column.
  auto sideBar = [&] {
    const MEASUREITEMSTRUCT m = MeasureItem(form.hwnd(), bar, 0);
    const tolvane::MenuPanelRec* panel = items.Store().FindPanel(HandleOf(bar));
    return std::tuple(m.itemWidth, m.itemHeight, panel ? panel->SideBarBitmap : 0);
  };
  openAndDraw();
  const auto firstBar = sideBar();
  ASSERT_NE(std::get<2>(firstBar), 0u);
  const long held = GdiObjectsHeld();
  const std::size_t popups = items.Store().PopupCount(), generated = items.GeneratedCount();
  HMENU first = ::GetSubMenu(root, 0);
  for (int i = 0; i < 1000; ++i) openAndDraw();
  EXPECT_EQ(GdiObjectsHeld(), held);
  EXPECT_EQ(items.Store().PopupCount(), popups);
  EXPECT_EQ(items.GeneratedCount(), generated);
  EXPECT_EQ(sideBar(), firstBar);
  EXPECT_TRUE(::GetSubMenu(root, 0) == first || !::IsMenu(first));
  EXPECT_EQ(::GetSubMenu(root, 3), bar);
}

TEST_F(Demo, GeneratedEntriesShowTheirLabelsFacesIconsSwatchesAndTips) {
  // The item that opens a list is named by its sub-menu when selected.
  OpenLoop(form.hwnd(), root, [&](HMENU m) {
    if (m == root) ::SendMessageW(form.hwnd(), WM_MENUSELECT, MAKEWPARAM(4, MF_POPUP), reinterpret_cast<LPARAM>(root));
  });
  EXPECT_EQ(tips.tips.end()[-2], L"choisir");  // before the loop's end clears it
  // A list's instance passes on as its window's does.
  cMenuItems& items = *InstanceOf(form.hwnd());
  ASSERT_TRUE(items.Generated(::GetSubMenu(root, 4)));
  EXPECT_EQ(items.Generated(::GetSubMenu(root, 4))->hPrevProc(), items.hPrevProc());
  // Drives: their label, if any, after their name; their root's picture.
  for (int p : {2, 3}) {
    const std::wstring root = p == 2 ? L"C:\\" : L"Z:\\";
    wchar_t label[MAX_PATH + 1] = {};
    ::GetVolumeInformationW(root.c_str(), label, MAX_PATH, nullptr, nullptr, nullptr, nullptr, 0);
    ASSERT_TRUE(Record(extra, p));
    EXPECT_EQ(Record(extra, p)->Text, root.substr(0, 2) + (*label ? L" " + std::wstring(label) : L""));
    EXPECT_EQ(Record(extra, p)->Image, root);
    ItemCanvas c;
    Draw(c, extra, p);
    EXPECT_GT(c.Inked(2, 18), 20) << p;
  }
  EXPECT_EQ(Record(extra, 6)->Text, L"C: Removable");  // its medium is not asked for
  // Fonts: the same entry but for its face, measured and drawn in that face.
  EXPECT_NE(MeasureItem(form.hwnd(), extra, 4).itemWidth, MeasureItem(form.hwnd(), extra, 5).itemWidth);
  ItemCanvas a, b;
  Draw(a, extra, 4);
  Draw(b, extra, 5);
  EXPECT_NE(a.Inked(120, 240), b.Inked(120, 240));
  // Files: the shell's icon of each program in the icon column.
  HMENU programs = ::GetSubMenu(root, 6);
  ASSERT_TRUE(programs);
  ASSERT_EQ(::GetMenuItemCount(programs), 2);
  ItemCanvas f;
  Draw(f, programs, 0);
  EXPECT_GT(f.Inked(2, 18), 20);
  // A caption bar and a plain separator keep a record each.
  ASSERT_TRUE(Record(extra, 0));
  EXPECT_EQ(Record(extra, 0)->Text, L"Titre");
  EXPECT_GT(MeasureItem(form.hwnd(), extra, 0).itemHeight, MeasureItem(form.hwnd(), extra, 1).itemHeight);
  // A colour entry's swatch outlives the highlight.
  HMENU colours = ::GetSubMenu(root, 4);
  ASSERT_TRUE(colours);
  ItemCanvas c;
  Draw(c, colours, 0);
  const COLORREF swatch = c.At(240 - 20, 10);
  Draw(c, colours, 0, ODA_SELECT, ODS_SELECTED);  // the keyboard passes over it
  Draw(c, colours, 0, ODA_SELECT, 0);
  EXPECT_EQ(c.At(240 - 20, 10), swatch);
  EXPECT_NE(swatch, ::GetSysColor(COLOR_MENU));
}

TEST_F(Demo, RestoredItemsFindTheirOwnRecordsAfterAnInsertAndADelete) {
  HMENU m = ::CreatePopupMenu();
  ::AppendMenuW(m, MF_STRING, 5, L"A{IMG:i1}");
  ::AppendMenuW(m, MF_STRING, 0, L"Info");
  ::AppendMenuW(m, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(m, MF_STRING | MF_GRAYED | MF_CHECKED, 6, L"B");
  for (UINT id : {7u, 8u, 9u}) {  // items come and go at the top, each leaving a record there
    ::InsertMenuW(m, 0, MF_BYPOSITION | MF_STRING, id, L"C");
    OpenLoop(form.hwnd(), m);
    ::DeleteMenu(m, id, MF_BYCOMMAND);
  }
  ASSERT_TRUE(GetAssociatedIcon(L"C:\\windows\\notepad.exe"));
  RestoreOnExit = true;
  form.Destroy();
  RestoreOnExit = false;
  EXPECT_FALSE(GetAssociatedIcon(std::wstring(400, L'x')));  // the drive icon went with the last window
  EXPECT_EQ(MenuText(m, 0) + L"|" + MenuText(m, 1) + L"|" + MenuText(m, 3), L"A{IMG:i1}|Info|B");
  EXPECT_EQ(::GetMenuItemID(m, 0), 5u);
  EXPECT_EQ(::GetMenuState(m, 0, MF_BYPOSITION) & MF_OWNERDRAW, 0u);
  EXPECT_EQ(::GetMenuState(m, 2, MF_BYPOSITION) & (MF_SEPARATOR | MF_OWNERDRAW), UINT{MF_SEPARATOR});
  EXPECT_EQ(::GetMenuState(m, 3, MF_BYPOSITION) & (MF_GRAYED | MF_CHECKED | MF_OWNERDRAW), UINT{MF_GRAYED | MF_CHECKED});
  ::DestroyMenu(m);
}

// A pop-up kept between openings: a captioned item of ID 0 and a plain
// separator below it move up when an item above them goes. Each keeps its
// own size, picture and caption: none passes to the item now at its place.
TEST_F(Demo, ItemsOfID0KeepTheirOwnRecordsWhenAnItemAboveThemGoes) {
  auto look = [&](HMENU m, int position) {
    ItemCanvas c;
    Draw(c, m, position);
    const MEASUREITEMSTRUCT size = MeasureItem(form.hwnd(), m, position);
    return std::tuple(size.itemWidth, size.itemHeight, c.Inked(0, 240));
  };
  const std::vector<std::wstring> captions{L"Info", L"-Titre{RAISED}"};
  std::vector<HMENU> menus;
  for (const std::wstring& caption : captions) {
    HMENU m = menus.emplace_back(::CreatePopupMenu());
    ::AppendMenuW(m, MF_STRING, 5, L"A");
    ::AppendMenuW(m, MF_STRING, 0, caption.c_str());
    ::AppendMenuW(m, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(m, MF_STRING, 6, L"B");
    OpenLoop(form.hwnd(), m);
    const auto captioned = look(m, 1), separator = look(m, 2);
    ::DeleteMenu(m, 5, MF_BYCOMMAND);
    OpenLoop(form.hwnd(), m);
    EXPECT_EQ(look(m, 0), captioned) << caption;
    EXPECT_EQ(look(m, 1), separator) << caption;
  }
  RestoreOnExit = true;
  form.Destroy();
  RestoreOnExit = false;
  for (std::size_t i = 0; i < menus.size(); ++i) {
    EXPECT_EQ(MenuText(menus[i], 0) + L"|" + MenuText(menus[i], 1), captions[i] + L"|");
    EXPECT_EQ(::GetMenuState(menus[i], 1, MF_BYPOSITION) & (MF_SEPARATOR | MF_OWNERDRAW), UINT{MF_SEPARATOR});
    ::DestroyMenu(menus[i]);
  }
}

// A form of the forms runtime whose controls the menus name.
class Named final : public ui::Form {
 public:
  Named() : ui::Form(L"Nomme") {}
  ui::Panel logo;
  ui::ListBox names;

 protected:
  void Design() override {
    ui::Design d;
    d.name = L"Logo";
    d.width = d.height = 240;
    d.picture = SolidBitmap(RGB(1, 2, 3));
    logo.Create(*this, d);
    d = {};
    d.name = L"Noms";
    d.top = 300;
    d.width = d.height = 1200;
    names.Create(*this, d);
  }
};

// Stands in for the menu loop as OpenLoop does, drawing each pop-up's items as
// it opens and keeping the record of each item drawn.
class LoopDesktop final : public ui::Desktop {
 public:
  LoopDesktop() { previous_ = ui::SetDesktop(this); }
  ~LoopDesktop() override { ui::SetDesktop(previous_); }
  int Message(HWND, std::wstring_view, std::wstring_view, UINT) override { return IDOK; }
  INT_PTR Open(HWND, std::wstring_view) override { return 42; }
  POINT CursorPos() override { return {}; }
  SIZE ScreenSize() override { return {1280, 800}; }
  bool TrayIcon(DWORD, NOTIFYICONDATAW&) override { return true; }
  std::optional<std::wstring> ChooseFile(HWND, std::wstring_view) override { return std::nullopt; }
  std::optional<COLORREF> ChooseColour(HWND, COLORREF) override { return std::nullopt; }
  std::vector<std::wstring> ScreenFonts() override { return {}; }
  bool ShowDesktopWindow(bool) override { return false; }
  int TrackMenu(HMENU menu, HWND owner, POINT) override {
    OpenLoop(owner, menu, [&](HMENU m) {
      for (int i = 0; i < ::GetMenuItemCount(m); ++i)
        if (DrawItem(owner, canvas_.Dc(), m, i)) drawn.push_back(CurrentItem);
    });
    return 0;
  }
  std::vector<tolvane::MenuItemRec> drawn;

 private:
  Canvas canvas_{206, 30};
  ui::Desktop* previous_;
};

// The group menu shows names as typed; pictures and lists are found by their
// control's name; each pop-up is prepared once per loop.
TEST(MenuLoop, RuntimePopups) {
  Named holder;
  holder.Load();
  holder.names.AddItem(L"Un");
  holder.names.AddItem(L"Deux");
  SubclassForm(holder.hwnd(), nullptr, nullptr, 0);
  ui::MenuItem menu;
  ui::MenuItem& groups = menu.Add(L"SelGroupe", L"Groupe de programmes");
  const std::vector<std::wstring> names{L"R&D", L"-Jeux", L"a{b}c", L"un\tdeux", L"x{IMG:i3}", L""};
  for (const std::wstring& name : names) {
    ui::MenuItem& item = groups.Add(L"Groupe", name);
    item.Literal = true;
    item.Tags = L"{IMG:logo}";
  }
  menu.Add(L"I1", L"-");
  menu.Add(L"Voir", L"Voir{IMG:logo}");
  menu.Add(L"Noms", L"Noms{LB:Noms}");
  cMenuItems& items = *InstanceOf(holder.hwnd());
  const std::size_t popups = items.Store().PopupCount();  // the system menu's
  const int prepared = items.Preparations();
  LoopDesktop desktop;
  ui::PopupMenu(holder.hwnd(), menu);
  // Names as typed: every "&" shown, no separator, no mark-up, tabs as
  // blanks; each with the program's picture. The sub-menus open after their parent.
  const std::vector<std::wstring> shown{L"R&&D", L"-Jeux", L"a{b}c", L"un deux", L"x{IMG:i3}", L""};
  const std::size_t perLoop = 4 + 2 * names.size() + 2 * 2;
  ASSERT_EQ(desktop.drawn.size(), perLoop);
  EXPECT_TRUE(desktop.drawn[1].Flags & tolvane::kItemSeparator);
  const std::wstring logo = HandleText(holder.logo.GetPicture()->Bitmap());
  EXPECT_EQ(desktop.drawn[2].Image, logo);
  EXPECT_EQ(desktop.drawn.back().Text, L"Deux");
  for (std::size_t i = 0; i < names.size(); ++i) {
    const tolvane::MenuItemRec& rec = desktop.drawn[i + 4];
    EXPECT_EQ(rec.Text, shown[i]);
    EXPECT_EQ(rec.Flags & tolvane::kItemSeparator, 0u) << i;
    EXPECT_EQ(rec.Image, logo);
  }
  const long held = GdiObjectsHeld();
  for (int i = 0; i < 1000; ++i) ui::PopupMenu(holder.hwnd(), menu);
  EXPECT_EQ(desktop.drawn.size(), 1001 * perLoop);
  // Once per loop each, a recycled handle afresh.
  EXPECT_EQ(items.Preparations() - prepared, 2 * 1001);
  EXPECT_EQ(items.Store().PopupCount(), popups);
  EXPECT_EQ(items.Store().ItemCount(), 0u);
  EXPECT_EQ(items.GeneratedCount(), 0u);
  EXPECT_EQ(GdiObjectsHeld(), held);
  holder.Unload();
  EXPECT_EQ(SubclassedCount(), 0u);
  EXPECT_EQ(GdiObjectsHeld(), 0);
}

}  // namespace
}  // namespace menus
