#include "menus/draw_primitives.h"

#include <vector>

namespace menus {
namespace {

// A memory DC with a bitmap selected for as long as it lives; the bitmap is
// selected out again before either is freed.
class MemoryCanvas {
 public:
  // Borrows `bitmap`.
  MemoryCanvas(HDC compatibleWith, HBITMAP bitmap) : dc_(Made(::CreateCompatibleDC(compatibleWith))) {
    Select(bitmap);
  }
  // Makes a bitmap of its own: of the screen's colours, or of one bit a pixel.
  MemoryCanvas(HDC compatibleWith, int width, int height, bool monochrome)
      : dc_(Made(::CreateCompatibleDC(compatibleWith))),
        bitmap_(Made(monochrome ? ::CreateBitmap(width, height, 1, 1, nullptr)
                                : ::CreateCompatibleBitmap(compatibleWith, width, height))) {
    Select(bitmap_.get());
  }
  ~MemoryCanvas() {
    if (old_) ::SelectObject(dc_.get(), old_);
  }
  MemoryCanvas(const MemoryCanvas&) = delete;
  MemoryCanvas& operator=(const MemoryCanvas&) = delete;

  bool ok() const { return old_ != nullptr; }
  HDC dc() const { return dc_.get(); }

 private:
  void Select(HBITMAP bitmap) {
    if (dc_ && bitmap) old_ = ::SelectObject(dc_.get(), bitmap);
  }
  CountedMemoryDc dc_;
  CountedBitmap bitmap_;
  HGDIOBJ old_ = nullptr;
};

constexpr DWORD kAndNotSource = 0x220326;  // destination AND NOT source
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

}  // namespace

COLORREF TranslateColor(ColorValue Color) {
  if (auto index = tolvane::SystemColorIndex(Color)) return ::GetSysColor(*index);
  return static_cast<COLORREF>(Color);
}

ColorValue ColorFromName(std::wstring_view Value, ColorValue Default) {
  if (auto value = tolvane::ColorValueFromName(Value)) return static_cast<ColorValue>(TranslateColor(*value));
  return Default;
}

ScopedPen::ScopedPen(HDC dc, ColorValue color, int width) : dc_(dc) {
  if (width <= 1) {
    oldPen_ = ::SelectObject(dc, ::GetStockObject(DC_PEN));
    oldColor_ = ::SetDCPenColor(dc, TranslateColor(color));
  } else {
    made_.reset(Made(::CreatePen(PS_SOLID, width, TranslateColor(color))));
    if (made_) oldPen_ = ::SelectObject(dc, made_.get());
  }
}

ScopedPen::~ScopedPen() {
  if (oldPen_) ::SelectObject(dc_, oldPen_);
  if (oldColor_ != CLR_INVALID) ::SetDCPenColor(dc_, oldColor_);
}

void ScopedPen::SetColor(ColorValue color) {
  if (!made_) ::SetDCPenColor(dc_, TranslateColor(color));
}

ScopedBrush::ScopedBrush(HDC dc, ColorValue color)
    : dc_(dc), oldBrush_(::SelectObject(dc, ::GetStockObject(DC_BRUSH))),
      oldColor_(::SetDCBrushColor(dc, TranslateColor(color))) {}

ScopedBrush::~ScopedBrush() {
  if (oldBrush_) ::SelectObject(dc_, oldBrush_);
  if (oldColor_ != CLR_INVALID) ::SetDCBrushColor(dc_, oldColor_);
}

void ScopedBrush::SetColor(ColorValue color) { ::SetDCBrushColor(dc_, TranslateColor(color)); }

void DrawRectangle(HDC hDC, int X1, int Y1, int X2, int Y2, ColorValue FillColor, ColorValue PenColor) {
  if (!hDC) return;
  ScopedPen pen(hDC, PenColor == -1 ? FillColor : PenColor);
  ScopedBrush brush(hDC, FillColor);
  ::Rectangle(hDC, X1, Y1, X2, Y2);
}

void DrawGradient(ColorValue Color1, ColorValue Color2, bool Horizontal, HDC hDC, const RECT& Rect) {
  const int width = Rect.right - Rect.left, height = Rect.bottom - Rect.top;
  if (!hDC || width <= 0 || height <= 0) return;
  const COLORREF first = TranslateColor(Color1), last = TranslateColor(Color2);
  const auto bands = tolvane::PlanGradient(Horizontal ? width : height,
                                           ::GetSystemMetrics(Horizontal ? SM_CXSCREEN : SM_CYSCREEN));
  const std::vector<std::uint32_t> colors =
      Horizontal ? tolvane::GradientColors(first, last, bands.count) : tolvane::GradientColors(last, first, bands.count);
  ScopedBrush brush(hDC, static_cast<ColorValue>(colors.front()));
  for (int i = 0; i < bands.count; ++i) {
    ::SetDCBrushColor(hDC, colors[static_cast<std::size_t>(i)]);
    const int offset = i * bands.step;
    if (Horizontal) ::PatBlt(hDC, Rect.left + offset, Rect.top, bands.step, height, PATCOPY);
    else ::PatBlt(hDC, Rect.left, Rect.top + offset, width, bands.step, PATCOPY);
  }
}

bool DrawTransparentBitmap(HDC hDC, const RECT& DestRect, HBITMAP hBitmap, RECT& SrcRect, ColorValue TransColor,
                           int& Width, int& Height, HDC hBackDC, int BackX, int BackY, bool FlipH, bool FlipV) {
  if (!hDC || !hBitmap || ::GetObjectType(hBitmap) != OBJ_BITMAP) return false;
  BITMAP bm{};
  if (!::GetObjectW(hBitmap, sizeof bm, &bm)) return false;
  const auto plan = tolvane::PlanMaskedBlit(bm.bmWidth, bm.bmHeight,
                                            {SrcRect.left, SrcRect.top, SrcRect.right, SrcRect.bottom},
                                            {DestRect.left, DestRect.top, DestRect.right, DestRect.bottom},
                                            Width, Height);
  SrcRect.right = plan.source.right;
  SrcRect.bottom = plan.source.bottom;
  if (!plan.draws) return false;
  Width = plan.width;
  Height = plan.height;
  const int sx = plan.source.left, sy = plan.source.top;
  const int sw = plan.source.right - sx, sh = plan.source.bottom - sy;

  ScreenDc screen;
  MemoryCanvas source(screen.get(), hBitmap);  // fails when the bitmap is selected elsewhere
  if (!source.ok()) return false;
  const COLORREF transparent = TransColor < 0 ? ::GetPixel(source.dc(), 0, 0) : static_cast<COLORREF>(TransColor);
  MemoryCanvas work(screen.get(), sw, sh, false);
  MemoryCanvas back(screen.get(), plan.destWidth, plan.destHeight, false);
  MemoryCanvas mask(screen.get(), sw, sh, true);
  screen.Release();
  if (!work.ok() || !back.ok() || !mask.ok()) return false;
  ::SetMapMode(back.dc(), ::GetMapMode(hDC));
  // On a display of 256 colours the picture is mixed in the target's palette.
  HPALETTE oldPalette = nullptr;
  if (::GetDeviceCaps(hDC, RASTERCAPS) & RC_PALETTE) {
    oldPalette = ::SelectPalette(back.dc(), static_cast<HPALETTE>(::GetCurrentObject(hDC, OBJ_PAL)), TRUE);
    ::RealizePalette(back.dc());
  }

  // What the picture goes over.
  if (hBackDC) ::BitBlt(back.dc(), 0, 0, plan.destWidth, plan.destHeight, hBackDC, BackX, BackY, SRCCOPY);
  else ::BitBlt(back.dc(), 0, 0, plan.destWidth, plan.destHeight, hDC, DestRect.left, DestRect.top, SRCCOPY);

  // The picture, mirrored as asked; a one-bit picture takes the source's colours.
  ::SetBkColor(work.dc(), ::GetBkColor(source.dc()));
  ::SetTextColor(work.dc(), ::GetTextColor(source.dc()));
  if (FlipH || FlipV)
    ::StretchBlt(work.dc(), FlipH ? sw - 1 : 0, FlipV ? sh - 1 : 0, FlipH ? -sw : sw, FlipV ? -sh : sh, source.dc(),
                 sx, sy, sw, sh, SRCCOPY);
  else
    ::BitBlt(work.dc(), 0, 0, sw, sh, source.dc(), sx, sy, SRCCOPY);

  // The mask: white where the picture is transparent; those pixels of the
  // picture itself become black so they add nothing when painted over.
  ::SetBkColor(work.dc(), transparent);
  ::SetTextColor(work.dc(), kWhite);
  ::BitBlt(mask.dc(), 0, 0, sw, sh, work.dc(), 0, 0, SRCCOPY);
  ::SetTextColor(work.dc(), kBlack);
  ::SetBkColor(work.dc(), kWhite);
  ::BitBlt(work.dc(), 0, 0, sw, sh, mask.dc(), 0, 0, kAndNotSource);

  // Mask and picture scaled the same way, so their pixels still meet.
  ::SetStretchBltMode(back.dc(), COLORONCOLOR);
  ::SetBkColor(back.dc(), kWhite);
  ::SetTextColor(back.dc(), kBlack);
  ::StretchBlt(back.dc(), 0, 0, Width, Height, mask.dc(), 0, 0, sw, sh, SRCAND);
  ::StretchBlt(back.dc(), 0, 0, Width, Height, work.dc(), 0, 0, sw, sh, SRCPAINT);
  ::BitBlt(hDC, DestRect.left, DestRect.top, plan.destWidth, plan.destHeight, back.dc(), 0, 0, SRCCOPY);
  if (oldPalette) ::SelectPalette(back.dc(), oldPalette, TRUE);
  return true;
}

}  // namespace menus
