#include "controls/imagebutton/faces.h"

#include <gtest/gtest.h>

#include <vector>

#include "canvas.h"
#include "ui/font.h"

namespace imagebutton {
namespace {

constexpr int kWidth = 81;   // 1215 twips
constexpr int kHeight = 33;  // 495 twips

Look Sized(Face face, const wchar_t* caption = L"") {
  Look look;
  look.face = face;
  look.width = kWidth;
  look.height = kHeight;
  look.caption = caption;
  look.font = ui::GetFont({});
  return look;
}

// Each look checked at the pixels that tell it from the others: its gradient
// or stripes, its edges and its softened corners.
TEST(ImageButtonFaces, EachFaceDrawsItsOwnLook) {
  const COLORREF border = RGB(0, 60, 116), outer = RGB(122, 149, 168), inner = RGB(37, 87, 131);
  const struct {
    Face face;
    std::vector<std::pair<POINT, COLORREF>> pixels;
  } cases[] = {
      {Face::Normal,
       {{{40, 3}, RGB(255, 255, 253)}, {{40, 27}, RGB(231, 231, 229)}, {{40, 31}, RGB(214, 208, 197)},
        {{40, 1}, ::GetSysColor(COLOR_WINDOW)}, {{40, 32}, border}, {{80, 16}, border}, {{0, 1}, outer},
        {{1, 1}, inner}, {{80, 31}, outer}}},
      {Face::Hover,
       {{{40, 1}, RGB(255, 240, 207)}, {{1, 5}, RGB(251, 214, 133)}, {{79, 29}, RGB(238, 175, 42)},
        {{40, 31}, RGB(229, 151, 0)}, {{40, 15}, RGB(243, 243, 241)}}},
      {Face::Focus,
       {{{40, 1}, RGB(206, 231, 251)}, {{2, 25}, RGB(110, 154, 227)}, {{40, 31}, RGB(97, 125, 229)},
        {{78, 31}, RGB(77, 125, 193)}}},
      {Face::Disabled,
       {{{40, 16}, RGB(245, 244, 234)}, {{0, 16}, RGB(201, 199, 186)}, {{1, 1}, RGB(216, 213, 199)},
        {{78, 31}, RGB(234, 233, 222)}}},
      {Face::Pressed,
       {{{40, 1}, RGB(209, 204, 192)}, {{40, 27}, RGB(233, 232, 225)}, {{40, 31}, RGB(242, 241, 238)},
        {{40, 32}, border}, {{1, 1}, inner}}},
  };
  for (const auto& c : cases) {
    Canvas canvas(kWidth, kHeight);
    DrawLook(canvas.Dc(), Sized(c.face));
    for (const auto& [p, colour] : c.pixels)
      EXPECT_EQ(canvas.At(p.x, p.y), colour) << "face " << static_cast<int>(c.face) << " at " << p.x << "," << p.y;
  }
}

// Whatever colour the caption was given, the disabled look writes it in grey.
TEST(ImageButtonFaces, DisabledCaptionIsGrey) {
  Canvas canvas(kWidth, kHeight);
  Look look = Sized(Face::Disabled, L"WWW MMM");
  look.textColour = RGB(0, 0, 255);
  DrawLook(canvas.Dc(), look);
  EXPECT_GT(canvas.Count([](COLORREF c) { return c == RGB(161, 161, 146); }), 10);
  EXPECT_EQ(canvas.Count([](COLORREF c) { return GetBValue(c) > GetRValue(c) + 60; }), 0);
}

// A bitmap picture fills its box exactly, over the caption.
TEST(ImageButtonFaces, BitmapPictureStretchedToItsBox) {
  constexpr COLORREF kColour = RGB(12, 200, 34);
  const auto picture = SolidBitmap(kColour);
  Canvas canvas(kWidth, kHeight);
  Look look = Sized(Face::Normal, L"Valider");
  look.picture = picture.get();
  look.pictureBox = {3, 1, 36, 34};
  DrawLook(canvas.Dc(), look);
  const struct { int x, y; bool in; } points[] = {{3, 1, true},   {20, 16, true},  {35, 32, true},
                                                 {2, 16, false}, {36, 16, false}, {20, 0, false}};
  for (const auto& p : points) EXPECT_EQ(canvas.At(p.x, p.y) == kColour, p.in) << p.x << "," << p.y;
}

}  // namespace
}  // namespace imagebutton
