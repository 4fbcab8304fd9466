// Captions as drawn on the screen: wrapped over several lines when asked,
// on one line otherwise, and underlined by the font.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ui/controls.h"
#include "ui/form.h"

namespace {

class CaptionForm : public ui::Form {
 public:
  CaptionForm() : ui::Form(L"CaptionForm") {}
  ui::Label label;
  ui::Design design;

 protected:
  void Design() override {
    Move(0, 0, 3000, 1500);
    SetBackColor(RGB(255, 255, 255));
    label.Create(*this, design);
  }
};

// The rows of the label's client area that hold dark pixels.
std::vector<int> InkedRows(HWND hwnd) {
  ::UpdateWindow(hwnd);
  RECT r{};
  ::GetClientRect(hwnd, &r);
  HDC dc = ::GetDC(hwnd);
  std::vector<int> rows;
  for (int y = 0; y < r.bottom; ++y) {
    for (int x = 0; x < r.right; ++x) {
      if (GetRValue(::GetPixel(dc, x, y)) < 100) {
        rows.push_back(y);
        break;
      }
    }
  }
  ::ReleaseDC(hwnd, dc);
  return rows;
}

// The longest run of dark pixels on one row.
int LongestRun(HWND hwnd) {
  RECT r{};
  ::GetClientRect(hwnd, &r);
  HDC dc = ::GetDC(hwnd);
  int longest = 0;
  for (int y = 0; y < r.bottom; ++y) {
    int run = 0;
    for (int x = 0; x < r.right; ++x) {
      run = GetRValue(::GetPixel(dc, x, y)) < 100 ? run + 1 : 0;
      longest = std::max(longest, run);
    }
  }
  ::ReleaseDC(hwnd, dc);
  return longest;
}

struct Case {
  bool wrap;
  bool underline;
};

class Caption : public ::testing::TestWithParam<Case> {};

TEST_P(Caption, WrapsOnlyWhenAskedAndUnderlinesByTheFont) {
  const Case c = GetParam();
  CaptionForm f;
  f.design = {.name = L"label", .left = 0, .top = 0, .width = 1200, .height = 1200,
              .caption = L"iii iii iii iii iii iii iii iii", .back = RGB(255, 255, 255), .fore = RGB(0, 0, 0),
              .font = {L"Tahoma", 8.25, false, false, c.underline}, .wordWrap = c.wrap};
  f.Show();
  const std::vector<int> rows = InkedRows(f.label.hwnd());
  ASSERT_FALSE(rows.empty());
  const int height = rows.back() - rows.front() + 1;
  if (c.wrap) {
    EXPECT_LT(rows.front(), 10);  // from the top
    EXPECT_GT(height, 18);        // over more than one line
  } else {
    EXPECT_LT(height, 16);        // one line, in the middle
    EXPECT_GT(rows.front(), 30);
  }
  if (c.underline) {
    EXPECT_GT(LongestRun(f.label.hwnd()), 15);  // the underline runs under the letters
  } else {
    EXPECT_LT(LongestRun(f.label.hwnd()), 8);   // strokes of single letters only
  }
  f.Unload();
}

INSTANTIATE_TEST_SUITE_P(Looks, Caption,
                         ::testing::Values(Case{false, false}, Case{true, true}));

}  // namespace
