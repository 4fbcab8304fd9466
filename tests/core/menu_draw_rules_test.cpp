#include "core/menu_draw_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace tolvane {
namespace {

TEST(MenuColors, NamesNumbersAndHexadecimal) {
  struct Case { const wchar_t* text; std::optional<ColorValue> value; };
  for (auto c : {Case{L"VBRED", 0xFF}, Case{L"vbTan", 0x8CB4D2}, Case{L"&hff00", 0xFF00}, Case{L" 255 ", 255},
                 Case{L"2.5", 2}, Case{L"&HFF00zz", 0xFF00}, Case{L"&H", 0}, Case{L"&H80000005", SystemColorValue(5)},
                 // System colours stay symbolic until drawn.
                 Case{L"vbHighlight", SystemColorValue(13)}, Case{L"VB3DFACE", SystemColorValue(15)},
                 Case{L"vbInfoBackground", SystemColorValue(24)},
                 // Nothing named: the caller keeps its default.
                 Case{L"rouge", std::nullopt}, Case{L"", std::nullopt}, Case{L" vbRed", std::nullopt},
                 Case{L"vbRedd", std::nullopt}, Case{L"99999999999", std::nullopt}, Case{L"1e300", std::nullopt}})
    EXPECT_EQ(ColorValueFromName(c.text), c.value) << std::wstring(c.text);
  for (auto [value, index] : {std::pair{ColorValue(0x8000000F), 15}, std::pair{ColorValue(-1), 0xFF}})
    EXPECT_EQ(SystemColorIndex(value), index);
  EXPECT_EQ(SystemColorIndex(0xFF), std::nullopt);
}

TEST(MenuGradient, BandsFollowTheScreenWidth) {
  struct Case { int length, screen, count, step; };
  for (auto c : {Case{100, 1024, 100, 1}, Case{300, 1024, 150, 2}, Case{301, 1024, 150, 2},
                 Case{204, 1024, 204, 1}, Case{205, 1024, 102, 2}, Case{1, 1024, 1, 1}, Case{1, 0, 1, 1}, Case{2, 8, 1, 2},
                 Case{0, 1024, 0, 1}, Case{-5, 1024, 0, 1}, Case{300, 0, 150, 2}})
    EXPECT_EQ((std::pair{PlanGradient(c.length, c.screen).count, PlanGradient(c.length, c.screen).step}),
              (std::pair{c.count, c.step})) << c.length << " on " << c.screen;
}

TEST(MenuGradient, ColoursRunFromFirstToLastRounded) {
  auto blueToRed = GradientColors(0xFF0000, 0x0000FF, 100);
  ASSERT_EQ(blueToRed.size(), 101u);
  EXPECT_EQ(blueToRed.back(), 0x0000FFu);
  EXPECT_EQ(blueToRed[50], 0x800080u);  // 127.5 rounds to the even 128
  EXPECT_EQ(blueToRed[1], 0xFC0003u);   // 252.45 and 2.55
  // Steps of 0 or fewer (an empty band count) make no division.
  for (int steps : {0, -3}) EXPECT_EQ(GradientColors(0x123456, 0xFFFFFF, steps), std::vector<std::uint32_t>{0x123456});
  // Bits above the colour never leak into the bands.
  EXPECT_EQ(GradientColors(0xFF000000, 0xFF000000, 1), (std::vector<std::uint32_t>{0, 0}));
}

// The common fits (shrunk, never enlarged unasked) are drawn and checked by
// pixel in the menus' drawing tests.
TEST(MenuMaskedBlit, DefaultsAndFit) {
  struct Case {
    const char* what;
    int bw, bh;
    BlitBox src, dest;
    int width, height;
    int outW, outH, destW, destH;
    bool draws;
  };
  const Case cases[] = {
      {"aspect kept", 40, 20, {}, {0, 0, 10, 10}, 0, 0, 10, 5, 10, 10, true},
      {"source part", 40, 20, {10, 0, 20, 20}, {5, 5, 0, 0}, 0, 0, 10, 20, 10, 20, true},
      {"odd fit rounds", 3, 3, {}, {0, 0, 2, 2}, 0, 0, 2, 2, 2, 2, true},
      {"empty bitmap", 0, 0, {}, {0, 0, 16, 16}, 0, 0, 0, 0, 16, 16, false},
      {"empty destination", 32, 32, {}, {4, 4, 4, 4}, 0, 0, 0, 0, 0, 0, false},
      {"inverted destination", 32, 32, {}, {10, 10, 5, 5}, 0, 0, 0, 0, -5, -5, false},
      {"negative size", 32, 32, {}, {0, 0, 16, 16}, -4, 8, 0, 0, 16, 16, false},
      {"shrunk to nothing", 1000, 1, {}, {0, 0, 1, 1}, 0, 0, 0, 0, 1, 1, false},
  };
  for (const auto& c : cases) {
    auto plan = PlanMaskedBlit(c.bw, c.bh, c.src, c.dest, c.width, c.height);
    EXPECT_EQ(plan.draws, c.draws) << c.what;
    if (c.draws) {
      EXPECT_EQ((std::pair{plan.width, plan.height}), (std::pair{c.outW, c.outH})) << c.what;
    }
    EXPECT_EQ((std::pair{plan.destWidth, plan.destHeight}), (std::pair{c.destW, c.destH})) << c.what;
  }
  auto whole = PlanMaskedBlit(24, 12, {}, {}, 0, 0);
  EXPECT_EQ((std::pair{whole.source.right, whole.source.bottom}), (std::pair{24, 12}));
}

}  // namespace
}  // namespace tolvane
