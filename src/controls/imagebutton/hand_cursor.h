// The button's pointer: a monochrome pointing hand made in code, so the
// control needs no resource of its own.
#pragma once

#include <windows.h>

namespace imagebutton {

// Made once and kept for the whole run.
HCURSOR HandCursor();

}  // namespace imagebutton
