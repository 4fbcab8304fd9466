// The program-wide mouse pointer: while one is set, every window of the
// runtime shows it in place of its own (the hourglass during slow work).
#pragma once

namespace ui {

inline constexpr int kDefaultPointer = 0;
inline constexpr int kHourglass = 11;

int MousePointer();
// kDefaultPointer gives each window its own pointer back.
void SetMousePointer(int pointer);
// Called on WM_SETCURSOR: true when the program-wide pointer was shown.
bool ShowProgramPointer();

}  // namespace ui
