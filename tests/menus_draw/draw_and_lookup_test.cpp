// The painting routines, side bars and menu items, drawn into 32-bit memory
// bitmaps whose pixels are read back (items at (3, 3), where Wine puts them);
// the lookups behind the menus: pictures by handle, list image or control
// name, and version descriptions; and a colour list's choices kept.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "../launcher/fake_desktop.h"
#include "canvas.h"
#include "core/menu_store.h"
#include "core/settings_store.h"
#include "menu_testing.h"
#include "menus/draw_primitives.h"
#include "menus/list_menus.h"
#include "menus/lookups.h"
#include "menus/menu_draw.h"
#include "menus/menu_engine.h"
#include "menus/menu_fonts.h"
#include "menus/menu_images.h"
#include "menus/sidebar.h"
#include "ui/handles.h"
#include "ui/image_list.h"
#include "ui/picture.h"
#include "ui/window.h"

namespace menus {
namespace {

constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);

void Fill(const Canvas& canvas, COLORREF colour) {
  RECT r{0, 0, 4096, 4096};
  ui::OwnedBrush brush(::CreateSolidBrush(colour));
  ::FillRect(canvas.Dc(), &r, brush.get());
}

int Count(const Canvas& canvas, COLORREF colour) {
  return canvas.Count([&](COLORREF c) { return c == colour; });
}

COLORREF Sys(int index) { return ::GetSysColor(index); }

struct Pixel { int x, y; COLORREF colour; };
void ExpectPixels(const Canvas& canvas, std::initializer_list<Pixel> pixels) {
  for (const Pixel& p : pixels) EXPECT_EQ(canvas.At(p.x, p.y), p.colour) << "at " << p.x << ", " << p.y;
}

// Gradients are drawn in bands: their ends come within a few steps of their colours.
bool Near(COLORREF a, COLORREF b) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= 12 && std::abs(GetGValue(a) - GetGValue(b)) <= 12 &&
         std::abs(GetBValue(a) - GetBValue(b)) <= 12;
}

using testing::HandleText;

// A DIB picture drawn by a function of its pixel positions.
ui::OwnedBitmap Picture(int w, int h, COLORREF (*colourAt)(int x, int y, int w, int h)) {
  void* bits = nullptr;
  ui::OwnedBitmap bitmap = ui::CreateDib(w, h, 32, &bits);
  auto* pixels = static_cast<std::uint32_t*>(bits);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const COLORREF c = colourAt(x, y, w, h);
      pixels[y * w + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
  return bitmap;
}

// Square cells side by side, each magenta around a red square in its middle half.
COLORREF SquareOnMagenta(int x, int y, int, int h) {
  x %= h;
  return x >= h / 4 && x < 3 * h / 4 && y >= h / 4 && y < 3 * h / 4 ? kRed : kMagenta;
}

// Each routine leaves the DC as found, colours and modes set away from their
// defaults, and gives back every object it made; side bars, 200 high, too
// once freed.
class Primitives : public ::testing::Test {
 protected:
  void SetUp() override {
    Fill(canvas, kGreen);
    DisturbDefaults(canvas.Dc());
    before = DcState::Of(canvas.Dc());
    item.Height = 200;
  }
  void TearDown() override {
    FreeSidebarBitmap(panel);
    EXPECT_EQ(DcState::Of(canvas.Dc()), before);
    EXPECT_EQ(GdiObjectsHeld(), held);
  }
  // The side bar, as wide as its item, copied where its pixels can be read.
  void Shoot(Canvas& shot) {
    ui::OwnedMemoryDc from(::CreateCompatibleDC(nullptr));
    ui::ScopedSelect bar(from.get(), reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(panel.SideBarBitmap)));
    ::BitBlt(shot.Dc(), 0, 0, item.Width, 200, from.get(), 0, 0, SRCCOPY);
  }
  long held = GdiObjectsHeld();
  Canvas canvas{64, 64};
  DcState before{};
  tolvane::MenuItemRec item;
  tolvane::MenuPanelRec panel;
};

TEST_F(Primitives, RectangleWithAndWithoutOutline) {
  DrawRectangle(canvas.Dc(), 4, 4, 20, 20, kRed, 0);
  DrawRectangle(canvas.Dc(), RECT{30, 30, 40, 40}, kBlue, -1);
  ExpectPixels(canvas, {{4, 4, RGB(0, 0, 0)}, {19, 10, RGB(0, 0, 0)}, {10, 10, kRed}, {20, 20, kGreen},
                        {30, 30, kBlue}, {39, 39, kBlue}, {40, 40, kGreen}});
  // System colours are looked up as drawn; a name naming nothing keeps the default.
  DrawRectangle(canvas.Dc(), 44, 44, 50, 50, ColorFromName(L"vbHighlight", 5), -1);
  EXPECT_EQ(canvas.At(47, 47), ::GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(ColorFromName(L"rouge", -1), -1);
}

TEST_F(Primitives, GradientsFillTheirRectangleOnlyFromTheFirstColour) {
  const int screen = ::GetSystemMetrics(SM_CXSCREEN);
  for (int width : {60, screen / 4}) {  // bands of one pixel, then of two
    SCOPED_TRACE(width);
    Canvas wide(width + 4, 8);
    Fill(wide, kGreen);
    DrawGradient(0xFF0000, 0xFF, true, wide.Dc(), RECT{2, 1, 2 + width, 7});
    const auto bands = tolvane::PlanGradient(width, screen);
    const auto colours = tolvane::GradientColors(0xFF0000, 0xFF, bands.count);
    EXPECT_EQ(wide.At(2, 1), 0xFF0000u);
    EXPECT_EQ(wide.At(3, 6), bands.step == 2 ? 0xFF0000u : colours[1]);
    EXPECT_EQ(wide.At(1 + width, 3), colours[static_cast<std::size_t>(bands.count - 1)]);
    EXPECT_EQ(Count(wide, kGreen), 2 * (width + 4) + 6 * 4);
  }
  // Empty ones paint nothing.
  for (RECT r : {RECT{10, 10, 10, 30}, RECT{10, 10, 30, 10}, RECT{30, 30, 10, 10}, RECT{10, 10, 11, 9}})
    for (bool horizontal : {true, false}) DrawGradient(kRed, kBlue, horizontal, canvas.Dc(), r);
  EXPECT_EQ(Count(canvas, kGreen), 64 * 64);
}

TEST_F(Primitives, TransparentBitmapsShrinkToTheirCellAndEnlargeWhenAsked) {
  ui::OwnedBitmap dib = Picture(16, 16, SquareOnMagenta);
  ui::OwnedBitmap big = Picture(32, 32, SquareOnMagenta);
  // The big picture is drawn twice: one left selected in some DC could not be drawn again.
  struct Case { HBITMAP picture; ColorValue mask; RECT dest; int asked, drawn; };
  for (Case c : {Case{dib.get(), kMagenta, {8, 8, 40, 40}, 0, 16},  // never enlarged unasked
                 Case{big.get(), -1, {4, 4, 20, 20}, 0, 16}, Case{big.get(), -1, {8, 8, 0, 0}, 48, 48}}) {
    Fill(canvas, kGreen);
    RECT src{};
    int w = c.asked, h = c.asked;
    ASSERT_TRUE(DrawTransparentBitmap(canvas.Dc(), c.dest, c.picture, src, c.mask, w, h));
    EXPECT_EQ((std::pair{w, h}), (std::pair{c.drawn, c.drawn}));
    // Transparent pixels show the background; the rest of the picture is drawn.
    const int left = c.dest.left, top = c.dest.top, size = c.drawn;
    const int in = size / 4, out = 3 * size / 4;
    ExpectPixels(canvas, {{left, top, kGreen}, {left + in, top + in, kRed}, {left + out - 1, top + out - 1, kRed},
                          {left + in - 1, top + size / 2, kGreen}, {left + out, top + size / 2, kGreen}});
    EXPECT_EQ(Count(canvas, kMagenta), 0);
  }
}

TEST_F(Primitives, TransparentBitmapMirrorsAndDrawsOverAnotherBackground) {
  ui::OwnedBitmap picture = Picture(8, 8, [](int x, int, int w, int) { return x < w / 2 ? kRed : kBlue; });
  Canvas back(16, 16);
  Fill(back, RGB(9, 9, 9));
  RECT src{};
  int w = 0, h = 0;
  ASSERT_TRUE(DrawTransparentBitmap(canvas.Dc(), RECT{0, 0, 16, 16}, picture.get(), src, kMagenta, w, h, back.Dc(),
                                    0, 0, true, false));
  for (int y : {0, 7})  // every column moves, the edges too
    ExpectPixels(canvas, {{0, y, kBlue}, {3, y, kBlue}, {4, y, kRed}, {7, y, kRed}});
  EXPECT_EQ(canvas.At(12, 12), RGB(9, 9, 9));  // the back DC's background, not the canvas
}

TEST_F(Primitives, TransparentBitmapRefusesWhatItCannotDraw) {
  ui::OwnedBitmap picture = Picture(8, 8, SquareOnMagenta);
  ui::OwnedBrush brush(::CreateSolidBrush(kRed));
  const RECT dest{4, 4, 20, 20};
  RECT src{}, inverted{8, 0, 4, 8};
  int w = 0, h = 0;
  EXPECT_FALSE(DrawTransparentBitmap(canvas.Dc(), dest, reinterpret_cast<HBITMAP>(brush.get()), src, -1, w, h));
  EXPECT_FALSE(DrawTransparentBitmap(canvas.Dc(), dest, picture.get(), inverted, -1, w, h));
  {
    Canvas other(4, 4);  // selected there, the picture cannot be selected here
    ui::ScopedSelect held(other.Dc(), picture.get());
    EXPECT_FALSE(DrawTransparentBitmap(canvas.Dc(), dest, picture.get(), src, -1, w, h));
  }
  EXPECT_EQ(Count(canvas, kGreen), 64 * 64);
  EXPECT_TRUE(DrawTransparentBitmap(canvas.Dc(), dest, picture.get(), src, -1, w, h));  // free again, it draws
}

TEST_F(Primitives, SidebarTextWrittenUpwardsOverAGradientFromTopToBottom) {
  ASSERT_TRUE(DrawSidebarText(nullptr, item, panel,
                              L"{Sidebar|Text:Tolvane|FColor:0|BColor:255|GColor:16711680|FSize:14|Width:20|"));
  ASSERT_GE(item.Width, 35);
  Canvas shot(item.Width, 200);
  Shoot(shot);
  EXPECT_PRED2(Near, shot.At(1, 0), RGB(0, 0, 255));    // the second colour at the top
  EXPECT_PRED2(Near, shot.At(1, 199), RGB(255, 0, 0));  // the back colour at the bottom
  // The ink stands in a band taller than it is wide.
  int top = 200, bottom = 0, left = item.Width, right = 0;
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < item.Width; ++x)
      if (const COLORREF c = shot.At(x, y); GetRValue(c) < 60 && GetGValue(c) < 60 && GetBValue(c) < 60) {
        top = std::min(top, y), bottom = std::max(bottom, y), left = std::min(left, x), right = std::max(right, x);
      }
  EXPECT_GT(bottom - top, 20);
  EXPECT_GT(bottom - top, 2 * (right - left));
}

TEST_F(Primitives, SidebarPictureIsPlacedAsAlignedOverItsBackOrTheDefaultBarWithoutIt) {
  ui::OwnedBitmap red = Picture(16, 16, [](int, int, int, int) { return kRed; });
  const std::wstring image = L"IMG:" + HandleText(red.get());
  ASSERT_TRUE(CreateSidebarBitmap(nullptr, item, panel, L"{Sidebar|BColor:16777215|" + image + L"|ALIGN:Bot|", {}));
  Canvas shot(35, 200);
  Shoot(shot);
  // (35 - 16) / 2 across, at the bottom.
  ExpectPixels(shot, {{9, 184, kRed}, {24, 199, kRed}, {8, 184, kWhite}, {25, 192, kWhite}, {9, 183, kWhite}});
  // Without a back colour, the picture's corner is the back.
  ASSERT_TRUE(CreateSidebarBitmap(nullptr, item, panel, L"{Sidebar|" + image + L"|", {}));
  Shoot(shot);
  EXPECT_EQ(shot.At(0, 0), kRed);
  // A picture that cannot be had gives the default bar.
  ASSERT_TRUE(CreateSidebarBitmap(nullptr, item, panel, L"{Sidebar|IMG:i4|", {}));
  Shoot(shot);
  EXPECT_PRED2(Near, shot.At(0, 0), RGB(0, 255, 255));
  EXPECT_PRED2(Near, shot.At(0, 199), RGB(0, 128, 192));
}

constexpr int kWide = 206;
// A picture's top left in an item: two pixels in, centred in the 22-pixel item.
constexpr int kPicX = 3 + 2, kPicY = 3 + 3;

class MenuItems : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::OwnedBitmap strip = Picture(16 * 9, 16, SquareOnMagenta);
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

TEST_F(MenuItems, ItemsAreMeasuredFromTheirCaptionsMadeOwnerDrawnKeepingTheirTextAndRefreshedInPlace) {
  HMENU menu = Prepared({L"Quitter l'application{IMG:i5}", L"-", L"Ouvrir\tCtrl+O"});
  const tolvane::MenuItemRec& quit = Rec(menu, 0);
  EXPECT_EQ(quit.Text, L"Quitter l'application");
  {
    ScreenDc dc;
    ScopedMenuFont font(dc.get(), 1);
    RECT r{};
    ::DrawTextW(dc.get(), quit.Text.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP);
    EXPECT_EQ(quit.Width, r.right + 40);
  }
  EXPECT_EQ(Rec(menu, 2).RightText, L"Ctrl+O");
  // While the menus are to be restored on exit, every picture is the one the engine is told.
  RestoreOnExit = true;
  ImageTagOverride = static_cast<long>(reinterpret_cast<UINT_PTR>(list_.Picture(1)));
  EXPECT_EQ(Rec(Prepared({L"Quitter{IMG:i5}"}), 0).Image, HandleText(list_.Picture(1)));
  RestoreOnExit = false;
  // Windows is given the records' sizes, the right-hand text's column wider.
  const MEASUREITEMSTRUCT m = testing::MeasureItem(holder_, menu, 0);
  EXPECT_EQ(static_cast<int>(m.itemWidth), quit.Width + (GetMenuWidthAdjust() == 0 ? 15 : 0));
  for (int p = 0; p < 3; ++p) EXPECT_TRUE(::GetMenuState(menu, p, MF_BYPOSITION) & MF_OWNERDRAW) << p;
  EXPECT_EQ(testing::MenuText(menu, 0), L"Quitter l'application{IMG:i5}");
  // A window's own owner-drawn items are not taken.
  MEASUREITEMSTRUCT other{ODT_MENU, 0, 7, 0, 0, 12345};
  EXPECT_FALSE(OnMeasureItem(items_, reinterpret_cast<LPARAM>(&other)));
  // Prepared again, and again, the pop-up's records are refreshed in place.
  const std::size_t records = items_->Store().ItemCount();
  ::ModifyMenuW(menu, 2, MF_BYPOSITION | MF_STRING | MF_GRAYED, 101, L"Trois{DEFAULT}");
  items_->IsWindowList(menu, false);
  items_->IsWindowList(menu, false);
  EXPECT_EQ(items_->Store().ItemCount(), records);
  EXPECT_EQ(Rec(menu, 2).Text, L"Trois");
  EXPECT_EQ(Rec(menu, 2).Flags, unsigned{tolvane::kItemDisabled | tolvane::kItemDefault});
  EXPECT_EQ(Rec(menu, 0).Text, L"Quitter l'application");
  // Without its picture the pop-up loses the picture column.
  ::ModifyMenuW(menu, 0, MF_BYPOSITION | MF_STRING, 100, L"Un");
  items_->IsWindowList(menu, false);
  EXPECT_FALSE(items_->Store().FindPanel(HandleOf(menu))->HasImages);
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

TEST_F(MenuItems, ASideBarSplitsALongPopupIntoColumnsAndOnlyThen) {
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
}

// A list image, then bitmaps of both kinds, drawn with their background
// only when asked; nothing outside the item.
TEST_F(MenuItems, TextAndPictureSitInTheItemAndRiseWhenSelected) {
  ui::OwnedBitmap dib = Picture(16, 16, SquareOnMagenta);
  ui::OwnedBitmap ddb(static_cast<HBITMAP>(::CopyImage(dib.get(), IMAGE_BITMAP, 0, 0, 0)));  // as resources load
  std::vector<std::wstring> captions{L"Quitter{IMG:i5}"};
  for (HBITMAP bitmap : {dib.get(), ddb.get()})
    for (const wchar_t* opaque : {L"}", L"|IMGBKG}"}) captions.push_back(L"Image{IMG:" + HandleText(bitmap) + opaque);
  HMENU menu = Prepared(captions);
  Canvas canvas(kWide, 30);
  for (int p = 4; p >= 0; --p) {  // the list image's last, for its text below
    Fill(canvas, kGreen);
    ASSERT_TRUE(Draw(canvas, menu, p));
    ExpectPixels(canvas, {{kPicX + 4, kPicY + 4, kRed}, {kPicX + 11, kPicY + 11, kRed},
                          {kPicX, kPicY, p % 2 == 0 && p ? kMagenta : Sys(COLOR_MENU)}, {103, 5, Sys(COLOR_MENU)},
                          {2, 13, kGreen}});
  }
  // An icon is never drawn opaque: it has its own mask.
  EXPECT_FALSE(Rec(Prepared({L"Ic\u00f4ne{IMG:i2|IMGBKG}"}), 0).ImageOpaque);
  // The text starts 23 pixels in.
  int first = kWide;
  for (int x = 0; x < kWide; ++x)
    for (int y = 3; y < 25; ++y)
      if (canvas.At(x, y) == ::GetSysColor(COLOR_MENUTEXT)) first = std::min(first, x);
  EXPECT_GE(first, 3 + 23);
  EXPECT_LE(first, 3 + 25);
  // Selected, it fades from the highlight and lifts its picture over its shadow.
  ASSERT_TRUE(Draw(canvas, menu, 0, ODS_SELECTED));
  EXPECT_TRUE(Near(canvas.At(3 + 21, 3 + 20), HighlightColor()));
  EXPECT_TRUE(Near(canvas.At(3 + 199, 3 + 20), ::GetSysColor(COLOR_MENU)));
  // The picture one pixel up and left, its shadow one pixel down and right.
  // The cell's frame raised: light on top, shadow at the bottom.
  ExpectPixels(canvas, {{kPicX + 3, kPicY + 3, kRed}, {kPicX + 10, kPicY + 10, kRed},
                        {kPicX + 12, kPicY + 12, Sys(COLOR_BTNSHADOW)}, {3 + 10, 3, Sys(COLOR_BTNHIGHLIGHT)},
                        {3 + 10, 3 + 21, Sys(COLOR_BTNSHADOW)}});
}

// Separators are etched or raised and drawn only whole; a disabled item is
// flat when it may be highlighted and embossed otherwise.
TEST_F(MenuItems, SeparatorsAndDisabledItems) {
  HMENU menu = Prepared({L"-", L"-{RAISED}", L"-Titre", L"Grise\u00e9"}, MF_GRAYED);
  const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT), dark = ::GetSysColor(COLOR_BTNSHADOW);
  Canvas etched(kWide, 30), raised(kWide, 30), moved(kWide, 30), caption(kWide, 30);
  ASSERT_TRUE(Draw(etched, menu, 0));
  ExpectPixels(etched, {{3 + 50, 3 + 2, dark}, {3 + 50, 3 + 3, light}});
  EXPECT_NE(etched.At(3 + 1, 3 + 2), dark);  // two pixels in from each end
  ASSERT_TRUE(Draw(raised, menu, 1));
  ExpectPixels(raised, {{3 + 50, 3 + 3, light}, {3 + 50, 3 + 4, dark}});
  ASSERT_TRUE(Draw(moved, menu, 0, ODS_SELECTED, ODA_SELECT));
  EXPECT_EQ(Count(moved, RGB(0, 0, 0)), kWide * 30);
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
  Canvas flat(kWide, 30), embossed(kWide, 30);
  ASSERT_TRUE(Draw(flat, menu, 3, ODS_SELECTED | ODS_GRAYED));
  EXPECT_TRUE(Near(flat.At(3 + 1, 3 + 20), HighlightColor()));
  EXPECT_GT(Count(flat, ::GetSysColor(COLOR_GRAYTEXT)), 10);
  SetHighlightDisabled(false);
  ASSERT_TRUE(Draw(embossed, menu, 3, ODS_SELECTED | ODS_GRAYED));
  EXPECT_EQ(embossed.At(3 + 1, 3 + 20), RGB(0, 0, 0));  // no highlight painted
  EXPECT_GT(Count(embossed, ::GetSysColor(COLOR_GRAYTEXT)), 10);
  EXPECT_GT(Count(embossed, ::GetSysColor(COLOR_HIGHLIGHTTEXT)), 10);  // the light pass
}

// Drawing makes nothing once each picture is ready; pictures that keep
// changing show as they are now, and the cache of them stays bounded.
TEST_F(MenuItems, PicturesAreMadeOnceAndShowAsTheyAreNow) {
  HMENU menu = Prepared({L"Un{IMG:i1}", L"-", L"Deux{IMG:i2}", L"Trois"});
  Canvas canvas(kWide, 30);
  for (int p = 0; p < 4; ++p) Draw(canvas, menu, p);
  const long made = GdiObjectsMade(), held = GdiObjectsHeld();
  for (int i = 0; i < 1000; ++i)
    for (int p = 0; p < 4; ++p) Draw(canvas, menu, p, i % 2 ? ODS_SELECTED : 0);
  EXPECT_EQ(GdiObjectsMade(), made);
  EXPECT_EQ(GdiObjectsHeld(), held);
  for (int i = 0; i < 1000; ++i) {
    // A handle freed is soon given to the next bitmap: its old picture must not show.
    const COLORREF colour = RGB(i % 256, 255 - i % 256, 40);
    const auto picture = SolidBitmap(colour);
    ASSERT_TRUE(Draw(canvas, Prepared({L"Image{IMG:" + HandleText(picture->Bitmap()) + L"|IMGBKG}"}), 0));
    ASSERT_EQ(canvas.At(kPicX + 8, kPicY + 8), colour) << i;
  }
  EXPECT_LE(MenuPicturesHeld(), 512u);
}

// Bitmaps of both kinds and colour icons by their handle's text; a stale
// number, another kind of object or an icon without colour give nothing.
TEST(ImageLookup, PicturesByTheirHandleText) {
  ui::OwnedBitmap dib = ui::CreateDib(12, 6, 32);
  ui::OwnedBitmap ddb(static_cast<HBITMAP>(::CopyImage(dib.get(), IMAGE_BITMAP, 0, 0, 0)));  // as resources load
  ui::OwnedBitmap mask(::CreateBitmap(24, 24, 1, 1, nullptr)), colour = ui::CreateDib(24, 24, 32);
  ICONINFO info{TRUE, 0, 0, mask.get(), colour.get()};
  ui::OwnedIcon icon(::CreateIconIndirect(&info));
  info.hbmColor = nullptr;
  ui::OwnedIcon mono(::CreateIconIndirect(&info));
  ui::OwnedBrush brush(::CreateSolidBrush(RGB(1, 2, 3)));
  struct Case { HANDLE asked, found; bool bitmap; int w, h; };
  for (auto c : {Case{ddb.get(), ddb.get(), true, 12, 6}, Case{dib.get(), dib.get(), true, 12, 6},
                 Case{icon.get(), icon.get(), false, 24, 24}, Case{reinterpret_cast<HANDLE>(12345), nullptr},
                 Case{brush.get(), nullptr}, Case{mono.get(), nullptr}}) {
    const ResolvedImage image = ResolveImageHandle(HandleText(c.asked), {});
    EXPECT_EQ(image.handle, c.found) << c.asked;
    EXPECT_EQ(image.bitmap, c.bitmap) << c.asked;
    EXPECT_EQ((std::pair{image.width, image.height}), (std::pair{c.w, c.h})) << c.asked;
  }
}

TEST(ImageLookup, ImagesOfTheImageListFromOneAndControlsByName) {
  ui::OwnedBitmap strip = ui::CreateDib(9 * 16, 16, 32);
  ui::ImageList list;
  ASSERT_TRUE(list.LoadStrip(strip.get(), 16, RGB(0xC0, 0xC0, 0xC0)));
  int controlLookups = 0;
  ImageSources sources = ListImageSources(&list);
  sources.controlPicture = [&](const std::wstring& name) -> HANDLE {
    ++controlLookups;
    if (name == L"Boom") throw std::runtime_error("lookup failed");
    return nullptr;
  };
  EXPECT_EQ(ResolveImageHandle(L"i9", sources).handle, list.Picture(8));
  for (auto text : {L"i0", L"i10", L"picNone", L"Boom"})
    EXPECT_EQ(ResolveImageHandle(text, sources).handle, nullptr) << text;
  EXPECT_EQ(controlLookups, 2);  // list images never ask the controls
  EXPECT_EQ(ui::TakeCaughtFailures(), 1) << "the failed lookup is reported";
  EXPECT_EQ(ResolveImageHandle(L"i3", ListImageSources(nullptr)).handle, nullptr);
}

TEST(FileLookup, VersionDescriptions) {
  wchar_t buffer[MAX_PATH];
  const std::wstring system(buffer, ::GetSystemDirectoryW(buffer, MAX_PATH));
  const std::wstring description = GetFileDescription(system + L"\\comctl32.dll");
  EXPECT_FALSE(description.empty());
  EXPECT_EQ(description.find(L'\0'), std::wstring::npos);
  EXPECT_EQ(GetFileDescription(std::wstring(buffer, ::GetModuleFileNameW(nullptr, buffer, MAX_PATH))), L"");
  EXPECT_EQ(GetVersionLanguage({}), L"");
  EXPECT_EQ(GetVersionLanguage(std::vector<BYTE>(3, 0xFF)), L"");  // claims 65535 bytes
}

// A colour chosen is kept in the settings, with or without an event object;
// the custom entry opens the colour dialog on its own colour, and a cancel
// there leaves the stored one.
TEST(ColourList, AChoiceIsKeptAndACancelLeavesTheStoredOne) {
  tolvane::MemoryStore store;
  tolvane::testing::FakeDesktop desktop;
  SetListSettings(&store);
  store.Save(L"Font", L"FontColor", L"255");
  ui::OwnedMenu menu(BuildPresetListMenu(L"lvColors:", L"65280:ID:ink").menu);
  EXPECT_TRUE(::GetMenuState(menu.get(), 32483, MF_BYCOMMAND) & MF_CHECKED);  // "Rouge"
  auto caption = [&](UINT id) { return testing::MenuText(menu.get(), id, MF_BYCOMMAND); };
  EXPECT_TRUE(ListEntryChosen(caption(32499), false, nullptr, nullptr));
  EXPECT_EQ(store.Get(L"Font", L"FontColor", L""), L"16761024");

  testing::TipsLog tips;
  desktop.colourAnswers = {RGB(1, 2, 3)};
  EXPECT_TRUE(ListEntryChosen(caption(32474), false, nullptr, &tips));
  EXPECT_EQ(desktop.colourStarts, std::vector<COLORREF>{65280});
  EXPECT_EQ(store.Get(L"Font", L"FontColor", L""), std::to_wstring(RGB(1, 2, 3)));
  EXPECT_EQ(tips.choices, std::vector<std::wstring>{L"ink/Color/" + std::to_wstring(RGB(1, 2, 3))});
  EXPECT_FALSE(ListEntryChosen(caption(32474), false, nullptr, &tips));  // cancelled
  EXPECT_EQ(store.Get(L"Font", L"FontColor", L""), std::to_wstring(RGB(1, 2, 3)));
  EXPECT_EQ(tips.choices.size(), 1u);
  SetListSettings(nullptr);
}

}  // namespace
}  // namespace menus
