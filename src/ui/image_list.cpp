#include "ui/image_list.h"

namespace ui {

ImageList::~ImageList() {
  if (list_) ::ImageList_Destroy(list_);
}

bool ImageList::LoadStrip(HBITMAP strip, int size, COLORREF mask) {
  pictures_.clear();
  if (list_) ::ImageList_Destroy(list_);
  list_ = ::ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 10, 4);
  if (!list_ || !strip) return false;
  return ::ImageList_AddMasked(list_, strip, mask) >= 0;
}

int ImageList::Count() const { return list_ ? ::ImageList_GetImageCount(list_) : 0; }

void ImageList::Draw(int index, HDC dc, int x, int y) const {
  if (list_ && index >= 0 && index < Count()) ::ImageList_Draw(list_, index, dc, x, y, ILD_TRANSPARENT);
}

HICON ImageList::Picture(int index) const {
  if (!list_ || index < 0 || index >= Count()) return nullptr;
  if (pictures_.size() < static_cast<std::size_t>(Count())) pictures_.resize(static_cast<std::size_t>(Count()));
  OwnedIcon& picture = pictures_[static_cast<std::size_t>(index)];
  if (!picture) picture.reset(::ImageList_GetIcon(list_, index, ILD_TRANSPARENT));
  return picture.get();
}

}  // namespace ui
