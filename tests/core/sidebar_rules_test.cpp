#include "core/sidebar_rules.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

using Lines = std::vector<std::wstring>;

// Ten pixels a character: widths are easy to reason about.
int TenEach(std::wstring_view line) { return static_cast<int>(line.size()) * 10; }

TEST(SidebarLines, BreaksWhereTheMarksSay) {
  struct Case { std::wstring text; int longest, calls; Lines lines; };
  const Case cases[] = {
      // Forced breaks, whatever the room.
      {L"one<br!>two<BR!>three", 1000, 0, {L"one", L"two", L"three"}},
      // "<br>" is taken before any blank, even one nearer the middle.
      {L"aa bb cc<br>dd", 50, 1, {L"aa bb cc", L"dd"}},
      // Then the blank nearest the middle of the first line too long.
      {L"aa bb cc<br>dd", 50, 2, {L"aa", L"bb cc", L"dd"}},
      // No blank before the middle: the one after it, every character kept.
      {L"abcde f", 20, 1, {L"abcde", L"f"}},
      // Two blanks as near the middle: the earlier.
      {L"ab c def", 20, 1, {L"ab", L"c def"}},
      // "<br0>" draws a blank but never breaks.
      {L"abc<br0>def", 20, 3, {L"abc<br0>def"}},
      {L"ab cd", 1000, 1, {L"ab cd"}},
  };
  for (const auto& c : cases) {
    Lines lines{c.text};
    BreakSidebarLines(lines, true, TenEach, c.longest);
    for (int i = 0; i < c.calls; ++i) BreakSidebarLines(lines, false, TenEach, c.longest);
    EXPECT_EQ(lines, c.lines) << c.text;
  }

  Lines lines{L"x<br0>y<br>z"};  // joined for measuring, empty once no break is left
  EXPECT_EQ(BreakSidebarLines(lines, true, TenEach, 1000), L"x y z");
  EXPECT_EQ(BreakSidebarLines(lines, false, TenEach, 1000), L"x y\r\nz");
  EXPECT_EQ(BreakSidebarLines(lines, false, TenEach, 10), L"");
  EXPECT_EQ(lines, (Lines{L"x<br0>y", L"z"}));
  EXPECT_EQ(SidebarLineText(L"  a<br>b<br0> "), L"a b ");

  lines = {L"  a  b c<br><br>d e f g h i j k l m n o p  "};
  BreakSidebarLines(lines, true, TenEach, 0);
  int calls = 0;
  while (!BreakSidebarLines(lines, false, TenEach, 0).empty()) ASSERT_LT(++calls, 100);
  for (const auto& line : lines) EXPECT_EQ(line.find(L' '), std::wstring::npos) << line;
}

TEST(SidebarSpec, ReadsSizesWidthsAndTheTextApart) {
  struct Case { std::wstring tags; int largest, smallest, width; };
  const Case cases[] = {
      {L"{Sidebar|", 11, 5, 35},
      {L"{Sidebar|FSize:3|MinFSize:2|Width:50|", 7, 5, 50},
      {L"{Sidebar|FSize:|MinFSize:30|", 7, 7, 35},
      {L"{Sidebar|FSize:14|MinFSize:9|Width:99999999999|", 14, 9, 35},
      {L"{Sidebar|Text:Bold:FSize:20|", 11, 5, 35},  // words of the text are not tags
  };
  for (const auto& c : cases) {
    SidebarSpec spec = ReadSidebarSpec(c.tags);
    EXPECT_EQ(std::tuple(spec.largest, spec.smallest, spec.width), std::tuple(c.largest, c.smallest, c.width))
        << c.tags;
  }
  SidebarSpec spec = ReadSidebarSpec(L"{Sidebar|Text:1|FSize:14|Font:Courier New|");
  EXPECT_EQ(spec.text + L"|" + spec.face, L"1|Courier New");
  EXPECT_FALSE(ReadSidebarSpec(L"{Sidebar|Text:Bold:FSize:20|").bold);
  EXPECT_FALSE(ReadSidebarSpec(L"{Sidebar|").hasText);
  EXPECT_EQ(ReadSidebarSpec(L"{Sidebar|Text:|").text, L"0");
}

TEST(SidebarSpec, Colours) {
  auto translate = [](ColorValue c) { return c < 0 ? 0x123456 : c; };  // the menu colour
  SidebarColours text = TextSidebarColours(ReadSidebarSpec(L"{Sidebar|FColor:vbRed|GColor:255|"), translate);
  EXPECT_EQ(std::tuple(text.back, text.text, text.drawGradient), std::tuple(0x123456, 0xFF, true));
  EXPECT_FALSE(TextSidebarColours(ReadSidebarSpec(L"{Sidebar|BColor:255|GColor:255|"), translate).drawGradient);

  SidebarColours picture = PictureSidebarColours(ReadSidebarSpec(L"{Sidebar|IMG:i1|GColor:255|"), translate);
  EXPECT_FALSE(picture.drawGradient);  // needs a back colour of its own
  EXPECT_TRUE(picture.backFromPicture);
  picture = PictureSidebarColours(ReadSidebarSpec(L"{Sidebar|IMG:i1|BColor:0|GColor:255|"), translate);
  EXPECT_TRUE(picture.drawGradient);
  EXPECT_EQ(PictureSidebarColours(ReadSidebarSpec(L"{Sidebar|BColor:1|"), translate).back, 0x123456);
}

TEST(SidebarPicture, PlacedAcrossAndAlong) {
  struct Case { int iw, ih; std::wstring align; int x, y, width, height; };
  const Case cases[] = {
      {16, 16, L"", 9, 42, 16, 16},
      {70, 50, L"", 0, 37, 35, 25},     // shrunk, keeping its shape
      {10, 400, L"Top", 16, 0, 2, 100},  // 2.5 rounds to even
      {30, 10, L"bot", 2, 90, 30, 10},
  };
  for (const auto& c : cases) {
    auto p = PlaceSidebarPicture(c.iw, c.ih, 35, 100, c.align);
    ASSERT_TRUE(p);
    EXPECT_EQ(std::tie(p->x, p->y, p->width, p->height), std::tie(c.x, c.y, c.width, c.height))
        << c.iw << "x" << c.ih << " " << c.align;
  }
  EXPECT_EQ(SidebarLineStart(L"Bot", 200, 50), 197);
  EXPECT_EQ(SidebarLineStart(L"top", 200, 50), 53);
  EXPECT_EQ(SidebarLineStart(L"", 200, 51), 125);
  EXPECT_EQ(SidebarFontHeight(14, 15), -19);
}

// Characters `points` pixels long, lines 2 x `points` thick; records each
// font a real measurer would make.
struct FakeFonts {
  std::vector<int> made;
  void Use(int points) {
    if (made.empty() || made.back() != points) made.push_back(points);
  }
  SidebarTextFit Fit(std::wstring_view text, int largest, int smallest, int width, int height) {
    auto block = [this](std::wstring_view t, int points) {
      Use(points);
      TextExtent e;
      int lines = 1;
      std::size_t start = 0;
      for (std::size_t k; (k = t.find(L"\r\n", start)) != std::wstring_view::npos; start = k + 2, ++lines)
        e.length = std::max(e.length, static_cast<int>(k - start) * points);
      e.length = std::max(e.length, static_cast<int>(t.size() - start) * points);
      e.thickness = lines * 2 * points;
      return e;
    };
    auto line = [this](std::wstring_view l, int points) {
      Use(points);
      return static_cast<int>(l.size()) * points;
    };
    return FitSidebarText(text, largest, smallest, width, height, block, line);
  }
};

TEST(SidebarFit, ShrinksThenBreaksAndMakesOneFontPerStep) {
  FakeFonts fonts;
  // 10 characters at 10 points: 100 long; fits at 9 points in a 100 bar.
  EXPECT_EQ(fonts.Fit(L"abcdefghij", 14, 5, 35, 100).points, 9);
  EXPECT_EQ(fonts.made, (std::vector<int>{14, 13, 12, 11, 10, 9}));

  // Stops shrinking at one above the smallest size, then breaks at the blank.
  FakeFonts broken;
  SidebarTextFit fit = broken.Fit(L"abcde fghij", 14, 9, 60, 80);
  EXPECT_EQ(fit.lines, (Lines{L"abcde", L"fghij"}));
  EXPECT_EQ(fit.points, 14);
  EXPECT_LE(fit.extent.length + 6, 80);
  EXPECT_EQ(broken.made, (std::vector<int>{14, 13, 12, 11, 10, 14}));

  // Text that cannot fit keeps the size it was measured at.
  fit = FakeFonts().Fit(L"abcdefghijklmnopqrstuvwxyz", 20, 9, 100, 60);
  EXPECT_EQ(std::tuple(fit.points, fit.extent.length, fit.lines.size()), std::tuple(10, 260, 1u));
}

}  // namespace
}  // namespace tolvane
