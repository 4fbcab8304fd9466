#include "core/text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

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

}  // namespace
}  // namespace tolvane
