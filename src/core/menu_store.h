// The records a menu owner keeps of the pop-ups it has prepared: one record
// per item, keyed by item ID and pop-up (items of ID 0, separators and
// caption bars, by a key of their own that the item carries), and one panel
// record per pop-up.
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
  // The record of item `id` (not 0) in `menu`, made empty when new; an
  // existing one is returned as it stands, to be refreshed in place.
  MenuItemRec& PutItem(HandleValue id, HandleValue menu);
  // Items of ID 0 share no ID: each has a record of its own under a key that
  // the item carries as its item data, so the record goes with its item
  // wherever it moves and never passes to another that now stands at its
  // place. `itemData` is what the item carries now: the record under it when
  // it is a key of `menu`'s, else a new, empty record under a new key. The
  // key returned is the one the item must carry: never a menu handle (those
  // fit in 32 bits).
  std::pair<HandleValue, MenuItemRec*> PutUnnumbered(HandleValue menu, HandleValue itemData);
  // The pop-up an item key belongs to.
  std::optional<HandleValue> MenuOfKey(HandleValue key) const;
  MenuItemRec* FindByKey(HandleValue key);
  // Drops the records of ID 0 items of `menu` whose keys are not in `kept`:
  // the items that were taken out of it.
  void KeepUnnumbered(HandleValue menu, const std::vector<HandleValue>& kept);
  // Makes `alias` (the handle of the sub-menu an item opens) a second key of
  // the record of `id` in `menu`, in place of the one it had. False when
  // there is no such record.
  bool AliasItem(HandleValue alias, HandleValue id, HandleValue menu);
  MenuItemRec* FindItem(HandleValue id, HandleValue menu);
  // The record of ID 0 registered at `position` of `menu` when its pop-up
  // was last prepared, else the one of another ID registered there last;
  // `key` is given the ID 0 record's key.
  MenuItemRec* FindItemAt(HandleValue menu, int position, HandleValue* key = nullptr);

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
    std::map<HandleValue, MenuItemRec> unnumbered;       // ID 0, by their key
    std::unordered_map<HandleValue, HandleValue> aliases;  // sub-menu handle -> ID
    std::optional<MenuPanelRec> panel;
  };
  std::unordered_map<HandleValue, Popup> popups_;
  std::unordered_map<HandleValue, HandleValue> keyMenus_;  // item key -> pop-up
  // Shared by every store: one store never takes another's key for its own.
  static inline HandleValue nextKey_ = HandleValue{1} << 48;
};

}  // namespace tolvane
