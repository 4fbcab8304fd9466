#include "ui/option_controls.h"

namespace ui {
void PicturePanel::OnPaint(HDC dc, const RECT& client) {
  int textLeft = client.left + 2;
  if (const PicturePtr& pic = GetPicture()) {
    SIZE s = pic->Size();
    RECT dest{client.left + 4, client.top + (client.bottom - client.top - s.cy) / 2, 0, 0};
    dest.right = dest.left + s.cx, dest.bottom = dest.top + s.cy;
    pic->Draw(dc, dest, false);
    textLeft = dest.right + 6;
  }
  RECT text{textLeft, client.top, client.right - 2, client.bottom};
  DrawCaptionText(dc, text, caption_, GetFont(Font()), ForeColor(), TextAlign::Left);
}

void PreviewPanel::OnPaint(HDC dc, const RECT& client) {
  DrawCaptionText(dc, client, caption_, font_.Get(Font()), ForeColor(), design_.textAlign);
}

}  // namespace ui
