#include "ui/edit_controls.h"

#include <commctrl.h>
#include <shellapi.h>

namespace ui {
namespace {

// The system control, filling its host window and in the design's font.
HWND MakeChild(Window& host, const wchar_t* cls, DWORD style, const FontSpec& font) {
  RECT r{};
  ::GetClientRect(host.hwnd(), &r);
  HWND h = ::CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, r.right, r.bottom, host.hwnd(),
                             nullptr, ::GetModuleHandleW(nullptr), nullptr);
  ::SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(GetFont(font)), FALSE);
  return h;
}

void Fill(HWND host, HWND child) {
  RECT r{};
  ::GetClientRect(host, &r);
  ::MoveWindow(child, 0, 0, r.right, r.bottom, TRUE);
}

}  // namespace

void HostWindow::CreateHost(Window& parent, const Design& d) {
  Name = d.name;
  align_ = d.align;
  SetFont(d.font);
  SetVisibleFlag(d.visible);
  Move(d.left, d.top, d.width, d.height);
  CreateHwnd(&parent, 0, 0);
}

void TextBox::Create(Window& parent, const Design& d) {
  SetBackColor(d.back == Design{}.back ? ::GetSysColor(COLOR_WINDOW) : d.back);
  SetForeColor(d.fore);
  CreateHost(parent, d);
  edit_ = MakeChild(*this, L"EDIT", WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, d.font);
  ::SetWindowSubclass(edit_, &TextBox::EditProc, 1, reinterpret_cast<DWORD_PTR>(this));
  SetText(d.caption);
}

void TextBox::OnLookChanged() {
  backBrush_.reset();
  if (!edit_) return;
  ::SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(GetFont(Font())), FALSE);
  ::InvalidateRect(edit_, nullptr, TRUE);
}

bool TextBox::HasFocus() const { return edit_ && ::GetFocus() == edit_; }

void TextBox::AcceptFiles(bool accept) {
  if (edit_) ::DragAcceptFiles(edit_, accept);
}

// Runs in the edit's subclass procedure: nothing may leave it, and the drop
// is handed back to the shell whatever happens.
void TextBox::DropFiles(HDROP drop) {
  std::vector<std::wstring> files;
  try {
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
      std::wstring path(static_cast<std::size_t>(::DragQueryFileW(drop, i, nullptr, 0)) + 1, L'\0');
      path.resize(::DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
      files.push_back(std::move(path));
    }
  } catch (...) {
    ReportCaughtFailure("a file drop");
    files.clear();
  }
  ::DragFinish(drop);
  if (!files.empty()) Raise(onDropFiles, files);
}

std::wstring TextBox::Text() const {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(edit_)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(edit_, text.data(), static_cast<int>(text.size()))));
  return text;
}

void TextBox::SetText(const std::wstring& text) { ::SetWindowTextW(edit_, text.c_str()); }

void TextBox::Focus() { ::SetFocus(edit_); }

void TextBox::OnSized() {
  if (edit_) Fill(hwnd(), edit_);
}

LRESULT TextBox::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CTLCOLOREDIT && reinterpret_cast<HWND>(lp) == edit_) {
    HDC dc = reinterpret_cast<HDC>(wp);
    ::SetTextColor(dc, ForeColor());
    ::SetBkColor(dc, BackColor());
    if (!backBrush_) backBrush_.reset(::CreateSolidBrush(BackColor()));
    return reinterpret_cast<LRESULT>(backBrush_.get());
  }
  if (msg == WM_COMMAND && reinterpret_cast<HWND>(lp) == edit_ && HIWORD(wp) == EN_CHANGE) {
    Raise(onChange);
    return 0;
  }
  return Window::OnMessage(msg, wp, lp);
}

LRESULT CALLBACK TextBox::EditProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self) {
  if (msg == WM_CHAR) {
    auto* box = reinterpret_cast<TextBox*>(self);
    Raise(box->onKeyPress, static_cast<int>(wp));
    if (wp == VK_RETURN) return 0;
  } else if (msg == WM_DROPFILES) {
    reinterpret_cast<TextBox*>(self)->DropFiles(reinterpret_cast<HDROP>(wp));
    return 0;
  } else if (msg == WM_NCDESTROY) {
    ::RemoveWindowSubclass(hwnd, &TextBox::EditProc, 1);
  }
  return ::DefSubclassProc(hwnd, msg, wp, lp);
}

void ListBox::Create(Window& parent, const Design& d, bool sorted) {
  CreateHost(parent, d);
  list_ = MakeChild(*this, L"LISTBOX",
                    WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_TABSTOP | (sorted ? LBS_SORT : 0),
                    d.font);
}

void ListBox::AddItem(const std::wstring& text) {
  ::SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void ListBox::Clear() { ::SendMessageW(list_, LB_RESETCONTENT, 0, 0); }

int ListBox::ListCount() const { return static_cast<int>(::SendMessageW(list_, LB_GETCOUNT, 0, 0)); }

int ListBox::ListIndex() const { return static_cast<int>(::SendMessageW(list_, LB_GETCURSEL, 0, 0)); }

void ListBox::SetListIndex(int index) {
  ::SendMessageW(list_, LB_SETCURSEL, index, 0);
  if (ListIndex() >= 0) Raise(onClickItem);
}

std::wstring ListBox::List(int index) const {
  LRESULT n = ::SendMessageW(list_, LB_GETTEXTLEN, index, 0);
  if (n == LB_ERR) return {};
  std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
  n = ::SendMessageW(list_, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(n == LB_ERR ? 0 : static_cast<std::size_t>(n));
  return text;
}

void ListBox::OnSized() {
  if (list_) Fill(hwnd(), list_);
}

LRESULT ListBox::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_COMMAND && reinterpret_cast<HWND>(lp) == list_ && HIWORD(wp) == LBN_SELCHANGE) {
    Raise(onClickItem);
    return 0;
  }
  return Window::OnMessage(msg, wp, lp);
}

}  // namespace ui
