// A 32-bit memory bitmap to draw into and read back pixel by pixel, and
// pictures to draw.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "ui/handles.h"
#include "ui/picture.h"

class Canvas {
 public:
  Canvas(int width, int height) : width_(width), height_(height) {
    void* bits = nullptr;
    bitmap_ = ui::CreateDib(width, height, 32, &bits);
    bits_ = static_cast<const std::uint32_t*>(bits);
    dc_.reset(::CreateCompatibleDC(nullptr));
    old_ = ::SelectObject(dc_.get(), bitmap_.get());
  }
  ~Canvas() { ::SelectObject(dc_.get(), old_); }

  HDC Dc() const { return dc_.get(); }
  COLORREF At(int x, int y) const {
    ::GdiFlush();
    const std::uint32_t p = bits_[y * width_ + x];
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
  ui::OwnedBitmap bitmap_;
  ui::OwnedMemoryDc dc_;
  HGDIOBJ old_ = nullptr;
  const std::uint32_t* bits_ = nullptr;
};

// A small bitmap of one colour, as a design could give it for a picture.
inline std::shared_ptr<const ui::Picture> SolidBitmap(COLORREF colour) {
  void* bits = nullptr;
  ui::OwnedBitmap bitmap = ui::CreateDib(6, 6, 32, &bits);
  auto* pixels = static_cast<std::uint32_t*>(bits);
  for (int i = 0; i < 36; ++i) pixels[i] = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
  return ui::Picture::FromBitmap(bitmap.release());
}
