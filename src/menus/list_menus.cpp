#include "menus/list_menus.h"

#include <vector>

#include "core/list_menu_rules.h"
#include "core/menu_caption.h"
#include "core/menu_lookup_rules.h"
#include "core/text.h"
#include "menus/draw_primitives.h"
#include "menus/lookups.h"
#include "ui/handles.h"
#include "ui/seams.h"

namespace menus {
namespace {

using tolvane::ListChoice;

tolvane::SettingsStore* listSettings = nullptr;
constexpr wchar_t kFontSection[] = L"Font";

struct ListMessages {
  UINT count, selection, length, text;
};
constexpr ListMessages kComboMessages{CB_GETCOUNT, CB_GETCURSEL, CB_GETLBTEXTLEN, CB_GETLBTEXT};
constexpr ListMessages kListMessages{LB_GETCOUNT, LB_GETCURSEL, LB_GETTEXTLEN, LB_GETTEXT};

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// An entry's text; nothing when the control cannot give it (LB_ERR).
std::optional<std::wstring> EntryText(HWND control, const ListMessages& m, int i) {
  const LRESULT length = ::SendMessageW(control, m.length, static_cast<WPARAM>(i), 0);
  if (length < 0) return std::nullopt;
  std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT got = ::SendMessageW(control, m.text, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer.data()));
  if (got < 0) return std::nullopt;
  std::wstring text;
  for (wchar_t c : buffer)
    if (c) text += c;
  return tolvane::Trim(text);
}

void Append(HMENU menu, unsigned flags, unsigned id, const std::wstring& caption) {
  ::AppendMenuW(menu, MF_STRING | flags, id, caption.c_str());
}

std::wstring LocaleText(LCTYPE what) {
  wchar_t buffer[80] = {};
  if (::GetLocaleInfoW(LOCALE_USER_DEFAULT, what, buffer, 80) <= 0) return L"";
  return buffer;
}

tolvane::ListContext Context() {
  tolvane::ListContext c;
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  c.today = {now.wYear, now.wMonth, now.wDay};
  for (int i = 0; i < 12; ++i) {
    c.names.months[i] = LocaleText(LOCALE_SMONTHNAME1 + i);
    c.names.shortMonths[i] = LocaleText(LOCALE_SABBREVMONTHNAME1 + i);
  }
  // The locale counts its days from Monday; the lists from Sunday.
  c.names.days[0] = LocaleText(LOCALE_SDAYNAME7);
  for (int i = 1; i < 7; ++i) c.names.days[i] = LocaleText(LOCALE_SDAYNAME1 + i - 1);
  if (listSettings) {
    if (auto colour = tolvane::CLng(tolvane::Val(listSettings->Get(kFontSection, L"FontColor", L"0"))))
      c.fontColour = *colour;
  }
  c.translate = [](ColorValue v) { return static_cast<ColorValue>(TranslateColor(v)); };
  return c;
}

void Store(std::wstring_view key, std::wstring_view value) {
  if (listSettings) listSettings->Save(kFontSection, key, value);
}

}  // namespace

void SetListSettings(tolvane::SettingsStore* store) { listSettings = store; }
tolvane::SettingsStore* ListSettings() { return listSettings; }

GeneratedList BuildControlListMenu(HWND control, int listType, std::wstring_view tags) {
  GeneratedList out;
  if (!control || !::IsWindow(control)) return out;
  const auto style = static_cast<DWORD>(::GetWindowLongPtrW(control, GWL_STYLE));
  bool multiple = false;
  if (listType != 0) {
    if (style & LBS_MULTICOLUMN) return out;
    multiple = (style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
  }
  if (style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) return out;
  ui::OwnedMenu menu(::CreatePopupMenu());
  if (!menu) return out;

  std::wstring extra;
  bool paths = false;
  const std::wstring files = tolvane::GetCaptionTag(tags, L"Files:");
  if (listType != 0 && !files.empty()) {
    if (files == L"-1") {
      paths = true;
    } else {
      std::wstring folder = files;
      if (folder.back() != L'\\') folder += L'\\';
      if (IsFolder(folder)) {
        extra = L"|gEXE:" + folder;
        out.slow = true;
      } else {
        paths = true;
      }
    }
  }
  const int type = multiple ? listType + 1 : listType;
  const ListMessages& m = listType == 0 ? kComboMessages : kListMessages;
  const auto handle = static_cast<tolvane::HandleValue>(reinterpret_cast<UINT_PTR>(control));
  const LRESULT count = ::SendMessageW(control, m.count, 0, 0);
  const LRESULT selected = ::SendMessageW(control, m.selection, 0, 0);
  for (int i = 0; i < count; ++i) {
    const std::optional<unsigned> id = tolvane::ControlEntryId(i);
    if (!id) break;
    std::optional<std::wstring> text = EntryText(control, m, i);
    if (!text) continue;
    const bool checked =
        multiple ? ::SendMessageW(control, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0 : i == selected;
    const std::wstring base = tolvane::ControlEntryTags(handle, i, type, extra);
    std::wstring caption;
    if (paths && text->find(L'{') == std::wstring::npos) {
      const std::wstring folder = tolvane::GetPathPart(GetShortFileName(*text), L"P");
      const std::wstring name = tolvane::GetPathPart(*text, L"N");
      std::wstring addition = L"|";
      if (!folder.empty() && Exists(folder + name)) {
        addition = L"|gEXE:" + folder;
        out.slow = true;
      }
      caption = tolvane::ControlEntryCaption(name, base + addition);
    } else {
      caption = tolvane::ControlEntryCaption(*text, base);
    }
    Append(menu.get(), checked ? MF_CHECKED : 0, *id, caption);
  }
  if (count <= 0)
    Append(menu.get(), MF_GRAYED | MF_DISABLED, tolvane::kFirstListId,
           tolvane::EmptyControlListCaption(tolvane::ControlEntryTags(handle, 0, type, extra)));
  out.menu = menu.release();
  return out;
}

GeneratedList BuildPresetListMenu(std::wstring_view key, std::wstring_view value) {
  GeneratedList out;
  ui::OwnedMenu menu(::CreatePopupMenu());
  if (!menu) return out;
  const tolvane::PresetList list = tolvane::BuildPresetList(key, value, Context());
  for (const tolvane::ListEntry& e : list.entries) Append(menu.get(), e.flags, e.id, e.caption);
  out.slow = list.slow;
  out.menu = menu.release();
  return out;
}

HMENU AttachGeneratedList(cMenuItems& owner, HMENU hMenu, int position, GeneratedList list,
                          const std::wstring& defaultTip) {
  ui::OwnedMenu made(list.menu);
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_SUBMENU;
  if (HMENU old = ::GetSubMenu(hMenu, position)) {
    if (!owner.Generated(old)) return nullptr;  // the item's own sub-menu stays
    info.hSubMenu = nullptr;
    ::SetMenuItemInfoW(hMenu, static_cast<UINT>(position), TRUE, &info);
    owner.ForgetPopup(old);
    ::DestroyMenu(old);
  }
  if (!made) return nullptr;
  auto instance = std::make_unique<cMenuItems>();
  instance->InitializeSubMenu(owner.Form(), owner.ImageListObject(), owner.ShowTips(), true,
                              list.slow ? made.get() : nullptr, defaultTip);
  instance->SethPrevProc(owner.hPrevProc());
  info.hSubMenu = made.get();
  if (!::SetMenuItemInfoW(hMenu, static_cast<UINT>(position), TRUE, &info)) return nullptr;
  HMENU attached = made.release();
  owner.AddGenerated(attached, std::move(instance), hMenu);
  return attached;
}

bool ListEntryChosen(const std::wstring& caption, bool checked, HWND owner, cTips* tips) {
  const ListChoice choice = tolvane::DecodeListChoice(caption);
  using Kind = ListChoice::Kind;
  switch (choice.kind) {
    case Kind::None:
      return true;
    case Kind::Control: {
      HWND control = reinterpret_cast<HWND>(static_cast<UINT_PTR>(choice.control));
      if (!control || !::IsWindow(control)) return true;
      const auto index = static_cast<WPARAM>(choice.index);
      if (choice.listType == 0) ::SendMessageW(control, CB_SETCURSEL, index, 0);
      else if (choice.listType == 1) ::SendMessageW(control, LB_SETCURSEL, index, 0);
      else ::SendMessageW(control, LB_SETSEL, checked ? FALSE : TRUE, static_cast<LPARAM>(index));
      const auto id = static_cast<std::uint16_t>(::GetWindowLongPtrW(control, GWLP_ID) & 0xFFFF);
      // Selection changed (LBN_SELCHANGE, CBN_SELCHANGE): the parent's handler runs.
      ::SendMessageW(::GetParent(control), WM_COMMAND, tolvane::MakeLong(id, 1), reinterpret_cast<LPARAM>(control));
      return true;
    }
    case Kind::CustomColour: {
      std::optional<COLORREF> start;
      if (choice.defaultColour > -1) start = static_cast<COLORREF>(choice.defaultColour);
      std::optional<COLORREF> colour = ui::TheDesktop().ChooseListColour(owner, start);
      if (!colour) return false;  // what the user had stays
      RaiseCustomSelection(tips, choice.userId, choice.category, static_cast<long long>(*colour));
      Store(L"FontColor", tolvane::Digits(static_cast<long long>(*colour)));
      return true;
    }
    case Kind::Colour:
      RaiseCustomSelection(tips, choice.userId, choice.category, choice.number);
      Store(L"FontColor", choice.text);
      return true;
    case Kind::Font:
      RaiseCustomSelection(tips, choice.userId, choice.category, choice.text);
      Store(L"FontName", choice.text);
      return true;
    case Kind::State:
    case Kind::Drive:
      RaiseCustomSelection(tips, choice.userId, choice.category, choice.text);
      return true;
    case Kind::Month:
    case Kind::WeekDay:
    case Kind::Date:
      RaiseCustomSelection(tips, choice.userId, choice.category, choice.number);
      return true;
  }
  return true;
}

}  // namespace menus
