#include "menus/sidebar.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "canvas.h"
#include "menus/gdi_count.h"

namespace menus {
namespace {

using tolvane::MenuItemRec;
using tolvane::MenuPanelRec;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// Gradients are drawn in bands: the ends come within a few steps of their colours.
bool Near(COLORREF a, COLORREF b) {
  auto close = [](int x, int y) { return x - y < 8 && y - x < 8; };
  return close(GetRValue(a), GetRValue(b)) && close(GetGValue(a), GetGValue(b)) && close(GetBValue(a), GetBValue(b));
}

HBITMAP Bitmap(const MenuPanelRec& panel) { return reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(panel.SideBarBitmap)); }

// The panel's side bar copied where its pixels can be read.
struct Snapshot {
  Snapshot(const MenuPanelRec& panel, int w, int h) : canvas(w, h) {
    HDC from = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(from, Bitmap(panel));
    ::BitBlt(canvas.Dc(), 0, 0, w, h, from, 0, 0, SRCCOPY);
    ::SelectObject(from, old);
    ::DeleteDC(from);
  }
  Canvas canvas;
};

std::wstring HandleText(HANDLE h) { return std::to_wstring(reinterpret_cast<UINT_PTR>(h)); }

// A 16 x 16 red picture.
ui::OwnedBitmap RedSquare() {
  void* bits = nullptr;
  ui::OwnedBitmap bitmap = ui::CreateDib(16, 16, 32, &bits);
  auto* pixels = static_cast<std::uint32_t*>(bits);
  for (int i = 0; i < 16 * 16; ++i) pixels[i] = 0xFF0000;
  return bitmap;
}

class Sidebar : public ::testing::Test {
 protected:
  void SetUp() override {
    held = GdiObjectsHeld();
    item.Height = 200;
  }
  void TearDown() override {
    FreeSidebarBitmap(panel);
    EXPECT_EQ(GdiObjectsHeld(), held);  // every DC, font and bitmap given back
  }
  MenuItemRec item;
  MenuPanelRec panel;
  long held = 0;
};

TEST_F(Sidebar, TextOverAGradientFromTopToBottom) {
  ASSERT_TRUE(DrawSidebarText(nullptr, item, panel,
                              L"{Sidebar|Text:Tolvane|FColor:0|BColor:255|GColor:16711680|FSize:14|Width:20|"));
  ASSERT_GE(item.Width, 35);
  Snapshot shot(panel, item.Width, 200);
  EXPECT_PRED2(Near, shot.canvas.At(1, 0), RGB(0, 0, 255));    // the second colour at the top
  EXPECT_PRED2(Near, shot.canvas.At(1, 199), RGB(255, 0, 0));  // the back colour at the bottom
  const int ink = shot.canvas.Count([](COLORREF c) { return GetRValue(c) < 60 && GetGValue(c) < 60 && GetBValue(c) < 60; });
  EXPECT_GT(ink, 30);
  // Written upwards: the ink stands in a band taller than it is wide.
  int top = 200, bottom = 0, left = item.Width, right = 0;
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < item.Width; ++x) {
      const COLORREF c = shot.canvas.At(x, y);
      if (GetRValue(c) < 60 && GetGValue(c) < 60 && GetBValue(c) < 60) {
        top = std::min(top, y), bottom = std::max(bottom, y), left = std::min(left, x), right = std::max(right, x);
      }
    }
  EXPECT_GT(bottom - top, 2 * (right - left));
}

TEST_F(Sidebar, PicturePlacedAcrossAndByAlign) {
  ui::OwnedBitmap red = RedSquare();
  const std::wstring image = L"IMG:" + HandleText(red.get());
  struct Case {
    std::wstring align;
    int y;
  } cases[] = {{L"|ALIGN:Top", 0}, {L"|ALIGN:Bot", 184}, {L"", 92}};
  for (const auto& c : cases) {
    ASSERT_TRUE(CreateSidebarBitmap(nullptr, item, panel, L"{Sidebar|BColor:16777215|" + image + c.align + L"|", {}));
    EXPECT_EQ(item.Width, 35);
    Snapshot shot(panel, 35, 200);
    EXPECT_EQ(shot.canvas.At(9, c.y), kRed) << c.align;  // (35 - 16) / 2 across
    EXPECT_EQ(shot.canvas.At(24, c.y + 15), kRed) << c.align;
    EXPECT_EQ(shot.canvas.At(8, c.y), kWhite) << c.align;
    EXPECT_EQ(shot.canvas.At(25, c.y + 8), kWhite) << c.align;
  }
  // Without a back colour, the picture's corner is the back.
  ASSERT_TRUE(CreateSidebarBitmap(nullptr, item, panel, L"{Sidebar|" + image + L"|", {}));
  EXPECT_EQ(Snapshot(panel, 35, 200).canvas.At(0, 0), kRed);
}

TEST_F(Sidebar, APictureThatCannotBeHadGivesTheDefaultBar) {
  ASSERT_TRUE(CreateSidebarBitmap(nullptr, item, panel, L"{Sidebar|IMG:i4|", {}));
  EXPECT_GE(item.Width, 35);
  Snapshot shot(panel, 35, 200);
  EXPECT_PRED2(Near, shot.canvas.At(0, 0), RGB(0, 255, 255));
  EXPECT_PRED2(Near, shot.canvas.At(0, 199), RGB(0, 128, 192));
}

TEST_F(Sidebar, ABuildReplacesTheBitmapAndAFailureKeepsIt) {
  ASSERT_TRUE(DrawSidebarText(nullptr, item, panel, L"{Sidebar|Text:A|"));
  ASSERT_TRUE(DrawSidebarText(nullptr, item, panel, L"{Sidebar|Text:B|"));
  EXPECT_EQ(GdiObjectsHeld(), held + 1);
  const auto kept = panel.SideBarBitmap;
  item.Height = 200000;  // too big a bitmap to be made, once the DC and fonts are
  EXPECT_FALSE(DrawSidebarText(nullptr, item, panel, L"{Sidebar|Text:C|Width:200000|"));
  EXPECT_EQ(panel.SideBarBitmap, kept);
  ui::OwnedBitmap red = RedSquare();
  EXPECT_FALSE(CreateSidebarBitmap(nullptr, item, panel, L"{Sidebar|Width:200000|IMG:" + HandleText(red.get()) + L"|", {}));
  EXPECT_EQ(panel.SideBarBitmap, kept);
  EXPECT_EQ(GdiObjectsHeld(), held + 1);
}

}  // namespace
}  // namespace menus
