#include "ui/option_controls.h"

namespace ui {
namespace {

void DrawLine(HDC dc, RECT r, const std::wstring& text, HFONT font, COLORREF colour, UINT align) {
  if (text.empty()) return;
  ScopedSelect select(dc, font);
  int oldMode = ::SetBkMode(dc, TRANSPARENT);
  COLORREF oldColour = ::SetTextColor(dc, colour);
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | align);
  ::SetTextColor(dc, oldColour);
  ::SetBkMode(dc, oldMode);
}

UINT AlignFlag(TextAlign a) {
  return a == TextAlign::Center ? DT_CENTER : a == TextAlign::Right ? DT_RIGHT : DT_LEFT;
}

}  // namespace

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
  DrawLine(dc, text, caption_, GetFont(Font()), ForeColor(), DT_LEFT);
}

void PreviewPanel::OnPaint(HDC dc, const RECT& client) {
  DrawLine(dc, client, caption_, font_.Get(Font()), ForeColor(), AlignFlag(design_.textAlign));
}

}  // namespace ui
