// Prepared pop-ups: records read back, and items drawn at (3, 3), where Wine
// puts them, into a 32-bit memory bitmap whose pixels are read back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "canvas.h"
#include "core/menu_store.h"
#include "item_drawing.h"
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
constexpr int kWide = 206;
// A picture's top left: two pixels in, centred in the 22-pixel item.
constexpr int kPicX = 3 + 2, kPicY = 3 + 3;

// 16 x 16 pictures side by side: a red square (columns and rows 4 to 11) on magenta.
ui::OwnedBitmap Pictures(int count) {
  void* bits = nullptr;
  ui::OwnedBitmap strip = ui::CreateDib(16 * count, 16, 32, &bits);
  auto* pixels = static_cast<std::uint32_t*>(bits);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16 * count; ++x)
      pixels[y * 16 * count + x] = x % 16 >= 4 && x % 16 < 12 && y >= 4 && y < 12 ? 0xFF0000 : 0xFF00FF;
  return strip;
}

std::wstring HandleText(const void* h) { return std::to_wstring(reinterpret_cast<UINT_PTR>(h)); }

bool Near(COLORREF a, COLORREF b) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= 12 && std::abs(GetGValue(a) - GetGValue(b)) <= 12 &&
         std::abs(GetBValue(a) - GetBValue(b)) <= 12;
}

int Count(const Canvas& canvas, COLORREF colour) {
  return canvas.Count([&](COLORREF c) { return c == colour; });
}

class MenuItems : public ::testing::Test {
 protected:
  void SetUp() override {
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

  // A pop-up of `captions` ("-" a separator), its items with `flags`, prepared.
  HMENU Prepared(const std::vector<std::wstring>& captions, UINT flags = 0) {
    HMENU menu = menus_.emplace_back(::CreatePopupMenu());
    UINT id = 100;
    for (const std::wstring& c : captions)
      ::AppendMenuW(menu, c == L"-" ? MF_SEPARATOR : MF_STRING | flags, c == L"-" ? 0 : id++, c.c_str());
    items_->IsWindowList(menu, false);
    return menu;
  }
  const tolvane::MenuItemRec& Rec(HMENU menu, int position) {
    const tolvane::MenuItemRec* rec = items_->Store().FindItemAt(HandleOf(menu), position);
    EXPECT_NE(rec, nullptr);
    static const tolvane::MenuItemRec none;
    return rec ? *rec : none;
  }
  bool Draw(const Canvas& canvas, HMENU menu, int position, UINT state = 0, UINT action = ODA_DRAWENTIRE) {
    return testing::DrawItem(holder_, canvas.Dc(), menu, position, {3, 3}, state, action);
  }

  HWND holder_ = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ui::ImageList list_;
  cMenuItems* items_ = nullptr;
  std::vector<HMENU> menus_;
};

TEST_F(MenuItems, ItemsAreMeasuredFromTheirCaptionsAndMadeOwnerDrawnKeepingTheirText) {
  HMENU menu = Prepared({L"Quitter l'application{IMG:i5}", L"-", L"Ouvrir\tCtrl+O"});
  const tolvane::MenuItemRec& quit = Rec(menu, 0);
  EXPECT_EQ(quit.Text, L"Quitter l'application");
  EXPECT_EQ(quit.Image, HandleText(list_.Picture(4)));  // image 5, counted from 1
  {
    ScreenDc dc;
    ScopedMenuFont font(dc.get(), 1);
    RECT r{};
    ::DrawTextW(dc.get(), quit.Text.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP);
    EXPECT_EQ(quit.Width, r.right + 40);
  }
  EXPECT_EQ(Rec(menu, 1).Flags, unsigned{tolvane::kItemSeparator | tolvane::kItemDisabled});
  EXPECT_EQ(Rec(menu, 2).RightText, L"Ctrl+O");
  // Windows is given the records' sizes, the right-hand text's column wider.
  const MEASUREITEMSTRUCT m = testing::MeasureItem(holder_, menu, 0);
  EXPECT_EQ(m.itemHeight, 22u);
  EXPECT_EQ(static_cast<int>(m.itemWidth), quit.Width + (GetMenuWidthAdjust() == 0 ? 15 : 0));
  EXPECT_EQ(testing::MeasureItem(holder_, menu, 1).itemHeight, 6u);
  for (int p = 0; p < 3; ++p) {
    MENUITEMINFOW info{sizeof info, MIIM_FTYPE};
    ::GetMenuItemInfoW(menu, p, TRUE, &info);
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW) << p;
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

// Where the columns of a pop-up start: -p for a break without a dividing line.
std::vector<int> Breaks(HMENU menu) {
  std::vector<int> found;
  for (int p = 0; p < ::GetMenuItemCount(menu); ++p) {
    MENUITEMINFOW info{sizeof info, MIIM_FTYPE};
    ::GetMenuItemInfoW(menu, p, TRUE, &info);
    if (info.fType & MFT_MENUBREAK) found.push_back(-p);
    if (info.fType & MFT_MENUBARBREAK) found.push_back(p);
  }
  return found;
}

TEST_F(MenuItems, ASideBarSplitsALongPopupIntoColumnsAndANoScrollOneLeavesForTheLoop) {
  std::vector<std::wstring> captions(120, L"\u00c9l\u00e9ment");
  EXPECT_TRUE(Breaks(Prepared(captions)).empty());
  captions.insert(captions.begin(), L"{SIDEBAR|Text:Tolvane}");
  HMENU barred = Prepared(captions);
  const std::vector<int> cuts = Breaks(barred);
  ASSERT_GE(cuts.size(), 3u);
  EXPECT_EQ(cuts[0], -1);  // beside the side bar
  const int perColumn = cuts[2] - cuts[1];
  EXPECT_EQ(cuts[1] - 1, perColumn);  // every column as high as the first
  EXPECT_LE(perColumn * 22, ::GetSystemMetrics(SM_CYSCREEN) - 7);
  EXPECT_EQ(Rec(barred, 0).Height, perColumn * 22);

  // One that does not scroll is taken out for the loop, and comes back at the top.
  captions[0] = L"Barre{SIDEBAR|NOSCROLL}";
  HMENU menu = Prepared(captions);
  EXPECT_EQ(::GetMenuItemCount(menu), 120);
  EXPECT_TRUE(Breaks(menu).empty());
  items_->UpdateMenuItems(menu);
  ASSERT_EQ(::GetMenuItemCount(menu), 121);
  wchar_t text[64] = {};
  ::GetMenuStringW(menu, 0, text, 64, MF_BYPOSITION);
  EXPECT_STREQ(text, L"Barre{SIDEBAR|NOSCROLL}");
}

TEST_F(MenuItems, ACachedCaptionTakesItsListEntryWhole) {
  HWND list = ::CreateWindowExW(0, L"LISTBOX", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  const std::wstring longEntry(300, L'e');
  ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"z\u00e9ro"));
  ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(longEntry.c_str()));
  StoredHwnd = list;
  HMENU menu = Prepared({L"Fichier {Cache:1}\tF2", L"Autre{Cache:7}", std::wstring(2000, L'a') + L"{IMG:i2}"});
  StoredHwnd = nullptr;
  ::DestroyWindow(list);
  EXPECT_EQ(Rec(menu, 0).Text, L"Fichier" + longEntry);
  EXPECT_EQ(Rec(menu, 0).RightText, L"F2");
  EXPECT_EQ(Rec(menu, 0).MenuCaption, L"Fichier {Cache:1}\tF2");
  EXPECT_EQ(Rec(menu, 1).Text, L"Autre");  // no such entry: the caption stands
  EXPECT_FALSE(Rec(menu, 2).Image.empty());  // the tags of a long caption are read
}

TEST_F(MenuItems, TextPictureAndTickSitInTheItem) {
  HMENU menu = Prepared({L"Quitter{IMG:i5}"});
  Canvas canvas(kWide, 30);
  RECT all{0, 0, kWide, 30};
  ui::OwnedBrush green(::CreateSolidBrush(kGreen));
  ::FillRect(canvas.Dc(), &all, green.get());
  ASSERT_TRUE(Draw(canvas, menu, 0));
  EXPECT_EQ(canvas.At(kPicX + 4, kPicY + 4), kRed);
  EXPECT_EQ(canvas.At(kPicX + 11, kPicY + 11), kRed);
  EXPECT_EQ(canvas.At(kPicX, kPicY), ::GetSysColor(COLOR_MENU));  // transparent
  EXPECT_EQ(canvas.At(103, 5), ::GetSysColor(COLOR_MENU));
  EXPECT_EQ(canvas.At(2, 13), kGreen);  // nothing outside the item
  // The text starts 23 pixels in.
  int first = kWide;
  for (int x = 0; x < kWide; ++x)
    for (int y = 3; y < 25; ++y)
      if (canvas.At(x, y) == ::GetSysColor(COLOR_MENUTEXT)) first = std::min(first, x);
  EXPECT_GE(first, 3 + 23);
  EXPECT_LE(first, 3 + 25);
  // A checked item without a picture has the tick in its place.
  Canvas ticked(kWide, 30);
  ASSERT_TRUE(Draw(ticked, Prepared({L"Coch\u00e9"}, MF_CHECKED), 0));
  const int x = 3 + 5, y = 3 + (22 - 8) / 2;
  const COLORREF ink = ::GetSysColor(COLOR_MENUTEXT);
  EXPECT_EQ(ticked.At(x + 1, y + 4), ink);
  EXPECT_EQ(ticked.At(x + 3, y + 6), ink);
  EXPECT_EQ(ticked.At(x + 6, y + 1), ink);
  EXPECT_NE(ticked.At(x + 6, y + 6), ink);
}

TEST_F(MenuItems, ASelectedItemFadesFromTheHighlightAndLiftsItsPictureOverItsShadow) {
  Canvas canvas(kWide, 30);
  ASSERT_TRUE(Draw(canvas, Prepared({L"Quitter{IMG:i5}"}), 0, ODS_SELECTED));
  EXPECT_TRUE(Near(canvas.At(3 + 21, 3 + 20), HighlightColor()));
  EXPECT_TRUE(Near(canvas.At(3 + 199, 3 + 20), ::GetSysColor(COLOR_MENU)));
  // The picture one pixel up and left, its shadow one pixel down and right.
  EXPECT_EQ(canvas.At(kPicX + 3, kPicY + 3), kRed);
  EXPECT_EQ(canvas.At(kPicX + 10, kPicY + 10), kRed);
  EXPECT_EQ(canvas.At(kPicX + 12, kPicY + 12), ::GetSysColor(COLOR_BTNSHADOW));
  // The cell's frame raised: light on top, shadow at the bottom.
  EXPECT_EQ(canvas.At(3 + 10, 3), ::GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(canvas.At(3 + 10, 3 + 21), ::GetSysColor(COLOR_BTNSHADOW));
}

TEST_F(MenuItems, ADisabledItemIsFlatWhenHighlightedAndEmbossedOtherwise) {
  HMENU menu = Prepared({L"Grise\u00e9"}, MF_GRAYED);
  Canvas flat(kWide, 30), embossed(kWide, 30);
  ASSERT_TRUE(Draw(flat, menu, 0, ODS_SELECTED | ODS_GRAYED));
  EXPECT_TRUE(Near(flat.At(3 + 1, 3 + 20), HighlightColor()));
  EXPECT_GT(Count(flat, ::GetSysColor(COLOR_GRAYTEXT)), 10);
  SetHighlightDisabled(false);
  ASSERT_TRUE(Draw(embossed, menu, 0, ODS_SELECTED | ODS_GRAYED));
  EXPECT_EQ(embossed.At(3 + 1, 3 + 20), RGB(0, 0, 0));  // no highlight painted
  EXPECT_GT(Count(embossed, ::GetSysColor(COLOR_GRAYTEXT)), 10);
  EXPECT_GT(Count(embossed, ::GetSysColor(COLOR_HIGHLIGHTTEXT)), 10);  // the light pass
}

TEST_F(MenuItems, SeparatorsAreEtchedOrRaisedAndDrawnOnlyWhole) {
  HMENU menu = Prepared({L"-", L"-{RAISED}", L"-Titre"});
  const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT), dark = ::GetSysColor(COLOR_BTNSHADOW);
  Canvas etched(kWide, 30), raised(kWide, 30), moved(kWide, 30), caption(kWide, 30);
  ASSERT_TRUE(Draw(etched, menu, 0));
  EXPECT_EQ(etched.At(3 + 50, 3 + 2), dark);
  EXPECT_EQ(etched.At(3 + 50, 3 + 3), light);
  EXPECT_NE(etched.At(3 + 1, 3 + 2), dark);  // two pixels in from each end
  ASSERT_TRUE(Draw(raised, menu, 1));
  EXPECT_EQ(raised.At(3 + 50, 3 + 3), light);
  EXPECT_EQ(raised.At(3 + 50, 3 + 4), dark);
  ASSERT_TRUE(Draw(moved, menu, 0, ODS_SELECTED, ODA_SELECT));
  EXPECT_EQ(moved.Count([](COLORREF p) { return p != RGB(0, 0, 0); }), 0);
  // A caption bar: its text in the middle, a bar at either end.
  ASSERT_TRUE(Draw(caption, menu, 2));
  auto barAt = [&](int x) {
    for (int y = 3; y < 3 + Rec(menu, 2).Height; ++y)
      if (caption.At(x, y) == dark) return true;
    return false;
  };
  EXPECT_TRUE(barAt(3 + 5));
  EXPECT_TRUE(barAt(3 + 195));
  EXPECT_FALSE(barAt(3 + 100));
}

TEST_F(MenuItems, BitmapsOfBothKindsAreDrawnWithTheirBackgroundOnlyWhenAsked) {
  ui::OwnedBitmap dib = Pictures(1);
  ui::OwnedBitmap ddb(static_cast<HBITMAP>(::CopyImage(dib.get(), IMAGE_BITMAP, 0, 0, 0)));  // as resources load
  for (HBITMAP bitmap : {dib.get(), ddb.get()}) {
    HMENU menu = Prepared({L"Transparent{IMG:" + HandleText(bitmap) + L"}", L"Opaque{IMG:" + HandleText(bitmap) +
                                                                               L"|IMGBKG}"});
    Canvas clear(kWide, 30), opaque(kWide, 30);
    ASSERT_TRUE(Draw(clear, menu, 0));
    ASSERT_TRUE(Draw(opaque, menu, 1));
    EXPECT_EQ(clear.At(kPicX + 8, kPicY + 8), kRed);
    EXPECT_EQ(opaque.At(kPicX + 8, kPicY + 8), kRed);
    EXPECT_EQ(clear.At(kPicX, kPicY), ::GetSysColor(COLOR_MENU));
    EXPECT_EQ(opaque.At(kPicX, kPicY), kMagenta);
  }
  // An icon is never drawn opaque: it has its own mask.
  EXPECT_FALSE(Rec(Prepared({L"Ic\u00f4ne{IMG:i2|IMGBKG}"}), 0).ImageOpaque);
}

TEST_F(MenuItems, DrawingMakesNothingOnceEachPictureIsReady) {
  HMENU menu = Prepared({L"Un{IMG:i1}", L"-", L"Deux{IMG:i2}", L"Trois"});
  Canvas canvas(kWide, 30);
  for (int p = 0; p < 4; ++p) Draw(canvas, menu, p);
  const long made = GdiObjectsMade(), held = GdiObjectsHeld();
  for (int i = 0; i < 1000; ++i)
    for (int p = 0; p < 4; ++p) Draw(canvas, menu, p, i % 2 ? ODS_SELECTED : 0);
  EXPECT_EQ(GdiObjectsMade(), made);
  EXPECT_EQ(GdiObjectsHeld(), held);
}

TEST_F(MenuItems, PicturesThatKeepChangingShowAsTheyAreNowAndTheCacheStaysBounded) {
  Canvas canvas(kWide, 30);
  for (int i = 0; i < 1000; ++i) {
    // A handle freed is soon given to the next bitmap: its old picture must not show.
    const COLORREF colour = RGB(i % 256, 255 - i % 256, 40);
    const auto picture = SolidBitmap(colour);
    ASSERT_TRUE(Draw(canvas, Prepared({L"Image{IMG:" + HandleText(picture->Bitmap()) + L"|IMGBKG}"}), 0));
    ASSERT_EQ(canvas.At(kPicX + 8, kPicY + 8), colour) << i;
  }
  EXPECT_LE(MenuPicturesHeld(), 512u);
}

}  // namespace
}  // namespace menus
