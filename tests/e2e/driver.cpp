#include "driver.h"

namespace e2e {

HWND WaitTopLevel(DWORD pid, const wchar_t* className, const wchar_t* title, DWORD ms) {
  HWND found = nullptr;
  WaitFor([&] {
    for (HWND h = nullptr; (h = ::FindWindowExW(nullptr, h, className, title)) != nullptr;) {
      DWORD owner = 0;
      ::GetWindowThreadProcessId(h, &owner);
      if (owner == pid && ::IsWindowVisible(h)) return (found = h) != nullptr;
    }
    return false;
  }, ms);
  return found;
}

void MenuKeys(HWND, const std::vector<WORD>& keys) {
  // A menu reads the keyboard, not posted messages, and only once its loop runs.
  ::Sleep(400);
  for (WORD key : keys) {
    ::keybd_event(static_cast<BYTE>(key), 0, 0, 0);
    ::keybd_event(static_cast<BYTE>(key), 0, KEYEVENTF_KEYUP, 0);
    ::Sleep(150);
  }
}

}  // namespace e2e
