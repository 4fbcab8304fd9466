// Twips, the unit of every stored position and size: a fixed 15 per pixel,
// whatever the display's real density.
#pragma once

#include <cmath>

namespace tolvane {

inline constexpr int kTwipsPerPixel = 15;

// Pixels for a twips value: the nearest whole pixel, halves away from zero.
inline int TwipsToPixels(double twips) {
  return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

inline double PixelsToTwips(int pixels) { return static_cast<double>(pixels) * kTwipsPerPixel; }

}  // namespace tolvane
