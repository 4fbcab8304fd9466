#include "controls/imagebutton/logic/face.h"

#include <algorithm>

#include "core/text.h"

namespace imagebutton {

Face SelectFace(bool enabled, bool pressed, bool hover, bool focus) {
  if (!enabled) return Face::Disabled;
  if (pressed) return Face::Pressed;
  if (hover) return Face::Hover;
  if (focus) return Face::Focus;
  return Face::Normal;
}

TextBox CaptionBox(int width, int height, int captionHeight) {
  const double middle = height / 2.0;
  const double half = captionHeight / 2.0;
  return {0, tolvane::CLng(middle - half).value_or(0), width, tolvane::CLng(middle + half).value_or(0)};
}

int FittingBlanks(int wanted, int blankWidth, int captionWidth, int width) {
  if (wanted <= 0 || blankWidth <= 0) return 0;
  const int room = width - captionWidth;
  if (room <= 0) return 0;
  return std::min(wanted, room / blankWidth);
}

std::wstring CaptionLine(std::wstring_view caption, int blanks) {
  std::wstring line(static_cast<std::size_t>(blanks > 0 ? blanks : 0), L' ');
  line += caption;
  return line;
}

}  // namespace imagebutton
