// Drives the real Tolvane.exe from a test: its settings in the registry, its
// process, its windows and the message boxes it shows.
#pragma once

#include <gtest/gtest.h>

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

// Settings of a scenario's own: the bar shown, no desktop import, none left.
class Scenario : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearSettings();
    Set(L"Settings", {{L"Rec 3", L"0"}, {L"Rec 5", L"0"}});
  }
  void TearDown() override { ClearSettings(); }
};

// The folder Tolvane.exe lies in.
std::wstring ProgramFolder();

class Program {
 public:
  Program();
  ~Program();  // a program still running at the end of a test is killed

  DWORD Pid() const { return pid_; }
  // The exit code, once the program has ended (none after `ms`).
  std::optional<DWORD> WaitExit(DWORD ms = 10000) const;
  // A shown top-level window of this program, once there (null after `ms`).
  HWND WaitMainWindow(DWORD ms = 20000) const { return WaitWindow(L"Tolvane", ms); }
  HWND WaitWindow(const std::wstring& title, DWORD ms = 20000) const;
  HWND WaitDialog(DWORD ms = 20000) const;  // a message box or a file chooser
  // Presses a button (IDYES...) of the message box shown, and gives its text.
  std::wstring Answer(int buttonId) const;

 private:
  ui::OwnedHandle process_;
  DWORD pid_ = 0;
};

// The pop-up menu a process shows (null after `ms`), and keys typed into it.
HWND WaitPopupMenu(DWORD pid, DWORD ms = 10000);
void MenuKeys(HWND menu, const std::vector<WORD>& keys);
// The descendant of `parent` with this text (waiting up to `ms`), or class.
HWND FindChild(HWND parent, const std::wstring& text, DWORD ms = 0);
HWND FindClass(HWND parent, const wchar_t* className);
void Press(HWND dialog, int buttonId);
// A click in the middle of a window, and a double-click on the screen.
void ClickWindow(HWND hwnd, bool right = false);
void DoubleClickAt(POINT at);

// The user's and the all users' desktop folders pointed at folders of the
// test's own for as long as it lives, then put back.
struct DesktopFolders {
  DesktopFolders(const std::wstring& user, const std::wstring& common);
  ~DesktopFolders();
  std::optional<std::wstring> oldUser, oldCommon;
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
