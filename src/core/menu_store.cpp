#include "core/menu_store.h"

#include <algorithm>

namespace tolvane {

MenuItemRec& MenuStore::PutItem(HandleValue id, HandleValue menu) {
  Popup& popup = popups_[menu];
  if (auto alias = popup.aliases.find(id); alias != popup.aliases.end()) {
    if (auto it = popup.items.find(alias->second); it != popup.items.end()) return it->second;
  }
  auto [it, added] = popup.items.try_emplace(id);
  if (added) it->second.ID = id;
  return it->second;
}

std::pair<HandleValue, MenuItemRec*> MenuStore::PutUnnumbered(HandleValue menu, HandleValue itemData) {
  Popup& popup = popups_[menu];
  if (auto it = popup.unnumbered.find(itemData); it != popup.unnumbered.end()) return {itemData, &it->second};
  const HandleValue key = nextKey_++;
  keyMenus_[key] = menu;
  return {key, &popup.unnumbered[key]};
}

std::optional<HandleValue> MenuStore::MenuOfKey(HandleValue key) const {
  auto it = keyMenus_.find(key);
  if (it == keyMenus_.end()) return std::nullopt;
  return it->second;
}

MenuItemRec* MenuStore::FindByKey(HandleValue key) {
  auto menu = keyMenus_.find(key);
  if (menu == keyMenus_.end()) return nullptr;
  auto popup = popups_.find(menu->second);
  if (popup == popups_.end()) return nullptr;
  auto it = popup->second.unnumbered.find(key);
  return it == popup->second.unnumbered.end() ? nullptr : &it->second;
}

void MenuStore::KeepUnnumbered(HandleValue menu, const std::vector<HandleValue>& kept) {
  auto popup = popups_.find(menu);
  if (popup == popups_.end()) return;
  std::erase_if(popup->second.unnumbered, [&](const auto& entry) {
    if (std::find(kept.begin(), kept.end(), entry.first) != kept.end()) return false;
    keyMenus_.erase(entry.first);
    return true;
  });
}

bool MenuStore::AliasItem(HandleValue alias, HandleValue id, HandleValue menu) {
  auto popup = popups_.find(menu);
  if (popup == popups_.end() || !popup->second.items.contains(id)) return false;
  // The list pop-up an item opens is made anew at each opening: one key each.
  std::erase_if(popup->second.aliases, [id](const auto& entry) { return entry.second == id; });
  popup->second.aliases[alias] = id;
  return true;
}

MenuItemRec* MenuStore::FindItem(HandleValue id, HandleValue menu) {
  auto popup = popups_.find(menu);
  if (popup == popups_.end()) return nullptr;
  auto& items = popup->second.items;
  if (auto it = items.find(id); it != items.end()) return &it->second;
  if (auto alias = popup->second.aliases.find(id); alias != popup->second.aliases.end())
    if (auto it = items.find(alias->second); it != items.end()) return &it->second;
  return nullptr;
}

MenuItemRec* MenuStore::FindItemAt(HandleValue menu, int position, HandleValue* key) {
  auto popup = popups_.find(menu);
  if (popup == popups_.end()) return nullptr;
  for (auto& [itemKey, rec] : popup->second.unnumbered)
    if (rec.Position == position) {
      if (key) *key = itemKey;
      return &rec;
    }
  for (auto& [id, rec] : popup->second.items)
    if (rec.Position == position) return &rec;
  return nullptr;
}

MenuPanelRec& MenuStore::PutPanel(HandleValue menu) {
  std::optional<MenuPanelRec>& panel = popups_[menu].panel;
  if (!panel) {
    panel.emplace();
    panel->hMenu = menu;
  }
  return *panel;
}

MenuPanelRec* MenuStore::FindPanel(HandleValue menu) {
  auto popup = popups_.find(menu);
  if (popup == popups_.end() || !popup->second.panel) return nullptr;
  return &*popup->second.panel;
}

std::vector<HandleValue> MenuStore::PanelMenus() const {
  std::vector<HandleValue> out;
  for (const auto& [menu, popup] : popups_)
    if (popup.panel) out.push_back(menu);
  return out;
}

std::vector<HandleValue> MenuStore::Menus() const {
  std::vector<HandleValue> out;
  for (const auto& [menu, popup] : popups_) out.push_back(menu);
  return out;
}

HandleValue MenuStore::Forget(HandleValue menu) {
  auto popup = popups_.find(menu);
  if (popup == popups_.end()) return 0;
  HandleValue bitmap = popup->second.panel ? popup->second.panel->SideBarBitmap : 0;
  for (const auto& [key, rec] : popup->second.unnumbered) keyMenus_.erase(key);
  popups_.erase(popup);
  return bitmap;
}

std::vector<HandleValue> MenuStore::Clear() {
  std::vector<HandleValue> bitmaps;
  for (const auto& [menu, popup] : popups_)
    if (popup.panel && popup.panel->SideBarBitmap) bitmaps.push_back(popup.panel->SideBarBitmap);
  popups_.clear();
  keyMenus_.clear();
  return bitmaps;
}

std::size_t MenuStore::ItemCount() const {
  std::size_t n = 0;
  for (const auto& [menu, popup] : popups_) n += popup.items.size() + popup.unnumbered.size();
  return n;
}

}  // namespace tolvane
