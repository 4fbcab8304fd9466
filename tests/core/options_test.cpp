#include "core/options.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "core/catalogue.h"

namespace tolvane {
namespace {

// What the preferences window shows is what the code acting on each option
// does, for every kind of stored text; confirming it unchanged keeps that.
TEST(Options, TheWindowShowsWhatEachReaderActsOnAndConfirmingKeepsIt) {
  struct Case { const wchar_t* stored; const char* on; };  // nullptr: missing; options 0..6
  for (auto c : {Case{nullptr, "1101110"}, Case{L"0", "0000000"}, Case{L"1", "1111111"},
                 Case{L"2", "1010100"}, Case{L" 1 ", "1111111"}, Case{L"abc", "1101110"}}) {
    MemoryStore store;
    if (c.stored)
      for (int n = 0; n < kOptionCount; ++n) store.Save(kSectionSettings, OptionKey(n), c.stored);
    const std::wstring label = c.stored ? c.stored : L"(missing)";
    std::string shown;
    for (int n = 0; n < kOptionCount; ++n) shown += OptionOn(store, n) ? '1' : '0';
    EXPECT_EQ(shown, c.on) << label;
    EXPECT_EQ(OptionOn(store, kOptionHideAfterLaunch), HideAfterLaunch(store)) << label;
    EXPECT_EQ(OptionOn(store, kOptionAutoMoveDialogs), AutoMoveDialogs(store)) << label;
    EXPECT_EQ(OptionOn(store, kOptionStartHidden), StartHidden(store)) << label;
    EXPECT_EQ(OptionOn(store, kOptionRebuildDesktop), RebuildDesktop(store)) << label;
    EXPECT_EQ(OptionOn(store, kOptionAnimateIcon), AnimateIcon(store)) << label;

    MemoryStore confirmed;
    for (int n = 0; n < kOptionCount; ++n)
      confirmed.Save(kSectionSettings, OptionKey(n), OptionText(OptionOn(store, n)));
    std::string after;
    for (int n = 0; n < kOptionCount; ++n)
      after += static_cast<char>(confirmed.Get(kSectionSettings, OptionKey(n), L"")[0]);  // "0" or "1" only
    EXPECT_EQ(after, c.on) << label;
  }
}

TEST(InterfaceColours, TextsBothWays) {
  struct Case { const wchar_t* text; std::int64_t colour; };  // -1: refused
  for (auto c : {Case{L"0", 0}, Case{L"16777215", 0xFFFFFF}, Case{L"16777216", -1}, Case{L"-2147483630", 0x80000012},
                 Case{L"-2147483648", 0x80000000}, Case{L"-2147483618", 0x8000001E}, Case{L"-2147483617", -1},
                 Case{L"-2147483649", -1}, Case{L"2147483648", -1}, Case{L"4294967295", -1}, Case{L"-1", -1},
                 Case{L" 255 ", 255}, Case{L"&HFF", 255}, Case{L"", -1}, Case{L"12abc", -1}}) {
    auto colour = ColourFromText(c.text);
    if (c.colour < 0) {
      EXPECT_FALSE(colour) << c.text;
    } else {
      ASSERT_TRUE(colour) << c.text;
      EXPECT_EQ(*colour, static_cast<std::uint32_t>(c.colour)) << c.text;
      EXPECT_EQ(ColourFromText(ColourText(*colour)), colour) << c.text;
    }
  }
  EXPECT_EQ(ColourText(0x80000012u), L"-2147483630");
  EXPECT_EQ(ColourText(std::numeric_limits<std::uint32_t>::max()), L"-1");
}

TEST(InterfaceFont, SizeChoiceAndStoredSizes) {
  struct Case { double points; const wchar_t* chosen; };
  for (auto c : {Case{8.25, L"8"}, Case{14.5, L"14"}, Case{16, L"8"}, Case{7.9, L"8"}, Case{12, L"12"},
                 Case{9.75, L"9"}})
    EXPECT_EQ(kInterfaceSizes[SizeChoice(c.points)], c.chosen) << c.points;
  EXPECT_EQ(FontSizeFromText(L"12"), 12);
  EXPECT_EQ(FontSizeFromText(L" 8.25 "), 8.25);
  EXPECT_EQ(FontSizeFromText(L"72"), 72);
  for (auto t : {L"", L"abc", L"0", L"-8", L"1e9", L"12pt", L"72.5"}) EXPECT_FALSE(FontSizeFromText(t)) << t;
}

TEST(InterfaceFont, ListChoiceIsTheLastExactMatchElseTheFirst) {
  const std::vector<std::wstring> fonts{L"Arial", L"Tahoma", L"verdana", L"Verdana"};
  EXPECT_EQ(LastExactMatch(fonts, L"Verdana"), 3);
  EXPECT_EQ(LastExactMatch(fonts, L"Tahoma"), 1);
  EXPECT_EQ(LastExactMatch(fonts, L"VERDANA"), 0);
  EXPECT_EQ(LastExactMatch({}, L"Verdana"), 0);
}

}  // namespace
}  // namespace tolvane
