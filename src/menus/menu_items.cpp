#include "menus/menu_items.h"

#include <cstring>
#include <vector>

#include "core/text.h"
#include "menus/gdi_count.h"
#include "menus/list_menus.h"
#include "ui/window.h"

namespace menus {

tolvane::MenuItemRec CurrentItem;
tolvane::MenuPanelRec CurrentPanel;

void RaiseDisplayTip(cTips* tips, std::wstring TipText) {
  if (!tips) return;
  try {
    tips->DisplayTip(TipText);
  } catch (...) {
    ui::ReportCaughtFailure("a menu client's event");
  }
}

void RaiseCustomSelection(cTips* tips, std::wstring UserID, std::wstring Category, CustomValue Value) {
  if (!tips) return;
  try {
    tips->CustomSelection(UserID, Category, Value);
  } catch (...) {
    ui::ReportCaughtFailure("a menu client's event");
  }
}

void RaiseMDIKey(cTips* tips, long KeyCode, long Shift, bool bKeyUp) {
  if (!tips) return;
  auto key = static_cast<short>(KeyCode);
  auto shift = static_cast<short>(Shift);
  try {
    if (bKeyUp) tips->MDIKeyUp(key, shift);
    else tips->MDIKeyDown(key, shift);
  } catch (...) {
    ui::ReportCaughtFailure("a menu client's event");
  }
}

cMenuItems::cMenuItems() { maxInfo_.ptMaxSize.x = -1; }

cMenuItems::~cMenuItems() {
  for (tolvane::HandleValue bitmap : store_.Clear())
    FreeGdiObject(reinterpret_cast<HGDIOBJ>(static_cast<UINT_PTR>(bitmap)));
}

void cMenuItems::InitializeSubMenu(HWND hForm, ui::ImageList* oImgList, cTips* CallBacks, bool bNoSysMenu,
                                   HMENU TimeConsumingMenu, const std::wstring& DefaultTip, long Flags) {
  (void)Flags;
  hForm_ = hForm;
  if (!CallBacks) {
    callBacks_ = prevCallBacks_;
  } else if (CallBacks != prevCallBacks_) {
    prevCallBacks_ = callBacks_;
    callBacks_ = CallBacks;
  }
  if (oImgList) imageList_ = oImgList;
  if (!bNoSysMenu && !systemMenu_) {
    systemMenu_ = ::GetSystemMenu(hForm, FALSE);
    if (systemMenu_) IsWindowList(systemMenu_, true);
  }
  // Adds or marks that one pop-up: the records of the others stay.
  if (TimeConsumingMenu) {
    store_.PutPanel(HandleOf(TimeConsumingMenu)).Slow = true;
    timeConsuming_ = TimeConsumingMenu;
  }
  defaultTip_ = DefaultTip;
}

std::wstring cMenuItems::Tips(tolvane::HandleValue MenuID, HMENU hMenu) {
  if (const tolvane::MenuItemRec* item = store_.FindItem(MenuID, HandleOf(hMenu))) return item->Tip;
  if (cMenuItems* generated = Generated(hMenu)) return generated->Tips(MenuID, hMenu);
  return L"";
}

bool cMenuItems::RestrictSize(LPARAM lParam, bool bSet) {
  auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
  if (!info) return false;
  if (bSet) {
    maxInfo_ = *info;
    return false;
  }
  if (maxInfo_.ptMaxSize.x < 0) return false;
  *info = maxInfo_;
  return true;
}

bool cMenuItems::MenuSelected(UINT Index, HMENU hMenu, LPARAM lParam) {
  if (lParam == 0) {
    cMenuItems* generated = Generated(hMenu);
    return generated && generated->MenuSelected(Index, hMenu, 1);
  }
  // The instance of a generated list: one of its entries was chosen.
  const tolvane::MenuItemRec* item = store_.FindItem(Index, HandleOf(hMenu));
  return item && ListEntryChosen(item->Caption, (item->Flags & tolvane::kItemChecked) != 0, hForm_, callBacks_);
}

void cMenuItems::GetMenuItem(tolvane::HandleValue ID, HMENU hMenu) {
  CurrentItem = {};
  if (const tolvane::MenuItemRec* item = store_.FindItem(ID, HandleOf(hMenu))) CurrentItem = *item;
  else if (cMenuItems* generated = Generated(hMenu)) generated->GetMenuItem(ID, hMenu);
}

bool cMenuItems::GetItemByData(ULONG_PTR ItemData, HMENU& hMenu) {
  if (auto menu = store_.MenuOfKey(ItemData)) {
    hMenu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(*menu));
    CurrentItem = {};
    if (const tolvane::MenuItemRec* item = store_.FindByKey(ItemData)) CurrentItem = *item;
    return true;
  }
  for (auto& [menu, instance] : generated_)
    if (instance->GetItemByData(ItemData, hMenu)) return true;
  return false;
}

void cMenuItems::GetPanelItem(HMENU hMenu) {
  CurrentPanel = {};
  if (const tolvane::MenuPanelRec* panel = store_.FindPanel(HandleOf(hMenu))) CurrentPanel = *panel;
  else if (cMenuItems* generated = Generated(hMenu)) generated->GetPanelItem(hMenu);
}

void cMenuItems::RestoreMenus() {
  for (tolvane::HandleValue value : store_.PanelMenus()) {
    auto hMenu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(value));
    if (!::IsMenu(hMenu)) continue;
    int restored = 0;
    const int count = ::GetMenuItemCount(hMenu);
    for (int p = 0; p < count; ++p) {
      MENUITEMINFOW info{};
      info.cbSize = sizeof info;
      info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_DATA;
      if (!::GetMenuItemInfoW(hMenu, p, TRUE, &info) || !(info.fType & MFT_OWNERDRAW)) continue;
      // By ID: items may have moved since they were registered. Items of ID 0
      // (separators, caption bars) by the key their item data holds.
      tolvane::MenuItemRec* rec = nullptr;
      if (info.wID) rec = store_.FindItem(info.wID, value);
      else if (store_.MenuOfKey(info.dwItemData) == value) rec = store_.FindByKey(info.dwItemData);
      if (!rec) continue;
      const bool separator = (rec->Flags & tolvane::kItemSeparator) != 0;
      std::wstring text = !rec->MenuCaption.empty() ? rec->MenuCaption : rec->Caption;
      MENUITEMINFOW plain{};
      plain.cbSize = sizeof plain;
      plain.fMask = MIIM_FTYPE | MIIM_STATE;
      plain.fType = info.fType & ~static_cast<UINT>(MFT_OWNERDRAW);
      plain.fState = info.fState & MFS_DEFAULT;
      if (separator && text.empty()) {
        plain.fType |= MFT_SEPARATOR;
      } else {
        plain.fMask |= MIIM_STRING;
        plain.dwTypeData = text.data();
        if ((rec->Flags & tolvane::kItemChecked) && !separator) plain.fState |= MFS_CHECKED;
      }
      if (rec->Flags & tolvane::kItemDisabled) plain.fState |= MFS_GRAYED;
      ::SetMenuItemInfoW(hMenu, p, TRUE, &plain);
      ++restored;
      if (!(separator && text.empty())) rec->Caption = L"\x01\x02\x03" + tolvane::Digits(restored);
    }
  }
}

void cMenuItems::DestroyPopup(HMENU hMenu, HMENU hMenuID) {
  (void)hMenuID;
  ForgetPopup(hMenu);
}

void cMenuItems::ForgetPopup(HMENU hMenu) {
  if (tolvane::HandleValue bitmap = store_.Forget(HandleOf(hMenu)))
    FreeGdiObject(reinterpret_cast<HGDIOBJ>(static_cast<UINT_PTR>(bitmap)));
  generated_.erase(hMenu);
  generatedParent_.erase(hMenu);
  // Pop-ups generated inside a destroyed one went with it.
  std::vector<HMENU> inside;
  for (const auto& [sub, parent] : generatedParent_)
    if (parent == hMenu) inside.push_back(sub);
  for (HMENU sub : inside) ForgetPopup(sub);
  for (auto& [menu, instance] : generated_) instance->ForgetPopup(hMenu);
}

void cMenuItems::ForgetDestroyedPopups() {
  std::vector<HMENU> gone;
  for (tolvane::HandleValue value : store_.Menus())
    if (auto menu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(value)); !::IsMenu(menu)) gone.push_back(menu);
  for (const auto& [menu, instance] : generated_)
    if (!::IsMenu(menu)) gone.push_back(menu);
  for (HMENU menu : gone) ForgetPopup(menu);
  for (auto& [menu, instance] : generated_) instance->ForgetDestroyedPopups();
}

void cMenuItems::ReleaseTips(cTips* tips) {
  if (!tips) return;
  if (callBacks_ == tips) callBacks_ = nullptr;
  if (prevCallBacks_ == tips) prevCallBacks_ = nullptr;
  for (auto& [menu, instance] : generated_) instance->ReleaseTips(tips);
}

cMenuItems* cMenuItems::Generated(HMENU hMenu) {
  auto it = generated_.find(hMenu);
  return it == generated_.end() ? nullptr : it->second.get();
}

void cMenuItems::AddGenerated(HMENU hMenu, std::unique_ptr<cMenuItems> instance, HMENU parent) {
  generated_[hMenu] = std::move(instance);
  if (parent) generatedParent_[hMenu] = parent;
}

}  // namespace menus
