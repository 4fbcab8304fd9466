// The menu engine's entry points: a window handed to SubclassForm has its
// menu messages seen by the engine first (each pop-up prepared as it opens,
// tips and list choices reported, the pointer restored), and everything else
// passed on to its own procedure. The engine follows MDI frames into their
// client and children. One copy per process, on the thread of the windows.
#pragma once

#include <windows.h>

#include "core/menu_caption.h"
#include "menus/menu_items.h"

namespace ui {
class ImageList;
}

namespace menus {

// Switches a client may set; all start off.
extern bool NoSubclass;
extern bool RestoreOnExit;
extern bool KeyEvents;
// While RestoreOnExit is set, the picture every caption names.
extern long ImageTagOverride;
// How the engine reads captions as the switches stand.
tolvane::CaptionSwitches MenuCaptionSwitches();
// A window whose instance owns an MDI frame's menus in place of the active
// child; cleared at the end of every menu loop.
extern HWND ForcedMenuOwner;

// MenuType 0, 2, 3, -2, -3, -4, -5: hWnd itself; 1 or -1: its first child
// window of a known class. 4 and 5 make the menus belong to the MDI frame.
// False when the window could not be hooked (one of another thread, say):
// then nothing of it is kept and its system menu is back to the default.
bool SubclassForm(HWND hWnd, ui::ImageList* ImageList, cTips* Tips, int MenuType);
// Undoes SubclassForm; a window not held is left alone.
void UnsubclassForm(HWND hWnd);
// Stops every instance using an event object about to go.
void ReleaseTips(cTips* Tips);

// The instance of a subclassed window, or null.
cMenuItems* InstanceOf(HWND hWnd);
// How many windows the engine holds.
std::size_t SubclassedCount();
// The owner whose menu is up: set as each pop-up opens.
HWND CurrentMenuOwner();
// Whether the last selection was made without the mouse.
bool KeyboardSelect();
COLORREF HighlightColor();

// The low and high 16 bits of a message parameter, unsigned.
inline UINT LoWord(WPARAM value) { return static_cast<UINT>(value & 0xFFFF); }
inline UINT HiWord(WPARAM value) { return static_cast<UINT>((value >> 16) & 0xFFFF); }

}  // namespace menus
