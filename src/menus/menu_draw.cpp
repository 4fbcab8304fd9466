#include "menus/menu_draw.h"

#include <array>
#include <initializer_list>
#include <vector>

#include "core/menu_caption.h"
#include "core/menu_lookup_rules.h"
#include "core/text.h"
#include "menus/draw_primitives.h"
#include "menus/menu_engine.h"
#include "menus/menu_fonts.h"
#include "menus/menu_images.h"

namespace menus {
namespace {

using tolvane::MenuItemRec;
using tolvane::MenuPanelRec;
using tolvane::SystemColorValue;

constexpr int kLight = COLOR_BTNHIGHLIGHT;  // 20
constexpr int kDark = COLOR_BTNSHADOW;      // 16
constexpr UINT kTextFormat = DT_NOCLIP | DT_SINGLELINE | DT_VCENTER;

ColorValue Sys(int index) { return SystemColorValue(index); }

bool Knows(cMenuItems* owner, HMENU menu) {
  return owner->Store().FindPanel(HandleOf(menu)) || owner->Generated(menu);
}

// The DC's background mode and current position, put back when done.
class KeptDcState {
 public:
  explicit KeptDcState(HDC dc) : dc_(dc), mode_(::SetBkMode(dc, TRANSPARENT)) { ::GetCurrentPositionEx(dc, &at_); }
  ~KeptDcState() {
    if (mode_) ::SetBkMode(dc_, mode_);
    ::MoveToEx(dc_, at_.x, at_.y, nullptr);
  }
  KeptDcState(const KeptDcState&) = delete;
  KeptDcState& operator=(const KeptDcState&) = delete;

 private:
  HDC dc_;
  int mode_;
  POINT at_{};
};

void Line(HDC dc, int x1, int y1, int x2, int y2) {
  ::MoveToEx(dc, x1, y1, nullptr);
  ::LineTo(dc, x2, y2);
}

void Text(HDC dc, const std::wstring& text, RECT r, UINT format) {
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
}

bool IsGlyphCommand(UINT id) {
  const UINT command = LoWord(id);
  return command == SC_CLOSE || command == SC_MINIMIZE || command == SC_MAXIMIZE || command == SC_RESTORE;
}

// Points as offsets; a pair is one stroke, a longer list a path.
using Path = std::vector<POINT>;
struct Glyph {
  UINT command;
  std::vector<Path> light;  // the disabled glyph's light pass
  std::vector<Path> glyph;
};

const std::vector<Glyph>& Glyphs() {
  static const std::vector<Glyph> glyphs = {
      {SC_CLOSE,
       {{{2, 0}, {5, 3}}, {{9, 0}, {9, 1}, {6, 4}, {9, 7}, {9, 8}}, {{1, 9}, {5, 5}}},
       {{{0, 0}, {9, 9}}, {{8, 0}, {-1, 9}}, {{0, 1}, {8, 9}}, {{1, 0}, {9, 8}}, {{7, 0}, {-1, 8}}, {{8, 1}, {0, 9}}}},
      {SC_MINIMIZE, {{{9, 8}, {9, 9}, {1, 9}}}, {{{1, 8}, {9, 8}}, {{1, 7}, {9, 7}}}},
      {SC_MAXIMIZE,
       {{{10, 1}, {10, 10}, {1, 10}, {1, 2}, {10, 2}}},
       {{{0, 0}, {9, 0}, {9, 9}, {0, 9}, {0, 1}, {9, 1}}}},
      {SC_RESTORE,
       {{{3, 2}, {8, 2}}, {{8, 4}, {8, 5}, {1, 5}, {1, 9}, {8, 9}, {8, 6}, {10, 6}, {10, 0}}},
       {{{2, 2}, {2, 0}, {9, 0}, {9, 5}, {7, 5}, {7, 3}, {0, 3}, {0, 8}, {7, 8}, {7, 4}, {0, 4}},
        {{3, 1}, {9, 1}}}},
  };
  return glyphs;
}

void Strokes(HDC dc, int x, int y, const std::vector<Path>& paths) {
  for (const Path& path : paths) {
    ::MoveToEx(dc, x + path.front().x, y + path.front().y, nullptr);
    for (std::size_t i = 1; i < path.size(); ++i) ::LineTo(dc, x + path[i].x, y + path[i].y);
  }
}

void DrawSideBar(HDC dc, const DRAWITEMSTRUCT& dis, const MenuItemRec& item, const MenuPanelRec& panel,
                 bool selected, bool disabled) {
  const RECT& rc = dis.rcItem;
  const auto bitmap = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(panel.SideBarBitmap));
  BITMAP bm{};
  if (bitmap && (!disabled || (dis.itemAction & ODA_DRAWENTIRE)) && ::GetObjectType(bitmap) == OBJ_BITMAP &&
      ::GetObjectW(bitmap, sizeof bm, &bm)) {
    CountedMemoryDc memory(Made(::CreateCompatibleDC(dc)));
    if (HGDIOBJ old = memory ? ::SelectObject(memory.get(), bitmap) : nullptr) {
      const int w = rc.right - rc.left, h = rc.bottom - rc.top;
      if (selected && !disabled) {
        const int oldMode = ::SetStretchBltMode(dc, COLORONCOLOR);
        ::StretchBlt(dc, rc.left + 2, rc.top + 2, w - 4, h - 4, memory.get(), 0, 0, bm.bmWidth, bm.bmHeight,
                     SRCCOPY);
        ::SetStretchBltMode(dc, oldMode);
        DrawFrame3D(dc, rc.left + 1, rc.top + 1, rc.right - 1, rc.bottom - 1, false, false, false, 1, 1, kLight,
                    kDark);
      } else {
        ::BitBlt(dc, rc.left, rc.top, w, h, memory.get(), 0, 0, SRCCOPY);
      }
      ::SelectObject(memory.get(), old);
    }
  }
  (void)item;
  if (!disabled)
    DrawFrame3D(dc, rc.left, rc.top, rc.right, rc.bottom - 1, selected, false, false, 1, 1, kLight, kDark);
}

void DrawSeparator(HDC dc, const RECT& rc, const MenuItemRec& item) {
  const int y = rc.top + (rc.bottom - rc.top) / 2 + 1;
  const bool raised = (item.Flags & tolvane::kItemRaised) != 0;
  if (item.Text.empty()) {
    DrawFrame3D(dc, rc.left + 2, y, rc.right - 2, y, true, raised, true, 1, 1, kLight, kDark);
    return;
  }
  // A caption bar: the text centred, a bar on either side.
  ScopedMenuFont font(dc, 3);
  ScopedTextColor colour(dc, Sys(COLOR_HIGHLIGHT));
  RECT t = rc;
  ::OffsetRect(&t, 0, 1);
  // Measured into t itself: its width places the text and the two bars.
  ::DrawTextW(dc, item.Text.c_str(), static_cast<int>(item.Text.size()), &t, DT_CALCRECT | kTextFormat | DT_CENTER);
  const int width = t.right - t.left;
  t.left = rc.left + (rc.right - rc.left - width) / 2;
  t.right = t.left + width;
  t.top = rc.top + 1;
  t.bottom = rc.bottom + 1;
  Text(dc, item.Text, t, kTextFormat);
  DrawFrame3D(dc, rc.left, y, t.left - 3, y, true, raised, true, 1, 1, kLight, kDark);
  DrawFrame3D(dc, t.right + 3, y, rc.right, y, true, raised, true, 1, 1, kLight, kDark);
}

}  // namespace

bool OnMeasureItem(cMenuItems* owner, LPARAM lParam) {
  auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
  if (!owner || !mis || mis->CtlType != ODT_MENU) return false;
  auto menu = reinterpret_cast<HMENU>(mis->itemData);
  if (!owner->GetItemByData(mis->itemData, menu)) {
    if (!Knows(owner, menu)) return false;  // an item of the window's own
    owner->GetMenuItem(mis->itemID, menu);
  }
  mis->itemHeight = static_cast<UINT>(std::max(0, CurrentItem.Height));
  mis->itemWidth = static_cast<UINT>(std::max(0, CurrentItem.Width + CurrentItem.ExtraWidth));
  return true;
}

bool OnDrawItem(cMenuItems* owner, LPARAM lParam) {
  const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  if (!owner || !dis || dis->CtlType != ODT_MENU || !dis->hDC) return false;
  const auto menu = reinterpret_cast<HMENU>(dis->hwndItem);
  if (!Knows(owner, menu)) return false;
  if (HMENU holder = nullptr; !owner->GetItemByData(dis->itemData, holder))
    owner->GetMenuItem(dis->itemID, reinterpret_cast<HMENU>(dis->itemData));
  owner->GetPanelItem(menu);
  const MenuItemRec item = CurrentItem;
  const MenuPanelRec panel = CurrentPanel;
  HDC dc = dis->hDC;
  const RECT rc = dis->rcItem;
  const bool separator = (item.Flags & tolvane::kItemSeparator) != 0;
  const bool disabled = (item.Flags & tolvane::kItemDisabled) != 0;
  const bool checked = (item.Flags & tolvane::kItemChecked) != 0;
  const bool selected = (dis->itemState & ODS_SELECTED) != 0;
  const bool drawEntire = (dis->itemAction & ODA_DRAWENTIRE) != 0;
  // A separator has nothing to show for a change of selection.
  if (separator && (dis->itemAction & ~static_cast<UINT>(ODA_DRAWENTIRE))) return true;
  const bool allowed = KeyboardSelect() || panel.SystemMenu || HighlightDisabled();
  KeptDcState kept(dc);

  if (item.Flags & tolvane::kItemSideBar) {
    DrawSideBar(dc, *dis, item, panel, selected, disabled);
    return true;
  }
  const bool glyph = IsGlyphCommand(dis->itemID);
  const bool hasImage = !item.Image.empty();
  RECT r = rc;
  if (((hasImage || checked) && panel.HasImages) || glyph) r.left = rc.left + 21;
  // The swatch of a colour entry is drawn only with the whole item: a
  // highlight over it would wipe it for good.
  const std::wstring tags = tolvane::SplitCaption(item.Caption, MenuCaptionSwitches()).tags;
  const bool swatch = (item.Flags & tolvane::kItemColour) && tolvane::Val(tolvane::GetCaptionTag(tags, L"LColor:")) != -1;
  if (swatch) r.right = rc.right - 38;
  if (!separator && !disabled ? true : (disabled && allowed)) {
    if (GradientHighlight() && !separator && selected)
      DrawGradient(static_cast<ColorValue>(HighlightColor()), Sys(COLOR_MENU), true, dc, r);
    else
      DrawRectangle(dc, r, selected ? static_cast<ColorValue>(HighlightColor()) : Sys(COLOR_MENU), -1);
  }
  if (separator) {
    DrawSeparator(dc, rc, item);
    return true;
  }

  bool cellLit = false;
  if (hasImage || (checked && panel.HasImages)) {
    const RECT cell{rc.left + 1, rc.top + 1, rc.left + 19, rc.bottom - 1};
    if (checked && !disabled && (IconShadow() || drawEntire)) {
      DrawRectangle(dc, cell, Sys(COLOR_3DLIGHT), -1);
      cellLit = true;
    } else if (IconShadow()) {
      DrawRectangle(dc, cell, Sys(COLOR_MENU), -1);
    }
    if (!(disabled && selected && !HighlightDisabled() && !KeyboardSelect()))
      DrawFrame3D(dc, rc.left, rc.top, rc.left + 19, rc.bottom - 1, selected || checked, checked && !selected, false,
                  1, 1, kLight, kDark);
  }

  if (checked && !hasImage && !glyph) {
    const bool plain = !panel.HasImages && !panel.SystemMenu;
    auto embossedMark = [&] {
      RECT moved = rc;
      ::OffsetRect(&moved, 1, 1);
      DrawCheckMark(dc, moved, ::GetSysColor(COLOR_HIGHLIGHTTEXT), rc);
      DrawCheckMark(dc, rc, ::GetSysColor(COLOR_GRAYTEXT), rc);
    };
    if (disabled && plain && selected && allowed) DrawCheckMark(dc, rc, ::GetSysColor(COLOR_GRAYTEXT), rc);
    else if (disabled) embossedMark();
    else if (plain && selected) DrawCheckMark(dc, rc, ::GetSysColor(COLOR_HIGHLIGHTTEXT), rc);
    else DrawCheckMark(dc, rc, ::GetSysColor(COLOR_MENUTEXT), rc);
  }

  // The text: flat grey when a disabled item may be highlighted, embossed
  // (a light pass down-right, then grey) otherwise.
  const int slot = (item.Flags & tolvane::kItemDefault) ? 2 : 1;
  const bool flat = disabled && selected && allowed;
  const bool embossed = disabled && !flat;
  RECT t = rc;
  t.left = rc.left + 23;
  int first = slot;
  ColorValue colour = Sys(COLOR_MENUTEXT);
  if (flat) {
    colour = Sys(COLOR_GRAYTEXT);
  } else if (disabled) {
    colour = Sys(COLOR_HIGHLIGHTTEXT);
    ::OffsetRect(&t, 1, 1);
  } else if (selected) {
    colour = Sys(COLOR_HIGHLIGHTTEXT);
    if (ItalicText()) first = slot + 3;
  }
  // A font entry's right-hand text is written in the face it names.
  const bool face = (item.Flags & tolvane::kItemFont) != 0;
  auto rightFont = [&](ScopedMenuFont& font) {
    if (!face) return;
    CreateMenuFonts(true, false, tolvane::GetCaptionTag(tags, L"LFont:"));
    font.Select(ItalicText() && selected ? 7 : 6);
  };
  {
    ScopedMenuFont font(dc, first);
    ScopedTextColor text(dc, colour);
    Text(dc, item.Text, t, kTextFormat);
    if (!item.RightText.empty()) {
      t.right = rc.right - 15;
      rightFont(font);
      Text(dc, item.RightText, t, kTextFormat | DT_RIGHT);
    }
  }
  if (embossed) {
    ScopedMenuFont font(dc, slot);
    ScopedTextColor text(dc, Sys(COLOR_GRAYTEXT));
    t = rc;
    t.left = rc.left + 23;
    Text(dc, item.Text, t, kTextFormat);
    if (!item.RightText.empty()) {
      t.right = rc.right - 16;
      rightFont(font);
      Text(dc, item.RightText, t, kTextFormat | DT_RIGHT);
    }
  }

  if (hasImage) {
    RECT ir = rc;
    ir.left += 2;
    ir.top = rc.top + (rc.bottom - rc.top - 16) / 2;
    if (selected && !disabled && IconShadow()) {
      DrawMenuIcon(dc, item.Image, ir, true, false, item.ImageOpaque, 0, 0, 16, 16);
      DrawMenuIcon(dc, item.Image, ir, false, true, item.ImageOpaque, -1, -1, 16, 16);
    } else if (dis->itemAction == ODA_DRAWENTIRE || IconShadow()) {
      DrawMenuIcon(dc, item.Image, ir, disabled, true, item.ImageOpaque, 0, cellLit ? -1 : 0, 16, 16);
    }
  } else if (glyph) {
    DrawSystemGlyph(dc, rc, dis->itemID, disabled, selected);
  }
  // A colour entry shows its colour in a swatch at its right; the custom one none.
  if ((dis->itemAction & ODA_DRAWENTIRE) && swatch) {
    if (auto colour = tolvane::CLng(tolvane::Val(tolvane::GetCaptionTag(tags, L"LColor:"))))
      DrawRectangle(dc, rc.right - 35, rc.top + 2, rc.right - 5, rc.bottom - 2, *colour, 0);
  }
  return true;
}

bool DrawMenuIcon(HDC hDC, const std::wstring& Image, const RECT& Rect, bool Greyed, bool Embossed, bool Opaque,
                  int OffsetX, int OffsetY, int Width, int Height) {
  if (Image.empty()) return false;
  // Not a number: a file's path, drawn with the shell's small icon for it.
  std::optional<std::uint64_t> handle = tolvane::HandleFromText(Image);
  if (!handle) handle = HandleOf(FileIcon(Image));
  if (!handle || !*handle) return false;
  return DrawMenuPicture(hDC, *handle, Rect.left + OffsetX, Rect.top + OffsetY, Width, Height, Greyed, Embossed,
                         Opaque);
}

void DrawFrame3D(HDC hDC, int Left, int Top, int Right, int Bottom, bool Active, bool Inverted, bool LineOnly,
                 int Width1, int Width2, int LightColor, int DarkColor) {
  if (!hDC) return;
  POINT at{};
  ::GetCurrentPositionEx(hDC, &at);
  const int d = Inverted ? 0 : 1;
  {
    ScopedPen pen(hDC, Sys(!Active ? COLOR_MENU : Inverted ? DarkColor : LightColor), Inverted ? Width2 : Width1);
    if (LineOnly) {
      Line(hDC, Left, Top - d, Right - 1, Top - d);
    } else {
      ::MoveToEx(hDC, Left, Bottom, nullptr);
      ::LineTo(hDC, Left, Top);
      ::LineTo(hDC, Right, Top);
    }
  }
  {
    ScopedPen pen(hDC, Sys(!Active ? COLOR_MENU : Inverted ? LightColor : DarkColor), Inverted ? Width1 : Width2);
    if (LineOnly) {
      Line(hDC, Left, Bottom - 1 - d, Right - 1, Bottom - 1 - d);
    } else {
      ::LineTo(hDC, Right, Bottom);
      ::LineTo(hDC, Left, Bottom);
    }
  }
  ::MoveToEx(hDC, at.x, at.y, nullptr);
}

void DrawCheckMark(HDC hDC, const RECT& Rect, COLORREF Color, const RECT& ItemRect) {
  if (!hDC) return;
  POINT at{};
  ::GetCurrentPositionEx(hDC, &at);
  ScopedPen pen(hDC, static_cast<ColorValue>(Color));
  const int x = ItemRect.left + 5;
  const int y = Rect.top + (Rect.bottom - Rect.top - 8) / 2;
  ::MoveToEx(hDC, x + 1, y + 4, nullptr);
  for (POINT p : {POINT{2, 4}, POINT{2, 5}, POINT{3, 5}, POINT{3, 6}, POINT{4, 6}, POINT{4, 4}, POINT{5, 4},
                  POINT{5, 2}, POINT{6, 2}, POINT{6, 1}, POINT{7, 1}, POINT{7, 0}})
    ::LineTo(hDC, x + p.x, y + p.y);
  ::MoveToEx(hDC, at.x, at.y, nullptr);
}

void DrawSystemGlyph(HDC hDC, const RECT& Rect, UINT ItemID, bool Disabled, bool Selected) {
  if (!hDC) return;
  const UINT command = LoWord(ItemID);
  const Glyph* found = nullptr;
  for (const Glyph& g : Glyphs())
    if (g.command == command) found = &g;
  if (!found) return;
  POINT at{};
  ::GetCurrentPositionEx(hDC, &at);
  const int x = Rect.left + 5;
  const int y = Rect.top + (Rect.bottom - Rect.top - 8) / 2 - 1;
  {
    ScopedPen pen(hDC, Sys(COLOR_3DLIGHT));
    if (Disabled) Strokes(hDC, x, y, found->light);
    pen.SetColor(Sys(Disabled ? COLOR_BTNSHADOW : COLOR_HIGHLIGHT));
    Strokes(hDC, x, y, found->glyph);
  }
  ::MoveToEx(hDC, at.x, at.y, nullptr);
  DrawFrame3D(hDC, Rect.left, Rect.top, Rect.left + 19, Rect.bottom - 1, Selected, false, false, 1, 1, kLight, kDark);
}

}  // namespace menus
