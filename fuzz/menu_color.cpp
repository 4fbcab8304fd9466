// Values written in menu captions: colours and pictures; and the arithmetic
// of what is painted with them (gradient colours, a masked picture's size).
#include <climits>
#include <cstring>

#include "core/menu_draw_rules.h"
#include "core/menu_lookup_rules.h"
#include "core/text.h"
#include "fuzz_support.h"

using namespace tolvane;

namespace {

template <typename T>
T Take(const std::uint8_t*& data, std::size_t& size) {
  T value{};
  const std::size_t n = size < sizeof value ? size : sizeof value;
  std::memcpy(&value, data, n);
  data += n;
  size -= n;
  return value;
}

int Channel(std::uint32_t c, int shift) { return static_cast<int>((c >> shift) & 0xFF); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring text = fuzz::Wide(data, size);
  (void)ColorValueFromName(text);
  const ImageRef ref = ParseImageRef(text);
  if (ref.kind == ImageRef::Kind::Handle) FUZZ_CHECK(HandleFromText(text) == ref.handle);
  if (ref.kind == ImageRef::Kind::Control) FUZZ_CHECK(ref.control == text && !HandleFromText(text));

  // Numbers read from the same bytes.
  const auto colour = Take<std::int32_t>(data, size);
  FUZZ_CHECK(ColorValueFromName(Digits(colour)) == colour);
  const auto handle = Take<std::uint64_t>(data, size);
  FUZZ_CHECK(HandleFromText(std::to_wstring(handle)) == handle);
  wchar_t hex[24];
  std::swprintf(hex, 24, L"&h%llx", static_cast<unsigned long long>(handle));
  FUZZ_CHECK(HandleFromText(hex) == handle);

  const auto from = Take<std::uint32_t>(data, size), to = Take<std::uint32_t>(data, size);
  const int steps = Take<std::uint16_t>(data, size) % 2048;
  const auto colours = GradientColors(from, to, steps);
  FUZZ_CHECK(colours.size() == static_cast<std::size_t>(steps > 0 ? steps + 1 : 1));
  FUZZ_CHECK(colours.front() == (from & 0xFFFFFF));
  if (steps > 0) FUZZ_CHECK(colours.back() == (to & 0xFFFFFF));
  for (std::uint32_t c : colours)
    for (int shift : {0, 8, 16}) {
      const int lo = std::min(Channel(from, shift), Channel(to, shift)), hi = std::max(Channel(from, shift), Channel(to, shift));
      FUZZ_CHECK(c <= 0xFFFFFF && Channel(c, shift) >= lo && Channel(c, shift) <= hi);
    }
  const auto bands = PlanGradient(Take<std::int32_t>(data, size), Take<std::int32_t>(data, size));
  FUZZ_CHECK(bands.count >= 0 && (bands.step == 1 || bands.step == 2));

  const int bw = Take<std::int32_t>(data, size), bh = Take<std::int32_t>(data, size);
  BlitBox src{Take<std::int32_t>(data, size), Take<std::int32_t>(data, size), Take<std::int32_t>(data, size),
              Take<std::int32_t>(data, size)};
  BlitBox dest{Take<std::int32_t>(data, size), Take<std::int32_t>(data, size), Take<std::int32_t>(data, size),
               Take<std::int32_t>(data, size)};
  const int w = Take<std::int32_t>(data, size), h = Take<std::int32_t>(data, size);
  const auto plan = PlanMaskedBlit(bw, bh, src, dest, w, h);
  if (plan.draws) {
    // What is drawn fits its destination and comes from a real part of the picture.
    FUZZ_CHECK(plan.width > 0 && plan.height > 0 && plan.width <= plan.destWidth && plan.height <= plan.destHeight);
    FUZZ_CHECK(static_cast<long long>(plan.source.right) - plan.source.left > 0);
    FUZZ_CHECK(static_cast<long long>(plan.source.bottom) - plan.source.top > 0);
  }
  return 0;
}
