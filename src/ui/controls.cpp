#include "ui/controls.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "core/twips.h"

namespace ui {
namespace {

UINT DrawFlags(TextAlign a, bool wrap) {
  UINT f = wrap ? DT_WORDBREAK | DT_NOPREFIX : DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
  return f | (a == TextAlign::Center ? DT_CENTER : a == TextAlign::Right ? DT_RIGHT : DT_LEFT);
}

void DrawCaption(HDC dc, RECT r, const std::wstring& text, const Window& w, TextAlign align, bool wrap = false) {
  DrawCaptionText(dc, r, text, GetFont(w.Font()), w.ForeColor(), align, wrap);
}

}  // namespace

void DrawCaptionText(HDC dc, RECT r, const std::wstring& text, HFONT font, COLORREF colour, TextAlign align,
                     bool wrap) {
  if (text.empty()) return;
  ScopedSelect select(dc, font);
  int oldMode = ::SetBkMode(dc, TRANSPARENT);
  COLORREF oldColour = ::SetTextColor(dc, colour);
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DrawFlags(align, wrap));
  ::SetTextColor(dc, oldColour);
  ::SetBkMode(dc, oldMode);
}

void Panel::Create(Window& parent, const Design& d) {
  design_ = d;
  Name = d.name;
  caption_ = d.caption;
  align_ = d.align;
  transparent_ = d.transparent;
  stretchPicture_ = d.stretch;
  SetBackColor(d.back);
  SetForeColor(d.fore);
  SetFont(d.font);
  SetPicture(d.picture);
  SetVisibleFlag(d.visible);
  Move(d.left, d.top, d.width, d.height);
  CreateHwnd(&parent, 0, 0);
  // Named for screen readers (and tests): by its caption, else by its tip.
  const std::wstring& name = caption_.empty() ? d.toolTip : caption_;
  if (!name.empty()) ::SetWindowTextW(hwnd(), name.c_str());
  SetToolTipText(d.toolTip);
}

void Panel::SetCaption(std::wstring caption) {
  if (caption_ == caption) return;
  caption_ = std::move(caption);
  if (hwnd()) ::SetWindowTextW(hwnd(), caption_.c_str());
  InvalidateAll();
}

void Panel::OnPaint(HDC dc, const RECT& client) {
  RECT r = client;
  if (design_.textAlign == TextAlign::Left) r.left += 2;
  DrawCaption(dc, r, caption_, *this, design_.textAlign, design_.wordWrap);
}

void RibbonButton::SetValue(bool value) {
  if (value_ == value) return;
  value_ = value;
  InvalidateAll();
}

LRESULT RibbonButton::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      held_ = true;
      InvalidateAll();
      return Window::OnMessage(WM_LBUTTONDOWN, wp, lp);
    case WM_LBUTTONUP: {
      RECT r{};
      ::GetClientRect(hwnd(), &r);
      POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      if (held_ && ::PtInRect(&r, p)) value_ = true;  // stays down until the handler lets go
      held_ = false;
      InvalidateAll();
      return Window::OnMessage(msg, wp, lp);
    }
    case WM_CAPTURECHANGED:
      if (held_) {
        held_ = false;
        InvalidateAll();
      }
      break;
  }
  return Window::OnMessage(msg, wp, lp);
}

void RibbonButton::OnPaint(HDC dc, const RECT& client) {
  bool down = held_ || value_;
  const PicturePtr& pic = down && design_.pictureDown ? design_.pictureDown : GetPicture();
  RECT r = client;
  if (down && !design_.pictureDown) {
    ::DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    ::OffsetRect(&r, 1, 1);
  }
  int textLeft = r.left + 4;
  if (pic) {
    SIZE s = pic->Size();
    int x = caption_.empty() ? r.left + (r.right - r.left - s.cx) / 2 : r.left + 4;
    RECT dest{x, r.top + (r.bottom - r.top - s.cy) / 2, 0, 0};
    dest.right = dest.left + s.cx, dest.bottom = dest.top + s.cy;
    pic->Draw(dc, dest, false);
    textLeft = dest.right + 8;
  }
  RECT text{textLeft, r.top, r.right - 2, r.bottom};
  DrawCaption(dc, text, caption_, *this, TextAlign::Left);
}

void ScrollBar::Create(Window& parent, const Design& d) {
  Name = d.name;
  align_ = d.align;
  SetVisibleFlag(d.visible);
  Move(d.left, d.top, d.width, d.height);
  CreateHwnd(&parent, 0, 0);
  RECT r{};
  ::GetClientRect(hwnd(), &r);
  bar_ = ::CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | SBS_VERT, 0, 0, r.right, r.bottom,
                           hwnd(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
  SetMax(max_);
}

void ScrollBar::SetMax(int max) {
  max_ = max;
  if (bar_) {
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL, 0, std::max(0, max), 0, 0, 0};
    ::SetScrollInfo(bar_, SB_CTL, &si, TRUE);
  }
  if (value_ > std::max(0, max)) SetValue(std::max(0, max));
}

void ScrollBar::SetValue(int value) {
  value = std::clamp(value, 0, std::max(0, max_));
  if (value == value_) return;
  value_ = value;
  if (bar_) ::SetScrollPos(bar_, SB_CTL, value_, TRUE);
  Raise(onChange);
}

void ScrollBar::OnSized() {
  if (!bar_) return;
  RECT r{};
  ::GetClientRect(hwnd(), &r);
  ::MoveWindow(bar_, 0, 0, r.right, r.bottom, TRUE);
}

LRESULT ScrollBar::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != WM_VSCROLL) return Window::OnMessage(msg, wp, lp);
  int v = value_;
  switch (LOWORD(wp)) {
    case SB_LINEUP: v -= 1; break;
    case SB_LINEDOWN: v += 1; break;
    case SB_PAGEUP: v -= 10; break;
    case SB_PAGEDOWN: v += 10; break;
    case SB_TOP: v = 0; break;
    case SB_BOTTOM: v = max_; break;
    case SB_THUMBTRACK: {
      SCROLLINFO si{sizeof si, SIF_TRACKPOS};
      ::GetScrollInfo(bar_, SB_CTL, &si);
      v = si.nTrackPos;
      v = std::clamp(v, 0, std::max(0, max_));
      if (v != value_) {
        value_ = v;
        ::SetScrollPos(bar_, SB_CTL, v, TRUE);
        Raise(onScroll);
      }
      return 0;
    }
    default: return 0;
  }
  SetValue(v);
  return 0;
}

namespace {

TTTOOLINFOW ToolOf(HWND root, const Window& control, const std::wstring& text) {
  TTTOOLINFOW ti{};
  ti.cbSize = sizeof ti;
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = root;
  ti.uId = reinterpret_cast<UINT_PTR>(control.hwnd());
  ti.lpszText = const_cast<wchar_t*>(text.c_str());
  return ti;
}

}  // namespace

void UnregisterToolTip(Window& control) {
  HWND root = ::GetAncestor(control.hwnd(), GA_ROOT);
  auto tips = root ? static_cast<HWND>(::GetPropW(root, L"TolvaneTips")) : nullptr;
  if (!tips) return;
  TTTOOLINFOW ti = ToolOf(root, control, L"");
  ::SendMessageW(tips, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

void RegisterToolTip(Window& control, const std::wstring& text) {
  HWND root = ::GetAncestor(control.hwnd(), GA_ROOT);
  if (!root) return;
  auto tips = static_cast<HWND>(::GetPropW(root, L"TolvaneTips"));
  if (!tips && text.empty()) return;
  if (!tips) {
    // Not owned by the form: an owned tip keeps the form from staying on
    // top. The form destroys it with itself.
    tips = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, nullptr,
                             nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::SetPropW(root, L"TolvaneTips", tips);
  }
  TTTOOLINFOW ti = ToolOf(root, control, text);
  ::SendMessageW(tips, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
  if (!text.empty()) ::SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

}  // namespace ui
