// Side-bar text: line breaking to the end, the fitting loop, the tag block
// and a picture's place in the bar.
#include "core/sidebar_rules.h"
#include "fuzz_support.h"

#include <algorithm>

using namespace tolvane;

namespace {

// Characters a break may take away: blanks and the marks' own letters.
bool Breakable(wchar_t c) {
  return c == L' ' || c == L'<' || c == L'>' || c == L'!' || c == L'0' || c == L'b' || c == L'B' || c == L'r' ||
         c == L'R';
}

std::size_t Kept(const std::wstring& s) {
  return static_cast<std::size_t>(std::count_if(s.begin(), s.end(), [](wchar_t c) { return !Breakable(c); }));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  const int longest = data[0] * 4;
  const int largest = data[1] % 30, smallest = data[2] % 30, thick = data[3] % 200;
  const std::wstring text = fuzz::Wide(data + 4, size - 4);

  auto measure = [](std::wstring_view line) { return static_cast<int>(line.size()) * 7; };
  std::vector<std::wstring> lines{text};
  BreakSidebarLines(lines, true, measure, longest);
  std::size_t kept = 0;
  for (const auto& line : lines) kept += Kept(line);
  FUZZ_CHECK(kept == Kept(text));
  // Every further break takes a mark or a blank away: the breaking ends.
  std::size_t calls = 0;
  for (;;) {
    const std::vector<std::wstring> before = lines;
    const std::wstring joined = BreakSidebarLines(lines, false, measure, longest);
    if (joined.empty()) {
      FUZZ_CHECK(lines == before);
      break;
    }
    FUZZ_CHECK(lines.size() == before.size() + 1);
    FUZZ_CHECK(++calls <= text.size());
  }
  kept = 0;
  for (const auto& line : lines) kept += Kept(line);
  FUZZ_CHECK(kept == Kept(text));

  const SidebarSpec spec = ReadSidebarSpec(text);
  FUZZ_CHECK(spec.largest >= 7 && spec.largest <= 24);
  FUZZ_CHECK(spec.smallest >= 5 && spec.smallest <= spec.largest);
  FUZZ_CHECK(spec.width >= kMinSidebarWidth);

  const SidebarTextFit fit = FitSidebarText(
      text, std::max(largest, 1), std::max(smallest, 1), thick, longest,
      [](std::wstring_view t, int points) {
        return TextExtent{static_cast<int>(t.size()) * points, points * 2};
      },
      [](std::wstring_view l, int points) { return static_cast<int>(l.size()) * points; });
  const int lo = std::min(std::max(largest, 1), std::max(smallest, 1) + 1);
  FUZZ_CHECK(fit.points >= lo && fit.points <= std::max(largest, 1));
  FUZZ_CHECK(!fit.lines.empty());

  const int imageWidth = data[1] - 8, imageHeight = data[2] - 8, bar = thick + 1;
  if (auto place = PlaceSidebarPicture(imageWidth, imageHeight, bar, longest + 1, spec.align)) {
    FUZZ_CHECK(imageWidth > 0 && imageHeight > 0);
    FUZZ_CHECK(place->width <= bar && place->height <= longest + 1);
    FUZZ_CHECK(place->x >= 0 && place->y >= 0 && place->y + place->height <= longest + 1);
  } else {
    FUZZ_CHECK(imageWidth <= 0 || imageHeight <= 0);
  }
  return 0;
}
