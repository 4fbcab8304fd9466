// Every GDI object, memory DC and icon the menu drawing makes goes through
// these, so a test can tell that drawing gives back all it takes. (The
// system's own count of a process's GDI objects is not available everywhere.)
#pragma once

#include <windows.h>

#include "ui/handles.h"

namespace menus {

// Objects made through Made() and not yet freed through the Free functions.
long GdiObjectsHeld();
// Objects ever made through Made(): drawing that should make none can be
// checked to leave it alone.
long GdiObjectsMade();

namespace detail {
void NoteMade();
void NoteFreed();
}  // namespace detail

// Counts a handle just made; a null handle (a failed call) counts nothing.
template <typename H>
H Made(H h) {
  if (h) detail::NoteMade();
  return h;
}

void FreeGdiObject(HGDIOBJ h);
void FreeMemoryDc(HDC h);
void FreeIcon(HICON h);

using CountedBitmap = ui::Owned<HBITMAP, FreeGdiObject>;
using CountedPen = ui::Owned<HPEN, FreeGdiObject>;
using CountedMemoryDc = ui::Owned<HDC, FreeMemoryDc>;
using CountedIcon = ui::Owned<HICON, FreeIcon>;

// A DC of the screen (or of a window) for as long as it lives.
class ScreenDc {
 public:
  explicit ScreenDc(HWND hwnd = nullptr) : hwnd_(hwnd), dc_(Made(::GetDC(hwnd))) {}
  ~ScreenDc() { Release(); }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  HDC get() const { return dc_; }
  void Release();

 private:
  HWND hwnd_;
  HDC dc_;
};

}  // namespace menus
