// The painting routines and side bars, drawn into memory bitmaps whose
// pixels are read back.
#include "menus/draw_primitives.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "canvas.h"
#include "dc_state.h"
#include "menus/sidebar.h"

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

int CountNot(const Canvas& canvas, COLORREF colour) {
  return canvas.Count([&](COLORREF c) { return c != colour; });
}

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

// Magenta around a red square in the middle half.
COLORREF SquareOnMagenta(int x, int y, int w, int h) {
  return x >= w / 4 && x < 3 * w / 4 && y >= h / 4 && y < 3 * h / 4 ? kRed : kMagenta;
}
COLORREF RedLeftBlueRight(int x, int, int w, int) { return x < w / 2 ? kRed : kBlue; }
COLORREF AllRed(int, int, int, int) { return kRed; }

// Each routine leaves the DC as found, colours and modes set away from their
// defaults, and gives back every object it made.
class Primitives : public ::testing::Test {
 protected:
  void SetUp() override {
    Fill(canvas, kGreen);
    DisturbDefaults(canvas.Dc());
    before = DcState::Of(canvas.Dc());
    held = GdiObjectsHeld();
  }
  void TearDown() override {
    EXPECT_EQ(DcState::Of(canvas.Dc()), before);
    EXPECT_EQ(GdiObjectsHeld(), held);
  }
  Canvas canvas{64, 64};
  DcState before{};
  long held = 0;
};

TEST_F(Primitives, RectangleWithAndWithoutOutline) {
  DrawRectangle(canvas.Dc(), 4, 4, 20, 20, kRed, 0);
  EXPECT_EQ(canvas.At(4, 4), RGB(0, 0, 0));
  EXPECT_EQ(canvas.At(19, 10), RGB(0, 0, 0));
  EXPECT_EQ(canvas.At(10, 10), kRed);
  EXPECT_EQ(canvas.At(20, 20), kGreen);
  DrawRectangle(canvas.Dc(), RECT{30, 30, 40, 40}, kBlue, -1);
  EXPECT_EQ(canvas.At(30, 30), kBlue);
  EXPECT_EQ(canvas.At(39, 39), kBlue);
  EXPECT_EQ(canvas.At(40, 40), kGreen);
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
    EXPECT_EQ(wide.Count([](COLORREF c) { return c == kGreen; }), 2 * (width + 4) + 6 * 4);
  }
  // A vertical one runs from the second colour at the top.
  DrawGradient(kRed, kBlue, false, canvas.Dc(), RECT{0, 10, 8, 50});
  EXPECT_EQ(canvas.At(4, 10), kBlue);
  EXPECT_EQ(canvas.At(4, 9), kGreen);
  EXPECT_EQ(canvas.At(4, 50), kGreen);
  EXPECT_GT(GetRValue(canvas.At(4, 49)), 240);
  // Empty ones paint nothing; one pixel is the first colour.
  Fill(canvas, kGreen);
  for (RECT r : {RECT{10, 10, 10, 30}, RECT{10, 10, 30, 10}, RECT{30, 30, 10, 10}, RECT{10, 10, 11, 9}})
    for (bool horizontal : {true, false}) DrawGradient(kRed, kBlue, horizontal, canvas.Dc(), r);
  EXPECT_EQ(CountNot(canvas, kGreen), 0);
  DrawGradient(kRed, kBlue, true, canvas.Dc(), RECT{5, 5, 6, 6});
  EXPECT_EQ(canvas.At(5, 5), kRed);
}

TEST_F(Primitives, TransparentBitmapsOfBothKindsShrinkToTheirCellAndEnlargeWhenAsked) {
  ui::OwnedBitmap dib = Picture(16, 16, SquareOnMagenta);
  ui::OwnedBitmap ddb(static_cast<HBITMAP>(::CopyImage(dib.get(), IMAGE_BITMAP, 0, 0, 0)));  // as resources load
  DIBSECTION section{};
  ASSERT_EQ(::GetObjectW(ddb.get(), sizeof section, &section), int{sizeof(BITMAP)}) << "a device bitmap";
  ui::OwnedBitmap big = Picture(32, 32, SquareOnMagenta);
  // Each picture is drawn twice: one left selected in some DC could not be drawn again.
  struct Case { HBITMAP picture; ColorValue mask; RECT dest; int asked, drawn; };
  for (Case c : {Case{dib.get(), kMagenta, {8, 8, 40, 40}, 0, 16},  // never enlarged unasked
                 Case{dib.get(), -1, {8, 8, 40, 40}, 0, 16}, Case{ddb.get(), kMagenta, {8, 8, 40, 40}, 0, 16},
                 Case{ddb.get(), -1, {8, 8, 40, 40}, 0, 16}, Case{big.get(), -1, {4, 4, 20, 20}, 0, 16},
                 Case{big.get(), -1, {8, 8, 0, 0}, 48, 48}}) {
    Fill(canvas, kGreen);
    RECT src{};
    int w = c.asked, h = c.asked;
    ASSERT_TRUE(DrawTransparentBitmap(canvas.Dc(), c.dest, c.picture, src, c.mask, w, h));
    EXPECT_EQ((std::pair{w, h}), (std::pair{c.drawn, c.drawn}));
    // Transparent pixels show the background; the rest of the picture is drawn.
    const int left = c.dest.left, top = c.dest.top, size = c.drawn;
    EXPECT_EQ(canvas.At(left, top), kGreen);
    EXPECT_EQ(canvas.At(left + size / 4, top + size / 4), kRed);
    EXPECT_EQ(canvas.At(left + 3 * size / 4 - 1, top + 3 * size / 4 - 1), kRed);
    EXPECT_EQ(canvas.At(left + size / 4 - 1, top + size / 2), kGreen);
    EXPECT_EQ(canvas.At(left + 3 * size / 4, top + size / 2), kGreen);
    EXPECT_EQ(canvas.Count([](COLORREF p) { return p == kMagenta; }), 0);
  }
}

TEST_F(Primitives, TransparentBitmapMirrorsAndDrawsOverAnotherBackground) {
  ui::OwnedBitmap picture = Picture(8, 8, RedLeftBlueRight);
  Canvas back(16, 16);
  Fill(back, RGB(9, 9, 9));
  RECT src{};
  int w = 0, h = 0;
  ASSERT_TRUE(DrawTransparentBitmap(canvas.Dc(), RECT{0, 0, 16, 16}, picture.get(), src, kMagenta, w, h, back.Dc(),
                                    0, 0, true, false));
  for (int y : {0, 7}) {  // every column moves, the edges too
    EXPECT_EQ(canvas.At(0, y), kBlue);
    EXPECT_EQ(canvas.At(3, y), kBlue);
    EXPECT_EQ(canvas.At(4, y), kRed);
    EXPECT_EQ(canvas.At(7, y), kRed);
  }
  EXPECT_EQ(canvas.At(12, 12), RGB(9, 9, 9));  // the back DC's background, not the canvas
}

TEST_F(Primitives, TransparentBitmapRefusesWhatItCannotDraw) {
  ui::OwnedBitmap picture = Picture(8, 8, SquareOnMagenta);
  ui::OwnedBrush brush(::CreateSolidBrush(kRed));
  Canvas other(4, 4);
  struct Case { RECT dest; HGDIOBJ bitmap; RECT src; bool heldElsewhere; };
  for (Case c : {Case{{4, 4, 4, 20}, picture.get(), {}, false}, Case{{4, 4, 20, 20}, nullptr, {}, false},
                 Case{{4, 4, 20, 20}, brush.get(), {}, false},
                 Case{{4, 4, 20, 20}, reinterpret_cast<HGDIOBJ>(12345), {}, false},
                 Case{{4, 4, 20, 20}, picture.get(), {8, 0, 4, 8}, false},  // an inverted source part
                 Case{{4, 4, 20, 20}, picture.get(), {}, true}}) {           // cannot be selected here
    HGDIOBJ old = c.heldElsewhere ? ::SelectObject(other.Dc(), picture.get()) : nullptr;
    int w = 0, h = 0;
    EXPECT_FALSE(DrawTransparentBitmap(canvas.Dc(), c.dest, static_cast<HBITMAP>(c.bitmap), c.src, -1, w, h));
    if (old) ::SelectObject(other.Dc(), old);
  }
  EXPECT_EQ(CountNot(canvas, kGreen), 0);
  RECT src{};
  int w = 0, h = 0;  // the bitmap is free again and draws
  EXPECT_TRUE(DrawTransparentBitmap(canvas.Dc(), RECT{4, 4, 20, 20}, picture.get(), src, -1, w, h));
}

// Side bars 200 high: every DC, font and bitmap made on the way given back.
class Sidebar : public ::testing::Test {
 protected:
  void SetUp() override { item.Height = 200; }
  void TearDown() override {
    FreeSidebarBitmap(panel);
    EXPECT_EQ(GdiObjectsHeld(), held);
  }
  // The side bar, `width` wide, copied where its pixels can be read.
  void Shoot(Canvas& shot, int width) {
    HDC from = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(from, reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(panel.SideBarBitmap)));
    ::BitBlt(shot.Dc(), 0, 0, width, 200, from, 0, 0, SRCCOPY);
    ::SelectObject(from, old);
    ::DeleteDC(from);
  }
  tolvane::MenuItemRec item;
  tolvane::MenuPanelRec panel;
  long held = GdiObjectsHeld();
  ui::OwnedBitmap red = Picture(16, 16, AllRed);
  const std::wstring image = L"IMG:" + std::to_wstring(reinterpret_cast<UINT_PTR>(red.get()));
};

// Gradients are drawn in bands: the ends come within a few steps of their colours.
bool Near(COLORREF a, COLORREF b) {
  auto close = [](int x, int y) { return x - y < 8 && y - x < 8; };
  return close(GetRValue(a), GetRValue(b)) && close(GetGValue(a), GetGValue(b)) && close(GetBValue(a), GetBValue(b));
}

TEST_F(Sidebar, TextWrittenUpwardsOverAGradientFromTopToBottom) {
  ASSERT_TRUE(DrawSidebarText(nullptr, item, panel,
                              L"{Sidebar|Text:Tolvane|FColor:0|BColor:255|GColor:16711680|FSize:14|Width:20|"));
  ASSERT_GE(item.Width, 35);
  Canvas shot(item.Width, 200);
  Shoot(shot, item.Width);
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

TEST_F(Sidebar, APictureIsPlacedAsAlignedOverItsBackOrTheDefaultBarWithoutIt) {
  ASSERT_TRUE(CreateSidebarBitmap(nullptr, item, panel, L"{Sidebar|BColor:16777215|" + image + L"|ALIGN:Bot|", {}));
  EXPECT_EQ(item.Width, 35);
  Canvas shot(35, 200);
  Shoot(shot, 35);
  EXPECT_EQ(shot.At(9, 184), kRed);  // (35 - 16) / 2 across, at the bottom
  EXPECT_EQ(shot.At(24, 199), kRed);
  EXPECT_EQ(shot.At(8, 184), kWhite);
  EXPECT_EQ(shot.At(25, 192), kWhite);
  EXPECT_EQ(shot.At(9, 183), kWhite);
  // Without a back colour, the picture's corner is the back.
  ASSERT_TRUE(CreateSidebarBitmap(nullptr, item, panel, L"{Sidebar|" + image + L"|", {}));
  Shoot(shot, 35);
  EXPECT_EQ(shot.At(0, 0), kRed);
  // A picture that cannot be had gives the default bar.
  ASSERT_TRUE(CreateSidebarBitmap(nullptr, item, panel, L"{Sidebar|IMG:i4|", {}));
  Shoot(shot, 35);
  EXPECT_PRED2(Near, shot.At(0, 0), RGB(0, 255, 255));
  EXPECT_PRED2(Near, shot.At(0, 199), RGB(0, 128, 192));
}

TEST_F(Sidebar, ABuildReplacesTheBitmapAndAFailureKeepsIt) {
  ASSERT_TRUE(DrawSidebarText(nullptr, item, panel, L"{Sidebar|Text:A|"));
  ASSERT_TRUE(DrawSidebarText(nullptr, item, panel, L"{Sidebar|Text:B|"));
  EXPECT_EQ(GdiObjectsHeld(), held + 1);
  const auto kept = panel.SideBarBitmap;
  item.Height = 200000;  // too big a bitmap to be made, once the DC and fonts are
  EXPECT_FALSE(DrawSidebarText(nullptr, item, panel, L"{Sidebar|Text:C|Width:200000|"));
  EXPECT_FALSE(CreateSidebarBitmap(nullptr, item, panel, L"{Sidebar|Width:200000|" + image + L"|", {}));
  EXPECT_EQ(panel.SideBarBitmap, kept);
  EXPECT_EQ(GdiObjectsHeld(), held + 1);
}

}  // namespace
}  // namespace menus
