#include "core/menu_columns.h"

namespace tolvane {

std::vector<int> PlanMenuColumns(const std::vector<int>& heights, bool sideBar, int limit) {
  std::vector<int> breaks;
  if (!sideBar || heights.size() < 2) return breaks;
  int column = 0;
  for (std::size_t p = 1; p < heights.size(); ++p) {
    const int height = heights[p];
    if (p == 1) {
      breaks.push_back(1);  // beside the side bar
      column = height;
      continue;
    }
    column += height;
    if (column > limit) {
      breaks.push_back(static_cast<int>(p));
      // The first column sets the height of the others.
      if (breaks.size() == 2) limit = column - height;
      column = height;
    }
  }
  return breaks;
}

int ColumnExtraWidth(bool hasRightText, bool hasSubMenu, bool systemMenu, int correction) {
  if (correction != 0) return 0;
  int extra = 0;
  if (hasRightText) extra = hasSubMenu ? 35 : 15;
  if (systemMenu) extra += 15;
  return extra;
}

}  // namespace tolvane
