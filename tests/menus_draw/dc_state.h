// What a painting routine must leave as it found it in a DC.
#pragma once

#include <windows.h>

struct DcState {
  HGDIOBJ pen, brush, font, bitmap;
  COLORREF text, back, dcBrush, dcPen;
  int backMode, rop2, stretchMode, mapMode;
  LONG x, y;  // the current position
  static DcState Of(HDC dc) {
    POINT at{};
    ::GetCurrentPositionEx(dc, &at);
    return {::GetCurrentObject(dc, OBJ_PEN), ::GetCurrentObject(dc, OBJ_BRUSH), ::GetCurrentObject(dc, OBJ_FONT),
            ::GetCurrentObject(dc, OBJ_BITMAP), ::GetTextColor(dc), ::GetBkColor(dc), ::GetDCBrushColor(dc),
            ::GetDCPenColor(dc), ::GetBkMode(dc), ::GetROP2(dc), ::GetStretchBltMode(dc), ::GetMapMode(dc), at.x, at.y};
  }
  bool operator==(const DcState&) const = default;
};

// Colours and modes no drawing uses, so that one a routine sets and leaves
// shows: an opaque background among them, since drawing text sets it clear.
inline void DisturbDefaults(HDC dc) {
  ::SetTextColor(dc, RGB(1, 2, 3));
  ::SetBkColor(dc, RGB(4, 5, 6));
  ::SetDCBrushColor(dc, RGB(7, 8, 9));
  ::SetDCPenColor(dc, RGB(10, 11, 12));
  ::SetBkMode(dc, OPAQUE);
  ::SetStretchBltMode(dc, HALFTONE);
}
