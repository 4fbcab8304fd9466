// Preparing a pop-up as it opens: each item read by position, its caption's
// mark-up parsed into its record (refreshed in place when the pop-up comes
// again), measured, and turned into an owner-drawn item; then the pop-up's
// panel record and, beside a side bar, its columns.
#include <algorithm>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "core/list_menu_rules.h"
#include "core/menu_caption.h"
#include "core/menu_columns.h"
#include "core/menu_lookup_rules.h"
#include "core/text.h"
#include "menus/gdi_count.h"
#include "menus/lookups.h"
#include "menus/menu_fonts.h"
#include "menus/list_menus.h"
#include "menus/menu_engine.h"
#include "menus/menu_images.h"
#include "menus/menu_items.h"
#include "menus/sidebar.h"
#include "ui/menu.h"

namespace menus {
namespace {

using tolvane::MenuItemRec;

bool Has(const std::wstring& tags, std::wstring_view key) { return !tolvane::GetCaptionTag(tags, key).empty(); }

// An item's string, however long: the tags of a long caption are at its end.
std::wstring MenuString(HMENU menu, int position) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  if (!::GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info) || info.cch == 0) return L"";
  std::wstring text(info.cch + 1, L'\0');
  info.dwTypeData = text.data();
  info.cch = static_cast<UINT>(text.size());
  if (!::GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info)) return L"";
  std::erase(text, L'\0');
  return tolvane::Trim(text);
}

std::wstring Cased(std::wstring text, bool upper) {
  if (!text.empty()) {
    if (upper) ::CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    else ::CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  }
  return text;
}

// The list control an "LB:" or "CB:" value names by its handle, or by its
// name on the form.
HWND ListControl(const std::wstring& value, HWND form) {
  auto handle = tolvane::HandleFromText(value);
  if (!handle) return FindControlWindow(form, value);
  HWND hwnd = reinterpret_cast<HWND>(static_cast<UINT_PTR>(*handle));
  return ::IsWindow(hwnd) ? hwnd : nullptr;
}

// Entry `index` of a list box, whole; nothing when there is no such entry.
std::optional<std::wstring> ListEntry(HWND list, long long index) {
  if (index < 0 || index > 0x7FFFFFFF) return std::nullopt;
  const LRESULT length = ::SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == LB_ERR || length < 0) return std::nullopt;
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');  // room for the NUL
  const LRESULT got = ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  if (got == LB_ERR || got < 0) return std::nullopt;
  text.resize(std::min<std::size_t>(static_cast<std::size_t>(got), static_cast<std::size_t>(length)));
  return tolvane::StripNull(text);
}

// "& " is an ampersand shown as typed; a name the user typed shows every
// ampersand, and its tabs as blanks.
std::wstring DrawnText(const std::wstring& text, bool literal) {
  std::wstring out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (c == L'&' && !literal && i + 1 < text.size() && text[i + 1] == L'&') {
      out += L"&&";  // already an ampersand shown as typed (a list entry's text)
      ++i;
      continue;
    }
    if (c == L'&' && (literal || (i + 1 < text.size() && text[i + 1] == L' '))) out += L"&&";
    else if (c == L'\t' && literal) out += L' ';
    else out += c;
  }
  return out;
}

// A drive entry shows its root's picture and its volume label; a removable
// drive, whose label would mean asking for its medium, the drive icon.
void ReadDrive(MenuItemRec& rec, const std::wstring& drive) {
  const std::size_t slash = drive.find(L'\\');
  rec.Image = slash == std::wstring::npos ? drive : drive.substr(0, slash + 1);
  if (rec.Tip == L"Removable Media") {
    if (HICON icon = GetAssociatedIcon(rec.Image)) rec.Image = tolvane::Digits(static_cast<long long>(HandleOf(icon)));
    rec.Text += L" Removable";
    return;
  }
  wchar_t label[MAX_PATH + 1] = {};
  wchar_t system[MAX_PATH + 1] = {};
  if (!::GetVolumeInformationW(rec.Image.c_str(), label, MAX_PATH, nullptr, nullptr, nullptr, system, MAX_PATH)) return;
  const std::wstring name = tolvane::StripNull(std::wstring_view(label, MAX_PATH));
  if (name.empty()) return;
  rec.Text += rec.Tip == L"Network/Mapped Drive" ? L"  (" + name + L")" : L" " + name;
}

}  // namespace

void cMenuItems::ReadListTags(MenuItemRec& rec, const std::wstring& tags, HMENU hMenu, int Position) {
  // A sub-menu of the item's own is never replaced by a list.
  HMENU sub = ::GetSubMenu(hMenu, Position);
  if (!sub || Generated(sub)) {
    std::wstring bound = tolvane::GetCaptionTag(tags, L"LB:");
    rec.ListKind = 1;
    if (bound.empty()) {
      bound = tolvane::GetCaptionTag(tags, L"CB:");
      rec.ListKind = 0;
    }
    if (HWND list = bound.empty() ? nullptr : ListControl(bound, hForm_)) rec.ListWindow = HandleOf(list);
    else rec.ListKind = 0;
  }
  // An entry of a generated list.
  if (const std::wstring control = tolvane::GetCaptionTag(tags, L"gControl:"); !control.empty()) {
    rec.TargetWindow = tolvane::HandleFromText(control).value_or(0);
    if (const std::wstring type = tolvane::GetCaptionTag(tags, L"gType:"); !type.empty())
      rec.ListKind = static_cast<int>(tolvane::CLng(tolvane::Val(type)).value_or(0));
    if (Has(tags, L"LColor:")) rec.Flags |= tolvane::kItemColour;
    if (Has(tags, L"LFont:")) rec.Flags |= tolvane::kItemFont;
    if (const std::wstring state = tolvane::GetCaptionTag(tags, L"LState:"); !state.empty()) rec.RightText = state;
    if (const std::wstring folder = tolvane::GetCaptionTag(tags, L"gEXE:"); !folder.empty()) {
      rec.Image = GetShortFileName(folder + rec.Text);
      const std::wstring extension = tolvane::GetPathPart(rec.Text, L"E");
      std::wstring name = tolvane::GetPathPart(rec.Text, L"m");
      if (name == Cased(name, false)) name = Cased(name, true);
      rec.Text = name + L"." + Cased(extension, false);
      rec.Tip = GetFileDescription(rec.Image);
      if (rec.Tip.empty()) rec.Tip = defaultTip_;
    }
    if (const std::wstring drive = tolvane::GetCaptionTag(tags, L"LDrv:"); !drive.empty()) ReadDrive(rec, drive);
  }
  GeneratedList list;
  bool generated = false;
  std::wstring tip = rec.Tip;
  for (std::wstring_view key : tolvane::kPresetListKeys) {
    const std::wstring value = tolvane::GetCaptionTag(tags, key);
    if (value.empty()) continue;
    list = BuildPresetListMenu(key, value);
    rec.Flags |= tolvane::kItemListMenu;
    generated = true;
    break;
  }
  if (!generated && rec.ListWindow) {
    list = BuildControlListMenu(reinterpret_cast<HWND>(static_cast<UINT_PTR>(rec.ListWindow)), rec.ListKind, tags);
    tip = tolvane::GetCaptionTag(tags, L"Tip:");
    generated = true;
  }
  if (!generated) return;
  if (HMENU attached = AttachGeneratedList(*this, hMenu, Position, list, tip)) {
    rec.Flags |= tolvane::kItemSubMenu;
    // The system names the item by its sub-menu when it is selected.
    store_.AliasItem(HandleOf(attached), rec.ID, HandleOf(hMenu));
  }
}

void cMenuItems::RenderSideBar(MenuItemRec& bar, tolvane::MenuPanelRec& panel) {
  const std::wstring tags = tolvane::SplitCaption(bar.Caption, MenuCaptionSwitches()).tags;
  if (!tolvane::GetCaptionTag(tags, L"IMG:").empty())
    CreateSidebarBitmap(hForm_, bar, panel, tags, ListImageSources(imageList_, hForm_));
  else
    DrawSidebarText(hForm_, bar, panel, tags);
}

void cMenuItems::MeasureItem(MenuItemRec& rec) {
  if (!measureDc_) return;
  const bool separator = (rec.Flags & tolvane::kItemSeparator) != 0;
  ScopedMenuFont font(measureDc_, separator ? 3 : (rec.Flags & tolvane::kItemDefault) ? 2 : 1);
  RECT r{};
  constexpr UINT kMeasure = DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE;
  if (rec.Flags & tolvane::kItemFont) {
    // A font entry shows its face in its right-hand text.
    ::DrawTextW(measureDc_, rec.Text.c_str(), static_cast<int>(rec.Text.size()), &r, kMeasure);
    const RECT text = r;
    const std::wstring tags = tolvane::SplitCaption(rec.Caption, MenuCaptionSwitches()).tags;
    CreateMenuFonts(true, false, tolvane::GetCaptionTag(tags, L"LFont:"));
    font.Select(6);
    r = {};
    ::DrawTextW(measureDc_, rec.RightText.c_str(), static_cast<int>(rec.RightText.size()), &r, kMeasure);
    r.right += text.right;
    r.bottom = std::min(r.bottom, text.bottom);
  } else {
    const std::wstring both = rec.Text + rec.RightText;
    ::DrawTextW(measureDc_, both.c_str(), static_cast<int>(both.size()), &r, kMeasure);
  }
  if (separator && rec.Text.empty()) {
    r.bottom = 4;
    rec.Width = r.right;
  } else {
    if (!separator) r.bottom = std::max<LONG>(r.bottom, 20);
    rec.Width = r.right + 40;
  }
  rec.Height = r.bottom + 2;
}

cMenuItems::Registered cMenuItems::RegisterMenuItem(std::wstring Caption, const std::wstring* literalTags,
                                                    unsigned Flags, UINT& ItemType, UINT& ItemState, HMENU hMenu,
                                                    UINT ID, int Position, HWND CacheList,
                                                    tolvane::HandleValue& ItemKey) {
  Registered out;
  const tolvane::CaptionSwitches switches = MenuCaptionSwitches();
  MenuItemRec* found = nullptr;
  if (ID) {
    found = &store_.PutItem(ID, HandleOf(hMenu));
  } else {
    std::tie(ItemKey, found) = store_.PutUnnumbered(HandleOf(hMenu), ItemKey);
  }
  MenuItemRec& rec = *found;
  out.rec = &rec;
  // An owner-drawn item may report no caption: the one registered stands. A
  // record of ID 0 is its own item's wherever it moved; one of another ID
  // may have been another item's, deleted since, at another place.
  if (Caption.empty() && !literalTags && !rec.Caption.empty() && (!ID || rec.Position == Position))
    Caption = rec.Caption;
  std::wstring menuCaption;
  if (CacheList && !literalTags && !Caption.empty()) {
    const tolvane::CaptionParts parts = tolvane::SplitCaption(Caption, switches);
    const std::wstring n = tolvane::GetCaptionTag(parts.tags, L"Cache:");
    if (!n.empty()) {
      if (auto entry = ListEntry(CacheList, static_cast<long long>(tolvane::Val(n)))) {
        menuCaption = Caption;
        Caption = parts.text + *entry;
        if (!parts.accelerator.empty()) Caption += L"\t" + parts.accelerator;
      }
    }
  }
  // A side bar seen before keeps its picture unless its column changes.
  const bool sameBar = (rec.Flags & tolvane::kItemSideBar) && rec.Caption == Caption && rec.Position == Position;
  const int barWidth = rec.Width, barHeight = rec.Height;
  // Parsed afresh into the same record: nothing is appended twice.
  rec = MenuItemRec{};
  rec.ID = ID;
  rec.Caption = Caption;
  rec.MenuCaption = menuCaption;
  rec.Position = Position;
  rec.Flags = Flags;
  const tolvane::CaptionParts parts =
      literalTags ? tolvane::LiteralCaption(Caption, *literalTags, switches) : tolvane::SplitCaption(Caption, switches);
  const std::wstring& tags = parts.tags;
  std::wstring text = parts.text;
  if (!parts.accelerator.empty()) rec.RightText = parts.accelerator;
  rec.Tip = tolvane::GetCaptionTag(tags, L"TIP:");
  if (rec.Tip.empty()) rec.Tip = defaultTip_;

  if (Has(tags, L"SIDEBAR")) {
    if (Position == 0) {
      ItemState &= ~static_cast<UINT>(MFS_CHECKED);
      ItemType &= ~static_cast<UINT>(MFT_SEPARATOR);
      rec.Flags = tolvane::kItemSideBar | (Flags & tolvane::kItemDisabled);
      rec.Text = text;
      rec.RightText = sameBar ? L"" : L"Remeasure";
      if (sameBar) {
        rec.Width = barWidth;
        rec.Height = barHeight;
      }
      out.sideBar = true;
      return out;
    }
    text.clear();
  }
  bool separator = false;
  if (!literalTags) {
    if (!text.empty() && text.front() == L'-') {
      text.erase(0, 1);
      separator = true;
    } else if (text.empty()) {
      separator = true;
    }
  }
  rec.Text = DrawnText(text, literalTags != nullptr);
  if (separator) {
    ItemType |= MFT_SEPARATOR;
    rec.Flags = tolvane::kItemSeparator | tolvane::kItemDisabled | (Has(tags, L"RAISED") ? unsigned{tolvane::kItemRaised} : 0u);
    rec.RightText.clear();
    ItemState = MFS_DISABLED;
  } else {
    if (Has(tags, L"DEFAULT")) rec.Flags |= tolvane::kItemDefault;
    if (!tags.empty()) ReadListTags(rec, tags, hMenu, Position);
    if (!tags.empty()) {
      const std::wstring hotKey = tolvane::GetCaptionTag(tags, L"HotKey:");
      if (!hotKey.empty()) rec.RightText = hotKey;
      if (rec.Flags & tolvane::kItemSubMenu) rec.RightText.clear();
    }
    const std::wstring value = tolvane::GetCaptionTag(tags, L"IMG:");
    auto known = resolved_.find(value);
    if (known == resolved_.end()) {
      known = resolved_.emplace(value, ResolveImageHandle(value, ListImageSources(imageList_, hForm_))).first;
      // Made again once per preparation: the handle may now be another picture's.
      if (known->second.handle) ForgetPicturesOf(HandleOf(known->second.handle));
    }
    const ResolvedImage image = known->second;
    if (image.handle) {
      rec.Image = tolvane::Digits(static_cast<long long>(HandleOf(image.handle)));
      // Any value of the keyword draws a bitmap with its background.
      rec.ImageOpaque = image.bitmap && Has(tags, L"IMGBKG");
    }
  }
  MeasureItem(rec);
  out.height = rec.Height;
  return out;
}

bool cMenuItems::IsWindowList(HMENU hSubMenu, bool bIsSysMenu) {
  if (cMenuItems* generated = Generated(hSubMenu)) {
    generated->IsWindowList(hSubMenu, bIsSysMenu);
    return false;
  }
  ++preparations_;
  if (!::IsMenu(hSubMenu)) return false;
  HWND cache = StoredHwnd && ::IsWindow(StoredHwnd) ? StoredHwnd : nullptr;
  // One DC of the window measures every item of the pop-up.
  ScreenDc dc(hForm_);
  measureDc_ = dc.get();
  resolved_.clear();
  const int n = std::max(0, ::GetMenuItemCount(hSubMenu));
  std::vector<MenuItemRec*> items(static_cast<std::size_t>(n), nullptr);
  std::vector<int> heights(static_cast<std::size_t>(n), 0);
  std::vector<UINT> types(static_cast<std::size_t>(n), 0);
  std::vector<tolvane::HandleValue> keys;  // of the items of ID 0
  bool sysMenu = bIsSysMenu, result = false, sideBar = false;
  for (int p = 0; p < n; ++p) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_DATA;
    if (!::GetMenuItemInfoW(hSubMenu, static_cast<UINT>(p), TRUE, &info)) continue;
    if (info.wID >= 0xF000 && !info.hSubMenu) sysMenu = true;
    else if (info.wID >= 0x8000 && !info.hSubMenu) result = true;
    unsigned flags = 0;
    if (info.fState & (MFS_GRAYED | MFS_DISABLED)) flags |= tolvane::kItemDisabled;
    if (info.fState & MFS_CHECKED) flags |= tolvane::kItemChecked;
    if (info.fState & MFS_DEFAULT) flags |= tolvane::kItemDefault;
    if (info.hSubMenu) flags |= tolvane::kItemSubMenu;
    UINT type = info.fType & ~static_cast<UINT>(MFT_MENUBARBREAK | MFT_MENUBREAK);
    UINT state = info.fState;
    // The runtime's own items keep their mark-up and typed names there.
    const ui::MenuItem* built = ui::BuiltMenuItem(hSubMenu, p);
    tolvane::HandleValue key = info.dwItemData;
    const Registered reg =
        built ? RegisterMenuItem(built->Caption, built->Literal ? &built->Tags : nullptr, flags, type, state,
                                 hSubMenu, info.wID, p, cache, key)
              : RegisterMenuItem(MenuString(hSubMenu, p), nullptr, flags, type, state, hSubMenu, info.wID, p, cache,
                                 key);
    if (!info.wID) keys.push_back(key);
    const auto at = static_cast<std::size_t>(p);
    items[at] = reg.rec;
    if (reg.sideBar && p == 0) sideBar = true;
    heights[at] = reg.sideBar ? 0 : reg.height;
    types[at] = type | MFT_OWNERDRAW;
    // By position: separators share ID 0, and a sub-menu's item carries its
    // handle as an ID. The string stays, for whoever reads the menu. An item
    // of ID 0 carries its record's key, so that each is measured, drawn and
    // found again from its own record.
    MENUITEMINFOW set{};
    set.cbSize = sizeof set;
    set.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_DATA;
    set.fType = types[at];
    set.fState = state;
    set.dwItemData = info.wID ? reinterpret_cast<ULONG_PTR>(hSubMenu) : static_cast<ULONG_PTR>(key);
    ::SetMenuItemInfoW(hSubMenu, static_cast<UINT>(p), TRUE, &set);
  }
  std::vector<int> breaks = tolvane::PlanMenuColumns(heights, sideBar, ::GetSystemMetrics(SM_CYSCREEN) - 7);
  if (sideBar && breaks.size() >= 2 && items[0] &&
      Has(tolvane::SplitCaption(items[0]->Caption, MenuCaptionSwitches()).tags, L"NOSCROLL")) {
    // Taken out for this opening, put back when the menu loop ends.
    items[0]->Flags |= tolvane::kItemSideBarOut;
    ::RemoveMenu(hSubMenu, 0, MF_BYPOSITION);
    breaks.clear();
  }
  for (std::size_t i = 0; i < breaks.size(); ++i) {
    MENUITEMINFOW set{};
    set.cbSize = sizeof set;
    set.fMask = MIIM_FTYPE;
    set.fType = types[static_cast<std::size_t>(breaks[i])] | (i == 0 ? MFT_MENUBREAK : MFT_MENUBARBREAK);
    ::SetMenuItemInfoW(hSubMenu, static_cast<UINT>(breaks[i]), TRUE, &set);
  }
  measureDc_ = nullptr;
  resolved_.clear();
  store_.KeepUnnumbered(HandleOf(hSubMenu), keys);
  BuildMenuPanel(hSubMenu, sysMenu, items, breaks);
  if (hForm_ && ::GetMenu(hForm_)) ::DrawMenuBar(hForm_);
  return result;
}

void cMenuItems::BuildMenuPanel(HMENU hMenu, bool bSysMenu, const std::vector<MenuItemRec*>& items,
                                const std::vector<int>& breaks) {
  tolvane::MenuPanelRec& panel = store_.PutPanel(HandleOf(hMenu));
  panel.HasImages = false;
  panel.SystemMenu = bSysMenu;
  panel.SideBarID = 0;
  panel.Slow = items.size() > tolvane::kSlowPopupItems || hMenu == timeConsuming_;
  for (const MenuItemRec* rec : items) {
    if (!rec || (rec->Flags & tolvane::kItemSideBar)) continue;
    if (!rec->Image.empty()) panel.HasImages = true;
    // A file's icon is fetched from the shell; many faces take long to make.
    if (!rec->Image.empty() && !tolvane::HandleFromText(rec->Image)) panel.Slow = true;
    if ((rec->Flags & tolvane::kItemFont) && items.size() > tolvane::kSlowFontItems) panel.Slow = true;
    if (rec->ID >= 0xF000 && !(rec->Flags & tolvane::kItemSubMenu)) panel.SystemMenu = true;
  }
  const int correction = GetMenuWidthAdjust();
  std::vector<int> starts{0};
  starts.insert(starts.end(), breaks.begin(), breaks.end());
  int sideBarHeight = 0;
  for (std::size_t c = 0; c < starts.size(); ++c) {
    const std::size_t from = static_cast<std::size_t>(starts[c]);
    const std::size_t to = c + 1 < starts.size() ? static_cast<std::size_t>(starts[c + 1]) : items.size();
    bool rightText = false, subMenu = false;
    int height = 0;
    for (std::size_t j = from; j < to; ++j) {
      const MenuItemRec* rec = items[j];
      if (!rec || (rec->Flags & tolvane::kItemSideBar)) continue;
      rightText |= !rec->RightText.empty();
      subMenu |= (rec->Flags & tolvane::kItemSubMenu) != 0;
      height += rec->Height;
    }
    if (c == 1) sideBarHeight = height;  // the side bar is as high as the first column
    const int extra = tolvane::ColumnExtraWidth(rightText, subMenu, panel.SystemMenu, correction);
    for (std::size_t j = from; j < to; ++j) {
      MenuItemRec* rec = items[j];
      if (!rec || (rec->Flags & tolvane::kItemSideBar)) continue;
      rec->ExtraWidth = extra + ((rec->Flags & tolvane::kItemColour) ? 10 : 0);
    }
  }
  if (!items.empty() && items[0] && (items[0]->Flags & tolvane::kItemSideBar)) {
    MenuItemRec& bar = *items[0];
    panel.SideBarID = bar.ID;
    // Drawn when just registered or when its column's height changed.
    const bool draw = bar.Height != sideBarHeight || bar.RightText == L"Remeasure" || !panel.SideBarBitmap;
    bar.Height = sideBarHeight;
    bar.RightText.clear();
    if (draw) RenderSideBar(bar, panel);
    // Set at every preparation: the record was made afresh, drawn or not.
    bar.ExtraWidth = -12 - (bar.Caption.find(L'\t') != std::wstring::npos ? correction : 0);
  }
}

void cMenuItems::UpdateMenuItems(HMENU hMenu) {
  const tolvane::MenuPanelRec* panel = store_.FindPanel(HandleOf(hMenu));
  if (!panel || !::IsMenu(hMenu)) return;
  tolvane::HandleValue key = 0;
  MenuItemRec* bar = panel->SideBarID ? store_.FindItem(panel->SideBarID, HandleOf(hMenu))
                                      : store_.FindItemAt(HandleOf(hMenu), 0, &key);
  if (!bar || !(bar->Flags & tolvane::kItemSideBar)) return;
  std::wstring caption = !bar->MenuCaption.empty() ? bar->MenuCaption : bar->Caption;
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STATE | MIIM_ID | MIIM_FTYPE | MIIM_STRING | MIIM_DATA;
  info.fType = MFT_STRING;
  info.wID = static_cast<UINT>(bar->ID);
  info.fState = (bar->Flags & tolvane::kItemDisabled) ? MFS_DISABLED : 0;
  // A side bar of ID 0 keeps the key of its record.
  info.dwItemData = key ? static_cast<ULONG_PTR>(key) : reinterpret_cast<ULONG_PTR>(hMenu);
  info.dwTypeData = caption.data();
  if (bar->Flags & tolvane::kItemSideBarOut) bar->Flags &= ~static_cast<unsigned>(tolvane::kItemSideBarOut);
  else ::RemoveMenu(hMenu, 0, MF_BYPOSITION);  // the side bar is always at the top
  // Back at the top as a string item, to be prepared afresh at the next opening.
  if (::InsertMenuItemW(hMenu, 0, TRUE, &info) && hForm_ && ::GetMenu(hForm_)) ::DrawMenuBar(hForm_);
}

}  // namespace menus
