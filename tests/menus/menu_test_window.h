// Plain windows for the menu engine's tests, menu loops sent as the system
// would, and keys typed into real menus.
#pragma once

#include <windows.h>

#include <algorithm>
#include <functional>
#include <thread>
#include <vector>

#include "driver.h"

namespace menus::testing {

// A top-level window, or a child of `parent`, that notes the messages its
// own procedure receives, after the engine has seen them.
class TestWindow {
 public:
  explicit TestWindow(HWND parent = nullptr, bool visible = false) {
    static const ATOM cls = [] {
      WNDCLASSW wc{};
      wc.lpfnWndProc = Proc;
      wc.hInstance = ::GetModuleHandleW(nullptr);
      wc.lpszClassName = L"TolvaneMenuTest";
      return ::RegisterClassW(&wc);
    }();
    const DWORD style = (parent ? WS_CHILD : WS_OVERLAPPEDWINDOW) | (visible ? WS_VISIBLE : 0);
    hwnd_ = ::CreateWindowExW(0, MAKEINTATOM(cls), L"menu test", style, 50, 50, 300, 200, parent, nullptr,
                              ::GetModuleHandleW(nullptr), this);
  }
  ~TestWindow() { Destroy(); }
  HWND hwnd() const { return hwnd_; }
  const std::vector<MSG>& Log() const { return log_; }
  int Count(UINT msg) const {
    return static_cast<int>(std::count_if(log_.begin(), log_.end(), [&](const MSG& m) { return m.message == msg; }));
  }
  void Destroy() {
    if (hwnd_ && ::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
    hwnd_ = nullptr;
  }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE)
      ::SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
    if (auto* self = reinterpret_cast<TestWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA))) {
      self->log_.push_back({hwnd, msg, wp, lp});
      if (msg == WM_NCDESTROY) ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    }
    return ::DefWindowProcW(hwnd, msg, wp, lp);
  }
  HWND hwnd_ = nullptr;
  std::vector<MSG> log_;
};

// What a menu loop sends for `menu` and, once it is open, for each of its
// sub-menus twice, as a user going in and out would; `opened` is told of each
// pop-up as it opens. Nothing is chosen.
inline void OpenPopup(HWND owner, HMENU menu, const std::function<void(HMENU)>& opened) {
  ::SendMessageW(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
  if (opened) opened(menu);
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
    if (HMENU sub = ::GetSubMenu(menu, i))
      for (int again = 0; again < 2; ++again) OpenPopup(owner, sub, opened);
}
inline void OpenLoop(HWND owner, HMENU menu, const std::function<void(HMENU)>& opened = {}) {
  ::SendMessageW(owner, WM_ENTERMENULOOP, 0, 0);
  OpenPopup(owner, menu, opened);
  ::SendMessageW(owner, WM_EXITMENULOOP, 0, 0);
}

// Types keys into the menu this thread is about to track, from another
// thread once the menu is on screen; joins when it goes. A menu the keys did
// not close is cancelled through `owner`, so a test fails rather than hangs.
class MenuTypist {
 public:
  MenuTypist(HWND owner, std::vector<WORD> keys)
      : thread_([owner, keys = std::move(keys)] {
          HWND menu = e2e::WaitPopupMenu(::GetCurrentProcessId(), 5000);
          e2e::MenuKeys(menu, keys);
          for (int i = 0; i < 100 && menu && ::IsWindowVisible(menu); ++i) ::Sleep(30);
          if (menu && ::IsWindowVisible(menu)) ::PostMessageW(owner, WM_CANCELMODE, 0, 0);
        }) {}
  ~MenuTypist() { thread_.join(); }

 private:
  std::thread thread_;
};

}  // namespace menus::testing
