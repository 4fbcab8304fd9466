// Prepared pop-ups measured and drawn: records read back, and items drawn
// into a 32-bit memory bitmap through a built DRAWITEMSTRUCT, their pixels
// read back. Items are drawn at (0, 0) and at (3, 3), where Wine puts them.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "canvas.h"
#include "core/menu_store.h"
#include "dc_state.h"
#include "menus/gdi_count.h"
#include "menus/menu_draw.h"
#include "menus/menu_engine.h"
#include "menus/menu_fonts.h"
#include "menus/menu_images.h"
#include "ui/image_list.h"

namespace menus {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr int kItemWidth = 200;

// A 16 x 16 picture: a red square (columns and rows 4 to 11) on magenta.
COLORREF SquareAt(int x, int y) { return x >= 4 && x < 12 && y >= 4 && y < 12 ? kRed : kMagenta; }

ui::OwnedBitmap Pictures(int count) {
  void* bits = nullptr;
  ui::OwnedBitmap strip = ui::CreateDib(16 * count, 16, 32, &bits);
  auto* pixels = static_cast<std::uint32_t*>(bits);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16 * count; ++x) {
      const COLORREF c = SquareAt(x % 16, y);
      pixels[y * 16 * count + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
  return strip;
}

// The same picture as a bitmap of the screen's format, as resources load.
ui::OwnedBitmap AsDeviceBitmap(HBITMAP dib) {
  HDC screen = ::GetDC(nullptr);
  ui::OwnedBitmap ddb(::CreateCompatibleBitmap(screen, 16, 16));
  HDC from = ::CreateCompatibleDC(screen), to = ::CreateCompatibleDC(screen);
  ::ReleaseDC(nullptr, screen);
  HGDIOBJ oldFrom = ::SelectObject(from, dib), oldTo = ::SelectObject(to, ddb.get());
  ::BitBlt(to, 0, 0, 16, 16, from, 0, 0, SRCCOPY);
  ::SelectObject(from, oldFrom);
  ::SelectObject(to, oldTo);
  ::DeleteDC(from);
  ::DeleteDC(to);
  return ddb;
}

void Fill(const Canvas& canvas, COLORREF colour) {
  RECT r{0, 0, 4096, 4096};
  ui::OwnedBrush brush(::CreateSolidBrush(colour));
  ::FillRect(canvas.Dc(), &r, brush.get());
}

std::wstring Hex(HBITMAP h) {
  wchar_t text[32];
  swprintf(text, 32, L"&H%llX", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(h)));
  return text;
}

bool Near(COLORREF a, COLORREF b, int tolerance = 12) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

class MenuItems : public ::testing::Test {
 protected:
  void SetUp() override {
    holder_ = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ui::OwnedBitmap strip = Pictures(9);
    list_.LoadStrip(strip.get(), 16, kMagenta);
    SetGradientHighlight(true);
    SetIconShadow(true);
    SetHighlightDisabled(true);
    SubclassForm(holder_, &list_, nullptr, 0);
    items_ = InstanceOf(holder_);
    ASSERT_NE(items_, nullptr);
  }
  void TearDown() override {
    for (HMENU m : menus_) ::DestroyMenu(m);
    ::DestroyWindow(holder_);
    EXPECT_EQ(MenuPicturesHeld(), 0u);
    SetHighlightDisabled(false);
  }

  // A pop-up of `captions` ("-" a separator), prepared.
  HMENU Prepared(const std::vector<std::wstring>& captions) {
    HMENU menu = ::CreatePopupMenu();
    menus_.push_back(menu);
    UINT id = 100;
    for (const std::wstring& c : captions) {
      if (c == L"-") ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      else ::AppendMenuW(menu, MF_STRING, id++, c.c_str());
    }
    items_->IsWindowList(menu, false);
    return menu;
  }
  const tolvane::MenuItemRec& Rec(HMENU menu, int position) {
    const tolvane::MenuItemRec* rec = items_->Store().FindItemAt(HandleOf(menu), position);
    EXPECT_NE(rec, nullptr);
    static const tolvane::MenuItemRec none;
    return rec ? *rec : none;
  }
  // Draws the item at `position` with its top-left corner at `at`.
  bool Draw(const Canvas& canvas, HMENU menu, int position, POINT at, UINT state = 0,
            UINT action = ODA_DRAWENTIRE) {
    const tolvane::MenuItemRec& rec = Rec(menu, position);
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_MENU;
    dis.itemID = static_cast<UINT>(rec.ID);
    dis.itemAction = action;
    dis.itemState = state;
    dis.hwndItem = reinterpret_cast<HWND>(menu);
    dis.hDC = canvas.Dc();
    dis.rcItem = {at.x, at.y, at.x + kItemWidth, at.y + rec.Height};
    MENUITEMINFOW info{sizeof info, MIIM_DATA};
    ::GetMenuItemInfoW(menu, position, TRUE, &info);
    dis.itemData = info.dwItemData;
    return OnDrawItem(items_, reinterpret_cast<LPARAM>(&dis));
  }
  int TextWidth(const std::wstring& text, int slot = 1) {
    HDC dc = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, MenuFont(slot));
    RECT r{};
    ::DrawTextW(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP);
    ::SelectObject(dc, old);
    ::ReleaseDC(nullptr, dc);
    return r.right;
  }

  HWND holder_ = nullptr;
  ui::ImageList list_;
  cMenuItems* items_ = nullptr;
  std::vector<HMENU> menus_;
};

const POINT kOrigins[] = {{0, 0}, {3, 3}};

TEST_F(MenuItems, ItemsAreMeasuredFromTheirCaptionsAndMadeOwnerDrawnKeepingTheirText) {
  HMENU menu = Prepared({L"Quitter l'application{IMG:i5}", L"-", L"Ouvrir\tCtrl+O"});
  const tolvane::MenuItemRec& quit = Rec(menu, 0);
  EXPECT_EQ(quit.Text, L"Quitter l'application");
  EXPECT_EQ(quit.Height, 22);
  EXPECT_EQ(quit.Width, TextWidth(L"Quitter l'application") + 40);
  EXPECT_EQ(quit.Image, std::to_wstring(reinterpret_cast<UINT_PTR>(list_.Picture(4))));  // image 5, from 1
  const tolvane::MenuItemRec& line = Rec(menu, 1);
  EXPECT_EQ(line.Flags, 6u);
  EXPECT_EQ(line.Height, 6);
  EXPECT_EQ(line.Width, 0);
  EXPECT_EQ(Rec(menu, 2).RightText, L"Ctrl+O");
  // Windows asks the records for the sizes, the right-hand text's column wider.
  MEASUREITEMSTRUCT mis{ODT_MENU, 0, static_cast<UINT>(quit.ID), 0, 0, reinterpret_cast<ULONG_PTR>(menu)};
  ASSERT_TRUE(OnMeasureItem(items_, reinterpret_cast<LPARAM>(&mis)));
  EXPECT_EQ(mis.itemHeight, 22u);
  EXPECT_EQ(static_cast<int>(mis.itemWidth), quit.Width + (GetMenuWidthAdjust() == 0 ? 15 : 0));
  for (int p = 0; p < 3; ++p) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_STATE;
    ASSERT_TRUE(::GetMenuItemInfoW(menu, p, TRUE, &info));
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW) << p;
    if (::GetMenuItemID(menu, p)) EXPECT_EQ(info.dwItemData, reinterpret_cast<ULONG_PTR>(menu)) << p;
  }
  wchar_t text[64] = {};
  ::GetMenuStringW(menu, 0, text, 64, MF_BYPOSITION);
  EXPECT_STREQ(text, L"Quitter l'application{IMG:i5}");
  // A window's own owner-drawn items are not taken.
  MEASUREITEMSTRUCT other{ODT_MENU, 0, 7, 0, 0, 12345};
  EXPECT_FALSE(OnMeasureItem(items_, reinterpret_cast<LPARAM>(&other)));
}

TEST_F(MenuItems, APopupPreparedAgainIsRefreshedInPlace) {
  HMENU menu = Prepared({L"Un{IMG:i1}", L"Deux"});
  const std::size_t records = items_->Store().ItemCount();
  ::ModifyMenuW(menu, 1, MF_BYPOSITION | MF_STRING | MF_GRAYED, 101, L"Trois{DEFAULT}");
  items_->IsWindowList(menu, false);
  items_->IsWindowList(menu, false);
  EXPECT_EQ(items_->Store().ItemCount(), records);
  EXPECT_EQ(Rec(menu, 1).Text, L"Trois");
  EXPECT_EQ(Rec(menu, 1).Flags, unsigned{tolvane::kItemDisabled | tolvane::kItemDefault});
  EXPECT_EQ(Rec(menu, 0).Text, L"Un");
  // Without its picture the pop-up loses the picture column.
  ::ModifyMenuW(menu, 0, MF_BYPOSITION | MF_STRING, 100, L"Un");
  items_->IsWindowList(menu, false);
  EXPECT_FALSE(items_->Store().FindPanel(HandleOf(menu))->HasImages);
}

TEST_F(MenuItems, MoreThanFiftyItemsMakeASlowPopup) {
  // So do more than twenty font entries, and a file's icon to fetch.
  for (auto [n, caption] : {std::pair{50, L"x"}, {51, L"x"}, {20, L"F{gControl:0|LFont:Tahoma}"},
                            {21, L"F{gControl:0|LFont:Tahoma}"}, {1, L"win.ini{gControl:0|gEXE:C:\\windows\\}"}}) {
    HMENU menu = Prepared(std::vector<std::wstring>(static_cast<std::size_t>(n), caption));
    items_->GetPanelItem(menu);
    EXPECT_EQ(CurrentPanel.Slow, n == 51 || n == 21 || n == 1) << n;
  }
}

TEST_F(MenuItems, ASideBarSplitsALongPopupIntoColumnsAndOnlyThen) {
  std::vector<std::wstring> captions(120, L"Élément");
  HMENU plain = Prepared(captions);
  captions.insert(captions.begin(), L"{SIDEBAR|Text:Tolvane}");
  HMENU barred = Prepared(captions);
  std::vector<int> breaks, barBreaks;
  for (int p = 0; p < 121; ++p) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    if (p < 120 && ::GetMenuItemInfoW(plain, p, TRUE, &info) && (info.fType & (MFT_MENUBREAK | MFT_MENUBARBREAK)))
      breaks.push_back(p);
    ::GetMenuItemInfoW(barred, p, TRUE, &info);
    if (info.fType & MFT_MENUBREAK) barBreaks.push_back(-p);  // no dividing line
    if (info.fType & MFT_MENUBARBREAK) barBreaks.push_back(p);
  }
  EXPECT_TRUE(breaks.empty());
  ASSERT_GE(barBreaks.size(), 3u);
  EXPECT_EQ(barBreaks[0], -1);  // beside the side bar
  for (std::size_t i = 1; i < barBreaks.size(); ++i) EXPECT_GT(barBreaks[i], 1);
  const int perColumn = barBreaks[2] - barBreaks[1];
  EXPECT_EQ(barBreaks[1] - 1, perColumn);  // every column as high as the first
  EXPECT_LE(perColumn * 22, ::GetSystemMetrics(SM_CYSCREEN) - 7);
  EXPECT_TRUE(Rec(barred, 0).Flags & tolvane::kItemSideBar);
  EXPECT_EQ(Rec(barred, 0).Height, perColumn * 22);
}

TEST_F(MenuItems, ANoScrollSideBarLeavesForTheLoopAndComesBackAtTheTop) {
  std::vector<std::wstring> captions(120, L"x");
  captions.insert(captions.begin(), L"Barre{SIDEBAR|NOSCROLL}");
  HMENU menu = Prepared(captions);
  EXPECT_EQ(::GetMenuItemCount(menu), 120);
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE;
  ::GetMenuItemInfoW(menu, 0, TRUE, &info);
  EXPECT_FALSE(info.fType & (MFT_MENUBREAK | MFT_MENUBARBREAK));
  items_->UpdateMenuItems(menu);
  ASSERT_EQ(::GetMenuItemCount(menu), 121);
  wchar_t text[64] = {};
  ::GetMenuStringW(menu, 0, text, 64, MF_BYPOSITION);
  EXPECT_STREQ(text, L"Barre{SIDEBAR|NOSCROLL}");
}

TEST_F(MenuItems, ACachedCaptionTakesItsListEntryWhole) {
  HWND list = ::CreateWindowExW(0, L"LISTBOX", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  const std::wstring longEntry(300, L'e');
  ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"zéro"));
  ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(longEntry.c_str()));
  StoredHwnd = list;
  const std::wstring longCaption = std::wstring(2000, L'a') + L"{IMG:i2}";
  HMENU menu = Prepared({L"Fichier {Cache:1}\tF2", L"Autre{Cache:7}", longCaption});
  StoredHwnd = nullptr;
  ::DestroyWindow(list);
  EXPECT_EQ(Rec(menu, 0).Text, L"Fichier" + longEntry);
  EXPECT_EQ(Rec(menu, 0).RightText, L"F2");
  EXPECT_EQ(Rec(menu, 0).MenuCaption, L"Fichier {Cache:1}\tF2");
  EXPECT_EQ(Rec(menu, 1).Text, L"Autre");  // no such entry: the caption stands
  EXPECT_FALSE(Rec(menu, 2).Image.empty());  // the tags of a long caption are read
}

TEST_F(MenuItems, TextAndPictureSitInTheItemWhereverItIs) {
  HMENU menu = Prepared({L"Quitter{IMG:i5}", L"Sans image"});
  for (POINT at : kOrigins) {
    Canvas canvas(kItemWidth + 6, 30);
    Fill(canvas, kGreen);
    ASSERT_TRUE(Draw(canvas, menu, 0, at));
    // The picture, 16 x 16, centred in the 22-pixel item two pixels in.
    EXPECT_EQ(canvas.At(at.x + 2 + 4, at.y + 3 + 4), kRed);
    EXPECT_EQ(canvas.At(at.x + 2 + 11, at.y + 3 + 11), kRed);
    EXPECT_NE(canvas.At(at.x + 2, at.y + 3), kMagenta);  // transparent
    EXPECT_EQ(canvas.At(at.x + 2, at.y + 3), ::GetSysColor(COLOR_MENU));
    // The cell's frame: sunken neither, raised neither: in the menu colour.
    EXPECT_EQ(canvas.At(at.x + 100, at.y + 2), ::GetSysColor(COLOR_MENU));
    // The text starts 23 pixels in.
    const COLORREF ink = ::GetSysColor(COLOR_MENUTEXT);
    int first = -1;
    for (int x = 0; x < kItemWidth + 6 && first < 0; ++x)
      for (int y = at.y; y < at.y + 22; ++y)
        if (canvas.At(x, y) == ink) {
          first = x;
          break;
        }
    EXPECT_GE(first, at.x + 23) << at.x;
    EXPECT_LE(first, at.x + 25) << at.x;
    // Nothing outside the item.
    if (at.x > 0) EXPECT_EQ(canvas.At(at.x - 1, at.y + 10), kGreen);
  }
}

TEST_F(MenuItems, ASelectedItemFadesFromTheHighlightAndLiftsItsPictureOverItsShadow) {
  HMENU menu = Prepared({L"Quitter{IMG:i5}"});
  for (POINT at : kOrigins) {
    Canvas canvas(kItemWidth + 6, 30);
    ASSERT_TRUE(Draw(canvas, menu, 0, at, ODS_SELECTED));
    EXPECT_TRUE(Near(canvas.At(at.x + 21, at.y + 20), HighlightColor())) << at.x;
    EXPECT_TRUE(Near(canvas.At(at.x + kItemWidth - 1, at.y + 20), ::GetSysColor(COLOR_MENU))) << at.x;
    // The picture one pixel up and left, its shadow one pixel down and right.
    const int x0 = at.x + 2, y0 = at.y + 3;
    EXPECT_EQ(canvas.At(x0 + 3, y0 + 3), kRed);
    EXPECT_EQ(canvas.At(x0 + 10, y0 + 10), kRed);
    EXPECT_EQ(canvas.At(x0 + 12, y0 + 12), ::GetSysColor(COLOR_BTNSHADOW));
    // The cell's frame raised: light on top, shadow at the bottom.
    EXPECT_EQ(canvas.At(at.x + 10, at.y), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(canvas.At(at.x + 10, at.y + 21), ::GetSysColor(COLOR_BTNSHADOW));
  }
}

TEST_F(MenuItems, ADisabledItemIsFlatWhenHighlightedAndEmbossedOtherwise) {
  HMENU menu = ::CreatePopupMenu();
  menus_.push_back(menu);
  ::AppendMenuW(menu, MF_STRING | MF_GRAYED, 100, L"Griseé");
  items_->IsWindowList(menu, false);
  auto count = [](const Canvas& c, COLORREF colour) { return c.Count([&](COLORREF p) { return p == colour; }); };
  for (POINT at : kOrigins) {
    Canvas selected(kItemWidth + 6, 30), idle(kItemWidth + 6, 30);
    ASSERT_TRUE(Draw(selected, menu, 0, at, ODS_SELECTED | ODS_GRAYED));
    EXPECT_TRUE(Near(selected.At(at.x + 1, at.y + 20), HighlightColor()));
    EXPECT_GT(count(selected, ::GetSysColor(COLOR_GRAYTEXT)), 10);
    SetHighlightDisabled(false);
    ASSERT_TRUE(Draw(idle, menu, 0, at, ODS_SELECTED | ODS_GRAYED));
    SetHighlightDisabled(true);
    EXPECT_EQ(idle.At(at.x + 1, at.y + 20), RGB(0, 0, 0));  // no highlight painted
    EXPECT_GT(count(idle, ::GetSysColor(COLOR_GRAYTEXT)), 10);
    EXPECT_GT(count(idle, ::GetSysColor(COLOR_HIGHLIGHTTEXT)), 10);  // the light pass
  }
}

TEST_F(MenuItems, SeparatorsAreEtchedOrRaisedAndDrawnOnlyWhole) {
  HMENU menu = Prepared({L"-"});
  HMENU bar = Prepared({L"-{RAISED}"});
  HMENU titled = Prepared({L"-Titre"});
  const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT), dark = ::GetSysColor(COLOR_BTNSHADOW);
  for (POINT at : kOrigins) {
    Canvas etched(kItemWidth + 6, 30), raised(kItemWidth + 6, 30), moved(kItemWidth + 6, 30);
    ASSERT_TRUE(Draw(etched, menu, 0, at));
    EXPECT_EQ(etched.At(at.x + 50, at.y + 2), dark);
    EXPECT_EQ(etched.At(at.x + 50, at.y + 3), light);
    EXPECT_NE(etched.At(at.x + 1, at.y + 2), dark);  // two pixels in from each end
    ASSERT_TRUE(Draw(raised, bar, 0, at));
    EXPECT_EQ(raised.At(at.x + 50, at.y + 3), light);
    EXPECT_EQ(raised.At(at.x + 50, at.y + 4), dark);
    ASSERT_TRUE(Draw(moved, menu, 0, at, ODS_SELECTED, ODA_SELECT));
    EXPECT_EQ(moved.Count([](COLORREF p) { return p != RGB(0, 0, 0); }), 0);
    // A caption bar: its text in the middle, a bar at either end.
    Canvas caption(kItemWidth + 6, 30);
    ASSERT_TRUE(Draw(caption, titled, 0, at));
    auto barAt = [&](int x) {
      for (int y = at.y; y < at.y + Rec(titled, 0).Height; ++y)
        if (caption.At(x, y) == dark) return true;
      return false;
    };
    EXPECT_TRUE(barAt(at.x + 5));
    EXPECT_TRUE(barAt(at.x + kItemWidth - 5));
  }
}

TEST_F(MenuItems, ACheckedItemWithoutPicturesGetsTheTick) {
  HMENU menu = ::CreatePopupMenu();
  menus_.push_back(menu);
  ::AppendMenuW(menu, MF_STRING | MF_CHECKED, 100, L"Coché");
  items_->IsWindowList(menu, false);
  for (POINT at : kOrigins) {
    Canvas canvas(kItemWidth + 6, 30);
    ASSERT_TRUE(Draw(canvas, menu, 0, at));
    const int x = at.x + 5, y = at.y + (22 - 8) / 2;
    const COLORREF ink = ::GetSysColor(COLOR_MENUTEXT);
    EXPECT_EQ(canvas.At(x + 1, y + 4), ink);
    EXPECT_EQ(canvas.At(x + 3, y + 6), ink);
    EXPECT_EQ(canvas.At(x + 6, y + 1), ink);
    EXPECT_NE(canvas.At(x + 6, y + 6), ink);
  }
}

TEST_F(MenuItems, GeneratedListEntriesKeepTheirTargetsAndColourEntriesShowASwatch) {
  HMENU menu = Prepared({L"Rouge{gControl:0|lvID:|LColor:255}", L"Autre{gControl:0|lvID:|LColor:-1}",
                         L"Texas{gControl:0|lvID:s|LState:TX}", L"A && B{gControl:&H8123|LIndex:0|gType:2}"});
  EXPECT_TRUE(Rec(menu, 0).Flags & tolvane::kItemColour);
  EXPECT_EQ(Rec(menu, 2).RightText, L"TX");
  EXPECT_EQ(Rec(menu, 3).Text, L"A && B");  // doubled once, by the list
  EXPECT_EQ(Rec(menu, 3).TargetWindow, 0x8123u);
  EXPECT_EQ(Rec(menu, 3).ListKind, 2);
  for (POINT at : kOrigins) {
    const int right = at.x + kItemWidth, y = at.y + 10;
    Canvas swatch(kItemWidth + 6, 30), custom(kItemWidth + 6, 30);
    ASSERT_TRUE(Draw(swatch, menu, 0, at));
    ASSERT_TRUE(Draw(custom, menu, 1, at));
    EXPECT_EQ(swatch.At(right - 20, y), kRed);
    EXPECT_EQ(swatch.At(right - 35, y), RGB(0, 0, 0));  // its outline
    EXPECT_NE(custom.At(right - 20, y), kRed);
  }
}

TEST_F(MenuItems, BitmapsOfBothKindsAreDrawnWithTheirBackgroundOnlyWhenAsked) {
  ui::OwnedBitmap dib = Pictures(1);
  ui::OwnedBitmap ddb = AsDeviceBitmap(dib.get());
  for (HBITMAP bitmap : {dib.get(), ddb.get()}) {
    HMENU menu = Prepared({L"Transparent{IMG:" + Hex(bitmap) + L"}", L"Opaque{IMG:" + Hex(bitmap) + L"|IMGBKG}"});
    EXPECT_FALSE(Rec(menu, 0).ImageOpaque);
    EXPECT_TRUE(Rec(menu, 1).ImageOpaque);
    for (POINT at : kOrigins) {
      Canvas clear(kItemWidth + 6, 30), opaque(kItemWidth + 6, 30);
      ASSERT_TRUE(Draw(clear, menu, 0, at));
      ASSERT_TRUE(Draw(opaque, menu, 1, at));
      EXPECT_EQ(clear.At(at.x + 2 + 8, at.y + 3 + 8), kRed);
      EXPECT_EQ(opaque.At(at.x + 2 + 8, at.y + 3 + 8), kRed);
      EXPECT_EQ(clear.At(at.x + 2, at.y + 3), ::GetSysColor(COLOR_MENU));
      EXPECT_EQ(opaque.At(at.x + 2, at.y + 3), kMagenta);
    }
  }
  // An icon is never drawn opaque: it has its own mask.
  HMENU icon = Prepared({L"Icône{IMG:i2|IMGBKG}"});
  EXPECT_FALSE(Rec(icon, 0).ImageOpaque);
}

TEST_F(MenuItems, DrawingLeavesTheDcAsFoundAndMakesNothingOnceEachPictureIsReady) {
  HMENU menu = Prepared({L"Un{IMG:i1}", L"-", L"Deux{IMG:i2}", L"Trois"});
  Canvas canvas(kItemWidth + 6, 30);
  DisturbDefaults(canvas.Dc());
  const DcState before = DcState::Of(canvas.Dc());
  for (int p = 0; p < 4; ++p) Draw(canvas, menu, p, {3, 3});
  EXPECT_EQ(DcState::Of(canvas.Dc()), before);
  const long made = GdiObjectsMade(), held = GdiObjectsHeld();
  for (int i = 0; i < 1000; ++i)
    for (int p = 0; p < 4; ++p) Draw(canvas, menu, p, {3, 3}, i % 2 ? ODS_SELECTED : 0);
  EXPECT_EQ(GdiObjectsMade(), made);
  EXPECT_EQ(GdiObjectsHeld(), held);
  EXPECT_EQ(DcState::Of(canvas.Dc()), before);
}

TEST_F(MenuItems, PicturesThatKeepChangingShowAsTheyAreNowAndTheCacheStaysBounded) {
  Canvas canvas(kItemWidth + 6, 30);
  for (int i = 0; i < 1000; ++i) {
    // A handle freed is soon given to the next bitmap: its old picture must not show.
    const COLORREF colour = RGB(i % 256, 255 - i % 256, 40);
    const auto picture = SolidBitmap(colour);
    HMENU menu = Prepared({L"Image{IMG:" + Hex(picture->Bitmap()) + L"|IMGBKG}"});
    ASSERT_TRUE(Draw(canvas, menu, 0, {0, 0}));
    ASSERT_EQ(canvas.At(2 + 8, 3 + 8), colour) << i;
  }
  EXPECT_LE(MenuPicturesHeld(), 512u);
}

}  // namespace
}  // namespace menus
