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

// The settings of the program, under its own title in this test prefix.
void ClearSettings();
void SetSetting(const std::wstring& section, const std::wstring& key, const std::wstring& value);
// Several values of one section, key then value.
void SetSettings(const std::wstring& section, std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> values);
std::optional<std::wstring> GetSetting(const std::wstring& section, const std::wstring& key);
// Every value of one section, by key.
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
  bool WaitExit(DWORD ms) const;
  DWORD ExitCode() const;
  // The main window, once it is up (null after `ms`).
  HWND WaitMainWindow(DWORD ms = 20000) const;
  // A window of this program with this title, once there (null after `ms`).
  HWND WaitWindow(const std::wstring& title, DWORD ms = 20000) const;
  // A message box of this program, once shown (null after `ms`).
  HWND WaitMessageBox(DWORD ms = 20000) const;

 private:
  ui::OwnedHandle process_;
  DWORD pid_ = 0;
};

// The pop-up menu this program shows (null after `ms`).
HWND WaitPopupMenu(DWORD pid, DWORD ms = 10000);
// Keys for the open menu: arrows to move, Enter to choose, Escape to close.
void MenuKeys(HWND menuWindow, const std::vector<WORD>& keys);
// The child window of `parent` with exactly this text, or null.
HWND FindChild(HWND parent, const std::wstring& text);
// A click of the left or right button in the middle of a window.
void ClickWindow(HWND hwnd, bool right = false);

// The text of a message box, and a press on one of its buttons (IDYES...).
std::wstring MessageText(HWND box);
void Press(HWND box, int buttonId);
// Whether some descendant window of `parent` has exactly this text.
bool HasChildText(HWND parent, const std::wstring& text);

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

// A double-click of the left button at a point of the screen, as a user's
// hand gives it.
void DoubleClickAt(POINT at);
// The windows whose parent is `parent`, not their children.
std::vector<HWND> DirectChildren(HWND parent);

// Polls `ready` every 20 ms until it holds or `ms` passes.
template <typename F>
bool WaitFor(F ready, DWORD ms) {
  for (DWORD waited = 0;; waited += 20) {
    if (ready()) return true;
    if (waited >= ms) return false;
    ::Sleep(20);
  }
}

}  // namespace e2e
