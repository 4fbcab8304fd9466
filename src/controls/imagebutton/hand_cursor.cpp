#include "controls/imagebutton/hand_cursor.h"

#include <array>
#include <cstdint>

#include "ui/handles.h"

namespace imagebutton {
namespace {

// 'X' black outline, 'o' white fill, anything else transparent. The tip of
// the index finger is the hot spot (5, 0).
constexpr const char* kHand[] = {
    "     XX",
    "    XooX",
    "    XooX",
    "    XooX",
    "    XooX",
    "    XooXXX",
    "    XooXooXXX",
    "    XooXooXooXX",
    " XX XooXooXooXoX",
    "XooXXooooooooXoX",
    "XoooXoooooooooooX",
    " XooXoooooooooooX",
    "  XoXoooooooooooX",
    "  XooooooooooooX",
    "   XoooooooooooX",
    "   XoooooooooooX",
    "    XooooooooooX",
    "    XoooooooooX",
    "     XoooooooX",
    "     XoooooooX",
    "     XXXXXXXXX",
};

constexpr int kSize = 32;
constexpr int kRowBytes = kSize / 8;

ui::OwnedCursor MakeHand() {
  // AND 1 + XOR 0: transparent; AND 0 + XOR 0: black; AND 0 + XOR 1: white.
  std::array<std::uint8_t, kSize * kRowBytes> andMask;
  std::array<std::uint8_t, kSize * kRowBytes> xorMask{};
  andMask.fill(0xFF);
  int y = 0;
  for (const char* row : kHand) {
    for (int x = 0; row[x] != '\0' && x < kSize; ++x) {
      if (row[x] != 'X' && row[x] != 'o') continue;
      const int byte = y * kRowBytes + x / 8;
      const auto bit = static_cast<std::uint8_t>(0x80 >> (x % 8));
      andMask[byte] &= static_cast<std::uint8_t>(~bit);
      if (row[x] == 'o') xorMask[byte] |= bit;
    }
    ++y;
  }
  return ui::OwnedCursor(
      ::CreateCursor(::GetModuleHandleW(nullptr), 5, 0, kSize, kSize, andMask.data(), xorMask.data()));
}

}  // namespace

HCURSOR HandCursor() {
  static const ui::OwnedCursor hand = MakeHand();
  return hand.get() ? hand.get() : ::LoadCursorW(nullptr, IDC_ARROW);
}

}  // namespace imagebutton
