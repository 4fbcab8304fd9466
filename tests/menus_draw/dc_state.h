// What a painting routine must leave as it found it in a DC.
#pragma once

#include <windows.h>

#include <ostream>

struct DcState {
  HGDIOBJ pen, brush, font, bitmap;
  COLORREF text, back, dcBrush, dcPen;
  int backMode, rop2, stretchMode, mapMode;
  POINT position;

  static DcState Of(HDC dc) {
    DcState s{};
    s.pen = ::GetCurrentObject(dc, OBJ_PEN);
    s.brush = ::GetCurrentObject(dc, OBJ_BRUSH);
    s.font = ::GetCurrentObject(dc, OBJ_FONT);
    s.bitmap = ::GetCurrentObject(dc, OBJ_BITMAP);
    s.text = ::GetTextColor(dc);
    s.back = ::GetBkColor(dc);
    s.dcBrush = ::GetDCBrushColor(dc);
    s.dcPen = ::GetDCPenColor(dc);
    s.backMode = ::GetBkMode(dc);
    s.rop2 = ::GetROP2(dc);
    s.stretchMode = ::GetStretchBltMode(dc);
    s.mapMode = ::GetMapMode(dc);
    ::GetCurrentPositionEx(dc, &s.position);
    return s;
  }
  bool operator==(const DcState& o) const {
    return pen == o.pen && brush == o.brush && font == o.font && bitmap == o.bitmap && text == o.text &&
           back == o.back && dcBrush == o.dcBrush && dcPen == o.dcPen && backMode == o.backMode && rop2 == o.rop2 &&
           stretchMode == o.stretchMode && mapMode == o.mapMode && position.x == o.position.x &&
           position.y == o.position.y;
  }
};

inline std::ostream& operator<<(std::ostream& os, const DcState& s) {
  return os << "pen " << s.pen << " brush " << s.brush << " font " << s.font << " bitmap " << s.bitmap << " text "
            << std::hex << s.text << " back " << s.back << " dcBrush " << s.dcBrush << " dcPen " << s.dcPen
            << std::dec << " modes " << s.backMode << "/" << s.rop2 << "/" << s.stretchMode << "/" << s.mapMode;
}

// A DC state a routine could easily disturb: colours and modes away from
// their defaults.
inline void DisturbDefaults(HDC dc) {
  ::SetTextColor(dc, RGB(1, 2, 3));
  ::SetBkColor(dc, RGB(4, 5, 6));
  ::SetDCBrushColor(dc, RGB(7, 8, 9));
  ::SetDCPenColor(dc, RGB(10, 11, 12));
  ::SetBkMode(dc, TRANSPARENT);
  ::SetStretchBltMode(dc, HALFTONE);
}
