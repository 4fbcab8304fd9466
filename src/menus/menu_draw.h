// Measuring and painting the owner-drawn items of a prepared pop-up, from
// their records: every place is taken relative to the item's rectangle.
#pragma once

#include <windows.h>

#include <string>

#include "menus/menu_items.h"

namespace menus {

// WM_MEASUREITEM: true when `lParam`'s item is a menu item `owner` knows.
bool OnMeasureItem(cMenuItems* owner, LPARAM lParam);
// WM_DRAWITEM: true when `lParam`'s item is a menu item `owner` knows and it
// was drawn.
bool OnDrawItem(cMenuItems* owner, LPARAM lParam);

// An item's picture (its handle in decimal) in Rect's top-left corner moved
// by the offset, Width x Height; see DrawMenuPicture for greyed and embossed.
bool DrawMenuIcon(HDC hDC, const std::wstring& Image, const RECT& Rect, bool Greyed, bool Embossed, bool Opaque,
                  int OffsetX, int OffsetY, int Width, int Height);

// A 3-D frame or, LineOnly, a two-line bar from Left to Right at Top and
// Bottom - 1 (etched, or raised when Inverted); inactive: in the menu colour,
// which rubs out one drawn before. The colours are system colour indexes.
void DrawFrame3D(HDC hDC, int Left, int Top, int Right, int Bottom, bool Active, bool Inverted, bool LineOnly,
                 int Width1, int Width2, int LightColor, int DarkColor);

// The stepped tick: across from ItemRect's left, centred in Rect's height.
void DrawCheckMark(HDC hDC, const RECT& Rect, COLORREF Color, const RECT& ItemRect);

// The glyph of a window command (close, minimise, maximise, restore) and its
// cell; other IDs draw no glyph.
void DrawSystemGlyph(HDC hDC, const RECT& Rect, UINT ItemID, bool Disabled, bool Selected);

}  // namespace menus
