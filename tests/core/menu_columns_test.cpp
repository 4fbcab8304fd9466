#include "core/menu_columns.h"

#include <gtest/gtest.h>

#include <vector>

namespace tolvane {
namespace {

std::vector<int> Items(int count, int height, bool sideBar) {
  std::vector<int> heights(static_cast<std::size_t>(count), height);
  if (sideBar && count > 0) heights[0] = 0;
  return heights;
}

TEST(MenuColumns, OnlyASideBarCutsAPopupIntoColumnsOfTheFirstOnesHeight) {
  struct Case { int items; bool sideBar; int limit; std::vector<int> breaks; };
  for (const auto& c : {
           Case{40, false, 100, {}},             // however long, no side bar: one column
           Case{1, true, 100, {}},               // the side bar alone
           Case{4, true, 100, {1}},              // short: one column beside the bar
           Case{11, true, 100, {1}},             // 10 x 10 pixels fill the limit exactly
           Case{12, true, 100, {1, 11}},         // one more starts a column
           Case{31, true, 100, {1, 11, 21}},     // the later columns as high as the first
           Case{12, true, 0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
       })
    EXPECT_EQ(PlanMenuColumns(Items(c.items, 10, c.sideBar), c.sideBar, c.limit), c.breaks)
        << c.items << " items, limit " << c.limit;
}

TEST(MenuColumns, ALaterColumnKeepsTheFirstColumnsHeightWhateverTheLimit) {
  // Tall items first: the first column closes at 40 pixels, and so do the
  // later ones, though the limit of 50 would hold a ninth small item.
  std::vector<int> heights{0, 20, 20, 20, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5};
  EXPECT_EQ(PlanMenuColumns(heights, true, 50), (std::vector<int>{1, 3, 8}));
}

}  // namespace
}  // namespace tolvane
