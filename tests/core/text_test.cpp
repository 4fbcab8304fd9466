#include "core/text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>
#include <string>

namespace tolvane {
namespace {

TEST(Text, CLngRoundsHalvesToEven) {
  EXPECT_EQ(CLng(0.5), 0);
  EXPECT_EQ(CLng(1.5), 2);
  EXPECT_EQ(CLng(2.5), 2);
  EXPECT_EQ(CLng(-2.5), -2);
  EXPECT_EQ(CLng(2.5000001), 3);
  EXPECT_EQ(CLng(2147483647.0), 2147483647);
  EXPECT_FALSE(CLng(2147483648.0));
  EXPECT_FALSE(CLng(std::numeric_limits<double>::infinity()));
}

TEST(Text, ValTakesTheLeadingNumber) {
  EXPECT_EQ(Val(L"  12abc"), 12);
  EXPECT_EQ(Val(L"\t-3.5e2x"), -350);
  EXPECT_EQ(Val(L"+7"), 7);
  EXPECT_EQ(Val(L"2e"), 2);  // an exponent needs digits
  EXPECT_EQ(Val(L".5"), 0.5);
  EXPECT_EQ(Val(L"abc"), 0);
  EXPECT_EQ(Val(L""), 0);
  EXPECT_EQ(Val(L"1e999"), 0);  // no infinity leaks out
  EXPECT_EQ(Val(L"&HFF"), 255);
  EXPECT_EQ(Val(L"&hff"), 255);
  EXPECT_EQ(Val(L"&HFFFFFFFF"), -1);  // a 32-bit pattern
  EXPECT_EQ(Val(L"&O17"), 15);
  EXPECT_EQ(Val(L"&H"), 0);
  EXPECT_EQ(Val(L"&HG"), 0);
}

TEST(Text, IsNumericWantsTheWholeText) {
  for (auto t : {L"12", L" -3.5 ", L"1e3", L"&HFF", L"+0", L"1."})
    EXPECT_TRUE(IsNumeric(t)) << std::wstring(t);
  for (auto t : {L"", L" ", L"12a", L"1,5", L"&H", L"NbOcc=3", L"-", L"1e999", L"1 2"})
    EXPECT_FALSE(IsNumeric(t)) << std::wstring(t);
  EXPECT_EQ(ParseNumber(L" 42 "), 42);
}

TEST(Text, SingleTextForms) {
  EXPECT_EQ(SingleText(4560.f), L"4560");
  EXPECT_EQ(SingleText(-1.f), L"-1");
  EXPECT_EQ(SingleText(1234.5f), L"1234.5");
  EXPECT_EQ(SingleText(0.1f), L"0.1");
  EXPECT_EQ(SingleText(0.f), L"0");
  EXPECT_EQ(SingleText(12345678.f), L"1.234568E+07");
  EXPECT_EQ(SingleText(1e10f), L"1E+10");
  EXPECT_EQ(SingleText(0.00001f), L"1E-05");
  EXPECT_EQ(ParseNumber(SingleText(-4567.25f)), -4567.25);
}

TEST(Text, PrefixesSuffixesAndBlanks) {
  EXPECT_EQ(DropPrefix(L"NbOcc=12", 6), L"12");
  EXPECT_EQ(DropPrefix(L"NbOcc", 6), L"");
  EXPECT_EQ(DropSuffix(L"Bureau{IMG:i9}", 8), L"Bureau");
  EXPECT_EQ(DropSuffix(L"abc", 8), L"");
  EXPECT_EQ(Trim(L" \t a b \t"), L"a b");
  EXPECT_EQ(Digits(-3), L"-3");
}

// Settings written under one locale must read the same under any other: a
// comma decimal separator changes nothing, either way.
TEST(Text, NumbersIgnoreTheLocale) {
  std::string saved = std::setlocale(LC_NUMERIC, nullptr);
  const char* commaLocale = nullptr;
  for (const char* name : {"fr_FR.UTF-8", "de_DE.UTF-8", "fr_FR", "French_France.1252", "French"})
    if (std::setlocale(LC_NUMERIC, name)) { commaLocale = name; break; }
  if (!commaLocale) GTEST_SKIP() << "no locale with a comma decimal separator";
  EXPECT_EQ(Val(L"1.5"), 1.5);
  EXPECT_EQ(ParseNumber(L"2.25"), 2.25);
  EXPECT_FALSE(IsNumeric(L"1,5"));
  EXPECT_EQ(SingleText(1234.5f), L"1234.5");
  std::setlocale(LC_NUMERIC, saved.c_str());
}

}  // namespace
}  // namespace tolvane
