#include "core/options.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "core/catalogue.h"

namespace tolvane {
namespace {

// What the preferences window shows is what the code acting on each option
// does, for every kind of stored text.
TEST(Options, TheWindowShowsWhatEachReaderActsOn) {
  struct Case { const wchar_t* stored; const char* on; };  // nullptr: missing; options 0..6
  for (auto c : {Case{nullptr, "1101110"}, Case{L"0", "0000000"}, Case{L"1", "1111111"},
                 Case{L"2", "1010100"}, Case{L" 1 ", "1111111"}, Case{L"abc", "1101110"}}) {
    MemoryStore store;
    std::string shown;
    for (int n = 0; n < kOptionCount; ++n) {
      if (c.stored) store.Save(kSectionSettings, OptionKey(n), c.stored);
      shown += OptionOn(store, n) ? '1' : '0';
    }
    EXPECT_EQ(shown, c.on) << (c.stored ? c.stored : L"(missing)");
  }
}

// System colours are stored as negative numbers; what no display shows is
// refused, and the design colour used instead.
TEST(InterfaceColours, TextsBothWays) {
  struct Case { const wchar_t* text; std::int64_t colour; };  // -1: refused
  for (auto c : {Case{L"0", 0}, Case{L"16777215", 0xFFFFFF}, Case{L"16777216", -1}, Case{L"-2147483630", 0x80000012},
                 Case{L"-2147483648", 0x80000000}, Case{L"-2147483618", 0x8000001E}, Case{L"-2147483617", -1},
                 Case{L"-2147483649", -1}, Case{L"2147483648", -1}, Case{L"4294967295", -1}, Case{L"-1", -1},
                 Case{L" 255 ", 255}, Case{L"&HFF", 255}, Case{L"", -1}, Case{L"12abc", -1}, Case{L"1e300", -1},
                 Case{L"-1e10", -1}})
    EXPECT_EQ(InterfaceColour(c.text, 0xABCDEF), c.colour < 0 ? 0xABCDEF : c.colour) << c.text;
  EXPECT_EQ(InterfaceColour(std::wstring(400, L'9'), 1), 1u);
  EXPECT_EQ(ColourText(0x80000012u), L"-2147483630");
  EXPECT_EQ(ColourText(std::numeric_limits<std::uint32_t>::max()), L"-1");

  const auto v = ReadInterface(MemoryStore(), L"Verdana", L"16765860");  // nothing stored: the defaults
  EXPECT_EQ(v.font + L"|" + v.size + L"|" + v.textColour + L"|" + v.backColour, L"Verdana|8|0|16765860");
}

TEST(InterfaceFont, SizesStoredShownAndChosen) {
  for (auto [text, points] : {std::pair{L"10", 10.0}, {L"9.5pt", 9.5}, {L"72", 72.0}, {L"72.5", 8.0}, {L"0", 8.0},
                              {L"-3", 8.0}, {L"abc", 8.0}})
    EXPECT_EQ(InterfaceFontSize(text), points) << text;
  EXPECT_EQ(FontSizeFromText(L" 8.25 "), 8.25);
  EXPECT_EQ(FontSizeFromText(L"72"), 72);
  for (auto t : {L"", L"abc", L"0", L"-8", L"1e9", L"12pt", L"72.5"}) EXPECT_FALSE(FontSizeFromText(t)) << t;

  struct Case { double points; const wchar_t* chosen; };
  for (auto c : {Case{8.25, L"8"}, Case{14.5, L"14"}, Case{16, L"8"}, Case{7.9, L"8"}, Case{9.75, L"9"}})
    EXPECT_EQ(kInterfaceSizes[SizeChoice(c.points)], c.chosen) << c.points;

  const std::vector<std::wstring> fonts{L"Arial", L"Tahoma", L"verdana", L"Verdana"};
  for (auto [font, index] : {std::pair{L"Verdana", 3}, {L"Tahoma", 1}, {L"VERDANA", 0}})
    EXPECT_EQ(LastExactMatch(fonts, font), index) << font;
  EXPECT_EQ(LastExactMatch({}, L"Verdana"), 0);
}

}  // namespace
}  // namespace tolvane
