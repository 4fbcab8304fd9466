// The pictures of the skinned windows, loaded once from the program's
// resources and shared by every window that shows them.
#pragma once

#include <array>

#include "ui/picture.h"

namespace tolvane {

struct Skin {
  ui::PicturePtr title;      // title bar gradient
  ui::PicturePtr border;     // bottom bar and side borders
  ui::PicturePtr headerUp;   // `imgUp`: an open pane's header
  ui::PicturePtr headerDown; // `imgDown`: a closed pane's header
  ui::PicturePtr minUp, minDown, closeUp, closeDown;
  ui::PicturePtr appIcon;
  std::array<ui::PicturePtr, 4> frames;  // `ImgTemp(0..3)`
  std::array<ui::PicturePtr, 5> tools;   // the tool entries' icons
  ui::PicturePtr defaultLinkIcon;        // `IcoDef(0)`
  ui::PicturePtr buttonPicture;          // every image button's
  // `ImpCompress(0..3)`: an option off, on, off under the pointer, on under it.
  std::array<ui::PicturePtr, 4> optionStates;
};

const Skin& TheSkin();

}  // namespace tolvane
