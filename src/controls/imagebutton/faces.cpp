#include "controls/imagebutton/faces.h"

#include <string>

namespace imagebutton {
namespace {

struct Rgb {
  int r, g, b;
  COLORREF Ref() const { return RGB(r, g, b); }
  Rgb Minus(int dr, int dg, int db) const { return {r - dr, g - dg, b - db}; }
};

// The drawing box: last column, first column, first row, one past the last row.
struct Box {
  int r1, l, t, b;
};

void Line(HDC dc, int x1, int y1, int x2, int y2, Rgb colour, int penWidth = 1) {
  ui::OwnedPen pen(::CreatePen(PS_SOLID, penWidth, colour.Ref()));
  ui::ScopedSelect select(dc, pen.get());
  ::MoveToEx(dc, x1, y1, nullptr);
  ::LineTo(dc, x2, y2);
}

// One row of the two inner side edges, with a single pen.
void Sides(HDC dc, int xLeft, int xRight, int y, Rgb colour, int penWidth) {
  ui::OwnedPen pen(::CreatePen(PS_SOLID, penWidth, colour.Ref()));
  ui::ScopedSelect select(dc, pen.get());
  ::MoveToEx(dc, xLeft, y, nullptr);
  ::LineTo(dc, xLeft, y + 1);
  ::MoveToEx(dc, xRight, y, nullptr);
  ::LineTo(dc, xRight, y + 1);
}

void Pixel(HDC dc, int x, int y, Rgb colour) { ::SetPixelV(dc, x, y, colour.Ref()); }

void Fill(HDC dc, const RECT& area, COLORREF colour) {
  ui::OwnedBrush brush(::CreateSolidBrush(colour));
  ::FillRect(dc, &area, brush.get());
}

void Frame(HDC dc, const RECT& area, Rgb colour) {
  ui::OwnedBrush brush(::CreateSolidBrush(colour.Ref()));
  ::FrameRect(dc, &area, brush.get());
}

void DessinerNormal(HDC dc, const Box& k) {
  Rgb c{255, 255, 253};
  for (int y = k.t + 3; y <= k.b - 3; ++y) {
    Line(dc, k.l, y, k.r1, y, c);
    if (c.b >= 230) c = c.Minus(1, 1, 1);
  }
  Line(dc, k.l, k.b - 2, k.r1, k.b - 2, {214, 208, 197});
  Line(dc, k.l, k.b - 3, k.r1, k.b - 3, {226, 223, 214});
  Line(dc, k.l, k.b - 4, k.r1, k.b - 4, {236, 235, 230});
}

void DessinerEnfonce(HDC dc, const Box& k) {
  Rgb c{239, 238, 231};
  for (int y = k.t + 3; y <= k.b - 2; y += 4) {
    Line(dc, k.l, y, k.r1, y, c, 4);
    if (c.b >= 218) c = c.Minus(1, 1, 1);
  }
  Line(dc, k.l, k.t + 1, k.r1, k.t + 1, {209, 204, 192});
  Line(dc, k.l, k.t + 2, k.r1, k.t + 2, {220, 216, 207});
  Line(dc, k.l, k.b - 3, k.r1, k.b - 3, {234, 233, 227});
  Line(dc, k.l, k.b - 2, k.r1, k.b - 2, {242, 241, 238});
}

void DessinerSurvol(HDC dc, const Box& k) {
  Line(dc, k.l + 2, k.t + 1, k.r1 - 1, k.t + 1, {255, 240, 207});
  Line(dc, k.l + 1, k.t + 2, k.r1, k.t + 2, {253, 216, 137});
  Rgb c{254, 223, 154};
  for (int y = k.t + 2; y <= k.b - 3; ++y) {
    Sides(dc, k.l + 1, k.r1 - 1, y, c, 1);
    if (c.b >= 49) c = c.Minus(1, 3, 7);
  }
  c = {252, 210, 121};
  for (int y = k.t + 3; y <= k.b - 3; ++y) {
    Sides(dc, k.l + 2, k.r1 - 2, y, c, 1);
    if (c.b >= 57) c = c.Minus(1, 4, 8);
  }
  Line(dc, k.l + 3, k.b - 3, k.r1, k.b - 3, c);
  Line(dc, k.l + 2, k.b - 2, k.r1 - 1, k.b - 2, {229, 151, 0});
}

void DessinerFocus(HDC dc, const Box& k) {
  Line(dc, k.l + 2, k.t + 1, k.r1 - 1, k.t + 1, {206, 231, 251});
  Line(dc, k.l + 1, k.t + 2, k.r1, k.t + 2, {188, 212, 246});
  Rgb c{186, 211, 246};
  for (int y = k.t + 3; y <= k.b - 4; ++y) {
    Sides(dc, k.l + 2, k.r1 - 1, y, c, 2);
    if (c.b >= 228) c = c.Minus(4, 3, 1);
  }
  Line(dc, k.l + 1, k.b - 3, k.r1 - 1, k.b - 3, c);
  Pixel(dc, k.l + 2, k.b - 2, {77, 125, 193});
  Line(dc, k.l + 3, k.b - 2, k.r1 - 2, k.b - 2, {97, 125, 229});
  Pixel(dc, k.r1 - 2, k.b - 2, {77, 125, 193});
}

void DessinerInactif(HDC dc, const Box& k, const RECT& zone) {
  Fill(dc, zone, RGB(245, 244, 234));
  Frame(dc, zone, {201, 199, 186});
  constexpr Rgb dark{216, 213, 199};
  constexpr Rgb light{234, 233, 222};
  const struct {
    int x, y;
    Rgb colour;
  } corners[] = {
      {k.l, k.t + 1, dark},          {k.l + 1, k.t + 1, dark},      {k.l + 1, k.t, dark},
      {k.l + 1, k.t + 2, light},     {k.l + 2, k.t + 1, light},     {k.r1 - 1, k.t, dark},
      {k.r1 - 1, k.t + 1, dark},     {k.r1, k.t + 1, dark},         {k.r1 - 2, k.t + 1, light},
      {k.r1 - 1, k.t + 2, light},    {k.l, k.b - 2, dark},          {k.l + 1, k.b - 2, dark},
      {k.l + 1, k.b - 1, dark},      {k.l + 1, k.b - 3, light},     {k.l + 2, k.b - 2, light},
      {k.r1, k.b - 2, dark},         {k.r1 - 1, k.b - 2, dark},     {k.r1 - 1, k.b - 1, dark},
      {k.r1 - 1, k.b - 3, light},    {k.r1 - 2, k.b - 2, light},
  };
  for (const auto& p : corners) Pixel(dc, p.x, p.y, p.colour);
}

void DessinerBordure(HDC dc, const Box& k, const RECT& zone) {
  Frame(dc, zone, {0, 60, 116});
  constexpr Rgb outer{122, 149, 168};
  constexpr Rgb inner{37, 87, 131};
  const struct {
    int x, y;
    Rgb colour;
  } corners[] = {
      {k.l, k.t + 1, outer},      {k.l + 1, k.t + 1, inner},  {k.l + 1, k.t, outer},
      {k.r1 - 1, k.t, outer},     {k.r1 - 1, k.t + 1, inner}, {k.r1, k.t + 1, outer},
      {k.l, k.b - 2, outer},      {k.l + 1, k.b - 2, inner},  {k.l + 1, k.b - 1, outer},
      {k.r1, k.b - 2, outer},     {k.r1 - 1, k.b - 2, inner}, {k.r1 - 1, k.b - 1, outer},
  };
  for (const auto& p : corners) Pixel(dc, p.x, p.y, p.colour);
}

// The caption is centred on the middle row at the height it wraps to; the
// blanks belong to the centred line and push the text right of the picture.
void DessinerTexte(HDC dc, const Look& look) {
  ui::ScopedSelect font(dc, look.font);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, look.face == Face::Disabled ? RGB(161, 161, 146) : look.textColour);
  RECT measured{0, 0, look.width, look.height};
  const int captionHeight = ::DrawTextW(dc, look.caption.data(), static_cast<int>(look.caption.size()),
                                        &measured, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
  const TextBox box = CaptionBox(look.width, look.height, captionHeight);
  RECT area{box.left, box.top, box.right, box.bottom};
  SIZE blank{};
  ::GetTextExtentPoint32W(dc, L" ", 1, &blank);
  RECT oneLine{0, 0, look.width, look.height};
  ::DrawTextW(dc, look.caption.data(), static_cast<int>(look.caption.size()), &oneLine,
              DT_CALCRECT | DT_SINGLELINE);
  constexpr int kEdges = 4;  // the border and the inner edge, on both sides
  const int blanks = FittingBlanks(look.blanks, blank.cx, oneLine.right - oneLine.left, look.width - kEdges);
  const std::wstring line = CaptionLine(look.caption, blanks);
  ::DrawTextW(dc, line.data(), static_cast<int>(line.size()), &area, DT_WORDBREAK | DT_CENTER);
}

// The picture lies over the caption.
void CaptionAndPicture(HDC dc, const Look& look) {
  DessinerTexte(dc, look);
  if (look.picture) look.picture->Draw(dc, look.pictureBox, true);
}

}  // namespace

void DrawLook(HDC dc, const Look& look) {
  if (look.width <= 0 || look.height <= 0) return;
  ui::ScopedDcState state(dc);
  const RECT zone{0, 0, look.width, look.height};
  const Box k{look.width - 1, 0, 0, look.height};
  Fill(dc, zone, ToColorRef(kWindowBackground));  // what no face routine covers
  switch (look.face) {
    case Face::Disabled:
      DessinerInactif(dc, k, zone);
      break;
    case Face::Pressed:
      DessinerEnfonce(dc, k);
      DessinerBordure(dc, k, zone);
      break;
    case Face::Hover:
      DessinerNormal(dc, k);
      DessinerSurvol(dc, k);
      DessinerBordure(dc, k, zone);
      break;
    case Face::Focus:
      DessinerNormal(dc, k);
      DessinerFocus(dc, k);
      DessinerBordure(dc, k, zone);
      break;
    case Face::Normal:
      DessinerNormal(dc, k);
      DessinerBordure(dc, k, zone);
      break;
  }
  CaptionAndPicture(dc, look);
}

void DrawCaption(HDC dc, const Look& look) {
  if (look.width <= 0 || look.height <= 0) return;
  ui::ScopedDcState state(dc);
  CaptionAndPicture(dc, look);
}

ui::OwnedRegion ButtonRegion(int width, int height) {
  ui::OwnedRegion region(::CreateRectRgn(0, 0, width, height));
  const POINT corners[] = {{0, 0}, {0, height - 1}, {width - 1, 0}, {width - 1, height - 1}};
  for (const POINT& p : corners) {
    ui::OwnedRegion dot(::CreateRectRgn(p.x, p.y, p.x + 1, p.y + 1));
    ::CombineRgn(region.get(), region.get(), dot.get(), RGN_DIFF);
  }
  return region;
}

COLORREF ToColorRef(Colour colour) {
  if (colour.value & 0x80000000u) return ::GetSysColor(static_cast<int>(colour.value & 0xFFu));
  return colour.value & 0x00FFFFFFu;
}

}  // namespace imagebutton
