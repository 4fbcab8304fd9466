// How a prepared pop-up is laid out: where a pop-up with a side bar is cut
// into columns, and when a pop-up is slow enough to show the hourglass.
#pragma once

#include <cstddef>
#include <vector>

namespace tolvane {

// The positions that start a new column, in order, for items of `heights`
// pixels (the side bar's own height is not counted). Only a pop-up whose
// item 0 is a side bar is cut: the item after the side bar always starts the
// first column beside it; a column is cut before the item that takes it past
// `limit`, and every later column is as high as the first.
std::vector<int> PlanMenuColumns(const std::vector<int>& heights, bool sideBar, int limit);

// A pop-up of more items than this is slow to prepare.
inline constexpr std::size_t kSlowPopupItems = 50;
// A pop-up of more font entries than this is slow to show.
inline constexpr std::size_t kSlowFontItems = 20;

// The pixels added to every item of a column when Windows measures it: room
// for right-hand texts and sub-menu arrows, and for window-menu glyphs, all
// only where the system adds no width correction of its own.
int ColumnExtraWidth(bool hasRightText, bool hasSubMenu, bool systemMenu, int correction);

}  // namespace tolvane
