// Arithmetic of the owner-drawn menus' painting that needs no window: colour
// values and the names a caption may give them, the bands of a gradient, and
// where a masked picture lands.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tolvane {

// A colour as the menus store it: 0x00BBGGRR, or, when negative,
// 0x80000000 plus a system colour index (0x8000000D is the highlight).
using ColorValue = std::int32_t;

constexpr ColorValue SystemColorValue(int index) {
  return static_cast<ColorValue>(0x80000000u | static_cast<std::uint32_t>(index & 0xFF));
}

// The system colour index a value stands for; nothing for a plain colour.
std::optional<int> SystemColorIndex(ColorValue color);

// What a caption's colour text means, before system colours are looked up:
// a number ("255", "&HFF00"), a colour name ("vbRed", "VBHIGHLIGHT"), or a
// text starting with "&H". Nothing when it names no colour, so the caller
// keeps its default; a number too wide for 32 bits names none.
std::optional<ColorValue> ColorValueFromName(std::wstring_view text);

// How a gradient `length` pixels long is cut into bands: one band per pixel,
// or two-pixel bands when the gradient spans more than about a fifth of the
// screen. Nothing at all for a length of 0 or below.
struct GradientBands {
  int count = 0;
  int step = 1;
};
GradientBands PlanGradient(int length, int screenLength);

// `steps` + 1 colours from `from` to `to` (both 0x00BBGGRR), each channel
// evenly spaced and rounded; the first is `from` and the last `to`. A count
// of 0 or below gives `from` alone.
std::vector<std::uint32_t> GradientColors(std::uint32_t from, std::uint32_t to, int steps);

// Where a picture drawn through a mask lands. Inputs as the caller gives
// them: the bitmap's size, the source part (right or bottom 0 = the whole
// bitmap that way), the destination (right or bottom 0 = the drawn size that
// way) and the drawn size (0 = the source part's size).
struct BlitBox {
  int left = 0, top = 0, right = 0, bottom = 0;
};
struct MaskedBlitPlan {
  BlitBox source;          // the part of the bitmap drawn, defaults filled in
  int width = 0;           // drawn size, shrunk to fit the destination (aspect kept)
  int height = 0;
  int destWidth = 0;       // the destination area, copied back whole
  int destHeight = 0;
  bool draws = false;      // false when any of these sizes is 0 or less
};
MaskedBlitPlan PlanMaskedBlit(int bitmapWidth, int bitmapHeight, BlitBox source, BlitBox dest, int width,
                              int height);

}  // namespace tolvane
