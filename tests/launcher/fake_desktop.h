// A desktop for in-process tests: message boxes answer at once, launches are
// only recorded, the cursor is where the test puts it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/seams.h"

namespace tolvane::testing {

class FakeDesktop final : public ui::Desktop {
 public:
  FakeDesktop() { previous_ = ui::SetDesktop(this); }
  ~FakeDesktop() override { ui::SetDesktop(previous_); }

  int Message(HWND owner, std::wstring_view text, std::wstring_view, UINT) override {
    messages.emplace_back(text);
    if (onMessage) onMessage();
    messageOwners.push_back(owner);
    return answer;
  }
  INT_PTR Open(HWND, std::wstring_view target) override {
    opened.emplace_back(target);
    return openResult;
  }
  POINT CursorPos() override { return cursor; }
  SIZE ScreenSize() override { return {1280, 800}; }
  bool TrayIcon(DWORD message, NOTIFYICONDATAW& data) override {
    if (message == NIM_ADD && !trayUp) return false;
    trayCalls.push_back(message);
    tip = data.szTip;
    return true;
  }
  // Records each menu's items ("Groupe de programmes/R&&D" for a sub-menu's)
  // and chooses the one named by `choose`, if any.
  int TrackMenu(HMENU menu, HWND owner, POINT) override {
    owners.push_back(owner);
    std::vector<std::pair<std::wstring, int>> items;
    Collect(menu, L"", items);
    menus.emplace_back();
    int chosen = 0;
    for (const auto& [text, id] : items) {
      menus.back().push_back(text);
      if (text == choose) chosen = id;
    }
    return chosen;
  }

  // The file chooser: records where it started and answers `chosen`.
  std::optional<std::wstring> ChooseFile(HWND, std::wstring_view start) override {
    chooserStarts.emplace_back(start);
    return chosen;
  }
  // Records where the colour dialog opened and answers the next of
  // `colourAnswers` (nothing: Cancel).
  std::optional<COLORREF> ChooseColour(HWND, COLORREF start) override {
    colourStarts.push_back(start);
    if (colourAnswers.empty()) return std::nullopt;
    auto answer = colourAnswers.front();
    colourAnswers.erase(colourAnswers.begin());
    return answer;
  }
  std::vector<std::wstring> ScreenFonts() override { return fonts; }
  bool ShowDesktopWindow(bool show) override {
    desktopShows.push_back(show);
    return hasDesktopWindow;
  }

  int answer = IDNO;
  INT_PTR openResult = 42;
  POINT cursor{};
  std::vector<std::wstring> messages;
  std::function<void()> onMessage;  // runs as each message shows
  std::vector<HWND> messageOwners;
  std::vector<std::wstring> opened;
  std::optional<std::wstring> chosen;  // none: the user cancels
  std::vector<std::wstring> chooserStarts;
  std::vector<std::vector<std::wstring>> menus;
  std::vector<HWND> owners;  // the window tracking each menu
  std::wstring choose;
  bool trayUp = true;  // false: the shell's tray refuses icons, as at log-on
  std::vector<DWORD> trayCalls;
  std::wstring tip;
  std::vector<std::optional<COLORREF>> colourAnswers;
  std::vector<COLORREF> colourStarts;
  std::vector<std::wstring> fonts{L"Arial", L"Tahoma", L"Verdana"};
  bool hasDesktopWindow = true;
  std::vector<bool> desktopShows;

 private:
  static void Collect(HMENU menu, const std::wstring& prefix, std::vector<std::pair<std::wstring, int>>& out) {
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
      wchar_t text[256] = {};
      ::GetMenuStringW(menu, i, text, 256, MF_BYPOSITION);
      if (HMENU sub = ::GetSubMenu(menu, i)) {
        Collect(sub, prefix + text + L"/", out);
      } else if (text[0]) {
        out.emplace_back(prefix + text, static_cast<int>(::GetMenuItemID(menu, i)));
      }
    }
  }

  ui::Desktop* previous_;
};

}  // namespace tolvane::testing
