// The bar as the windows it opens see it: where it stands, the look they
// copy, the window their closing messages stand over, and what they tell it
// once they have changed the catalogue. Dialogs know the bar only through
// this.
#pragma once

#include <windows.h>

#include "core/font_spec.h"
#include "core/geometry.h"

namespace tolvane {

class Bar {
 public:
  virtual HWND BarWindow() const = 0;
  // Its place and size, in twips.
  virtual Rect BarPlace() const = 0;
  // The pane headers' font and the panes' colour, as they are now.
  virtual FontSpec HeaderFont() const = 0;
  virtual COLORREF PaneBackColour() const = 0;
  // Back on top of the other programs, below the modal dialog open if any.
  virtual void KeepBarOnTop() = 0;
  // An editor saved a group or a link: the group menu is built again and the
  // bar shows the stored group when it is next activated.
  virtual void CatalogueSaved() = 0;

 protected:
  ~Bar() = default;
};

// The bar that stands, if any: it registers itself for as long as it lives.
Bar* TheBar();
void SetBar(Bar* bar);

}  // namespace tolvane
