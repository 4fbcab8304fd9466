// Text conversions shared by every reader of the settings: numbers are stored
// as text, and these rules decide what that text means, whatever the locale.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tolvane {

// The number that the text begins with: leading blanks skipped, an optional
// sign, digits with one optional '.', an optional exponent; "&H" begins a
// hexadecimal and "&O" an octal number. 0 when the text starts with no number.
double Val(std::wstring_view text);

// Rounds to the nearest 32-bit integer, halves going to the even neighbour.
// Empty when the value is not finite or lies outside the 32-bit range.
std::optional<std::int32_t> CLng(double value);

// Whether the whole text (blanks around it allowed) is one number, in the
// invariant notation: "12", " -3.5 ", "1e3", "&HFF". Never the locale's comma.
bool IsNumeric(std::wstring_view text);

// The number the whole text holds, when IsNumeric says it is one.
std::optional<double> ParseNumber(std::wstring_view text);
// The same, with a number too large for a double read as an infinity.
std::optional<double> ParseNumberOrInfinity(std::wstring_view text);

// The text of a single-precision number, as positions and sizes are stored:
// no leading blank, no trailing zeros, seven significant digits ("4560",
// "-1", "1234.5").
std::wstring SingleText(float value);

// Decimal digits of a whole number, with no blank ("12", "-3").
std::wstring Digits(long long value);

// The text after the first `count` characters; empty when it is shorter.
std::wstring DropPrefix(std::wstring_view text, std::size_t count);

// The text without its last `count` characters; empty when it is shorter.
std::wstring DropSuffix(std::wstring_view text, std::size_t count);

// Blanks removed from both ends.
std::wstring Trim(std::wstring_view text);

}  // namespace tolvane
