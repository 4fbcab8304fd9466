// The pictures menu items show, each made once at the size drawn: its
// colours over black, its mask, and its shape for greyed and shadowed
// drawing. Drawing them afterwards makes no GDI object.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace menus {

// Draws picture `handle` (a bitmap or an icon) at x, y, `width` x `height`.
// Not greyed: the picture, its transparent parts left alone (a bitmap's
// transparent colour is its top-left pixel, unless `opaque`). Greyed: its
// shape in the light colour one pixel down-right and in the shadow colour in
// place (embossed), or in the shadow colour down-right and the DC's
// background colour in place (a shadow). False when there is nothing to draw.
bool DrawMenuPicture(HDC hDC, std::uint64_t handle, int x, int y, int width, int height, bool greyed, bool embossed,
                     bool opaque);

// The shell's small icon for a file, by its path (the file need not exist:
// its kind is enough); kept with the pictures, null when there is none.
HICON FileIcon(const std::wstring& path);

// Forgets the pictures made from `handle`: it is being shown anew, and may
// be a new picture under a freed handle's value.
void ForgetPicturesOf(std::uint64_t handle);
// Forgets the pictures made from handles that are no longer a live bitmap
// or icon, so a handle value given out again never shows an old picture.
void ForgetStalePictures();
// Frees every picture made (when the last menu owner goes).
void ReleaseMenuPictures();
// How many pictures are held.
std::size_t MenuPicturesHeld();

}  // namespace menus
