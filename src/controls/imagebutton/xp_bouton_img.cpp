#include "controls/imagebutton/xp_bouton_img.h"

#include <windowsx.h>

#include <cmath>
#include <utility>

#include "controls/imagebutton/faces.h"
#include "controls/imagebutton/hand_cursor.h"
#include "controls/imagebutton/logic/access_key.h"
#include "core/twips.h"
#include "ui/font.h"
#include "ui/keyboard.h"
#include "ui/picture.h"
#include "ui/window.h"

namespace imagebutton {
namespace {

constexpr wchar_t kClassName[] = L"Tolvane.XpBoutonImg";
constexpr UINT_PTR kHoverTimer = 1;
constexpr UINT kHoverInterval = 1;  // as fast as the system ticks
constexpr wchar_t kNotNumeric[] = L"Veuillez saisir une valeur numérique";

bool RegisterClassOnce(WNDPROC proc) {
  static const bool registered = [proc] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = kClassName;
    return ::RegisterClassExW(&wc) != 0;
  }();
  return registered;
}

std::int16_t ShiftState() {
  std::int16_t shift = 0;
  if (::GetKeyState(VK_SHIFT) < 0) shift |= 1;
  if (::GetKeyState(VK_CONTROL) < 0) shift |= 2;
  if (::GetKeyState(VK_MENU) < 0) shift |= 4;
  return shift;
}

std::int16_t HeldButtons(WPARAM wp) {
  std::int16_t held = 0;
  if (wp & MK_LBUTTON) held |= 1;
  if (wp & MK_RBUTTON) held |= 2;
  if (wp & MK_MBUTTON) held |= 4;
  return held;
}

MouseArgs ArgsOf(std::int16_t button, LPARAM lp) {
  return {button, ShiftState(), static_cast<float>(GET_X_LPARAM(lp)), static_cast<float>(GET_Y_LPARAM(lp))};
}

const wchar_t* KeyOf(Numeric which) {
  switch (which) {
    case Numeric::XPicture: return L"XPicture";
    case Numeric::YPicture: return L"YPicture";
    case Numeric::WPicture: return L"WPicture";
    case Numeric::HPicture: return L"HPicture";
    case Numeric::XTexte: return L"XTexte";
  }
  return L"";
}

}  // namespace

XpBoutonImg::XpBoutonImg(const CreateArgs& args)
    : ambient_(args.ambient),
      props_(args.setup == Setup::NewInstance ? NewInstanceProperties(ambient_)
                                              : ReadProperties(args.properties, ambient_)),
      font_(ui::GetFont(props_.font)) {
  input_.SetEnabled(props_.enabled);
}

std::unique_ptr<XpBoutonImg> XpBoutonImg::Create(HWND parent, const CreateArgs& args) {
  if (!RegisterClassOnce(&XpBoutonImg::WndProc)) return nullptr;
  std::unique_ptr<XpBoutonImg> button(new XpBoutonImg(args));
  DWORD style = WS_CHILD | WS_VISIBLE;
  if (args.tabStop) style |= WS_TABSTOP;
  if (!button->props_.enabled) style |= WS_DISABLED;
  using tolvane::TwipsToPixels;
  const HWND hwnd = ::CreateWindowExW(
      0, kClassName, button->props_.caption.c_str(), style, TwipsToPixels(args.left), TwipsToPixels(args.top),
      TwipsToPixels(args.width), TwipsToPixels(args.height), parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)), ::GetModuleHandleW(nullptr), button.get());
  if (!hwnd) return nullptr;
  ui::NoteTabOrder(hwnd);
  return button;
}

XpBoutonImg::~XpBoutonImg() {
  *alive_ = false;
  if (const HWND hwnd = std::exchange(hwnd_, nullptr)) {
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    ::DestroyWindow(hwnd);
  }
}

bool XpBoutonImg::Notify(std::wstring_view key) {
  if (!PropertyChanged) return true;
  const auto alive = alive_;
  PropertyChanged(key);
  return *alive;
}

void XpBoutonImg::SetEnabled(bool enabled) {
  props_.enabled = enabled;
  input_.SetEnabled(enabled);
  if (!Notify(L"Enabled")) return;
  if (hwnd_) ::EnableWindow(hwnd_, enabled);
  input_.Redraw();
}

void XpBoutonImg::SetFont(const FontSpec& font) {
  props_.font = font;
  font_ = ui::GetFont(font);
  input_.Redraw();
  (void)Notify(L"Font");
}

void XpBoutonImg::SetCaption(const std::wstring& caption) {
  props_.caption = caption;
  input_.Redraw();
  if (hwnd_) ::SetWindowTextW(hwnd_, caption.c_str());  // where a dialog manager looks for the access key
  (void)Notify(L"Caption");
}

void XpBoutonImg::SetForeColor(Colour colour) {
  props_.foreColor = colour;
  input_.Redraw();
  (void)Notify(L"ForeColor");
}

void XpBoutonImg::SetForeHover(Colour colour) {
  props_.foreHover = colour;
  (void)Notify(L"ForeHover");
}

// The picture is drawn on the surface, so showing it is a redraw.
void XpBoutonImg::SetPicture(PicturePtr picture) {
  props_.picture = std::move(picture);
  input_.Redraw();
  (void)Notify(L"Image");
}

Value XpBoutonImg::XTexte() {
  const Value value = ValueOrDefault(Numeric::XTexte, props_.xTexte);
  const Look look = LookOf(props_.enabled ? Face::Normal : Face::Disabled, input_.Survol());
  PaintSurface([&](HDC dc) { DrawCaption(dc, look); });
  return value;
}

wchar_t XpBoutonImg::AccessKey() const { return imagebutton::AccessKey(props_.caption); }

bool XpBoutonImg::SetNumeric(Numeric which, const Value& value) {
  if (!Accepts(which, value)) {
    if (ShowMessage) {
      ShowMessage(hwnd_, kNotNumeric);
    } else {
      ::MessageBoxW(hwnd_, kNotNumeric, MessageTitle.c_str(), MB_OK | MB_ICONSTOP);
    }
    return false;
  }
  switch (which) {
    case Numeric::XPicture: props_.xPicture = value; break;
    case Numeric::YPicture: props_.yPicture = value; break;
    case Numeric::WPicture: props_.wPicture = value; break;
    case Numeric::HPicture: props_.hPicture = value; break;
    case Numeric::XTexte: props_.xTexte = value; break;
  }
  if (which == Numeric::XTexte) {
    if (Notify(KeyOf(which))) input_.Redraw();
  } else {
    input_.Redraw();  // the picture moves
    (void)Notify(KeyOf(which));
  }
  return true;
}

void XpBoutonImg::Draw(Face face, bool hoverCaption) {
  PaintSurface([&](HDC dc) { DrawLook(dc, LookOf(face, hoverCaption)); });
}

Look XpBoutonImg::LookOf(Face face, bool hoverCaption) const {
  Look look;
  look.face = face;
  look.width = width_;
  look.height = height_;
  look.caption = props_.caption;
  look.blanks = BlanksOf(props_.xTexte);
  look.font = font_;
  look.textColour = ToColorRef(hoverCaption ? props_.foreHover : props_.foreColor);
  if (props_.picture) {
    const PictureBox box = PictureBoxOf(props_);
    look.picture = props_.picture.get();
    look.pictureBox = {box.left, box.top, box.left + box.width, box.top + box.height};
  }
  return look;
}

void XpBoutonImg::PaintSurface(const std::function<void(HDC)>& paint) {
  if (!hwnd_ || !surface_) return;
  {
    ui::OwnedMemoryDc dc(::CreateCompatibleDC(nullptr));
    ui::ScopedSelect select(dc.get(), surface_.get());
    paint(dc.get());
  }
  ::InvalidateRect(hwnd_, nullptr, FALSE);
  ::UpdateWindow(hwnd_);
}

bool XpBoutonImg::CursorOver() {
  POINT p;
  return hwnd_ && ::GetCursorPos(&p) && ::WindowFromPoint(p) == hwnd_;
}

void XpBoutonImg::SetHoverTimer(bool on) {
  if (!hwnd_) return;
  if (on) {
    ::SetTimer(hwnd_, kHoverTimer, kHoverInterval, nullptr);
  } else {
    ::KillTimer(hwnd_, kHoverTimer);
  }
}

// The arrows move as Tab and Shift+Tab do in the form.
void XpBoutonImg::MoveFocus(bool backward) {
  if (hwnd_) (void)ui::TabFrom(hwnd_, backward);
}

void XpBoutonImg::CopySurface(HDC target) const {
  if (!surface_) return;
  ui::OwnedMemoryDc dc(::CreateCompatibleDC(nullptr));
  ui::ScopedSelect select(dc.get(), surface_.get());
  ::BitBlt(target, 0, 0, width_, height_, dc.get(), 0, 0, SRCCOPY);
}

LRESULT XpBoutonImg::OnSize() {
  RECT client{};
  ::GetClientRect(hwnd_, &client);
  width_ = client.right;
  height_ = client.bottom;
  surface_ = ui::CreateDib(width_, height_, 32);
  ui::OwnedRegion region = ButtonRegion(width_, height_);
  if (::SetWindowRgn(hwnd_, region.get(), TRUE)) (void)region.release();  // the window owns it now
  input_.Redraw();
  return 0;
}

// Mouse handlers raise events last: a handler may destroy this object, so
// nothing of it is touched after the input machine returns. Taking the focus
// runs the focus handlers of the control that had it, which may close the
// dialog too.
LRESULT XpBoutonImg::OnButtonDown(std::int16_t button, WPARAM, LPARAM lp) {
  if (::GetFocus() != hwnd_) {
    const auto alive = alive_;
    ::SetFocus(hwnd_);
    if (!*alive || !hwnd_) return 0;
  }
  ::SetCapture(hwnd_);
  input_.MouseDown(ArgsOf(button, lp));
  return 0;
}

LRESULT XpBoutonImg::OnButtonUp(std::int16_t button, WPARAM wp, LPARAM lp) {
  const POINT at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  const RECT client{0, 0, width_, height_};
  const bool inside = ::PtInRect(&client, at) != FALSE;
  if (::GetCapture() == hwnd_ && HeldButtons(wp) == 0) {
    releasingCapture_ = true;
    ::ReleaseCapture();
    releasingCapture_ = false;
  }
  input_.MouseUp(ArgsOf(button, lp), inside);
  return 0;
}

LRESULT XpBoutonImg::OnEnable(bool enabled) {
  if (enabled != props_.enabled) {  // enabled or disabled by the window's owner directly
    props_.enabled = enabled;
    input_.SetEnabled(enabled);
    input_.Redraw();
  }
  return 0;
}

// Arrows and Enter belong to the control; DLGC_BUTTON lets a dialog manager
// match the access key in the window text and send BM_CLICK.
LRESULT XpBoutonImg::OnGetDlgCode(const MSG* msg) const {
  LRESULT code = DLGC_BUTTON | DLGC_WANTARROWS;
  if (msg && (msg->message == WM_KEYDOWN || msg->message == WM_KEYUP) && msg->wParam == VK_RETURN) {
    code |= DLGC_WANTMESSAGE;
  }
  return code;
}

LRESULT CALLBACK XpBoutonImg::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* created = static_cast<XpBoutonImg*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    created->hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
  }
  auto* self = reinterpret_cast<XpBoutonImg*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return ::DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return ::DefWindowProcW(hwnd, msg, wp, lp);
  }
  try {
    return self->HandleMessage(msg, wp, lp);
  } catch (...) {
    // Nothing crosses into the system; the look stays as it was, and the
    // failure is counted as every window procedure's is.
    ui::ReportCaughtFailure("the image button");
    return 0;
  }
}

LRESULT XpBoutonImg::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SIZE: return OnSize();
    case WM_SHOWWINDOW:
      if (wp) input_.Redraw();
      return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      ui::PaintDc paint(hwnd_);
      CopySurface(paint.get());
      return 0;
    }
    case WM_PRINTCLIENT: CopySurface(reinterpret_cast<HDC>(wp)); return 0;
    case WM_SETCURSOR:
      if (LOWORD(lp) != HTCLIENT) break;
      ::SetCursor(HandCursor());
      return TRUE;
    case WM_MOUSEMOVE: input_.MouseMove(ArgsOf(HeldButtons(wp), lp)); return 0;
    case WM_TIMER:
      if (wp == kHoverTimer) input_.HoverTick();
      return 0;
    case WM_LBUTTONDOWN: return OnButtonDown(1, wp, lp);
    case WM_RBUTTONDOWN: return OnButtonDown(2, wp, lp);
    case WM_MBUTTONDOWN: return OnButtonDown(4, wp, lp);
    case WM_LBUTTONUP: return OnButtonUp(1, wp, lp);
    case WM_RBUTTONUP: return OnButtonUp(2, wp, lp);
    case WM_MBUTTONUP: return OnButtonUp(4, wp, lp);
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      ::SetCapture(hwnd_);  // released by the next button-up like any press
      input_.DoubleClick();
      return 0;
    case WM_CAPTURECHANGED:
      if (!releasingCapture_ && reinterpret_cast<HWND>(lp) != hwnd_) input_.CaptureLost();
      return 0;
    case WM_KEYDOWN: input_.KeyDown(static_cast<std::int16_t>(wp), ShiftState()); return 0;
    case WM_KEYUP: input_.KeyUp(static_cast<std::int16_t>(wp), ShiftState()); return 0;
    case WM_CHAR: input_.KeyPress(static_cast<std::int16_t>(wp)); return 0;
    case WM_SETFOCUS: input_.GotFocus(); return 0;
    case WM_KILLFOCUS: input_.LostFocus(); return 0;
    case WM_ENABLE: return OnEnable(wp != 0);
    case WM_GETDLGCODE: return OnGetDlgCode(reinterpret_cast<const MSG*>(lp));
    case BM_CLICK: input_.AccessKeyPress(); return 0;
    default: break;
  }
  return ::DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace imagebutton
