// The number reading every stored value goes through (Val, ParseNumber,
// CLng), the stored form of positions (SingleText) and the text cutters.
#include <cfloat>
#include <cmath>

#include "core/text.h"
#include "fuzz_support.h"

using namespace tolvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring text = fuzz::Wide(data, size);

  const double val = Val(text);
  FUZZ_CHECK(std::isfinite(val));
  FUZZ_CHECK(Val(L" \t" + text) == val);

  const auto parsed = ParseNumber(text);
  FUZZ_CHECK(IsNumeric(text) == parsed.has_value());
  FUZZ_CHECK(ParseNumber(Trim(text)) == parsed);
  if (parsed) FUZZ_CHECK(*parsed == val);  // a whole number reads as it begins

  if (const auto whole = CLng(val)) {
    FUZZ_CHECK(std::abs(*whole - val) <= 0.5);
    FUZZ_CHECK(ParseNumber(Digits(*whole)) == static_cast<double>(*whole));
  } else {
    FUZZ_CHECK(std::abs(val) >= 2147483647.5);
  }

  // A position stored as text comes back within the seven digits it keeps.
  if (parsed && std::abs(*parsed) <= FLT_MAX) {
    const float f = static_cast<float>(*parsed);
    const std::wstring stored = SingleText(f);
    FUZZ_CHECK(!stored.empty() && stored.find(L' ') == std::wstring::npos);
    const auto back = ParseNumber(stored);
    FUZZ_CHECK(back.has_value());
    FUZZ_CHECK(std::abs(*back - f) <= std::abs(f) * 1e-6);
  }

  const std::wstring trimmed = Trim(text);
  FUZZ_CHECK(trimmed.size() <= text.size() && text.find(trimmed) != std::wstring::npos);
  FUZZ_CHECK(trimmed.empty() || (trimmed.front() != L' ' && trimmed.back() != L'\t' &&
                                 trimmed.front() != L'\t' && trimmed.back() != L' '));

  const std::size_t cut = size > 0 ? data[0] % 16 : 0;
  const std::wstring tail = DropPrefix(text, cut), head = DropSuffix(text, cut);
  FUZZ_CHECK(tail.size() == head.size());
  FUZZ_CHECK(text.size() <= cut ? tail.empty() : tail == text.substr(cut) && head == text.substr(0, text.size() - cut));
  return 0;
}
