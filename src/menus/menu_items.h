// The menu engine's per-owner object: one per subclassed window and one per
// generated list pop-up. It holds the records of the pop-ups it prepared and
// the window's bindings (image list, event object, system menu, MDI links).
// cTips is the client's event object, only ever borrowed.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <variant>
#include <vector>

#include "core/menu_store.h"
#include "menus/lookups.h"

namespace ui {
class ImageList;
}

namespace menus {

using CustomValue = std::variant<long long, std::wstring>;

// Events the engine raises on the client; all optional.
class cTips {
 public:
  virtual ~cTips() = default;
  virtual void DisplayTip(std::wstring& TipText) { (void)TipText; }
  virtual void CustomSelection(std::wstring& UserID, std::wstring& Category, CustomValue& Value) {
    (void)UserID, (void)Category, (void)Value;
  }
  virtual void MDIKeyDown(short& KeyCode, short& Shift) { (void)KeyCode, (void)Shift; }
  virtual void MDIKeyUp(short& KeyCode, short& Shift) { (void)KeyCode, (void)Shift; }
};

// Raisers: a failure in the client's handler goes no further.
void RaiseDisplayTip(cTips* tips, std::wstring TipText);
void RaiseCustomSelection(cTips* tips, std::wstring UserID, std::wstring Category, CustomValue Value);
void RaiseMDIKey(cTips* tips, long KeyCode, long Shift, bool bKeyUp);

inline tolvane::HandleValue HandleOf(const void* h) {
  return static_cast<tolvane::HandleValue>(reinterpret_cast<UINT_PTR>(h));
}

// Copies of the records the measuring and drawing code works on.
extern tolvane::MenuItemRec CurrentItem;
extern tolvane::MenuPanelRec CurrentPanel;

class cMenuItems {
 public:
  cMenuItems();
  ~cMenuItems();
  cMenuItems(const cMenuItems&) = delete;
  cMenuItems& operator=(const cMenuItems&) = delete;

  // Binds the instance to a window. A null CallBacks brings back the
  // previous event object; a slow pop-up gets the hourglass when it opens.
  void InitializeSubMenu(HWND hForm, ui::ImageList* oImgList = nullptr, cTips* CallBacks = nullptr,
                         bool bNoSysMenu = false, HMENU TimeConsumingMenu = nullptr,
                         const std::wstring& DefaultTip = L"", long Flags = 0);

  HWND MDIClient() const { return mdiClient_; }
  void SetMDIClient(HWND client) { mdiClient_ = client; }
  bool IsMDIclient() const { return isMdiClient_; }
  void SetIsMDIclient(bool value) { isMdiClient_ = value; }
  bool IsMenuLess() const { return isMenuLess_; }
  void SetIsMenuLess(bool value) { isMenuLess_ = value; }
  HMENU SystemMenu() const { return systemMenu_; }
  // The window's procedure before the engine's, which every message the
  // engine does not take goes on to. A generated list's instance has its
  // parent's.
  WNDPROC hPrevProc() const { return prevProc_; }
  void SethPrevProc(WNDPROC proc) { prevProc_ = proc; }
  cTips* ShowTips() const { return callBacks_; }
  ui::ImageList* ImageListObject() const { return imageList_; }
  HWND Form() const { return hForm_; }
  const std::wstring& DefaultTip() const { return defaultTip_; }

  // The tip of an item, asked of the generated pop-up's instance when this
  // one does not know it; "" when none does.
  std::wstring Tips(tolvane::HandleValue MenuID, HMENU hMenu);
  // bSet stores the MINMAXINFO at lParam; otherwise a stored one is applied
  // and the result says so.
  bool RestrictSize(LPARAM lParam, bool bSet);
  // True when a chosen item was taken: only entries of generated lists are.
  bool MenuSelected(UINT Index, HMENU hMenu, LPARAM lParam);

  void GetMenuItem(tolvane::HandleValue ID, HMENU hMenu);
  // An item of ID 0 is known by the value the system hands back with it:
  // its record is loaded and its pop-up given. False for any other value.
  bool GetItemByData(ULONG_PTR ItemData, HMENU& hMenu);
  void GetPanelItem(HMENU hMenu);
  // Prepares a pop-up as it opens; true when it holds an MDI window list and
  // must be prepared at every opening.
  bool IsWindowList(HMENU hSubMenu, bool bIsSysMenu);
  // Tidies a prepared pop-up at the end of a menu loop.
  void UpdateMenuItems(HMENU hMenu);
  // Turns the prepared items back into plain ones, by position.
  void RestoreMenus();
  // Drops a generated pop-up with its instance and records.
  void DestroyPopup(HMENU hMenu, HMENU hMenuID);
  // Forgets a pop-up the system destroyed, in this instance and the
  // generated ones, so a recycled handle never finds its records.
  void ForgetPopup(HMENU hMenu);
  // Forgets, here and in the generated instances, every pop-up that is no
  // longer a menu: one its owner destroyed.
  void ForgetDestroyedPopups();
  // Stops using an event object about to go.
  void ReleaseTips(cTips* tips);

  // The instance answering for generated pop-up `hMenu`, or null.
  cMenuItems* Generated(HMENU hMenu);
  std::size_t GeneratedCount() const { return generated_.size(); }
  // `parent`: the pop-up it opens from; forgetting that one forgets it too.
  void AddGenerated(HMENU hMenu, std::unique_ptr<cMenuItems> instance, HMENU parent = nullptr);

  tolvane::MenuStore& Store() { return store_; }
  // How many times IsWindowList prepared a pop-up.
  int Preparations() const { return preparations_; }

 private:
  // What registering one item tells the preparation of its pop-up.
  struct Registered {
    tolvane::MenuItemRec* rec = nullptr;
    bool sideBar = false;
    int height = 0;
  };
  // `literalTags` set: the caption is text the user typed, shown as typed,
  // and these are its only tags. `ItemKey`: the item data an item of ID 0
  // carries, in; the key of its record it must carry, out.
  Registered RegisterMenuItem(std::wstring Caption, const std::wstring* literalTags, unsigned Flags,
                              UINT& ItemType, UINT& ItemState, HMENU hMenu, UINT ID, int Position, HWND CacheList,
                              tolvane::HandleValue& ItemKey);
  void MeasureItem(tolvane::MenuItemRec& rec);
  // Lists bound by "LB:"/"CB:", the built-in lists, and the tags of a
  // generated list's entries.
  void ReadListTags(tolvane::MenuItemRec& rec, const std::wstring& tags, HMENU hMenu, int Position);
  void RenderSideBar(tolvane::MenuItemRec& bar, tolvane::MenuPanelRec& panel);
  void BuildMenuPanel(HMENU hMenu, bool bSysMenu, const std::vector<tolvane::MenuItemRec*>& items,
                      const std::vector<int>& breaks);
  HMENU timeConsuming_ = nullptr;
  HDC measureDc_ = nullptr;  // while a pop-up is prepared
  // What each image value of the pop-up being prepared resolved to: many
  // items may show the same picture, looked at once.
  std::unordered_map<std::wstring, ResolvedImage> resolved_;

  ui::ImageList* imageList_ = nullptr;
  cTips* callBacks_ = nullptr;
  cTips* prevCallBacks_ = nullptr;
  WNDPROC prevProc_ = nullptr;
  HMENU systemMenu_ = nullptr;
  HWND mdiClient_ = nullptr;
  bool isMdiClient_ = false;
  bool isMenuLess_ = false;
  MINMAXINFO maxInfo_{};
  tolvane::MenuStore store_;
  std::unordered_map<HMENU, std::unique_ptr<cMenuItems>> generated_;
  std::unordered_map<HMENU, HMENU> generatedParent_;
  HWND hForm_ = nullptr;
  std::wstring defaultTip_;
  int preparations_ = 0;
};

}  // namespace menus
