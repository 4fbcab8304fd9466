// A desktop for in-process tests: message boxes answer at once and are
// recorded, the shell records what it was asked to open, the cursor is where
// the test puts it.
#pragma once

#include <string>
#include <vector>

#include "ui/seams.h"

namespace tolvane::testing {

class FakeDesktop final : public ui::Desktop {
 public:
  FakeDesktop() { previous_ = ui::SetDesktop(this); }
  ~FakeDesktop() override { ui::SetDesktop(previous_); }

  int Message(HWND, std::wstring_view text, std::wstring_view, UINT) override {
    messages.emplace_back(text);
    return answer;
  }
  INT_PTR Open(HWND, std::wstring_view target) override {
    opened.emplace_back(target);
    return openResult;
  }
  POINT CursorPos() override { return cursor; }
  SIZE ScreenSize() override { return {1280, 800}; }

  int answer = IDNO;
  INT_PTR openResult = 42;
  POINT cursor{};
  std::vector<std::wstring> messages;
  std::vector<std::wstring> opened;

 private:
  ui::Desktop* previous_;
};

}  // namespace tolvane::testing
