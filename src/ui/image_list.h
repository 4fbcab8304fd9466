// A list of same-sized pictures, numbered from 0, drawn with a mask colour
// made transparent.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "ui/handles.h"

namespace ui {

class ImageList {
 public:
  ImageList() = default;
  ~ImageList();
  ImageList(const ImageList&) = delete;
  ImageList& operator=(const ImageList&) = delete;

  // Cuts a strip of `size` x `size` pictures into the list; `mask` is the
  // colour that shows nothing. Returns whether the list could be made.
  bool LoadStrip(HBITMAP strip, int size, COLORREF mask);
  int Count() const;
  HIMAGELIST get() const { return list_; }
  void Draw(int index, HDC dc, int x, int y) const;
  // Picture `index` as an icon with its mask, for code that needs a handle
  // of its own: made on first use and kept by the list until the list is
  // loaded again or goes. Null when there is no such picture.
  HICON Picture(int index) const;

 private:
  HIMAGELIST list_ = nullptr;
  mutable std::vector<OwnedIcon> pictures_;
};

}  // namespace ui
