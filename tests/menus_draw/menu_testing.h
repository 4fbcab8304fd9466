// What the menu tests share: an item of a prepared pop-up measured and drawn
// as a menu loop would, through its owner's window procedure, and an event
// object that notes what it is told.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "dc_state.h"
#include "menus/menu_items.h"

namespace menus::testing {

inline std::wstring HandleText(const void* h) { return std::to_wstring(reinterpret_cast<UINT_PTR>(h)); }

// An item's string, by position or (MF_BYCOMMAND) by ID.
inline std::wstring MenuText(HMENU menu, UINT item, UINT by = MF_BYPOSITION) {
  wchar_t text[512] = {};
  ::GetMenuStringW(menu, item, text, 512, by);
  return text;
}

inline MEASUREITEMSTRUCT MeasureItem(HWND owner, HMENU menu, int position) {
  MENUITEMINFOW info{sizeof info, MIIM_ID | MIIM_DATA};
  ::GetMenuItemInfoW(menu, position, TRUE, &info);
  MEASUREITEMSTRUCT m{ODT_MENU, 0, info.wID, 0, 0, info.dwItemData};
  ::SendMessageW(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&m));
  return m;
}

// Draws the item with its top-left corner at `at`, `width` wide. Every
// drawing must leave the DC as it found it, set first to values no drawing uses.
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

// Each tip shown, each choice as "user/category/value", and the menu loops
// said to have ended.
struct TipsLog : cTips {
  std::vector<std::wstring> tips, choices;
  int closed = 0;
  void DisplayTip(std::wstring& text) override { tips.push_back(text); }
  void CustomSelection(std::wstring& user, std::wstring& category, CustomValue& value) override {
    if (category == L"MenusClosed") {
      ++closed;
      return;
    }
    choices.push_back(user + L"/" + category + L"/" +
                      (std::holds_alternative<long long>(value) ? std::to_wstring(std::get<long long>(value))
                                                                : std::get<std::wstring>(value)));
  }
};

}  // namespace menus::testing
