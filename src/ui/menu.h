// Pop-up menus as the forms design them: a tree of named items whose
// captions, tags and visibility change at run time. The Windows menu is
// built when the menu pops up, so it always matches the items.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ui {

struct MenuItem {
  std::wstring Name;
  std::wstring Caption;  // "-" is a separator
  std::wstring Tag;
  int Index = -1;        // element of a menu control array
  // A caption the user typed (a group name): shown exactly as typed, never
  // read as mark-up; the program's own mark-up for it goes in `Tags`.
  bool Literal = false;
  std::wstring Tags;
  bool Visible = true;
  bool Enabled = true;
  std::function<void()> onClick;
  std::vector<std::unique_ptr<MenuItem>> Items;

  MenuItem& Add(std::wstring name, std::wstring caption, std::function<void()> click = {});
};

// How an item's caption is shown; the default drops a trailing "{IMG:…}"
// tag and shows the rest as typed.
using MenuTextFn = std::function<std::wstring(const MenuItem&)>;

// Pops `menu`'s items up at the cursor, tracked by `owner`, with `foreground`
// (the owner when null) brought to the front first. The choice is sent to
// the owner as WM_COMMAND while the menu still exists, so that anything
// hooked on its window procedure sees it first; once back in the runtime's
// own handling, the chosen item's onClick runs after the menu is gone.
// Returns the chosen item, or null.
MenuItem* PopupMenu(HWND owner, MenuItem& menu, const MenuTextFn& text = {}, HWND foreground = nullptr);

// The item a pop-up built by PopupMenu holds at `position` (separators
// included), while that pop-up exists; null for any other menu. Code that
// draws the items reads their captions here, mark-up and literal text
// intact, as the Windows menu holds only the plain text.
const MenuItem* BuiltMenuItem(HMENU menu, int position);

// Called by a runtime window on a menu WM_COMMAND: true when `id` is the
// choice of a menu `hwnd` is tracking.
bool TakeMenuChoice(HWND hwnd, UINT id);

// Told of every pop-up (sub-menus too) just before the runtime destroys it:
// its handle may be handed out again.
using MenuDestroyedHook = void (*)(HMENU menu);
void SetMenuDestroyedHook(MenuDestroyedHook hook);

// The caption without its image tag, ready for a plain menu: "&" shown as
// typed, tabs as blanks.
std::wstring PlainMenuText(const std::wstring& caption);
// An item's text for a plain menu: a literal caption keeps any tag-like text.
std::wstring PlainMenuText(const MenuItem& item);

}  // namespace ui
