#include "ui/screen.h"

#include <windows.h>

namespace ui {
namespace {

int pointer = kDefaultPointer;

HCURSOR CursorOf(int value) {
  return value == kHourglass ? ::LoadCursorW(nullptr, IDC_WAIT) : nullptr;
}

}  // namespace

int MousePointer() { return pointer; }

void SetMousePointer(int value) {
  pointer = value;
  if (HCURSOR cursor = CursorOf(pointer)) {
    ::SetCursor(cursor);
    return;
  }
  // The window under the pointer chooses again at the next move.
  ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
}

bool ShowProgramPointer() {
  HCURSOR cursor = CursorOf(pointer);
  if (!cursor) return false;
  ::SetCursor(cursor);
  return true;
}

}  // namespace ui
