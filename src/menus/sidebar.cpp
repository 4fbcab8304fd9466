#include "menus/sidebar.h"

#include <optional>
#include <string>

#include "core/sidebar_rules.h"
#include "core/twips.h"
#include "menus/draw_primitives.h"
#include "menus/gdi_count.h"
#include "ui/handles.h"

namespace menus {
namespace {

using tolvane::SidebarSpec;
using CountedFont = ui::Owned<HFONT, FreeGdiObject>;

HGDIOBJ AsObject(tolvane::HandleValue h) { return reinterpret_cast<HGDIOBJ>(static_cast<UINT_PTR>(h)); }

ColorValue Translate(ColorValue c) { return static_cast<ColorValue>(TranslateColor(c)); }

void StoreBitmap(tolvane::MenuPanelRec& panel, CountedBitmap bitmap) {
  FreeSidebarBitmap(panel);
  panel.SideBarBitmap = static_cast<tolvane::HandleValue>(reinterpret_cast<UINT_PTR>(bitmap.release()));
}

// The side bar's face at the size last asked for, selected into a DC: a new
// font only when the size changes, the DC's own font back at the end.
class SidebarFont {
 public:
  SidebarFont(HDC dc, const SidebarSpec& spec, int escapement) : dc_(dc) {
    lf_.lfWeight = spec.bold ? 800 : 400;
    lf_.lfItalic = spec.italic;
    lf_.lfUnderline = spec.underline;
    lf_.lfCharSet = DEFAULT_CHARSET;
    lf_.lfEscapement = lf_.lfOrientation = escapement;
    spec.face.copy(lf_.lfFaceName, LF_FACESIZE - 1);
  }
  ~SidebarFont() {
    if (old_) ::SelectObject(dc_, old_);
  }
  SidebarFont(const SidebarFont&) = delete;
  SidebarFont& operator=(const SidebarFont&) = delete;

  void Use(int points) {
    if (points == points_ && font_) return;
    lf_.lfHeight = tolvane::SidebarFontHeight(points, tolvane::kTwipsPerPixel);
    CountedFont made(Made(::CreateFontIndirectW(&lf_)));
    if (!made) return;  // measured in the font it has
    HGDIOBJ previous = ::SelectObject(dc_, made.get());
    if (!old_) old_ = previous;
    font_ = std::move(made);  // the replaced font is no longer selected
    points_ = points;
  }

 private:
  HDC dc_;
  LOGFONTW lf_{};
  CountedFont font_;
  HGDIOBJ old_ = nullptr;
  int points_ = 0;
};

RECT Measure(HDC dc, std::wstring_view text, UINT format) {
  RECT r{0, 0, 0, 0};
  ::DrawTextW(dc, text.data(), static_cast<int>(text.size()), &r, format | DT_CALCRECT);
  return r;
}

}  // namespace

void FreeSidebarBitmap(tolvane::MenuPanelRec& panel) {
  if (panel.SideBarBitmap) FreeGdiObject(AsObject(panel.SideBarBitmap));
  panel.SideBarBitmap = 0;
}

bool DrawSidebarText(HWND window, tolvane::MenuItemRec& item, tolvane::MenuPanelRec& panel, std::wstring_view tags) {
  const SidebarSpec spec = tolvane::ReadSidebarSpec(tags);
  if (item.Height <= 0) return false;  // no column to stand beside
  ui::WindowDc screen(window);
  if (!screen.get()) return false;
  CountedMemoryDc dc(Made(::CreateCompatibleDC(screen.get())));
  if (!dc) return false;
  int width = spec.width;
  const int height = item.Height;
  const tolvane::SidebarColours colours = tolvane::TextSidebarColours(spec, Translate);

  tolvane::SidebarTextFit fit;
  {
    SidebarFont font(dc.get(), spec, 0);
    auto block = [&](std::wstring_view text, int points) {
      font.Use(points);
      RECT r = Measure(dc.get(), text, DT_CENTER | DT_NOPREFIX | DT_HIDEPREFIX);
      return tolvane::TextExtent{r.right - r.left, r.bottom - r.top};
    };
    auto line = [&](std::wstring_view text, int points) {
      font.Use(points);
      RECT r = Measure(dc.get(), text, DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
      return static_cast<int>(r.right - r.left);
    };
    fit = tolvane::FitSidebarText(spec.hasText ? spec.text : L"", spec.largest, spec.smallest, width, height, block,
                                  line);
  }
  if (fit.extent.thickness + 6 > width) width = fit.extent.thickness + 6;
  CountedBitmap bitmap(Made(::CreateCompatibleBitmap(screen.get(), width, height)));
  if (!bitmap) return false;
  {
    ui::ScopedSelect selected(dc.get(), bitmap.get());
    SidebarFont font(dc.get(), spec, 900);
    font.Use(fit.points);
    const RECT all{0, 0, width, height};
    if (colours.drawGradient) DrawGradient(colours.back, colours.gradient, false, dc.get(), all);
    else DrawRectangle(dc.get(), all, colours.back, -1);
    const int oldMode = ::SetBkMode(dc.get(), TRANSPARENT);
    {
      ScopedTextColor ink(dc.get(), colours.text);
      const RECT x = Measure(dc.get(), L"X", DT_NOCLIP | DT_SINGLELINE);
      const int w = x.right - x.left;
      const int step = w + w / 2;
      int at = (width - fit.extent.thickness) / 2;
      for (const std::wstring& raw : fit.lines) {
        const std::wstring text = tolvane::SidebarLineText(raw);
        const RECT r = Measure(dc.get(), text, DT_SINGLELINE | DT_NOCLIP | DT_HIDEPREFIX);
        const int y = tolvane::SidebarLineStart(spec.align, height, r.right - r.left);
        // Written upwards from (at, y) in the turned font.
        ::TextOutW(dc.get(), at, y, text.data(), static_cast<int>(text.size()));
        at += step;
      }
    }
    ::SetBkMode(dc.get(), oldMode);
  }
  item.Width = width;
  StoreBitmap(panel, std::move(bitmap));
  return true;
}

bool CreateSidebarBitmap(HWND window, tolvane::MenuItemRec& item, tolvane::MenuPanelRec& panel,
                         std::wstring_view tags, const ImageSources& sources) {
  const SidebarSpec spec = tolvane::ReadSidebarSpec(tags);
  const ResolvedImage image = ResolveImageHandle(spec.image, sources);
  const int width = spec.width, height = item.Height;
  if (height <= 0) return false;
  std::optional<tolvane::SidebarPlacement> place;
  if (image.handle) place = tolvane::PlaceSidebarPicture(image.width, image.height, width, height, spec.align);
  if (!place) return DrawSidebarText(window, item, panel, tolvane::kDefaultSidebarSpec);

  ui::WindowDc screen(window);
  if (!screen.get()) return false;
  CountedMemoryDc dc(Made(::CreateCompatibleDC(screen.get())));
  CountedBitmap bitmap(Made(::CreateCompatibleBitmap(screen.get(), width, height)));
  if (!dc || !bitmap) return false;
  CountedBitmap copy;
  CountedMemoryDc pictureDc;
  if (image.bitmap) {
    copy.reset(Made(static_cast<HBITMAP>(::CopyImage(image.handle, IMAGE_BITMAP, 0, 0, 0))));
    pictureDc.reset(Made(::CreateCompatibleDC(screen.get())));
    if (!copy || !pictureDc) return false;
  }
  const tolvane::SidebarColours colours = tolvane::PictureSidebarColours(spec, Translate);
  {
    ui::ScopedSelect selected(dc.get(), bitmap.get());
    const RECT all{0, 0, width, height};
    if (colours.drawGradient) {
      DrawGradient(colours.back, colours.gradient, false, dc.get(), all);
    } else {
      ColorValue back = colours.back;
      if (colours.backFromPicture) {
        back = Translate(tolvane::SystemColorValue(COLOR_MENU));  // an icon has no corner to read
        if (copy) {
          ui::ScopedSelect picture(pictureDc.get(), copy.get());
          back = static_cast<ColorValue>(::GetPixel(pictureDc.get(), 0, 0));
        }
      }
      DrawRectangle(dc.get(), all, back, -1);
    }
    const RECT dest{place->x, place->y, place->x + place->width, place->y + place->height};
    if (copy && spec.transparent) {
      RECT source{0, 0, 0, 0};
      int w = place->width, h = place->height;
      DrawTransparentBitmap(dc.get(), dest, copy.get(), source, -1, w, h);
    } else if (copy) {
      ui::ScopedSelect picture(pictureDc.get(), copy.get());
      const int oldMode = ::SetStretchBltMode(dc.get(), COLORONCOLOR);
      ::StretchBlt(dc.get(), dest.left, dest.top, place->width, place->height, pictureDc.get(), 0, 0, image.width,
                   image.height, SRCCOPY);
      ::SetStretchBltMode(dc.get(), oldMode);
    } else {
      ::DrawIconEx(dc.get(), dest.left, dest.top, static_cast<HICON>(image.handle), place->width, place->height, 0,
                   nullptr, DI_NORMAL);
    }
  }
  item.Width = width;
  StoreBitmap(panel, std::move(bitmap));
  return true;
}

}  // namespace menus
