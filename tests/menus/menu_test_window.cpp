#include "menu_test_window.h"

#include <algorithm>

#include "driver.h"

namespace menus::testing {

TestWindow::TestWindow(HWND parent, bool visible) {
  static const ATOM cls = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TolvaneMenuTest";
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    return ::RegisterClassW(&wc);
  }();
  (void)cls;
  DWORD style = parent ? WS_CHILD : WS_OVERLAPPEDWINDOW;
  hwnd_ = ::CreateWindowExW(0, L"TolvaneMenuTest", L"menu test", style | (visible ? WS_VISIBLE : 0), 50, 50, 300, 200,
                            parent, nullptr, ::GetModuleHandleW(nullptr), this);
}

TestWindow::~TestWindow() { Destroy(); }

void TestWindow::Destroy() {
  if (hwnd_ && ::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
  hwnd_ = nullptr;
}

int TestWindow::Count(UINT msg) const {
  return static_cast<int>(std::count_if(log_.begin(), log_.end(), [&](const Received& r) { return r.msg == msg; }));
}

LRESULT CALLBACK TestWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE)
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
  if (auto* self = reinterpret_cast<TestWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA))) {
    self->log_.push_back({msg, wp, lp});
    if (msg == WM_NCDESTROY) ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  }
  return ::DefWindowProcW(hwnd, msg, wp, lp);
}

MenuTypist::MenuTypist(HWND owner, std::vector<WORD> keys)
    : thread_([owner, keys = std::move(keys)] {
        HWND menu = e2e::WaitPopupMenu(::GetCurrentProcessId(), 5000);
        e2e::MenuKeys(menu, keys);
        for (int i = 0; i < 100 && menu && ::IsWindowVisible(menu); ++i) ::Sleep(30);
        if (menu && ::IsWindowVisible(menu)) ::PostMessageW(owner, WM_CANCELMODE, 0, 0);
      }) {}

}  // namespace menus::testing
