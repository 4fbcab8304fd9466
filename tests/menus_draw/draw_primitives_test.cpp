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

// The same picture as a bitmap of the screen's format, as resources load.
ui::OwnedBitmap AsDeviceBitmap(HBITMAP dib, int w, int h) {
  HDC screen = ::GetDC(nullptr);
  ui::OwnedBitmap ddb(::CreateCompatibleBitmap(screen, w, h));
  HDC from = ::CreateCompatibleDC(screen), to = ::CreateCompatibleDC(screen);
  ::ReleaseDC(nullptr, screen);
  HGDIOBJ oldFrom = ::SelectObject(from, dib), oldTo = ::SelectObject(to, ddb.get());
  ::BitBlt(to, 0, 0, w, h, from, 0, 0, SRCCOPY);
  ::SelectObject(from, oldFrom);
  ::SelectObject(to, oldTo);
  ::DeleteDC(from);
  ::DeleteDC(to);
  return ddb;
}

// Each routine leaves the DC as found and gives back every object it made.
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

TEST_F(Primitives, SystemColoursAreLookedUpButDefaultsAreNot) {
  EXPECT_EQ(TranslateColor(static_cast<ColorValue>(0x8000000F)), ::GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(ColorFromName(L"vbHighlight", 5), static_cast<ColorValue>(::GetSysColor(COLOR_HIGHLIGHT)));
  EXPECT_EQ(ColorFromName(L"rouge", -1), -1);
}

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
  DrawRectangle(canvas.Dc(), 44, 44, 50, 50, tolvane::SystemColorValue(COLOR_HIGHLIGHT), -1);
  EXPECT_EQ(canvas.At(47, 47), ::GetSysColor(COLOR_HIGHLIGHT));
}

TEST_F(Primitives, NestedPensGiveEachOtherBack) {
  HDC dc = canvas.Dc();
  {
    ScopedPen outer(dc, kRed);
    {
      ScopedPen inner(dc, kBlue, 3);  // a wide pen is made, then freed
      EXPECT_EQ(GdiObjectsHeld(), held + 1);
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

TEST_F(Primitives, HorizontalGradientBands) {
  const int screen = ::GetSystemMetrics(SM_CXSCREEN);
  for (int width : {60, screen / 4}) {
    Canvas wide(width + 4, 8);
    Fill(wide, width + 4, 8, kGreen);
    DrawGradient(0xFF0000, 0xFF, true, wide.Dc(), RECT{2, 1, 2 + width, 7});
    const auto bands = tolvane::PlanGradient(width, screen);
    const auto colours = tolvane::GradientColors(0xFF0000, 0xFF, bands.count);
    SCOPED_TRACE(width);
    EXPECT_EQ(wide.At(1, 3), kGreen);
    EXPECT_EQ(wide.At(2, 1), 0xFF0000u);  // the first band is the first colour
    EXPECT_EQ(wide.At(2, 6), 0xFF0000u);
    EXPECT_EQ(wide.At(2, 0), kGreen);
    EXPECT_EQ(wide.At(2, 7), kGreen);
    EXPECT_EQ(wide.At(1 + width, 3), colours[static_cast<std::size_t>(bands.count - 1)]);
    EXPECT_EQ(wide.At(2 + width, 3), kGreen);
    EXPECT_EQ(bands.step, width > screen / 5 ? 2 : 1);
    if (bands.step == 2) {
      EXPECT_EQ(wide.At(3, 3), 0xFF0000u);
    }
  }
}

TEST_F(Primitives, VerticalGradientRunsFromTheSecondColourAtTheTop) {
  DrawGradient(kRed, kBlue, false, canvas.Dc(), RECT{0, 10, 8, 50});
  EXPECT_EQ(canvas.At(4, 10), kBlue);
  EXPECT_EQ(canvas.At(4, 9), kGreen);
  EXPECT_EQ(canvas.At(4, 50), kGreen);
  const COLORREF bottom = canvas.At(4, 49);
  EXPECT_GT(GetRValue(bottom), 240);
  EXPECT_LT(GetBValue(bottom), 15);
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
  EXPECT_EQ(canvas.At(left + size / 2, top + size / 2), kRed);
  EXPECT_EQ(canvas.At(left + size / 4, top + size / 4), kRed);
  EXPECT_EQ(canvas.At(left + size / 4 - 1, top + size / 2), kGreen);
  EXPECT_EQ(canvas.At(left + 3 * size / 4, top + size / 2), kGreen);
  EXPECT_EQ(canvas.Count([](COLORREF c) { return c == kMagenta; }), 0);
}

TEST_F(Primitives, TransparentBitmapFromADibAndADeviceBitmap) {
  ui::OwnedBitmap dib = Picture(16, 16, SquareOnMagenta);
  ui::OwnedBitmap ddb = AsDeviceBitmap(dib.get(), 16, 16);
  for (HBITMAP picture : {dib.get(), ddb.get()}) {
    for (ColorValue mask : {static_cast<ColorValue>(kMagenta), -1}) {
      Fill(canvas, 64, 64, kGreen);
      RECT src{};
      int w = 0, h = 0;
      ASSERT_TRUE(DrawTransparentBitmap(canvas.Dc(), RECT{8, 8, 40, 40}, picture, src, mask, w, h));
      EXPECT_EQ((std::pair{w, h}), (std::pair{16, 16}));  // never enlarged unasked
      EXPECT_EQ((std::pair{src.right, src.bottom}), (std::pair{16L, 16L}));
      ExpectSquareDrawn(canvas, 8, 8, 16);
    }
  }
}

TEST_F(Primitives, TransparentBitmapShrinksToItsCellAndEnlargesWhenAsked) {
  ui::OwnedBitmap picture = Picture(32, 32, SquareOnMagenta);
  RECT src{};
  int w = 0, h = 0;
  ASSERT_TRUE(DrawTransparentBitmap(canvas.Dc(), RECT{4, 4, 20, 20}, picture.get(), src, -1, w, h));
  EXPECT_EQ((std::pair{w, h}), (std::pair{16, 16}));
  ExpectSquareDrawn(canvas, 4, 4, 16);
  Fill(canvas, 64, 64, kGreen);
  w = h = 48;
  ASSERT_TRUE(DrawTransparentBitmap(canvas.Dc(), RECT{8, 8, 0, 0}, picture.get(), src, -1, w, h));
  ExpectSquareDrawn(canvas, 8, 8, 48);
}

TEST_F(Primitives, TransparentBitmapMirrorsAndDrawsOverAnotherBackground) {
  ui::OwnedBitmap picture = Picture(8, 8, RedLeftBlueRight);
  Canvas back(16, 16);
  Fill(back, 16, 16, RGB(9, 9, 9));
  RECT src{};
  int w = 0, h = 0;
  ASSERT_TRUE(DrawTransparentBitmap(canvas.Dc(), RECT{0, 0, 16, 16}, picture.get(), src, kMagenta, w, h, back.Dc(),
                                    0, 0, true, false));
  EXPECT_EQ(canvas.At(1, 1), kBlue);
  EXPECT_EQ(canvas.At(6, 6), kRed);
  EXPECT_EQ(canvas.At(12, 12), RGB(9, 9, 9));  // the back DC's background, not the canvas
}

TEST_F(Primitives, TransparentBitmapRefusesWhatItCannotDraw) {
  ui::OwnedBitmap picture = Picture(8, 8, SquareOnMagenta);
  ui::OwnedBrush brush(::CreateSolidBrush(kRed));
  RECT src{};
  int w = 0, h = 0;
  EXPECT_FALSE(DrawTransparentBitmap(canvas.Dc(), RECT{4, 4, 4, 20}, picture.get(), src, -1, w, h));
  EXPECT_FALSE(DrawTransparentBitmap(canvas.Dc(), RECT{4, 4, 20, 20}, nullptr, src, -1, w, h));
  EXPECT_FALSE(DrawTransparentBitmap(canvas.Dc(), RECT{4, 4, 20, 20}, reinterpret_cast<HBITMAP>(brush.get()), src,
                                     -1, w, h));
  EXPECT_FALSE(DrawTransparentBitmap(canvas.Dc(), RECT{4, 4, 20, 20}, reinterpret_cast<HBITMAP>(UINT_PTR{12345}),
                                     src, -1, w, h));
  src = RECT{8, 0, 4, 8};  // an inverted source part
  EXPECT_FALSE(DrawTransparentBitmap(canvas.Dc(), RECT{4, 4, 20, 20}, picture.get(), src, -1, w, h));
  // Another DC holds the bitmap: it cannot be selected here.
  Canvas other(4, 4);
  HGDIOBJ old = ::SelectObject(other.Dc(), picture.get());
  src = RECT{};
  w = h = 0;
  const bool drawn = DrawTransparentBitmap(canvas.Dc(), RECT{4, 4, 20, 20}, picture.get(), src, -1, w, h);
  ::SelectObject(other.Dc(), old);
  EXPECT_FALSE(drawn);
  EXPECT_EQ(canvas.Count([](COLORREF c) { return c != kGreen; }), 0);
  // The bitmap is free again and draws.
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
  // The picture itself is still a free bitmap: nothing kept it selected.
  Canvas other(4, 4);
  HGDIOBJ old = ::SelectObject(other.Dc(), picture.get());
  EXPECT_NE(old, nullptr);
  ::SelectObject(other.Dc(), old);
}

}  // namespace
}  // namespace menus
