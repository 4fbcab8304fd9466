#include "menus/draw_primitives.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "canvas.h"
#include "dc_state.h"

namespace menus {
namespace {

constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

void Fill(const Canvas& canvas, int w, int h, COLORREF colour) {
  RECT r{0, 0, w, h};
  ui::OwnedBrush brush(::CreateSolidBrush(colour));
  ::FillRect(canvas.Dc(), &r, brush.get());
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

// Each routine leaves the DC as found, colours and modes set away from their
// defaults, and gives back every object it made.
class Primitives : public ::testing::Test {
 protected:
  void SetUp() override {
    Fill(canvas, 64, 64, kGreen);
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

TEST_F(Primitives, NestedPensGiveEachOtherBack) {
  HDC dc = canvas.Dc();
  {
    ScopedPen outer(dc, kRed);
    {
      ScopedPen inner(dc, kBlue, 3);  // a wide pen is made, then freed
      ScopedBrush brush(dc, kMagenta);
      ::Rectangle(dc, 2, 2, 12, 12);
    }
    EXPECT_EQ(::GetDCPenColor(dc), kRed);
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_PEN), ::GetStockObject(DC_PEN));
    ScopedTextColor text(dc, tolvane::SystemColorValue(COLOR_MENUTEXT));
    EXPECT_EQ(::GetTextColor(dc), ::GetSysColor(COLOR_MENUTEXT));
  }
  EXPECT_EQ(canvas.At(2, 2), kBlue);
  EXPECT_EQ(canvas.At(6, 6), kMagenta);
}

TEST_F(Primitives, GradientsFillTheirRectangleOnlyFromTheFirstColour) {
  const int screen = ::GetSystemMetrics(SM_CXSCREEN);
  for (int width : {60, screen / 4}) {  // bands of one pixel, then of two
    SCOPED_TRACE(width);
    Canvas wide(width + 4, 8);
    Fill(wide, width + 4, 8, kGreen);
    DrawGradient(0xFF0000, 0xFF, true, wide.Dc(), RECT{2, 1, 2 + width, 7});
    const auto bands = tolvane::PlanGradient(width, screen);
    EXPECT_EQ(wide.At(2, 1), 0xFF0000u);
    EXPECT_EQ(wide.At(3, 6), bands.step == 2 ? 0xFF0000u : tolvane::GradientColors(0xFF0000, 0xFF, bands.count)[1]);
    EXPECT_EQ(wide.At(1 + width, 3),
              tolvane::GradientColors(0xFF0000, 0xFF, bands.count)[static_cast<std::size_t>(bands.count - 1)]);
    EXPECT_EQ(wide.Count([](COLORREF c) { return c == kGreen; }), 2 * (width + 4) + 6 * 4);
  }
  // A vertical one runs from the second colour at the top.
  DrawGradient(kRed, kBlue, false, canvas.Dc(), RECT{0, 10, 8, 50});
  EXPECT_EQ(canvas.At(4, 10), kBlue);
  EXPECT_EQ(canvas.At(4, 9), kGreen);
  EXPECT_EQ(canvas.At(4, 50), kGreen);
  EXPECT_GT(GetRValue(canvas.At(4, 49)), 240);
}

TEST_F(Primitives, EmptyGradientsPaintNothing) {
  for (RECT r : {RECT{10, 10, 10, 30}, RECT{10, 10, 30, 10}, RECT{30, 30, 10, 10}, RECT{10, 10, 11, 9}})
    for (bool horizontal : {true, false}) DrawGradient(kRed, kBlue, horizontal, canvas.Dc(), r);
  EXPECT_EQ(canvas.Count([](COLORREF c) { return c != kGreen; }), 0);
  DrawGradient(kRed, kBlue, true, canvas.Dc(), RECT{5, 5, 6, 6});  // one pixel: the first colour
  EXPECT_EQ(canvas.At(5, 5), kRed);
}

// Transparent pixels show the background; the rest of the picture is drawn.
void ExpectSquareDrawn(const Canvas& canvas, int left, int top, int size) {
  EXPECT_EQ(canvas.At(left, top), kGreen);
  EXPECT_EQ(canvas.At(left + size / 4, top + size / 4), kRed);
  EXPECT_EQ(canvas.At(left + 3 * size / 4 - 1, top + 3 * size / 4 - 1), kRed);
  EXPECT_EQ(canvas.At(left + size / 4 - 1, top + size / 2), kGreen);
  EXPECT_EQ(canvas.At(left + 3 * size / 4, top + size / 2), kGreen);
  EXPECT_EQ(canvas.Count([](COLORREF c) { return c == kMagenta; }), 0);
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
    Fill(canvas, 64, 64, kGreen);
    RECT src{};
    int w = c.asked, h = c.asked;
    ASSERT_TRUE(DrawTransparentBitmap(canvas.Dc(), c.dest, c.picture, src, c.mask, w, h));
    EXPECT_EQ((std::pair{w, h}), (std::pair{c.drawn, c.drawn}));
    ExpectSquareDrawn(canvas, c.dest.left, c.dest.top, c.drawn);
  }
}

TEST_F(Primitives, TransparentBitmapMirrorsAndDrawsOverAnotherBackground) {
  ui::OwnedBitmap picture = Picture(8, 8, RedLeftBlueRight);
  Canvas back(16, 16);
  Fill(back, 16, 16, RGB(9, 9, 9));
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
  EXPECT_EQ(canvas.Count([](COLORREF c) { return c != kGreen; }), 0);
  RECT src{};
  int w = 0, h = 0;  // the bitmap is free again and draws
  EXPECT_TRUE(DrawTransparentBitmap(canvas.Dc(), RECT{4, 4, 20, 20}, picture.get(), src, -1, w, h));
}

TEST_F(Primitives, AThousandDrawingsMakeNothingThatStays) {
  ui::OwnedBitmap picture = Picture(16, 16, SquareOnMagenta);
  for (int i = 0; i < 1000; ++i) {
    const long made = GdiObjectsMade();
    DrawRectangle(canvas.Dc(), 0, 0, 30, 20, kRed, i % 2 ? -1 : 0);
    DrawGradient(kRed, kBlue, i % 2 == 0, canvas.Dc(), RECT{0, 20, 60, 40});
    ASSERT_EQ(GdiObjectsMade(), made) << "rectangles and gradients make no object at all";
    RECT src{};
    int w = 0, h = 0;
    DrawTransparentBitmap(canvas.Dc(), RECT{40, 40, 56, 56}, picture.get(), src, -1, w, h);
    ScopedPen wide(canvas.Dc(), kBlue, 2);
  }
  EXPECT_EQ(GdiObjectsHeld(), held);
}

}  // namespace
}  // namespace menus
