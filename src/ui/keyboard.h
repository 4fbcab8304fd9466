// The forms' keyboard, routed as a dialog routes it: Tab and Shift+Tab move
// the focus between a form's controls in the order they were made, and a
// control's access key (with Alt, or alone when the focused control takes
// no characters) clicks it. Controls that want a key for themselves say so
// through WM_GETDLGCODE, as in a dialog; a button-like control is found by
// DLGC_BUTTON and the "&" of its window text, and clicked with BM_CLICK.
#pragma once

#include <windows.h>

namespace ui {

// Gives a window its place in the tab order: after every window noted
// before it. Windows of the runtime are noted when made; a control that makes
// its own window notes it too. A window never noted comes after the others
// of its form, or takes the place of its nearest noted ancestor.
void NoteTabOrder(HWND window);

// The control that Tab (or Shift+Tab) moves to from `from` in its top-level
// window, going round at the ends; null when no control can take the focus.
HWND NextTabStop(HWND from, bool backward);
// Moves the focus as Tab (or Shift+Tab) does; false when nothing took it.
bool TabFrom(HWND from, bool backward);

// On a form's activation: unless one of its controls has the focus already,
// gives it back to `last` (the control that had it when the form was left)
// or, the first time, to the first control that takes it.
void FocusOnActivation(HWND form, HWND last);

// Handles a message of the thread's queue before it is translated and
// dispatched, when it is a key that a loaded form routes; true when it did.
bool RouteFormKey(const MSG& msg);

}  // namespace ui
