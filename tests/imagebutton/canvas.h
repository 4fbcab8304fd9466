// A 32-bit memory bitmap to draw into and read back pixel by pixel.
#pragma once

#include <windows.h>

#include <cstdint>

#include "ui/handles.h"
#include "ui/picture.h"

class Canvas {
 public:
  Canvas(int width, int height) : width_(width) {
    void* bits = nullptr;
    bitmap_ = ui::CreateDib(width, height, 32, &bits);
    bits_ = static_cast<const std::uint32_t*>(bits);
    dc_.reset(::CreateCompatibleDC(nullptr));
    old_ = ::SelectObject(dc_.get(), bitmap_.get());
  }
  ~Canvas() { ::SelectObject(dc_.get(), old_); }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC Dc() const { return dc_.get(); }
  COLORREF At(int x, int y) const {
    ::GdiFlush();
    const std::uint32_t p = bits_[y * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }

 private:
  int width_;
  ui::OwnedBitmap bitmap_;
  ui::OwnedMemoryDc dc_;
  HGDIOBJ old_ = nullptr;
  const std::uint32_t* bits_ = nullptr;
};
