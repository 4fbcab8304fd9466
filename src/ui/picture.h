// Pictures shown by panels, images and buttons: a bitmap or an icon, shared
// between the controls that show it (a form's image handing its picture to
// another is one pointer copy, as the designs expect).
#pragma once

#include <windows.h>

#include <memory>

#include "ui/handles.h"

namespace ui {

class Picture {
 public:
  static std::shared_ptr<const Picture> FromBitmap(HBITMAP bitmap);  // takes ownership
  static std::shared_ptr<const Picture> FromIcon(HICON icon);        // takes ownership
  // Loads a bitmap or icon resource of the running program.
  static std::shared_ptr<const Picture> BitmapResource(int id);
  static std::shared_ptr<const Picture> IconResource(int id, int size);

  SIZE Size() const { return size_; }
  HBITMAP Bitmap() const { return bitmap_.get(); }
  HICON Icon() const { return icon_.get(); }

  // Draws the picture into `dest`: stretched to it, or at its top-left corner.
  void Draw(HDC dc, const RECT& dest, bool stretch) const;

 private:
  OwnedBitmap bitmap_;
  OwnedIcon icon_;
  SIZE size_{};
};

using PicturePtr = std::shared_ptr<const Picture>;

// A device-independent bitmap whose pixels keep their exact colours whatever
// the display depth; `bits` receives its pixels. Top-down unless told
// otherwise (bitmap files are bottom-up).
OwnedBitmap CreateDib(int width, int height, int bitCount, void** bits = nullptr, bool topDown = true);

}  // namespace ui
