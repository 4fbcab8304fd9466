#include "ui/window.h"

#include <windowsx.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <exception>
#include <string>
#include <typeinfo>

#include "core/twips.h"
#include "ui/handles.h"
#include "ui/keyboard.h"
#include "ui/menu.h"
#include "ui/screen.h"

namespace ui {

void RegisterToolTip(Window& control, const std::wstring& text);
void UnregisterToolTip(Window& control);

namespace {

constexpr wchar_t kClassName[] = L"TolvaneWindow";

void RegisterClassOnce(WNDPROC proc) {
  static bool done = false;
  if (done) return;
  WNDCLASSEXW wc{sizeof wc};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = proc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kClassName;
  ::RegisterClassExW(&wc);
  done = true;
}

int Px(double twips) { return tolvane::TwipsToPixels(twips); }

int ShiftState() {
  return (::GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (::GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
         (::GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

int ButtonOf(UINT msg, WPARAM wp) {
  switch (msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK: return 1;
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK: return 2;
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK: return 4;
    default:
      return ((wp & MK_LBUTTON) ? 1 : 0) | ((wp & MK_RBUTTON) ? 2 : 0) | ((wp & MK_MBUTTON) ? 4 : 0);
  }
}

bool HasFrame(HWND hwnd) {
  constexpr LONG_PTR kFrame = WS_BORDER | WS_DLGFRAME | WS_THICKFRAME | WS_VSCROLL | WS_HSCROLL;
  constexpr LONG_PTR kEdges = WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE | WS_EX_STATICEDGE | WS_EX_DLGMODALFRAME;
  return (::GetWindowLongPtrW(hwnd, GWL_STYLE) & kFrame) || (::GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & kEdges);
}

std::atomic<int> caughtFailures{0};

}  // namespace

namespace {

thread_local MessageInHand* inHand = nullptr;

// "FrmMain.Prog(3)": the control and the forms it stands in, as designed.
std::string Described(HWND hwnd) {
  std::wstring path;
  for (auto* w = ::IsWindow(hwnd) ? reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA)) : nullptr;
       w; w = w->Parent()) {
    std::wstring part = w->Name.empty() ? L"?" : w->Name;
    if (w->Index >= 0) part += L"(" + std::to_wstring(w->Index) + L")";
    path = path.empty() ? part : part + L"." + path;
  }
  if (path.empty()) return hwnd ? "a window not ours" : "no window";
  return std::string(path.begin(), path.end());  // a diagnostic: beyond ASCII may show oddly
}

}  // namespace

MessageInHand::MessageInHand(HWND hwnd, UINT msg) noexcept : hwnd_(hwnd), msg_(msg), outer_(inHand) {
  inHand = this;
}

MessageInHand::~MessageInHand() { inHand = outer_; }

void ReportCaughtFailure(const char* where) noexcept {
  try {
    std::string what = "an exception of no known type";
    try {
      throw;
    } catch (const std::exception& e) {
      what = std::string(typeid(e).name()) + ": " + e.what();
    } catch (...) {
    }
    std::string text = std::string("Tolvane: failure caught in ") + where + ": " + what;
    if (inHand) {
      char msg[16];
      std::snprintf(msg, sizeof msg, "0x%04X", inHand->msg_);
      text += std::string(" (message ") + msg + " to " + Described(inHand->hwnd_) + ")";
    }
    text += "\n";
    std::fputs(text.c_str(), stderr);
    std::fflush(stderr);
    const std::wstring wide(text.begin(), text.end());
    ::OutputDebugStringW(wide.c_str());
  } catch (...) {
    ::OutputDebugStringW(L"Tolvane: failure caught, and no memory left to describe it\n");
  }
  ++caughtFailures;
}

int TakeCaughtFailures() { return caughtFailures.exchange(0); }

Window::~Window() {
  if (hwnd_) {
    // The form's tip window would otherwise keep an entry per control ever shown.
    if (!tipShown_.empty()) UnregisterToolTip(*this);
    HWND h = hwnd_;
    Detach();
    ::DestroyWindow(h);
  }
  if (parent_) std::erase(parent_->children_, this);
  for (Window* c : children_) c->parent_ = nullptr;
}

void Window::LeaveParent() {
  if (parent_) std::erase(parent_->children_, this);
  parent_ = nullptr;
}

void Window::Detach() {
  if (hwnd_) ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  hwnd_ = nullptr;
}

void Window::CreateHwnd(Window* parent, DWORD style, DWORD exStyle) {
  RegisterClassOnce(&Window::Proc);
  parent_ = parent;
  if (parent) parent->children_.push_back(this);
  style |= WS_CLIPCHILDREN | WS_CLIPSIBLINGS | (parent ? WS_CHILD : WS_POPUP);
  // A control is created in place, so it may show at once; a form shows when told.
  style = parent && visible_ ? style | WS_VISIBLE : style & ~WS_VISIBLE;
  ::CreateWindowExW(exStyle, kClassName, L"", style, Px(left_), Px(top_), Px(width_), Px(height_),
                    parent ? parent->hwnd_ : nullptr, nullptr, ::GetModuleHandleW(nullptr), this);
  NoteTabOrder(hwnd_);
  if (parent) {
    // Later controls lie over earlier ones, as in a form's design.
    if (::GetWindow(hwnd_, GW_HWNDPREV))
      ::SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (align_ != Align::None) parent->ArrangeAligned();
  }
}

void Window::Move(double left, double top, double width, double height) {
  width = std::max(0.0, width), height = std::max(0.0, height);
  if (left == left_ && top == top_ && width == width_ && height == height_) return;  // idle ticks move nothing
  left_ = left, top_ = top, width_ = width, height_ = height;
  if (hwnd_) ApplyGeometry();  // WM_SIZE docks the children and tells OnSized
  Raise(onMoved);
}

void Window::ApplyGeometry() {
  ::SetWindowPos(hwnd_, nullptr, Px(left_), Px(top_), Px(width_), Px(height_),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

double Window::ScaleWidth() const {
  RECT r{};
  if (hwnd_) ::GetClientRect(hwnd_, &r);
  return tolvane::PixelsToTwips(r.right);
}

double Window::ScaleHeight() const {
  RECT r{};
  if (hwnd_) ::GetClientRect(hwnd_, &r);
  return tolvane::PixelsToTwips(r.bottom);
}

void Window::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  if (hwnd_) ::ShowWindow(hwnd_, visible ? (parent_ ? SW_SHOWNA : SW_SHOW) : SW_HIDE);
  if (parent_) parent_->ArrangeAligned();
}

void Window::InvalidateAll() {
  if (hwnd_) ::InvalidateRect(hwnd_, nullptr, FALSE);
}

void Window::Refresh() {
  if (hwnd_) ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void Window::SetBackColor(COLORREF colour) {
  if (back_ == colour) return;
  back_ = colour;
  InvalidateWithSeeThrough();
  OnLookChanged();
}

void Window::SetForeColor(COLORREF colour) {
  if (fore_ == colour) return;
  fore_ = colour;
  InvalidateAll();
  OnLookChanged();
}

void Window::SetFont(const FontSpec& font) {
  if (font_ == font) return;
  font_ = font;
  InvalidateAll();
  OnLookChanged();
}

void Window::SetPicture(PicturePtr picture) {
  if (picture_ == picture) return;
  picture_ = std::move(picture);
  InvalidateWithSeeThrough();
}

void Window::InvalidateWithSeeThrough() {
  InvalidateAll();
  for (Window* c : children_)
    if (c->transparent_) c->InvalidateWithSeeThrough();
}

void Window::ArrangeAligned() {
  if (!hwnd_) return;
  RECT r{};
  ::GetClientRect(hwnd_, &r);
  double left = 0, top = 0;
  double right = tolvane::PixelsToTwips(r.right), bottom = tolvane::PixelsToTwips(r.bottom);
  for (Window* c : children_) {
    if (c->align_ == Align::None || !c->visible_) continue;
    switch (c->align_) {
      case Align::Top: c->Move(0, top, right, c->height_); top += c->height_; break;
      case Align::Bottom: bottom -= c->height_; c->Move(0, bottom, right, c->height_); break;
      case Align::Left: c->Move(left, top, c->width_, bottom - top); left += c->width_; break;
      case Align::Right: right -= c->width_; c->Move(right, top, c->width_, bottom - top); break;
      case Align::None: break;
    }
  }
}

void Window::PaintBackground(HDC dc, const RECT& area, POINT origin) {
  if (transparent_ && parent_) {
    // Our own background is the parent's, seen through.
    RECT inParent = area;
    ::OffsetRect(&inParent, Px(left_), Px(top_));
    parent_->PaintBackground(dc, inParent, {origin.x - Px(left_), origin.y - Px(top_)});
  } else {
    RECT dest = area;
    ::OffsetRect(&dest, origin.x, origin.y);
    OwnedBrush brush(::CreateSolidBrush(back_));
    ::FillRect(dc, &dest, brush.get());
  }
  if (picture_ && pictureIsBackground_) {
    RECT client{0, 0, Px(width_), Px(height_)};
    ::OffsetRect(&client, origin.x, origin.y);
    RECT dest = area;
    ::OffsetRect(&dest, origin.x, origin.y);
    ScopedDcState state(dc);
    ::IntersectClipRect(dc, dest.left, dest.top, dest.right, dest.bottom);
    picture_->Draw(dc, client, stretchPicture_);
  }
}

void Window::OnPaint(HDC, const RECT&) {}

LRESULT CALLBACK Window::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return ::DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_SETCURSOR && ShowProgramPointer()) return TRUE;
  if (msg == WM_NCDESTROY) {
    self->Detach();
    return ::DefWindowProcW(hwnd, msg, wp, lp);
  }
  const MessageInHand inHand(hwnd, msg);
  try {
    return self->OnMessage(msg, wp, lp);
  } catch (...) {
    ReportCaughtFailure("a window procedure");
    return ::DefWindowProcW(hwnd, msg, wp, lp);
  }
}

LRESULT Window::HandleMouse(UINT msg, WPARAM wp, LPARAM lp) {
  HWND self = hwnd_;
  MouseArgs a{ButtonOf(msg, wp), ShiftState(), tolvane::PixelsToTwips(GET_X_LPARAM(lp)),
              tolvane::PixelsToTwips(GET_Y_LPARAM(lp))};
  switch (msg) {
    case WM_MOUSEMOVE:
      if (!tracking_) {
        if (toolTip_ != tipShown_) {
          RegisterToolTip(*this, toolTip_);
          tipShown_ = toolTip_;
        }
        TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, hwnd_, 0};
        tracking_ = ::TrackMouseEvent(&tme) != FALSE;
        Raise(onMouseEnter);
        if (!::IsWindow(self)) return 0;
      }
      Raise(onMouseMove, a);
      return 0;
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
      ::SetCapture(hwnd_);
      leftDown_ = msg == WM_LBUTTONDOWN ? true : leftDown_;
      Raise(onMouseDown, a);
      return 0;
    case WM_LBUTTONDBLCLK:
      Raise(onDblClick);
      return 0;
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP: {
      bool click = msg == WM_LBUTTONUP && leftDown_;  // before the capture goes, which clears it
      leftDown_ = false;
      if (::GetCapture() == hwnd_) ::ReleaseCapture();
      RECT r{};
      ::GetClientRect(hwnd_, &r);
      POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      Raise(onMouseUp, a);
      if (click && ::IsWindow(self) && ::PtInRect(&r, p)) Raise(onClick);
      return 0;
    }
    default:
      return 0;
  }
}

LRESULT Window::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_NCPAINT:
      // With no frame there is nothing outside the client area to draw, and
      // the system's handling would still take a window DC for every control.
      if (!HasFrame(hwnd_)) return 0;
      break;
    case WM_PAINT: {
      PaintDc pdc(hwnd_);
      RECT client{};
      ::GetClientRect(hwnd_, &client);
      // Drawn off screen first: panes are repainted while they animate. A
      // bitmap of the display's own kind would ask the display driver for its
      // format at every paint; a 32-bit DIB is drawn the same without asking.
      OwnedMemoryDc mem(::CreateCompatibleDC(pdc.get()));
      OwnedBitmap surface = CreateDib(std::max<LONG>(1, client.right), std::max<LONG>(1, client.bottom), 32);
      {
        ScopedSelect select(mem.get(), surface.get());
        PaintBackground(mem.get(), client, {0, 0});
        OnPaint(mem.get(), client);
        const RECT& d = pdc.dirty();
        ::BitBlt(pdc.get(), d.left, d.top, d.right - d.left, d.bottom - d.top, mem.get(), d.left, d.top, SRCCOPY);
      }
      return 0;
    }
    case WM_SIZE:
      ArrangeAligned();
      OnSized();
      return 0;
    case WM_MOUSELEAVE:
      tracking_ = false;
      Raise(onMouseExit);
      return 0;
    case WM_CAPTURECHANGED:
      leftDown_ = false;
      if (reinterpret_cast<HWND>(lp) != hwnd_) Raise(onCaptureLost);
      return 0;
    case WM_MOUSEMOVE: case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP: case WM_LBUTTONDBLCLK:
      return HandleMouse(msg, wp, lp);
    case WM_RBUTTONDBLCLK:
      return HandleMouse(WM_RBUTTONDOWN, wp, lp);
    case WM_COMMAND:
      // A menu choice comes back to the window that tracked the menu.
      if (HIWORD(wp) == 0 && lp == 0 && TakeMenuChoice(hwnd_, LOWORD(wp))) return 0;
      break;
  }
  return ::DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace ui
