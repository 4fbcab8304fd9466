#include "ui/option_controls.h"

#include <algorithm>

#include "ui/handles.h"

namespace ui {
RECT PicturePanel::TextRoom(const RECT& client) const {
  int textLeft = client.left + 2;
  if (const PicturePtr& pic = GetPicture()) textLeft = client.left + 4 + pic->Size().cx + 6;
  return {textLeft, client.top, client.right - 2, client.bottom};
}

void PicturePanel::OnPaint(HDC dc, const RECT& client) {
  if (const PicturePtr& pic = GetPicture()) {
    SIZE s = pic->Size();
    RECT dest{client.left + 4, client.top + (client.bottom - client.top - s.cy) / 2, 0, 0};
    dest.right = dest.left + s.cx, dest.bottom = dest.top + s.cy;
    pic->Draw(dc, dest, false);
  }
  RECT text = TextRoom(client);
  const HFONT font = GetFont(Font());
  if (design_.wordWrap && !caption_.empty()) {
    RECT need = text;
    ScopedSelect select(dc, font);
    ::DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &need,
                DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    text.top += std::max(0L, (text.bottom - text.top - (need.bottom - need.top)) / 2);
  }
  DrawCaptionText(dc, text, caption_, font, ForeColor(), TextAlign::Left, design_.wordWrap);
}

void PreviewPanel::OnPaint(HDC dc, const RECT& client) {
  DrawCaptionText(dc, client, caption_, font_.Get(Font()), ForeColor(), design_.textAlign);
}

}  // namespace ui
