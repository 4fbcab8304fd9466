#include "ui/seams.h"

#include <shellapi.h>

#include <string>

namespace ui {
namespace {

class RealDesktop final : public Desktop {
 public:
  int Message(HWND owner, std::wstring_view text, std::wstring_view title, UINT style) override {
    return ::MessageBoxW(owner, std::wstring(text).c_str(), std::wstring(title).c_str(), style);
  }
  INT_PTR Open(HWND owner, std::wstring_view target) override {
    return reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(owner, nullptr, std::wstring(target).c_str(), nullptr, L"", SW_SHOWNORMAL));
  }
  POINT CursorPos() override {
    POINT p{};
    ::GetCursorPos(&p);
    return p;
  }
  bool TrayIcon(DWORD message, NOTIFYICONDATAW& data) override {
    return ::Shell_NotifyIconW(message, &data) != FALSE;
  }
  int TrackMenu(HMENU menu, HWND owner, POINT at) override {
    return ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
  }
  SIZE ScreenSize() override {
    return {::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  }
};

RealDesktop realDesktop;
Desktop* current = &realDesktop;

}  // namespace

Desktop& TheDesktop() { return *current; }

Desktop* SetDesktop(Desktop* desktop) {
  Desktop* old = current;
  current = desktop ? desktop : &realDesktop;
  return old;
}

}  // namespace ui
