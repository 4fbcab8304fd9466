// Controls of the option dialogs: a panel that shows a small picture before
// its caption (an option and its state), and a preview panel whose font the
// user steps through.
#pragma once

#include "ui/controls.h"
#include "ui/font.h"

namespace ui {

// Clicks, enter and leave come as on every window; the picture is drawn at
// its own size, centred on the height, not stretched behind the caption. A
// caption that wraps is centred on the height as a whole.
class PicturePanel : public Panel {
 public:
  PicturePanel() { pictureIsBackground_ = false; }
  // Where the caption may go in a client area of that size.
  RECT TextRoom(const RECT& client) const;

 protected:
  void OnPaint(HDC dc, const RECT& client) override;
};

// Paints its caption with a font of its own rather than the run's shared
// ones, so that trying fonts leaves none behind.
class PreviewPanel : public Panel {
 protected:
  void OnPaint(HDC dc, const RECT& client) override;

 private:
  FontHolder font_;
};

}  // namespace ui
