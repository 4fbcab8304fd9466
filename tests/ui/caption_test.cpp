// Captions as drawn on the screen: wrapped over several lines when asked,
// on one line otherwise, and underlined by the font.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <utility>

#include "../menus_draw/dc_state.h"
#include "ui/controls.h"
#include "ui/form.h"

namespace {

class CaptionForm : public ui::Form {
 public:
  explicit CaptionForm(ui::Design d) : ui::Form(L"CaptionForm"), design(std::move(d)) {}
  ui::Label label;
  ui::Design design;

 protected:
  void Design() override {
    Move(0, 0, 3000, 1500);
    SetBackColor(RGB(255, 255, 255));
    label.Create(*this, design);
  }
};

// Where the dark pixels of a window lie: the first and last rows holding
// some, and the longest run of them on one row.
struct Ink {
  int first = -1, last = -1, longestRun = 0;
};
Ink InkOf(HWND hwnd) {
  ::UpdateWindow(hwnd);
  RECT r{};
  ::GetClientRect(hwnd, &r);
  HDC dc = ::GetDC(hwnd);
  Ink ink;
  for (int y = 0; y < r.bottom; ++y) {
    for (int x = 0, run = 0; x < r.right; ++x) {
      run = GetRValue(::GetPixel(dc, x, y)) < 100 ? run + 1 : 0;
      if (run == 1 && ink.first < 0) ink.first = y;
      if (run == 1) ink.last = y;
      ink.longestRun = std::max(ink.longestRun, run);
    }
  }
  ::ReleaseDC(hwnd, dc);
  return ink;
}

TEST(Caption, WrapsOnlyWhenAskedAndUnderlinesByTheFont) {
  for (const bool wrapAndUnderline : {false, true}) {
    SCOPED_TRACE(wrapAndUnderline ? "wrapped, underlined" : "one line, plain");
    CaptionForm f({.name = L"label", .width = 1200, .height = 1200, .caption = L"iii iii iii iii iii iii iii iii",
                   .back = RGB(255, 255, 255),
                   .font = {L"Tahoma", 8.25, false, false, wrapAndUnderline}, .wordWrap = wrapAndUnderline});
    f.Show();
    const Ink ink = InkOf(f.label.hwnd());
    ASSERT_GE(ink.first, 0);
    const int height = ink.last - ink.first + 1;
    if (wrapAndUnderline) {
      EXPECT_LT(ink.first, 10);  // from the top, over more than one line
      EXPECT_GT(height, 18);
      EXPECT_GT(ink.longestRun, 15);  // the underline runs under the letters
    } else {
      EXPECT_GT(ink.first, 30);  // one line, in the middle
      EXPECT_LT(height, 16);
      EXPECT_LT(ink.longestRun, 8);  // strokes of single letters only
    }
    f.Unload();
  }
}

TEST(Caption, DrawingLeavesTheDcAsFound) {
  HDC dc = ::CreateCompatibleDC(nullptr);
  DisturbDefaults(dc);
  const DcState before = DcState::Of(dc);
  for (bool wrap : {false, true})
    ui::DrawCaptionText(dc, RECT{0, 0, 80, 40}, L"Valider les choix", nullptr, RGB(200, 0, 0), ui::TextAlign::Center,
                        wrap);
  EXPECT_EQ(DcState::Of(dc), before);
  ::DeleteDC(dc);
}

}  // namespace
