// A desktop for in-process tests: message boxes answer at once, launches are
// only recorded, the cursor is where the test puts it.
#pragma once

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
  int TrackMenu(HMENU menu, HWND, POINT) override {
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

  int answer = IDNO;
  INT_PTR openResult = 42;
  POINT cursor{};
  std::vector<std::wstring> messages;
  std::vector<HWND> messageOwners;
  std::vector<std::wstring> opened;
  std::vector<std::vector<std::wstring>> menus;
  std::wstring choose;
  bool trayUp = true;  // false: the shell's tray refuses icons, as at log-on
  std::vector<DWORD> trayCalls;
  std::wstring tip;

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
