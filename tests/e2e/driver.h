// Waits for a program's windows and types into its menus as a user does: for
// the end-to-end runs of the real Tolvane.exe and the menu engine's tests.
#pragma once

#include <windows.h>

#include <vector>

namespace e2e {

// Polls `ready` every 20 ms until it holds or `ms` passes.
template <typename F>
bool WaitFor(F ready, DWORD ms = 5000) {
  for (DWORD waited = 0;; waited += 20, ::Sleep(20)) {
    if (ready()) return true;
    if (waited >= ms) return false;
  }
}

// A visible top-level window of process `pid` with this class and title (any
// title for null), once there (null after `ms`).
HWND WaitTopLevel(DWORD pid, const wchar_t* className, const wchar_t* title, DWORD ms);

// The pop-up menu a process shows (null after `ms`), and keys typed into it.
inline HWND WaitPopupMenu(DWORD pid, DWORD ms = 10000) { return WaitTopLevel(pid, L"#32768", nullptr, ms); }
void MenuKeys(HWND menu, const std::vector<WORD>& keys);

}  // namespace e2e
