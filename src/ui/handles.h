// Owners for the handles the program holds: each frees its handle once, can
// be moved but not copied, and DC guards put back what they changed.
#pragma once

#include <windows.h>

#include <utility>

namespace ui {

// A handle with a fixed release function.
template <typename H, auto Release>
class Owned {
 public:
  Owned() = default;
  explicit Owned(H h) : h_(h) {
    if (h_) ++live_;
  }
  ~Owned() { reset(); }
  Owned(Owned&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
  Owned& operator=(Owned&& o) noexcept {
    if (this != &o) {
      reset();
      h_ = std::exchange(o.h_, nullptr);
    }
    return *this;
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;

  H get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }
  [[nodiscard]] H release() {
    if (h_) --live_;
    return std::exchange(h_, nullptr);
  }
  void reset(H h = nullptr) {
    if (h_ == h) return;
    if (h_) {
      Release(h_);
      --live_;
    }
    if (h) ++live_;
    h_ = h;
  }

  // How many handles of this kind the program holds now: the runtime's own
  // count of what it made and has not freed (the system's is not always there).
  static int Live() { return live_; }

 private:
  H h_ = nullptr;
  static inline int live_ = 0;
};

namespace detail {
inline void DeleteGdi(HGDIOBJ h) { ::DeleteObject(h); }
inline void DeleteIcon(HICON h) { ::DestroyIcon(h); }
inline void DeleteMenu(HMENU h) { ::DestroyMenu(h); }
inline void DeleteMemDc(HDC h) { ::DeleteDC(h); }
inline void CloseKey(HKEY h) { ::RegCloseKey(h); }
inline void DeleteRgn(HRGN h) { ::DeleteObject(h); }
inline void DeleteBitmap(HBITMAP h) { ::DeleteObject(h); }
inline void DeleteBrush(HBRUSH h) { ::DeleteObject(h); }
inline void DeletePen(HPEN h) { ::DeleteObject(h); }
inline void DeleteFont(HFONT h) { ::DeleteObject(h); }
inline void DestroyCursorHandle(HCURSOR h) { ::DestroyCursor(h); }
inline void CloseHandleChecked(HANDLE h) { ::CloseHandle(h); }
}  // namespace detail

using OwnedBitmap = Owned<HBITMAP, detail::DeleteBitmap>;
using OwnedBrush = Owned<HBRUSH, detail::DeleteBrush>;
using OwnedPen = Owned<HPEN, detail::DeletePen>;
using OwnedFont = Owned<HFONT, detail::DeleteFont>;
using OwnedRegion = Owned<HRGN, detail::DeleteRgn>;
using OwnedIcon = Owned<HICON, detail::DeleteIcon>;
using OwnedCursor = Owned<HCURSOR, detail::DestroyCursorHandle>;
using OwnedMenu = Owned<HMENU, detail::DeleteMenu>;
using OwnedKey = Owned<HKEY, detail::CloseKey>;
using OwnedMemoryDc = Owned<HDC, detail::DeleteMemDc>;
using OwnedHandle = Owned<HANDLE, detail::CloseHandleChecked>;

// Selects an object into a DC and selects the previous one back on exit.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? ::SelectObject(dc, obj) : nullptr) {}
  ~ScopedSelect() {
    if (old_) ::SelectObject(dc_, old_);
  }
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// Saves the whole DC state (colours, modes, clip, selections) and restores it.
class ScopedDcState {
 public:
  explicit ScopedDcState(HDC dc) : dc_(dc), saved_(::SaveDC(dc)) {}
  ~ScopedDcState() {
    if (saved_) ::RestoreDC(dc_, saved_);
  }
  ScopedDcState(const ScopedDcState&) = delete;
  ScopedDcState& operator=(const ScopedDcState&) = delete;

 private:
  HDC dc_;
  int saved_;
};

// GetDC / ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
  ~WindowDc() {
    if (dc_) ::ReleaseDC(hwnd_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// BeginPaint / EndPaint.
class PaintDc {
 public:
  explicit PaintDc(HWND hwnd) : hwnd_(hwnd) { dc_ = ::BeginPaint(hwnd, &ps_); }
  ~PaintDc() { ::EndPaint(hwnd_, &ps_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  HDC get() const { return dc_; }
  const RECT& dirty() const { return ps_.rcPaint; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

}  // namespace ui
