// A 32-bit memory bitmap to draw into and read back pixel by pixel, and
// pictures to draw.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>

#include "ui/handles.h"
#include "ui/picture.h"

class Canvas {
 public:
  Canvas(int width, int height)
      : width_(width), height_(height), bitmap_(ui::CreateDib(width, height, 32, &bits_)),
        dc_(::CreateCompatibleDC(nullptr)), select_(dc_.get(), bitmap_.get()) {}

  HDC Dc() const { return dc_.get(); }
  COLORREF At(int x, int y) const {
    ::GdiFlush();
    const std::uint32_t p = static_cast<const std::uint32_t*>(bits_)[y * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  // How many pixels match, leaving out `inset` pixels on every side.
  int Count(const std::function<bool(COLORREF)>& match, int inset = 0) const {
    int n = 0;
    for (int y = inset; y < height_ - inset; ++y)
      for (int x = inset; x < width_ - inset; ++x) n += match(At(x, y));
    return n;
  }

 private:
  int width_, height_;
  void* bits_ = nullptr;
  ui::OwnedBitmap bitmap_;
  ui::OwnedMemoryDc dc_;
  ui::ScopedSelect select_;
};

// A small bitmap of one colour, as a design could give it for a picture.
inline std::shared_ptr<const ui::Picture> SolidBitmap(COLORREF colour) {
  void* bits = nullptr;
  ui::OwnedBitmap bitmap = ui::CreateDib(6, 6, 32, &bits);
  const auto pixel = static_cast<std::uint32_t>(GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour));
  std::fill_n(static_cast<std::uint32_t*>(bits), 36, pixel);
  return ui::Picture::FromBitmap(bitmap.release());
}
