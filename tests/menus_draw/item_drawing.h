// An item of a prepared pop-up measured and drawn as a menu loop would,
// through its owner's window procedure. Every drawing must leave the DC as
// it found it, set first to values no drawing uses.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include "dc_state.h"

namespace menus::testing {

inline MEASUREITEMSTRUCT MeasureItem(HWND owner, HMENU menu, int position) {
  MENUITEMINFOW info{sizeof info, MIIM_ID | MIIM_DATA};
  ::GetMenuItemInfoW(menu, position, TRUE, &info);
  MEASUREITEMSTRUCT m{ODT_MENU, 0, info.wID, 0, 0, info.dwItemData};
  ::SendMessageW(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&m));
  return m;
}

// Draws the item with its top-left corner at `at`, `width` wide.
inline bool DrawItem(HWND owner, HDC dc, HMENU menu, int position, POINT at = {3, 3}, UINT state = 0,
                     UINT action = ODA_DRAWENTIRE, LONG width = 200) {
  const MEASUREITEMSTRUCT m = MeasureItem(owner, menu, position);
  DisturbDefaults(dc);
  const DcState before = DcState::Of(dc);
  DRAWITEMSTRUCT d{ODT_MENU, 0, m.itemID, action, state, reinterpret_cast<HWND>(menu), dc,
                   RECT{at.x, at.y, at.x + width, at.y + static_cast<LONG>(m.itemHeight)}, m.itemData};
  const bool drawn = ::SendMessageW(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&d)) != 0;
  EXPECT_EQ(DcState::Of(dc), before) << "item " << position;
  return drawn;
}

}  // namespace menus::testing
