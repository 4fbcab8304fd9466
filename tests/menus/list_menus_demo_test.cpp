// Generated list menus and side bars on a demo form hooked by the engine:
// a list box mirrored in a sub-menu, built-in lists reported through the
// event object, side-bar pop-ups, over real menu loops.
#include <gtest/gtest.h>

#include <windows.h>

#include <future>
#include <string>
#include <thread>
#include <vector>

#include "canvas.h"
#include "menu_test_window.h"
#include "menus/gdi_count.h"
#include "menus/lookups.h"
#include "menus/menu_engine.h"
#include "menus/menu_fonts.h"
#include "ui/controls.h"
#include "ui/edit_controls.h"
#include "ui/form.h"
#include "ui/handles.h"
#include "ui/picture.h"

namespace menus {
namespace {

using testing::MenuTypist;
using testing::TestWindow;

struct Tips : cTips {
  std::vector<std::wstring> seen;
  std::wstring tip;
  void DisplayTip(std::wstring& TipText) override { tip = TipText; }
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

// One menu loop in which `menu` opens, nothing chosen.
void OpenOnce(HWND owner, HMENU menu) {
  ::SendMessageW(owner, WM_ENTERMENULOOP, 0, 0);
  ::SendMessageW(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
  ::SendMessageW(owner, WM_EXITMENULOOP, 0, 0);
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
    ::AppendMenuW(root, MF_STRING, 13, L"Couleurs{lvColors:|TIP:choisir}");
    extra = ::CreatePopupMenu();
    for (const wchar_t* e : {L"-Titre{RAISED}", L"-", L"C:{gControl:1|LDrv:C:\\}", L"Z:{gControl:1|LDrv:Z:\\windows}",
                             L"Mono{gControl:1|LFont:DejaVu Sans Mono|LState:Police WWW}",
                             L"Serif{gControl:1|LFont:DejaVu Serif Condensed|LState:Police WWW}",
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
  cMenuItems& Items() { return *InstanceOf(form.hwnd()); }
  const tolvane::MenuItemRec* Record(HMENU menu, int position) {
    const UINT id = ::GetMenuItemID(menu, position);
    cMenuItems* owner = Items().Generated(menu) ? Items().Generated(menu) : &Items();
    return id ? owner->Store().FindItem(id, HandleOf(menu)) : owner->Store().FindItemAt(HandleOf(menu), position);
  }
  UINT_PTR Data(HMENU menu, int position) {
    MENUITEMINFOW info{sizeof info, MIIM_DATA};
    ::GetMenuItemInfoW(menu, position, TRUE, &info);
    return info.dwItemData;
  }
  MEASUREITEMSTRUCT Measure(HMENU menu, int position) {
    MEASUREITEMSTRUCT m{ODT_MENU, 0, ::GetMenuItemID(menu, position), 0, 0, Data(menu, position)};
    ::SendMessageW(form.hwnd(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&m));
    return m;
  }
  // Draws an item as the system would into `dc`, at the top left, 240 wide.
  void Draw(HDC dc, HMENU menu, int position, UINT action, UINT state) {
    const MEASUREITEMSTRUCT m = Measure(menu, position);
    DRAWITEMSTRUCT d{ODT_MENU, 0, m.itemID, action, state, reinterpret_cast<HWND>(menu), dc,
                     RECT{0, 0, 240, static_cast<LONG>(m.itemHeight)}, Data(menu, position)};
    ::SendMessageW(form.hwnd(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&d));
  }
  TestWindow form{nullptr, true};
  Tips tips;
  HWND list = nullptr, files = nullptr;
  HMENU root = nullptr, bar = nullptr, extra = nullptr;
};

// An item's place, in the menu colour.
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
  // Every list drawn too: faces, file icons and drive pictures are made as drawn.
  ItemCanvas c;
  int round = 0;
  auto openAndDraw = [&] {
    Open();
    if (round++ % 10) return;
    for (int i = 0; i < ::GetMenuItemCount(root); ++i)
      if (HMENU sub = ::GetSubMenu(root, i))
        for (int p = 0; p < ::GetMenuItemCount(sub); ++p) Draw(c.Dc(), sub, p, ODA_DRAWENTIRE, p % 2 ? ODS_SELECTED : 0);
  };
  openAndDraw();
  const long held = GdiObjectsHeld();
  HMENU first = ::GetSubMenu(root, 0);
  for (int i = 0; i < 1000; ++i) openAndDraw();
  EXPECT_EQ(GdiObjectsHeld(), held);
  HMENU now = ::GetSubMenu(root, 0);
  ASSERT_TRUE(now);
  if (now != first) EXPECT_FALSE(::IsMenu(first));
  const cMenuItems* items = InstanceOf(form.hwnd());
  ASSERT_TRUE(items);
  const tolvane::MenuPanelRec* panel = const_cast<cMenuItems*>(items)->Store().FindPanel(HandleOf(bar));
  ASSERT_TRUE(panel);
  EXPECT_NE(panel->SideBarBitmap, 0u);
  const tolvane::HandleValue sideBar = panel->SideBarBitmap;
  Open();
  EXPECT_EQ(panel->SideBarBitmap, sideBar);  // drawn again only for a new column
}

TEST_F(Demo, DriveFontAndFileEntriesShowTheirLabelsFacesAndIcons) {
  Open();
  // Drives: their label after their name, their root's picture.
  for (int p : {2, 3}) {
    const tolvane::MenuItemRec* drive = Record(extra, p);
    ASSERT_TRUE(drive);
    const std::wstring root = p == 2 ? L"C:\\" : L"Z:\\";
    wchar_t label[MAX_PATH + 1] = {};
    ::GetVolumeInformationW(root.c_str(), label, MAX_PATH, nullptr, nullptr, nullptr, nullptr, 0);
    EXPECT_EQ(drive->Text, root.substr(0, 2) + (*label ? L" " + std::wstring(label) : L""));
    EXPECT_EQ(drive->Image, root);
    ItemCanvas c;
    Draw(c.Dc(), extra, p, ODA_DRAWENTIRE, 0);
    EXPECT_GT(c.Inked(2, 18), 20) << p;
  }
  // Fonts: the same right-hand text, measured and drawn in two faces.
  EXPECT_NE(Measure(extra, 4).itemWidth, Measure(extra, 5).itemWidth);
  ItemCanvas a, b;
  Draw(a.Dc(), extra, 4, ODA_DRAWENTIRE, 0);
  Draw(b.Dc(), extra, 5, ODA_DRAWENTIRE, 0);
  EXPECT_NE(a.Inked(120, 240), b.Inked(120, 240));
  // Files: the shell's icon of each program in the icon column.
  HMENU programs = ::GetSubMenu(root, 6);
  ASSERT_TRUE(programs);
  ASSERT_EQ(::GetMenuItemCount(programs), 2);
  ItemCanvas f;
  Draw(f.Dc(), programs, 0, ODA_DRAWENTIRE, 0);
  EXPECT_GT(f.Inked(2, 18), 20);
  EXPECT_EQ(Record(extra, 6)->Text, L"C: Removable");  // its medium is not asked for
  // A caption bar and a plain separator keep a record each.
  ASSERT_TRUE(Record(extra, 0));
  EXPECT_EQ(Record(extra, 0)->Text, L"Titre");
  EXPECT_GT(Measure(extra, 0).itemHeight, Measure(extra, 1).itemHeight);
  EXPECT_EQ(Measure(extra, 1).itemHeight, 6u);
}

TEST_F(Demo, AColourSwatchOutlivesTheHighlightAndAListItemHasItsTip) {
  Open();
  HMENU colours = ::GetSubMenu(root, 4);
  ASSERT_TRUE(colours);
  ItemCanvas c;
  Draw(c.Dc(), colours, 0, ODA_DRAWENTIRE, 0);
  const COLORREF swatch = c.At(240 - 20, 10);
  Draw(c.Dc(), colours, 0, ODA_SELECT, ODS_SELECTED);  // the keyboard passes over it
  Draw(c.Dc(), colours, 0, ODA_SELECT, 0);
  EXPECT_EQ(c.At(240 - 20, 10), swatch);
  EXPECT_NE(swatch, ::GetSysColor(COLOR_MENU));
  // The item that opens the list is named by its sub-menu when selected.
  ::SendMessageW(form.hwnd(), WM_ENTERMENULOOP, 0, 0);
  ::SendMessageW(form.hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(root), 0);
  ::SendMessageW(form.hwnd(), WM_MENUSELECT, MAKEWPARAM(4, MF_POPUP), reinterpret_cast<LPARAM>(root));
  EXPECT_EQ(tips.tip, L"choisir");
  ::SendMessageW(form.hwnd(), WM_EXITMENULOOP, 0, 0);
}

TEST_F(Demo, RestoredItemsFindTheirOwnRecordsAfterAnInsertAndADelete) {
  HMENU m = ::CreatePopupMenu();
  ::AppendMenuW(m, MF_STRING, 5, L"A");
  ::AppendMenuW(m, MF_STRING, 6, L"B");
  for (UINT id : {7u, 8u, 9u}) {  // items come and go at the top, each leaving a record there
    OpenOnce(form.hwnd(), m);
    ::InsertMenuW(m, 0, MF_BYPOSITION | MF_STRING, id, L"C");
    OpenOnce(form.hwnd(), m);
    ::DeleteMenu(m, id, MF_BYCOMMAND);
  }
  OpenOnce(form.hwnd(), m);
  ASSERT_TRUE(GetAssociatedIcon(L"C:\\windows\\notepad.exe"));
  RestoreOnExit = true;
  form.Destroy();
  RestoreOnExit = false;
  EXPECT_FALSE(GetAssociatedIcon(std::wstring(400, L'x')));  // the drive icon went with the last window
  wchar_t text[8] = {};
  ::GetMenuStringW(m, 0, text, 8, MF_BYPOSITION);
  EXPECT_EQ(std::wstring(text) + std::to_wstring(::GetMenuItemID(m, 0)), L"A5");
  ::DestroyMenu(m);
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

TEST(DemoNames, PicturesAndListsAreFoundByControlName) {
  Named f;
  f.Load();
  f.names.AddItem(L"Un");
  f.names.AddItem(L"Deux");
  ASSERT_TRUE(SubclassForm(f.hwnd(), nullptr, nullptr, 0));
  HMENU m = ::CreatePopupMenu();
  ::AppendMenuW(m, MF_STRING, 1, L"Voir{IMG:logo}");
  ::AppendMenuW(m, MF_STRING, 2, L"Noms{LB:Noms}");
  ::AppendMenuW(m, MF_STRING, 3, L"Rien{IMG:Absent}");
  OpenOnce(f.hwnd(), m);
  tolvane::MenuStore& store = InstanceOf(f.hwnd())->Store();
  EXPECT_EQ(store.FindItem(1, HandleOf(m))->Image, std::to_wstring(HandleOf(f.logo.GetPicture()->Bitmap())));
  EXPECT_EQ(store.FindItem(3, HandleOf(m))->Image, L"");
  HMENU sub = ::GetSubMenu(m, 1);
  ASSERT_TRUE(sub);
  EXPECT_EQ(::GetMenuItemCount(sub), 2);
  ::DestroyMenu(m);
  f.Unload();
  EXPECT_EQ(SubclassedCount(), 0u);
}

TEST(DemoNames, AWindowThatCannotBeHookedIsSaidSoAndLeftAsItWas) {
  // A window of another thread: its system menu is made owner-drawn before
  // the hook is tried, and must be put back.
  std::promise<HWND> made;
  std::promise<void> done;
  std::thread owner([&] {
    made.set_value(::CreateWindowW(L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr));
    done.get_future().wait();
  });
  HWND other = made.get_future().get();
  EXPECT_FALSE(SubclassForm(other, nullptr, nullptr, 0));
  EXPECT_EQ(SubclassedCount(), 0u);
  EXPECT_FALSE(MenuFontsMade());
  MENUITEMINFOW info{sizeof info, MIIM_FTYPE};
  ::GetMenuItemInfoW(::GetSystemMenu(other, FALSE), 0, TRUE, &info);
  EXPECT_EQ(info.fType & MFT_OWNERDRAW, 0u);
  done.set_value();
  owner.join();
}

}  // namespace
}  // namespace menus
