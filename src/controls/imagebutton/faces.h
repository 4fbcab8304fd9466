// The button's five looks, drawn with plain DC calls: a light gradient face
// with a dark blue border and softened corners, an orange inner edge for
// hover, a blue one for focus, a darker striped face when pressed and a flat
// grey one when disabled; then the caption and the picture.
#pragma once

#include <windows.h>

#include <string_view>

#include "controls/imagebutton/logic/face.h"
#include "controls/imagebutton/logic/properties.h"
#include "ui/handles.h"
#include "ui/picture.h"

namespace imagebutton {

// Everything one look needs, in pixels.
struct Look {
  Face face = Face::Normal;
  int width = 0;
  int height = 0;
  std::wstring_view caption;
  int blanks = 0;          // before the caption, to clear the picture
  HFONT font = nullptr;
  COLORREF textColour = 0; // unused by the disabled look, which has its own grey
  const ui::Picture* picture = nullptr;  // an icon or a bitmap, stretched to its box
  RECT pictureBox{};
};

// Draws the whole look over (0, 0)-(width, height) of `dc` and leaves the DC
// as it found it. Before the first sizing (no width or height) it draws
// nothing.
void DrawLook(HDC dc, const Look& look);
// Draws the caption again over what is there, under the picture; the face
// only tells whether it is the disabled one.
void DrawCaption(HDC dc, const Look& look);

// The client rectangle without its four corner pixels, so the button looks
// rounded.
ui::OwnedRegion ButtonRegion(int width, int height);

// A design colour as the DC takes it; system colours are looked up.
COLORREF ToColorRef(Colour colour);

}  // namespace imagebutton
