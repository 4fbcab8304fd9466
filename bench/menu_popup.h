#pragma once

namespace bench {

// Medians in milliseconds of the group menu of `groups` groups with its
// sub-menu, over `runs` pop-ups after a first: prepared (WM_INITMENUPOPUP of
// both), measured (every WM_MEASUREITEM), drawn (every WM_DRAWITEM), and the
// whole, from the entry into the menu loop to its end.
struct MenuTimes {
  double prepare = 0, measure = 0, draw = 0, total = 0;
};
MenuTimes TimeGroupMenuPopup(int groups, int runs);

}  // namespace bench
