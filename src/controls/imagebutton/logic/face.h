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

// The line actually drawn: the blanks that push the caption clear of the
// picture, then the caption.
std::wstring CaptionLine(std::wstring_view caption, int blanks);

}  // namespace imagebutton
