// The places where the program meets the desktop in ways a test cannot sit
// through: modal message boxes, the shell, the cursor and the screen. Code
// reaches them through these interfaces so handlers can run under a test.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

class Desktop {
 public:
  virtual ~Desktop() = default;
  // MessageBox: returns IDYES, IDNO, IDOK...
  virtual int Message(HWND owner, std::wstring_view text, std::wstring_view title, UINT style) = 0;
  // ShellExecute with no verb and no parameters; the shell's result code.
  virtual INT_PTR Open(HWND owner, std::wstring_view target) = 0;
  virtual POINT CursorPos() = 0;
  // The primary screen's size, in pixels.
  virtual SIZE ScreenSize() = 0;
  // Shell_NotifyIcon: adds, changes or removes a tray icon.
  virtual bool TrayIcon(DWORD message, NOTIFYICONDATAW& data) = 0;
  // Tracks a pop-up menu at `at`; the chosen command, 0 when none.
  virtual int TrackMenu(HMENU menu, HWND owner, POINT at) = 0;
  // The file-open chooser, every file listed, starting on `start` when it is
  // not empty; the chosen path, or nothing when the user cancels.
  virtual std::optional<std::wstring> ChooseFile(HWND owner, std::wstring_view start) = 0;
  // The system colour dialog, opening on `start` (an RGB colour): the chosen
  // colour, or nothing when the user cancels.
  virtual std::optional<COLORREF> ChooseColour(HWND owner, COLORREF start) = 0;
  // The colour dialog of a menu's colour list: opened full, with grey steps
  // as its custom colours, on `start` when there is one.
  virtual std::optional<COLORREF> ChooseListColour(HWND owner, std::optional<COLORREF> start) {
    return ChooseColour(owner, start.value_or(0));
  }
  // The installed screen fonts: one name per family, no vertical "@" faces.
  virtual std::vector<std::wstring> ScreenFonts() = 0;
  // Shows or hides the desktop's own window; false when there is none.
  virtual bool ShowDesktopWindow(bool show) = 0;
};

// The real desktop, unless a test has put its own in place.
Desktop& TheDesktop();
// Replaces the desktop for a test; returns the previous one. nullptr restores the real one.
Desktop* SetDesktop(Desktop* desktop);

}  // namespace ui
