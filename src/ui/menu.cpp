#include "ui/menu.h"

#include <unordered_map>
#include <utility>
#include <vector>

#include "core/menu_caption.h"
#include "ui/handles.h"
#include "ui/seams.h"
#include "ui/window.h"

namespace ui {
namespace {

// The items of every pop-up built and not yet destroyed, by position.
std::unordered_map<HMENU, std::vector<const MenuItem*>>& Built() {
  static auto* built = new std::unordered_map<HMENU, std::vector<const MenuItem*>>;
  return *built;
}

void Build(HMENU into, MenuItem& menu, std::vector<MenuItem*>& byId, const MenuTextFn& text) {
  std::vector<const MenuItem*>& positions = Built()[into];
  positions.clear();
  for (auto& item : menu.Items) {
    if (!item->Visible) continue;
    positions.push_back(item.get());
    if (!item->Literal && item->Caption == L"-") {
      ::AppendMenuW(into, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    std::wstring shown = text ? text(*item) : PlainMenuText(*item);
    UINT flags = MF_STRING | (item->Enabled ? 0 : MF_GRAYED);
    if (!item->Items.empty()) {
      HMENU sub = ::CreatePopupMenu();  // owned by `into` once appended
      Build(sub, *item, byId, text);
      ::AppendMenuW(into, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), shown.c_str());
    } else {
      byId.push_back(item.get());
      ::AppendMenuW(into, flags, byId.size(), shown.c_str());
    }
  }
}

}  // namespace

MenuItem& MenuItem::Add(std::wstring name, std::wstring caption, std::function<void()> click) {
  auto item = std::make_unique<MenuItem>();
  item->Name = std::move(name);
  item->Caption = std::move(caption);
  item->onClick = std::move(click);
  Items.push_back(std::move(item));
  return *Items.back();
}

namespace {

std::wstring Escaped(const std::wstring& text) {
  std::wstring out;
  for (wchar_t c : text) {
    if (c == L'&') out += L"&&";
    else if (c == L'\t') out += L' ';
    else out += c;
  }
  return out;
}

}  // namespace

std::wstring PlainMenuText(const std::wstring& caption) { return Escaped(tolvane::CaptionText(caption)); }

std::wstring PlainMenuText(const MenuItem& item) {
  return item.Literal ? Escaped(item.Caption) : PlainMenuText(item.Caption);
}

namespace {

// The menu being tracked: its items by ID, and what the owner took of it.
struct PendingChoice {
  HWND owner;
  const std::vector<MenuItem*>* byId;
  MenuItem* chosen = nullptr;
};

PendingChoice* pending = nullptr;
MenuDestroyedHook destroyedHook = nullptr;

void TellDestroyed(HMENU menu) {
  for (int i = 0, n = ::GetMenuItemCount(menu); i < n; ++i)
    if (HMENU sub = ::GetSubMenu(menu, i)) TellDestroyed(sub);
  Built().erase(menu);
  if (destroyedHook) destroyedHook(menu);
}

}  // namespace

bool TakeMenuChoice(HWND hwnd, UINT id) {
  if (!pending || pending->owner != hwnd || id == 0 || id > pending->byId->size()) return false;
  pending->chosen = (*pending->byId)[id - 1];
  return true;
}

void SetMenuDestroyedHook(MenuDestroyedHook hook) { destroyedHook = hook; }

const MenuItem* BuiltMenuItem(HMENU menu, int position) {
  auto it = Built().find(menu);
  if (it == Built().end() || position < 0 || position >= static_cast<int>(it->second.size())) return nullptr;
  return it->second[static_cast<std::size_t>(position)];
}

MenuItem* PopupMenu(HWND owner, MenuItem& menu, const MenuTextFn& text, HWND foreground) {
  std::vector<MenuItem*> byId;
  OwnedMenu popup(::CreatePopupMenu());
  Build(popup.get(), menu, byId, text);
  POINT p = TheDesktop().CursorPos();
  // Without the foreground, a menu popped from the tray would not close
  // when the user clicks elsewhere; the posted message lets it go cleanly.
  ::SetForegroundWindow(foreground ? foreground : owner);
  int id = TheDesktop().TrackMenu(popup.get(), owner, p);
  ::PostMessageW(owner, WM_NULL, 0, 0);
  PendingChoice choice{owner, &byId};
  if (id > 0 && id <= static_cast<int>(byId.size())) {
    PendingChoice* outer = std::exchange(pending, &choice);
    ::SendMessageW(owner, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    pending = outer;
  }
  TellDestroyed(popup.get());
  popup.reset();
  if (choice.chosen) Raise(choice.chosen->onClick);
  return choice.chosen;
}

}  // namespace ui
