// A pop-up's side bar rendered into the bitmap its panel keeps: a picture,
// or a text written from bottom to top, over a plain or shaded back. Made
// when the side bar needs drawing (just registered, or a new column
// height), never while an item is drawn.
#pragma once

#include <windows.h>

#include <string_view>

#include "core/menu_store.h"
#include "menus/lookups.h"

namespace menus {

// The side bar of `item` (its Height the column's; its Width set here) into
// `panel`, the previous bitmap freed. A picture that cannot be had gives the
// default side bar. Everything made on the way is freed on every path; on
// failure the panel keeps what it had and the result is false.
bool CreateSidebarBitmap(HWND window, tolvane::MenuItemRec& item, tolvane::MenuPanelRec& panel,
                         std::wstring_view tags, const ImageSources& sources);
bool DrawSidebarText(HWND window, tolvane::MenuItemRec& item, tolvane::MenuPanelRec& panel, std::wstring_view tags);

// Frees a panel's side-bar bitmap.
void FreeSidebarBitmap(tolvane::MenuPanelRec& panel);

}  // namespace menus
