#include "core/menu_store.h"

namespace tolvane {

MenuItemRec& MenuStore::PutItem(HandleValue id, HandleValue menu, int position) {
  Popup& popup = popups_[menu];
  if (id == 0) return popup.unnumbered[position];
  if (auto alias = popup.aliases.find(id); alias != popup.aliases.end()) {
    if (auto it = popup.items.find(alias->second); it != popup.items.end()) return it->second;
  }
  auto [it, added] = popup.items.try_emplace(id);
  if (added) it->second.ID = id;
  return it->second;
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

HandleValue MenuStore::PositionKey(HandleValue menu, int position) {
  auto [it, added] = popups_[menu].positionKeys.try_emplace(position, nextKey_);
  if (added) positionKeys_[nextKey_++] = {menu, position};
  return it->second;
}

std::optional<std::pair<HandleValue, int>> MenuStore::FromPositionKey(HandleValue key) const {
  auto it = positionKeys_.find(key);
  if (it == positionKeys_.end()) return std::nullopt;
  return it->second;
}

MenuItemRec* MenuStore::FindItemAt(HandleValue menu, int position) {
  auto popup = popups_.find(menu);
  if (popup == popups_.end()) return nullptr;
  if (auto it = popup->second.unnumbered.find(position); it != popup->second.unnumbered.end()) return &it->second;
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
  for (const auto& [position, key] : popup->second.positionKeys) positionKeys_.erase(key);
  popups_.erase(popup);
  return bitmap;
}

std::vector<HandleValue> MenuStore::Clear() {
  std::vector<HandleValue> bitmaps;
  for (const auto& [menu, popup] : popups_)
    if (popup.panel && popup.panel->SideBarBitmap) bitmaps.push_back(popup.panel->SideBarBitmap);
  popups_.clear();
  positionKeys_.clear();
  return bitmaps;
}

std::size_t MenuStore::ItemCount() const {
  std::size_t n = 0;
  for (const auto& [menu, popup] : popups_) n += popup.items.size() + popup.unnumbered.size();
  return n;
}

}  // namespace tolvane
