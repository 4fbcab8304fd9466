// The painting routines the menu items and side bars share: colours (system
// colours included), rectangles and gradients drawn with the DC's own pen
// and brush, and a picture drawn through a mask of its transparent colour.
// Each leaves the DC as it found it: selections, colours and modes.
#pragma once

#include <windows.h>

#include <string_view>

#include "core/menu_draw_rules.h"
#include "menus/gdi_count.h"

namespace menus {

using tolvane::ColorValue;

// The colour to paint: a system colour value becomes the system's colour.
COLORREF TranslateColor(ColorValue Color);

// The colour a caption's text names (a number, "&H…" or a name such as
// "vbRed" or "vbHighlight"); `Default`, untranslated, when it names none.
ColorValue ColorFromName(std::wstring_view Value, ColorValue Default);

// A pen of one colour selected for as long as this lives. A one-pixel pen is
// the DC's own pen recoloured, so nothing is made; the DC's pen and pen
// colour come back afterwards.
class ScopedPen {
 public:
  ScopedPen(HDC dc, ColorValue color, int width = 1);
  ~ScopedPen();
  ScopedPen(const ScopedPen&) = delete;
  ScopedPen& operator=(const ScopedPen&) = delete;
  void SetColor(ColorValue color);

 private:
  HDC dc_;
  CountedPen made_;
  HGDIOBJ oldPen_ = nullptr;
  COLORREF oldColor_ = CLR_INVALID;
};

// The DC's own brush in one colour for as long as this lives.
class ScopedBrush {
 public:
  ScopedBrush(HDC dc, ColorValue color);
  ~ScopedBrush();
  ScopedBrush(const ScopedBrush&) = delete;
  ScopedBrush& operator=(const ScopedBrush&) = delete;
  void SetColor(ColorValue color);

 private:
  HDC dc_;
  HGDIOBJ oldBrush_ = nullptr;
  COLORREF oldColor_ = CLR_INVALID;
};

// A text colour for as long as this lives.
class ScopedTextColor {
 public:
  ScopedTextColor(HDC dc, ColorValue color) : dc_(dc), old_(::SetTextColor(dc, TranslateColor(color))) {}
  ~ScopedTextColor() {
    if (old_ != CLR_INVALID) ::SetTextColor(dc_, old_);
  }
  ScopedTextColor(const ScopedTextColor&) = delete;
  ScopedTextColor& operator=(const ScopedTextColor&) = delete;

 private:
  HDC dc_;
  COLORREF old_;
};

// A filled rectangle with a one-pixel outline in `PenColor`; -1 outlines it
// in the fill colour (no outline to see).
void DrawRectangle(HDC hDC, int X1, int Y1, int X2, int Y2, ColorValue FillColor, ColorValue PenColor);
inline void DrawRectangle(HDC hDC, const RECT& r, ColorValue FillColor, ColorValue PenColor) {
  DrawRectangle(hDC, r.left, r.top, r.right, r.bottom, FillColor, PenColor);
}

// Bands from Color1 to Color2: left to right, or, not Horizontal, from
// Color2 at the top to Color1 at the bottom. An empty rectangle paints
// nothing.
void DrawGradient(ColorValue Color1, ColorValue Color2, bool Horizontal, HDC hDC, const RECT& Rect);

// Draws the part SrcRect of a bitmap at DestRect's top-left corner with
// TransColor (negative: the bitmap's top-left pixel) left out, over the
// background found there (or copied from hBackDC at BackX, BackY), Width x
// Height in size (0: the source part's), shrunk to fit DestRect, optionally
// mirrored. SrcRect's missing right and bottom and the drawn size are written
// back. False when nothing was drawn: not a bitmap, or a size of 0.
bool DrawTransparentBitmap(HDC hDC, const RECT& DestRect, HBITMAP hBitmap, RECT& SrcRect, ColorValue TransColor,
                           int& Width, int& Height, HDC hBackDC = nullptr, int BackX = 0, int BackY = 0,
                           bool FlipH = false, bool FlipV = false);

}  // namespace menus
