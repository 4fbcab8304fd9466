// The records a menu owner keeps of the pop-ups it has prepared: one record
// per item, keyed by item ID and pop-up (items of ID 0, separators and
// caption bars, by position), and one panel record per pop-up.
// Handles are kept at their full width; a pop-up the system has destroyed is
// forgotten whole, so a recycled handle value never finds an old record.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tolvane {

// A window, menu or GDI handle's value.
using HandleValue = std::uint64_t;

// Item record flags.
enum MenuItemFlag : unsigned {
  kItemSeparator = 0x2,
  kItemDisabled = 0x4,
  kItemChecked = 0x8,
  kItemDefault = 0x10,
  kItemRaised = 0x20,
  kItemSideBar = 0x40,
  kItemSideBarOut = 0x80,
  kItemSubMenu = 0x200,
  kItemListMenu = 0x400,
  kItemColour = 0x800,
  kItemFont = 0x1000,
};

struct MenuItemRec {
  std::wstring Caption;      // as registered, mark-up included
  std::wstring Text;         // what is drawn
  std::wstring MenuCaption;  // the menu's own caption when another text replaced it
  std::wstring RightText;
  std::wstring Tip;
  int Width = 0;
  int Height = 0;
  int ExtraWidth = 0;
  HandleValue ID = 0;
  int Position = 0;
  std::wstring Image;
  bool ImageOpaque = false;
  int ListKind = 0;
  HandleValue ListWindow = 0;
  HandleValue TargetWindow = 0;
  unsigned Flags = 0;
};

struct MenuPanelRec {
  bool HasImages = false;
  bool SystemMenu = false;
  HandleValue SideBarBitmap = 0;  // owned by the panel: freed when replaced or forgotten
  HandleValue SideBarID = 0;
  HandleValue hMenu = 0;
  bool Slow = false;
};

class MenuStore {
 public:
  // The record of item `id` in `menu`, made empty when new; an existing one is
  // returned as it stands, to be refreshed in place. Items of ID 0 share no
  // record: theirs is the one of `position`.
  MenuItemRec& PutItem(HandleValue id, HandleValue menu, int position);
  // The value a menu item of ID 0 at `position` of `menu` carries for the
  // system to hand back when it is measured and drawn: never a menu handle
  // (those fit in 32 bits). Stable while the pop-up's records live.
  HandleValue PositionKey(HandleValue menu, int position);
  // The pop-up and position a PositionKey value stands for.
  std::optional<std::pair<HandleValue, int>> FromPositionKey(HandleValue key) const;
  // Makes `alias` (the handle of the sub-menu an item opens) a second key of
  // the record of `id` in `menu`, in place of the one it had. False when
  // there is no such record.
  bool AliasItem(HandleValue alias, HandleValue id, HandleValue menu);
  MenuItemRec* FindItem(HandleValue id, HandleValue menu);
  // The record of ID 0 at `position` of `menu`, else the one of another ID
  // registered there last.
  MenuItemRec* FindItemAt(HandleValue menu, int position);

  MenuPanelRec& PutPanel(HandleValue menu);
  MenuPanelRec* FindPanel(HandleValue menu);
  // The pop-ups holding a panel record.
  std::vector<HandleValue> PanelMenus() const;
  // The pop-ups holding any record or key.
  std::vector<HandleValue> Menus() const;

  // Drops every record and key of `menu`. Returns the side-bar bitmap its
  // panel held (0 when none), for the caller to free.
  HandleValue Forget(HandleValue menu);
  // Every side-bar bitmap held, each once; the store is emptied.
  std::vector<HandleValue> Clear();

  std::size_t PopupCount() const { return popups_.size(); }
  std::size_t ItemCount() const;

 private:
  struct Popup {
    std::unordered_map<HandleValue, MenuItemRec> items;  // by ID
    std::map<int, MenuItemRec> unnumbered;               // ID 0, by position
    std::map<int, HandleValue> positionKeys;
    std::unordered_map<HandleValue, HandleValue> aliases;  // sub-menu handle -> ID
    std::optional<MenuPanelRec> panel;
  };
  std::unordered_map<HandleValue, Popup> popups_;
  std::unordered_map<HandleValue, std::pair<HandleValue, int>> positionKeys_;
  HandleValue nextKey_ = HandleValue{1} << 48;
};

}  // namespace tolvane
