// Which of the five looks the button shows, and where its caption goes.
#pragma once

#include <string>
#include <string_view>

namespace imagebutton {

enum class Face { Normal, Hover, Focus, Pressed, Disabled };

// Disabled wins over everything; a press shown wins over hover, and hover
// over focus.
Face SelectFace(bool enabled, bool pressed, bool hover, bool focus);

struct TextBox {
  int left, top, right, bottom;
  bool operator==(const TextBox&) const = default;
};

// The box the caption is drawn in: the full width, and the caption's wrapped
// height centred on the middle row (halves rounded to even).
TextBox CaptionBox(int width, int height, int captionHeight);

// How many of the wanted blanks fit before a caption `captionWidth` wide on
// one line of `width`: a font wider than designed (another resolution, a
// substituted face) would otherwise wrap the caption away after the blanks.
int FittingBlanks(int wanted, int blankWidth, int captionWidth, int width);

// The line actually drawn: the blanks that push the caption clear of the
// picture, then the caption.
std::wstring CaptionLine(std::wstring_view caption, int blanks);

}  // namespace imagebutton
