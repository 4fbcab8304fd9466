// Stored texts read as numbers whatever the locale, and the options and
// interface settings read through them.
#include "core/text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "core/catalogue.h"
#include "core/options.h"

namespace tolvane {
namespace {

TEST(Text, CLngRoundsHalvesToEvenAndRefusesOverflow) {
  struct Case { double value; std::optional<std::int32_t> rounded; };
  for (auto c : {Case{0.5, 0}, Case{1.5, 2}, Case{-2.5, -2}, Case{2.5000001, 3}, Case{2147483647.0, 2147483647},
                 Case{-2147483648.0, -2147483647 - 1}, Case{2147483648.0, std::nullopt},
                 Case{std::numeric_limits<double>::infinity(), std::nullopt}})
    EXPECT_EQ(CLng(c.value), c.rounded) << c.value;
}

TEST(Text, ValTakesTheLeadingNumberAndIsNumericTheWholeText) {
  struct Case { const wchar_t* text; double value; };
  for (auto c : {Case{L"  12abc", 12}, Case{L"\t-3.5e2x", -350}, Case{L"2e", 2}, Case{L".5", 0.5},
                 Case{L"abc", 0}, Case{L"1e999", 0}, Case{L"&HFF", 255}, Case{L"&hff", 255},
                 Case{L"&HFFFFFFFF", -1}, Case{L"&O17", 15}, Case{L"&H", 0}, Case{L"&HG", 0}})
    EXPECT_EQ(Val(c.text), c.value) << std::wstring(c.text);
  for (auto t : {L"12", L" -3.5 ", L"1e3", L"&HFF", L"1."}) EXPECT_TRUE(IsNumeric(t)) << std::wstring(t);
  for (auto t : {L"", L" ", L"12a", L"1,5", L"&H", L"-", L"1e999", L"1 2"})
    EXPECT_FALSE(IsNumeric(t)) << std::wstring(t);
}

TEST(Text, SingleTextWritesSevenDigits) {
  for (auto [value, text] : {std::pair{4560.f, L"4560"}, {1234.5f, L"1234.5"}, {12345678.f, L"1.234568E+07"},
                             {0.00001f, L"1E-05"}, {1e-30f, L"1E-30"}})
    EXPECT_EQ(SingleText(value), text);
}

// Settings written under one locale must read the same under any other.
TEST(Text, NumbersIgnoreTheLocale) {
  std::string saved = std::setlocale(LC_NUMERIC, nullptr);
  const char* commaLocale = nullptr;
  for (const char* name : {"fr_FR.UTF-8", "de_DE.UTF-8", "fr_FR", "French_France.1252", "French"})
    if (std::setlocale(LC_NUMERIC, name)) { commaLocale = name; break; }
  if (!commaLocale) GTEST_SKIP() << "no locale with a comma decimal separator";
  EXPECT_EQ(Val(L"1.5"), 1.5);
  EXPECT_FALSE(IsNumeric(L"1,5"));
  EXPECT_EQ(SingleText(1234.5f), L"1234.5");
  std::setlocale(LC_NUMERIC, saved.c_str());
}

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
                 Case{L"12abc", -1}, Case{L"1e300", -1}, Case{L"-1e10", -1}})
    EXPECT_EQ(InterfaceColour(c.text, 0xABCDEF), c.colour < 0 ? 0xABCDEF : c.colour) << c.text;
  EXPECT_EQ(InterfaceColour(std::wstring(400, L'9'), 1), 1u);
  EXPECT_EQ(ColourText(0x80000012u), L"-2147483630");
  EXPECT_EQ(ColourText(std::numeric_limits<std::uint32_t>::max()), L"-1");
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
