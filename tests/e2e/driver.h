// Drives the real Tolvane.exe from a test: its settings in the registry, its
// process, its windows and the message boxes it shows.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/handles.h"

namespace e2e {

constexpr UINT kTrayMessage = WM_APP + 1;

// The program's settings, under its own title in this test prefix.
void ClearSettings();
void Set(const std::wstring& section, std::initializer_list<std::pair<std::wstring, std::wstring>> values);
std::optional<std::wstring> Get(const std::wstring& section, const std::wstring& key);
std::map<std::wstring, std::wstring> Section(const std::wstring& section);

// The folder Tolvane.exe lies in.
std::wstring ProgramFolder();

class Program {
 public:
  Program();
  ~Program();  // a program still running at the end of a test is killed
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  DWORD Pid() const { return pid_; }
  bool Running() const;
  bool WaitExit(DWORD ms = 10000) const;
  DWORD ExitCode() const;
  // A shown top-level window of this program, once there (null after `ms`).
  HWND WaitMainWindow(DWORD ms = 20000) const { return WaitWindow(L"Tolvane", ms); }
  HWND WaitWindow(const std::wstring& title, DWORD ms = 20000) const;
  HWND WaitDialog(DWORD ms = 20000) const;  // a message box or a file chooser
  // Presses a button (IDYES...) of the message box this program shows, once
  // there, and gives its text (empty when none came).
  std::wstring Answer(int buttonId) const;

 private:
  ui::OwnedHandle process_;
  DWORD pid_ = 0;
};

// The pop-up menu a process shows (null after `ms`), and keys typed into it
// as a user types them: arrows to move, Enter to choose, Escape to close.
HWND WaitPopupMenu(DWORD pid, DWORD ms = 10000);
void MenuKeys(HWND menu, const std::vector<WORD>& keys);
// The descendant of `parent` with exactly this text (waiting up to `ms`), or
// with this class.
HWND FindChild(HWND parent, const std::wstring& text, DWORD ms = 0);
HWND FindClass(HWND parent, const wchar_t* className);
// A press on a button (IDOK...) of a dialog.
void Press(HWND dialog, int buttonId);
// A click of the left or right button in the middle of a window.
void ClickWindow(HWND hwnd, bool right = false);
// A double-click at a point of the screen, as a user's hand gives it.
void DoubleClickAt(POINT at);

// The user's and the all users' desktop folders pointed at folders of the
// test's own for as long as it lives, then put back.
class DesktopFolders {
 public:
  DesktopFolders(const std::wstring& user, const std::wstring& common);
  ~DesktopFolders();
  DesktopFolders(const DesktopFolders&) = delete;
  DesktopFolders& operator=(const DesktopFolders&) = delete;

 private:
  std::optional<std::wstring> oldUser_, oldCommon_;
};

// Polls `ready` every 20 ms until it holds or `ms` passes.
template <typename F>
bool WaitFor(F ready, DWORD ms = 5000) {
  for (DWORD waited = 0;; waited += 20) {
    if (ready()) return true;
    if (waited >= ms) return false;
    ::Sleep(20);
  }
}

}  // namespace e2e
