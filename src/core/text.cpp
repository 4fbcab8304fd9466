#include "core/text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace tolvane {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

int DigitValue(wchar_t c) {
  if (IsDigit(c)) return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return 99;
}

struct Scan {
  double value = 0;
  std::size_t end = 0;  // first character not taken
  bool any = false;     // at least one digit was taken
};

// "&H1F" and "&O17": the digits after the prefix read as a 32-bit pattern,
// so "&HFFFF" is 65535 and "&HFFFFFFFF" is -1.
Scan ScanRadix(std::wstring_view s, std::size_t i, int radix) {
  Scan r;
  std::uint64_t n = 0;
  std::size_t j = i;
  while (j < s.size() && DigitValue(s[j]) < radix) {
    n = n * radix + DigitValue(s[j]);
    if (n > 0xFFFFFFFFull) return r;
    ++j;
  }
  if (j == i) return r;
  r.any = true;
  r.end = j;
  r.value = static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(n)));
  return r;
}

Scan ScanNumber(std::wstring_view s, std::size_t i) {
  if (i + 1 < s.size() && s[i] == L'&') {
    wchar_t k = s[i + 1];
    if (k == L'H' || k == L'h') return ScanRadix(s, i + 2, 16);
    if (k == L'O' || k == L'o') return ScanRadix(s, i + 2, 8);
  }
  Scan r;
  std::string ascii;
  std::size_t j = i;
  bool negative = false;
  if (j < s.size() && (s[j] == L'+' || s[j] == L'-')) negative = s[j++] == L'-';
  std::size_t digits = 0;
  while (j < s.size() && IsDigit(s[j])) { ascii += static_cast<char>(s[j++]); ++digits; }
  if (j < s.size() && s[j] == L'.') {
    ascii += '.';
    ++j;
    while (j < s.size() && IsDigit(s[j])) { ascii += static_cast<char>(s[j++]); ++digits; }
  }
  if (digits == 0) return r;
  // An exponent counts only when digits follow it.
  if (j < s.size() && (s[j] == L'e' || s[j] == L'E')) {
    std::size_t k = j + 1;
    std::string exp = "e";
    if (k < s.size() && (s[k] == L'+' || s[k] == L'-')) exp += static_cast<char>(s[k++]);
    std::size_t expDigits = 0;
    while (k < s.size() && IsDigit(s[k])) { exp += static_cast<char>(s[k++]); ++expDigits; }
    if (expDigits > 0) { ascii += exp; j = k; }
  }
  r.any = true;
  r.end = j;
  // from_chars, unlike strtod, ignores the C locale: a program that calls
  // setlocale for a comma decimal separator still reads "1.5" as 1.5.
  double v = 0;
  auto [end, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), v);
  if (ec == std::errc::result_out_of_range) {
    bool tiny = ascii.find("e-") != std::string::npos;
    v = tiny ? 0.0 : std::numeric_limits<double>::infinity();
  }
  r.value = negative ? -v : v;
  return r;
}

}  // namespace

double Val(std::wstring_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  Scan r = ScanNumber(text, i);
  return r.any && std::isfinite(r.value) ? r.value : 0.0;
}

std::optional<std::int32_t> CLng(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  double r = std::nearbyint(value);  // the default rounding mode: halves to even
  if (r < std::numeric_limits<std::int32_t>::min() || r > std::numeric_limits<std::int32_t>::max())
    return std::nullopt;
  return static_cast<std::int32_t>(r);
}

std::optional<double> ParseNumberOrInfinity(std::wstring_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  Scan r = ScanNumber(text, i);
  if (!r.any) return std::nullopt;
  std::size_t j = r.end;
  while (j < text.size() && IsBlank(text[j])) ++j;
  if (j != text.size()) return std::nullopt;
  return r.value;
}

std::optional<double> ParseNumber(std::wstring_view text) {
  auto value = ParseNumberOrInfinity(text);
  if (!value || !std::isfinite(*value)) return std::nullopt;
  return value;
}

bool IsNumeric(std::wstring_view text) { return ParseNumber(text).has_value(); }

std::wstring SingleText(float value) {
  if (value == 0) return L"0";
  // to_chars is the %.7G form without the locale's decimal separator.
  char buf[32];
  auto res = std::to_chars(buf, buf + sizeof buf, static_cast<double>(value),
                           std::chars_format::general, 7);
  std::string s(buf, res.ptr);
  for (auto& c : s)
    if (c == 'e') c = 'E';
  std::size_t e = s.find('E');
  std::string mant = e == std::string::npos ? s : s.substr(0, e);
  std::string exp = e == std::string::npos ? "" : s.substr(e);
  if (mant.find('.') != std::string::npos) {
    while (!mant.empty() && mant.back() == '0') mant.pop_back();
    if (!mant.empty() && mant.back() == '.') mant.pop_back();
  }
  if (!exp.empty()) {  // "E+010" -> "E+10"
    std::string sign = exp.substr(1, 1);
    std::string digits = exp.substr(2);
    while (digits.size() > 2 && digits.front() == '0') digits.erase(0, 1);
    exp = "E" + sign + digits;
  }
  std::string out = mant + exp;
  return std::wstring(out.begin(), out.end());
}

std::wstring Digits(long long value) { return std::to_wstring(value); }

std::wstring DropPrefix(std::wstring_view text, std::size_t count) {
  return text.size() <= count ? std::wstring() : std::wstring(text.substr(count));
}

std::wstring DropSuffix(std::wstring_view text, std::size_t count) {
  return text.size() <= count ? std::wstring() : std::wstring(text.substr(0, text.size() - count));
}

std::wstring Trim(std::wstring_view text) {
  std::size_t b = 0, e = text.size();
  while (b < e && IsBlank(text[b])) ++b;
  while (e > b && IsBlank(text[e - 1])) --e;
  return std::wstring(text.substr(b, e - b));
}

}  // namespace tolvane
