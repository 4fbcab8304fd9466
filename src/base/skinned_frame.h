// The drawn frame that the main window and every dialog share: the title bar
// with the window's icon, its title and the button holder, the bottom bar,
// the side borders, and the drag by the title bar.
#pragma once

#include <functional>

#include "core/geometry.h"
#include "ui/controls.h"
#include "ui/form.h"

namespace tolvane {

// A window's frame controls, as its own members.
struct FrameControls {
  ui::Panel& EnteteH;
  ui::Panel& MeIcon;
  ui::Panel& MeCaption;
  ui::Panel& FBtn;
  ui::RibbonButton& BtnClose;
  ui::Panel& EnteteB;
  ui::Panel& BorderLeft;
  ui::Panel& BorderRight;
};

// What differs from one window's frame to another's.
struct FrameSizes {
  double captionWidth = 2000;
  double holderLeft = 0;
  double holderWidth = 650;
  double bottomHeight = kTitleBarHeight;  // taller under a "Valider" button
};

// Creates the frame's controls on `form`; the title bar and the bottom bar
// take the whole width, the borders the height between them.
void DesignFrame(ui::Form& form, const FrameControls& c, const FrameSizes& sizes);

// The window follows the pointer while its title bar or title is held down.
// `moved` runs after each move of a drag, `released` when the button comes
// up on the title bar.
void WireTitleDrag(ui::Form& form, ui::Panel& EnteteH, ui::Panel& MeCaption, std::function<void()> moved,
                   std::function<void()> released);

}  // namespace tolvane
