#include "controls/imagebutton/faces.h"

#include <gtest/gtest.h>

#include <vector>

#include "canvas.h"
#include "ui/font.h"

namespace imagebutton {
namespace {

constexpr int kWidth = 81;   // 1215 twips
constexpr int kHeight = 33;  // 495 twips
constexpr int kGap = 4;

struct Expected {
  int x, y;
  COLORREF colour;
};

// The five looks side by side, each checked at the pixels that identify it:
// rows of the gradient or stripes, the inner edges and the softened corners.
TEST(ImageButtonFaces, FiveFacesSideBySide) {
  const Face faces[] = {Face::Normal, Face::Hover, Face::Focus, Face::Disabled, Face::Pressed};
  const COLORREF border = RGB(0, 60, 116);
  const COLORREF outer = RGB(122, 149, 168);
  const COLORREF inner = RGB(37, 87, 131);
  const std::vector<Expected> expected[] = {
      {{40, 3, RGB(255, 255, 253)}, {40, 15, RGB(243, 243, 241)}, {40, 27, RGB(231, 231, 229)},
       {40, 29, RGB(236, 235, 230)}, {40, 30, RGB(226, 223, 214)}, {40, 31, RGB(214, 208, 197)},
       {40, 1, ::GetSysColor(COLOR_WINDOW)}, {40, 0, border}, {40, 32, border}, {0, 16, border},
       {80, 16, border}, {0, 1, outer}, {1, 1, inner}, {1, 0, outer}, {79, 31, inner}, {80, 31, outer}},
      {{40, 1, RGB(255, 240, 207)}, {40, 2, RGB(253, 216, 137)}, {1, 2, RGB(254, 223, 154)},
       {1, 5, RGB(251, 214, 133)}, {1, 30, RGB(238, 175, 42)}, {79, 29, RGB(238, 175, 42)},
       {2, 3, RGB(252, 210, 121)}, {2, 30, RGB(243, 174, 49)}, {78, 30, RGB(243, 174, 49)},
       {40, 30, RGB(243, 174, 49)}, {40, 31, RGB(229, 151, 0)}, {40, 15, RGB(243, 243, 241)}},
      {{40, 1, RGB(206, 231, 251)}, {40, 2, RGB(188, 212, 246)}, {2, 25, RGB(110, 154, 227)},
       {79, 25, RGB(110, 154, 227)}, {40, 30, RGB(110, 154, 227)}, {2, 31, RGB(77, 125, 193)},
       {40, 31, RGB(97, 125, 229)}, {78, 31, RGB(77, 125, 193)}, {40, 15, RGB(243, 243, 241)}},
      {{40, 1, RGB(245, 244, 234)}, {40, 16, RGB(245, 244, 234)}, {0, 16, RGB(201, 199, 186)},
       {40, 32, RGB(201, 199, 186)}, {0, 1, RGB(216, 213, 199)}, {1, 1, RGB(216, 213, 199)},
       {1, 2, RGB(234, 233, 222)}, {78, 31, RGB(234, 233, 222)}, {80, 31, RGB(216, 213, 199)}},
      {{40, 1, RGB(209, 204, 192)}, {40, 2, RGB(220, 216, 207)}, {40, 3, RGB(239, 238, 231)},
       {40, 27, RGB(233, 232, 225)}, {40, 30, RGB(234, 233, 227)}, {40, 31, RGB(242, 241, 238)},
       {40, 32, border}, {1, 1, inner}},
  };
  Canvas canvas(5 * kWidth + 4 * kGap, kHeight);
  for (int i = 0; i < 5; ++i) {
    const int left = i * (kWidth + kGap);
    ::SetViewportOrgEx(canvas.Dc(), left, 0, nullptr);
    Look look;
    look.face = faces[i];
    look.width = kWidth;
    look.height = kHeight;
    DrawLook(canvas.Dc(), look);
    for (const Expected& e : expected[i]) {
      EXPECT_EQ(canvas.At(left + e.x, e.y), e.colour) << "face " << i << " at " << e.x << "," << e.y;
    }
  }
}

// Whatever colour the caption was given, the disabled look writes it in grey.
TEST(ImageButtonFaces, DisabledCaptionIsGrey) {
  Canvas canvas(kWidth, kHeight);
  Look look;
  look.face = Face::Disabled;
  look.width = kWidth;
  look.height = kHeight;
  look.caption = L"WWW MMM";
  look.font = ui::GetFont({});
  look.textColour = RGB(0, 0, 255);
  DrawLook(canvas.Dc(), look);
  EXPECT_GT(canvas.Count([](COLORREF c) { return c == RGB(161, 161, 146); }), 10);
  EXPECT_EQ(canvas.Count([](COLORREF c) { return GetBValue(c) > GetRValue(c) + 60; }), 0);
}

// A bitmap picture fills its box as an icon does, over the caption.
TEST(ImageButtonFaces, BitmapPictureStretchedToItsBox) {
  constexpr COLORREF kColour = RGB(12, 200, 34);
  const auto picture = SolidBitmap(kColour);
  Canvas canvas(kWidth, kHeight);
  Look look;
  look.width = kWidth;
  look.height = kHeight;
  look.caption = L"Valider";
  look.font = ui::GetFont({});
  look.picture = picture.get();
  look.pictureBox = {3, 1, 36, 34};
  DrawLook(canvas.Dc(), look);
  for (const POINT p : {POINT{3, 1}, POINT{20, 16}, POINT{35, 32}}) {
    EXPECT_EQ(canvas.At(p.x, p.y), kColour) << p.x << "," << p.y;
  }
  for (const POINT p : {POINT{2, 16}, POINT{36, 16}, POINT{20, 0}}) {
    EXPECT_NE(canvas.At(p.x, p.y), kColour) << p.x << "," << p.y;
  }
}

}  // namespace
}  // namespace imagebutton
