// A desktop for in-process tests: message boxes and the common dialogs answer
// at once, launches and tray calls are only recorded.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/seams.h"

namespace tolvane::testing {

class FakeDesktop final : public ui::Desktop {
 public:
  FakeDesktop() { previous_ = ui::SetDesktop(this); }
  ~FakeDesktop() override { ui::SetDesktop(previous_); }

  int Message(HWND owner, std::wstring_view text, std::wstring_view, UINT) override {
    messages.emplace_back(text);
    owners.push_back(owner);
    if (onMessage) onMessage();
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
    menus.emplace_back();
    return Collect(menu, L"");
  }
  std::optional<std::wstring> ChooseFile(HWND, std::wstring_view start) override {
    chooserStarts.emplace_back(start);
    return chosen;
  }
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
  std::function<void()> onMessage;  // runs as each message shows
  std::vector<std::wstring> messages;
  INT_PTR openResult = 42;
  std::vector<std::wstring> opened;
  POINT cursor{};
  bool trayUp = true;  // false: the shell's tray refuses icons, as at log-on
  std::vector<DWORD> trayCalls;
  std::wstring tip;
  std::wstring choose;
  std::vector<std::vector<std::wstring>> menus;
  std::vector<HWND> owners;  // the window each message box or menu is shown over
  std::optional<std::wstring> chosen;  // the file chooser's answer; none: cancelled
  std::vector<std::wstring> chooserStarts;
  std::vector<std::optional<COLORREF>> colourAnswers;  // the colour dialog's; none: cancelled
  std::vector<COLORREF> colourStarts;
  std::vector<std::wstring> fonts{L"Arial", L"Tahoma", L"Verdana"};
  bool hasDesktopWindow = true;
  std::vector<bool> desktopShows;

 private:
  // Adds the items to the last menu recorded; the id of the one chosen, or 0.
  int Collect(HMENU menu, const std::wstring& prefix) {
    int chosenId = 0;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
      wchar_t text[256] = {};
      ::GetMenuStringW(menu, i, text, 256, MF_BYPOSITION);
      if (HMENU sub = ::GetSubMenu(menu, i)) {
        if (int id = Collect(sub, prefix + text + L"/")) chosenId = id;
      } else if (text[0]) {
        menus.back().push_back(prefix + text);
        if (menus.back().back() == choose) chosenId = static_cast<int>(::GetMenuItemID(menu, i));
      }
    }
    return chosenId;
  }

  ui::Desktop* previous_;
};

}  // namespace tolvane::testing
