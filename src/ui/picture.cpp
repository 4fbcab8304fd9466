#include "ui/picture.h"

namespace ui {

PicturePtr Picture::FromBitmap(HBITMAP bitmap) {
  if (!bitmap) return nullptr;
  auto p = std::make_shared<Picture>();
  BITMAP info{};
  ::GetObjectW(bitmap, sizeof info, &info);
  p->size_ = {info.bmWidth, info.bmHeight};
  p->bitmap_.reset(bitmap);
  return p;
}

PicturePtr Picture::FromIcon(HICON icon) {
  if (!icon) return nullptr;
  auto p = std::make_shared<Picture>();
  ICONINFO info{};
  if (::GetIconInfo(icon, &info)) {
    BITMAP bm{};
    ::GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
    p->size_ = {bm.bmWidth, info.hbmColor ? bm.bmHeight : bm.bmHeight / 2};
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
    if (info.hbmMask) ::DeleteObject(info.hbmMask);
  }
  p->icon_.reset(icon);
  return p;
}

PicturePtr Picture::BitmapResource(int id) {
  return FromBitmap(static_cast<HBITMAP>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

PicturePtr Picture::IconResource(int id, int size) {
  return FromIcon(static_cast<HICON>(
      ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0)));
}

void Picture::Draw(HDC dc, const RECT& dest, bool stretch) const {
  int w = stretch ? dest.right - dest.left : size_.cx;
  int h = stretch ? dest.bottom - dest.top : size_.cy;
  if (icon_) {
    ::DrawIconEx(dc, dest.left, dest.top, icon_.get(), w, h, 0, nullptr, DI_NORMAL);
    return;
  }
  if (!bitmap_) return;
  OwnedMemoryDc mem(::CreateCompatibleDC(dc));
  ScopedSelect select(mem.get(), bitmap_.get());
  if (stretch) {
    int oldMode = ::SetStretchBltMode(dc, COLORONCOLOR);
    ::StretchBlt(dc, dest.left, dest.top, w, h, mem.get(), 0, 0, size_.cx, size_.cy, SRCCOPY);
    ::SetStretchBltMode(dc, oldMode);
  } else {
    ::BitBlt(dc, dest.left, dest.top, w, h, mem.get(), 0, 0, SRCCOPY);
  }
}

OwnedBitmap CreateDib(int width, int height, int bitCount, void** bits, bool topDown) {
  if (width <= 0 || height <= 0) return {};
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = topDown ? -height : height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = static_cast<WORD>(bitCount);
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  OwnedBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
  if (bits) *bits = pixels;
  return bitmap;
}

}  // namespace ui
