// Sub-menus the engine fills by itself: the entries of a list box or combo
// box, or a built-in list, and what choosing one of their entries does.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "core/settings_store.h"
#include "menus/menu_items.h"

namespace menus {

// A pop-up made for an item; `slow` when its first opening shows the hourglass.
struct GeneratedList {
  HMENU menu = nullptr;  // the caller's to keep and destroy
  bool slow = false;
};

// The entries of `control` with its selection checked; list box when
// `listType` is not 0. None for a missing control, a multi-column or an
// owner-drawn list. `tags` are the owning item's (their "Files:" value).
GeneratedList BuildControlListMenu(HWND control, int listType, std::wstring_view tags);

// The built-in list that `key` ("lvColors:"...) names, from its value.
GeneratedList BuildPresetListMenu(std::wstring_view key, std::wstring_view value);

// Makes `list` the sub-menu of the item at `position` of `hMenu`, owned by
// a new instance kept in `owner`'s generated pop-ups. A pop-up generated
// there before goes first with its instance and records; a sub-menu the
// item had of its own is never replaced. Returns the pop-up attached, or null.
HMENU AttachGeneratedList(cMenuItems& owner, HMENU hMenu, int position, GeneratedList list,
                          const std::wstring& defaultTip);

// Where the colour and font chosen in a list are kept ("Font" section);
// none: they are not kept. The store must outlive its use.
void SetListSettings(tolvane::SettingsStore* store);
tolvane::SettingsStore* ListSettings();

// Acts on the chosen entry of a generated list, given its caption and
// whether it was checked: selects the entry in its control and tells the
// control's parent, or reports the choice to `tips` (and keeps a colour or a
// font). False when the custom colour dialog was cancelled.
bool ListEntryChosen(const std::wstring& caption, bool checked, HWND owner, cTips* tips);

}  // namespace menus
