// Measures and draws a prepared pop-up's items as a menu loop would, one
// under another into `canvas`, through the owner's window procedure: every
// item measured first, then every item drawn.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace bench {

// The items Windows would measure, with the owner's answers; those the owner
// did not take are left out.
inline std::vector<MEASUREITEMSTRUCT> MeasurePopup(HWND owner, HMENU menu) {
  std::vector<MEASUREITEMSTRUCT> measured;
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_DATA;
    ::GetMenuItemInfoW(menu, i, TRUE, &info);
    MEASUREITEMSTRUCT mis{ODT_MENU, 0, info.wID, 0, 0, info.dwItemData};
    if (::SendMessageW(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis))) measured.push_back(mis);
  }
  return measured;
}

// Draws the measured items; `each` sees every one and whether it was drawn.
inline void DrawPopup(HWND owner, HMENU menu, HDC canvas, const std::vector<MEASUREITEMSTRUCT>& measured,
                      const std::function<void(const MEASUREITEMSTRUCT&, bool drawn)>& each = {}) {
  int top = 3;
  for (const MEASUREITEMSTRUCT& mis : measured) {
    DRAWITEMSTRUCT dis{ODT_MENU, 0, mis.itemID, ODA_DRAWENTIRE, 0, reinterpret_cast<HWND>(menu), canvas,
                       {3, top, 3 + static_cast<LONG>(mis.itemWidth), top + static_cast<LONG>(mis.itemHeight)},
                       mis.itemData};
    const bool drawn = ::SendMessageW(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis)) != 0;
    if (each) each(mis, drawn);
    top = (top + static_cast<int>(mis.itemHeight)) % 1000;
  }
}

inline void PaintPopup(HWND owner, HMENU menu, HDC canvas,
                       const std::function<void(const MEASUREITEMSTRUCT&, bool drawn)>& each = {}) {
  DrawPopup(owner, menu, canvas, MeasurePopup(owner, menu), each);
}

}  // namespace bench
