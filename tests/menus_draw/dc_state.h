// What a painting routine must leave as it found it in a DC.
#pragma once

#include <windows.h>

#include <tuple>

struct DcState {
  HGDIOBJ pen, brush, font, bitmap;
  COLORREF text, back, dcBrush, dcPen;
  int backMode, rop2, stretchMode, mapMode;
  POINT at;
  static DcState Of(HDC dc) {
    DcState s{::GetCurrentObject(dc, OBJ_PEN), ::GetCurrentObject(dc, OBJ_BRUSH), ::GetCurrentObject(dc, OBJ_FONT),
              ::GetCurrentObject(dc, OBJ_BITMAP), ::GetTextColor(dc), ::GetBkColor(dc), ::GetDCBrushColor(dc),
              ::GetDCPenColor(dc), ::GetBkMode(dc), ::GetROP2(dc), ::GetStretchBltMode(dc), ::GetMapMode(dc), {}};
    ::GetCurrentPositionEx(dc, &s.at);
    return s;
  }
  auto Tie() const {
    return std::tie(pen, brush, font, bitmap, text, back, dcBrush, dcPen, backMode, rop2, stretchMode, mapMode, at.x,
                    at.y);
  }
  bool operator==(const DcState& o) const { return Tie() == o.Tie(); }
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
