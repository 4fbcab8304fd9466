#include "menus/gdi_count.h"

#include <atomic>

namespace menus {
namespace {
std::atomic<long> held{0};
std::atomic<long> made{0};
}

long GdiObjectsHeld() { return held.load(); }
long GdiObjectsMade() { return made.load(); }

namespace detail {
void NoteMade() {
  ++held;
  ++made;
}
void NoteFreed() { --held; }
}  // namespace detail

void FreeGdiObject(HGDIOBJ h) {
  if (h && ::DeleteObject(h)) detail::NoteFreed();
}

void FreeMemoryDc(HDC h) {
  if (h && ::DeleteDC(h)) detail::NoteFreed();
}

void FreeIcon(HICON h) {
  if (h && ::DestroyIcon(h)) detail::NoteFreed();
}

void ScreenDc::Release() {
  if (dc_ && ::ReleaseDC(hwnd_, dc_)) detail::NoteFreed();
  dc_ = nullptr;
}

}  // namespace menus
