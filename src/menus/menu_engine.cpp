#include "menus/menu_engine.h"

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "menus/menu_draw.h"
#include "menus/menu_fonts.h"
#include "menus/lookups.h"
#include "menus/menu_images.h"
#include "ui/menu.h"
#include "ui/screen.h"
#include "ui/window.h"

namespace menus {

bool NoSubclass = false;
bool RestoreOnExit = false;
bool KeyEvents = false;
long ImageTagOverride = 0;
HWND ForcedMenuOwner = nullptr;
// Class names whose first child window a menu type of 1 or -1 subclasses.
std::vector<std::wstring> ChildClassNames;

namespace {

std::unordered_map<HWND, std::unique_ptr<cMenuItems>>& Instances() {
  static auto* instances = new std::unordered_map<HWND, std::unique_ptr<cMenuItems>>;
  return *instances;
}

// Windows the engine let go of while a procedure set after its own still
// calls it: cut out of the chain, that one would lose its messages. Each
// keeps an instance holding only the procedure the engine passes their
// messages on to, until the window is gone or hooked again.
std::unordered_map<HWND, std::unique_ptr<cMenuItems>>& LetGo() {
  static auto* letGo = new std::unordered_map<HWND, std::unique_ptr<cMenuItems>>;
  return *letGo;
}

// The pop-ups prepared in the current menu loop; none outside a loop.
std::optional<std::unordered_set<HMENU>> openPopups;
// The window whose instance owns the menu being shown.
HWND currentKey = nullptr;
// An MDI child is being subclassed from its frame's client.
bool subclassingChild = false;

struct {
  HMENU hMenu = nullptr;                // holds the last selected item
  std::optional<int> savedPointer;      // the pointer at the start of the loop
} menuState;

bool hourglassShown = false;
bool keyboardSelect = false;
COLORREF highlightColor = 0;

LRESULT CALLBACK MenuWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

// The procedure the window had before the engine hooked it.
LRESULT PassOn(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  cMenuItems* instance = InstanceOf(hWnd);
  if (!instance) {
    auto it = LetGo().find(hWnd);
    if (it != LetGo().end()) instance = it->second.get();
  }
  if (!instance || !instance->hPrevProc()) return ::DefWindowProcW(hWnd, uMsg, wParam, lParam);
  return ::CallWindowProcW(instance->hPrevProc(), hWnd, uMsg, wParam, lParam);
}

// Hooks `hWnd` for `instance`; false when the window refused. The engine
// sets itself as the window procedure rather than through the common
// controls' subclassing: that keeps its chain in a window property, looked
// up by every message, which under some systems is a trip to another process.
bool Hook(HWND hWnd, cMenuItems& instance) {
  if (instance.hPrevProc()) return true;  // still in its chain since an earlier hook
  ::SetLastError(0);
  const LONG_PTR old = ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MenuWndProc));
  if (!old && ::GetLastError() != 0) return false;
  instance.SethPrevProc(reinterpret_cast<WNDPROC>(old));
  return true;
}

// A new instance for `hWnd`, with the procedure it had when the engine let
// go of it while still in its chain.
std::unique_ptr<cMenuItems> NewInstance(HWND hWnd) {
  auto instance = std::make_unique<cMenuItems>();
  if (auto it = LetGo().find(hWnd); it != LetGo().end()) {
    instance->SethPrevProc(it->second->hPrevProc());
    LetGo().erase(it);
  }
  return instance;
}

cMenuItems* Current() { return InstanceOf(currentKey); }

HWND FindChildByClass(HWND parent) {
  for (const std::wstring& name : ChildClassNames)
    if (HWND child = ::FindWindowExW(parent, nullptr, name.c_str(), nullptr)) return child;
  return nullptr;
}

HWND FindMdiClient(HWND hWnd) { return ::FindWindowExW(hWnd, nullptr, L"MDIClient", nullptr); }

void RestorePointer() {
  if (hourglassShown && menuState.savedPointer) ui::SetMousePointer(*menuState.savedPointer);
  hourglassShown = false;
}

// What the engine shares between its windows goes with the last of them.
void ReleaseShared() {
  CreateMenuFonts(false, false, L"");
  ReleaseMenuPictures();
  ReleaseAssociatedIcon();
  ChildClassNames.clear();
  ui::SetMenuDestroyedHook(nullptr);
}

// The runtime destroyed a pop-up: its handle may come back for another.
void OnMenuDestroyed(HMENU menu) {
  if (openPopups) openPopups->erase(menu);
  for (auto& [hwnd, instance] : Instances()) instance->ForgetPopup(menu);
}

// The MDI frame and its active child around a window of the engine.
void MdiPair(HWND hWnd, cMenuItems& instance, HWND& hFrame, HWND& hChild) {
  hFrame = nullptr;
  hChild = nullptr;
  if (instance.IsMDIclient()) {
    hChild = reinterpret_cast<HWND>(::SendMessageW(hWnd, WM_MDIGETACTIVE, 0, 0));
    hFrame = ::GetParent(hWnd);
  } else if (instance.MDIClient()) {
    hFrame = hWnd;
    hChild = reinterpret_cast<HWND>(::SendMessageW(instance.MDIClient(), WM_MDIGETACTIVE, 0, 0));
  }
}

void SelectMenuOwner(HWND hWnd, HMENU& hMenu, bool bSysMenu) {
  currentKey = hWnd;
  cMenuItems* instance = InstanceOf(hWnd);
  if (!instance) return;
  if (bSysMenu) {
    hMenu = instance->SystemMenu();
    return;
  }
  HWND hFrame = nullptr, hChild = nullptr;
  MdiPair(hWnd, *instance, hFrame, hChild);
  if (hChild) {
    currentKey = ForcedMenuOwner ? ForcedMenuOwner : hChild;
    // A menu-less child's menus are its frame's; its system menu stays its own.
    cMenuItems* child = InstanceOf(hChild);
    if (child && child->IsMenuLess() && child->SystemMenu() != hMenu && !ForcedMenuOwner) currentKey = hFrame;
  } else if (ForcedMenuOwner) {
    currentKey = ForcedMenuOwner;
  }
}

void OnMenuKey(HWND hWnd, WPARAM KeyCode, bool bKeyUp) {
  cMenuItems* instance = InstanceOf(hWnd);
  if (!instance) return;
  HWND hFrame = nullptr, hChild = nullptr;
  MdiPair(hWnd, *instance, hFrame, hChild);
  if (!hFrame || hChild) return;
  cMenuItems* frame = InstanceOf(hFrame);
  cTips* tips = frame ? frame->ShowTips() : nullptr;
  if (!tips) return;
  long shift = (::GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (::GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
               (::GetKeyState(VK_MENU) < 0 ? 4 : 0);
  RaiseMDIKey(tips, static_cast<long>(KeyCode), shift, bKeyUp);
}

void ShowMenuTip(WPARAM wParam, LPARAM lParam, HMENU hMenuState) {
  cMenuItems* instance = Current();
  cTips* tips = instance ? instance->ShowTips() : nullptr;
  if (!tips) return;
  const bool closing = !hMenuState && wParam == 0 && lParam == 0;
  std::wstring text;
  if (hMenuState && !(wParam == 0 && lParam == 0)) {
    auto menu = reinterpret_cast<HMENU>(lParam);
    tolvane::HandleValue id = LoWord(wParam);
    // A sub-menu item's tip is kept under the sub-menu's handle.
    if (HiWord(wParam) & MF_POPUP) id = HandleOf(::GetSubMenu(menu, static_cast<int>(LoWord(wParam))));
    text = instance->Tips(id, menu);
  }
  RaiseDisplayTip(tips, text);
  if (closing) RaiseCustomSelection(tips, L"", L"MenusClosed", 0LL);
}

void PreparePopup(HWND hWnd, HMENU hMenu, bool bSysMenu) {
  SelectMenuOwner(hWnd, hMenu, bSysMenu);
  cMenuItems* instance = Current();
  if (!instance || !hMenu) return;  // a system menu the window refused
  instance->GetPanelItem(hMenu);
  if (menuState.savedPointer.value_or(0) != ui::kHourglass && CurrentPanel.Slow) {
    ui::SetMousePointer(ui::kHourglass);
    hourglassShown = true;
  } else {
    hourglassShown = false;
  }
  if (openPopups && openPopups->contains(hMenu)) return;  // prepared earlier in this loop
  // A pop-up holding an MDI window list is prepared at every opening.
  if (!instance->IsWindowList(hMenu, false) && openPopups) openPopups->insert(hMenu);
}

LRESULT HandleMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, bool& passed) {
  auto passOn = [&]() -> LRESULT {
    if (passed) return 0;
    passed = true;
    return PassOn(hWnd, uMsg, wParam, lParam);
  };
  cMenuItems* self = InstanceOf(hWnd);
  if (!self) return passOn();  // let go, but left in place for those hooked after us
  switch (uMsg) {
    case WM_DESTROY: {
      LRESULT r = passOn();
      UnsubclassForm(hWnd);
      return r;
    }
    case WM_GETMINMAXINFO:
      if (self->RestrictSize(lParam, false)) return 0;
      return passOn();
    case WM_MEASUREITEM: {
      cMenuItems* owner = Current() ? Current() : self;
      if (wParam == 0 && OnMeasureItem(owner, lParam)) return TRUE;
      return passOn();  // the window's own owner-drawn items
    }
    case WM_DRAWITEM: {
      cMenuItems* owner = Current() ? Current() : self;
      if (wParam == 0 && OnDrawItem(owner, lParam)) return TRUE;
      return passOn();
    }
    case WM_KEYDOWN: case WM_KEYUP: case WM_SYSKEYDOWN: case WM_SYSKEYUP: {
      LRESULT r = passOn();
      if (!openPopups && KeyEvents) OnMenuKey(hWnd, wParam, uMsg == WM_KEYUP || uMsg == WM_SYSKEYUP);
      return r;
    }
    case WM_COMMAND:
      if (HiWord(wParam) == 0 && lParam == 0) {
        cMenuItems* owner = Current();
        if (owner && owner->MenuSelected(LoWord(wParam), menuState.hMenu, 0)) return 0;
      }
      return passOn();
    case WM_INITMENUPOPUP: {
      LRESULT r = passOn();
      PreparePopup(hWnd, reinterpret_cast<HMENU>(wParam), HiWord(static_cast<WPARAM>(lParam)) != 0);
      return r;
    }
    case WM_MENUSELECT:
      if (lParam) menuState.hMenu = reinterpret_cast<HMENU>(lParam);
      ShowMenuTip(wParam, lParam, menuState.hMenu);
      keyboardSelect = !(HiWord(wParam) & MF_MOUSESELECT);
      return passOn();
    case WM_ENTERIDLE:
      RestorePointer();
      return passOn();
    case WM_MENUCOMMAND:
      if (cMenuItems* owner = Current()) {
        auto menu = reinterpret_cast<HMENU>(lParam);
        owner->MenuSelected(::GetMenuItemID(menu, static_cast<int>(LoWord(wParam))), menu, 0);
      }
      return passOn();
    case WM_ENTERMENULOOP:
      if (ui::MousePointer() != ui::kHourglass) menuState.savedPointer = ui::MousePointer();
      openPopups.emplace();
      return passOn();
    case WM_EXITMENULOOP:
      RestorePointer();
      ShowMenuTip(0, 0, nullptr);
      ForcedMenuOwner = nullptr;
      if (openPopups) {
        std::vector<HMENU> prepared(openPopups->begin(), openPopups->end());
        if (cMenuItems* owner = Current())
          for (HMENU menu : prepared) owner->UpdateMenuItems(menu);
      }
      openPopups.reset();
      // A pop-up its owner destroyed since: its handle may come back for another.
      for (auto& [hwnd, instance] : Instances()) instance->ForgetDestroyedPopups();
      ForgetStalePictures();
      return passOn();
    case WM_MDIDESTROY: {
      LRESULT r = passOn();
      UnsubclassForm(reinterpret_cast<HWND>(wParam));
      return r;
    }
    case WM_MDIACTIVATE: {
      auto child = reinterpret_cast<HWND>(wParam);
      LRESULT r = passOn();
      if (child && ::GetParent(child) == hWnd) {
        subclassingChild = true;
        SubclassForm(child, nullptr, nullptr, 0);
      }
      return r;
    }
    case WM_MDIMAXIMIZE: {
      LRESULT r = passOn();
      subclassingChild = true;
      SubclassForm(reinterpret_cast<HWND>(wParam), nullptr, nullptr, 0);
      return r;
    }
  }
  return passOn();
}

LRESULT CALLBACK MenuWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  bool passed = false;
  LRESULT r = 0;
  try {
    r = HandleMessage(hWnd, uMsg, wParam, lParam, passed);
  } catch (...) {
    // A failure in the engine never stops the window.
    ui::ReportCaughtFailure("the menu engine");
    subclassingChild = false;
    r = passed ? 0 : PassOn(hWnd, uMsg, wParam, lParam);
  }
  // Left in a chain after the engine let go: its last message ends it.
  if (uMsg == WM_NCDESTROY) LetGo().erase(hWnd);
  return r;
}

}  // namespace

cMenuItems* InstanceOf(HWND hWnd) {
  if (!hWnd) return nullptr;
  auto it = Instances().find(hWnd);
  return it == Instances().end() ? nullptr : it->second.get();
}

tolvane::CaptionSwitches MenuCaptionSwitches() { return {RestoreOnExit, ImageTagOverride}; }

std::size_t SubclassedCount() { return Instances().size(); }
HWND CurrentMenuOwner() { return currentKey; }
bool KeyboardSelect() { return keyboardSelect; }
COLORREF HighlightColor() { return highlightColor; }

bool SubclassForm(HWND hWnd, ui::ImageList* ImageList, cTips* Tips, int MenuType) {
  if (NoSubclass) return false;
  if (Instances().empty()) {
    CheckWindowsVersion(nullptr);
    CreateMenuFonts(true, false, L"");
    highlightColor = ::GetSysColor(COLOR_HIGHLIGHT);
    ui::SetMenuDestroyedHook(&OnMenuDestroyed);
  }
  hourglassShown = false;
  const bool child = std::exchange(subclassingChild, false);
  HWND target = (MenuType == 1 || MenuType == -1) ? FindChildByClass(hWnd) : hWnd;
  if (!target || !::IsWindow(target)) return false;
  const bool hasClient = FindMdiClient(target) != nullptr;
  if (cMenuItems* existing = InstanceOf(target)) {
    switch (MenuType) {
      case 0: case -5: if (hasClient) existing->SetIsMenuLess(false); break;
      case 3: case -3: existing->SetIsMenuLess(false); break;
      case 4: case -4: existing->SetIsMenuLess(true); break;
      case 5: if (hasClient) existing->SetIsMenuLess(true); break;
      default: break;
    }
  } else {
    auto created = NewInstance(target);
    cMenuItems& instance = *created;
    instance.SetIsMenuLess(MenuType == 4 || MenuType == 5);
    Instances()[target] = std::move(created);
    instance.InitializeSubMenu(target, ImageList, Tips, false);
    // A window of another thread cannot be hooked from this one.
    if (::GetWindowThreadProcessId(target, nullptr) != ::GetCurrentThreadId() || !Hook(target, instance)) {
      // Its system menu was made owner-drawn for an engine that never comes.
      const bool systemMenu = instance.SystemMenu() != nullptr;
      Instances().erase(target);
      if (systemMenu) ::GetSystemMenu(target, TRUE);
      if (Instances().empty()) ReleaseShared();
      currentKey = nullptr;
      return false;
    }
    if (HWND client = FindMdiClient(target)) {
      auto made = NewInstance(client);
      cMenuItems& clientInstance = *made;
      Instances()[client] = std::move(made);
      clientInstance.InitializeSubMenu(client, nullptr, nullptr, true);
      if (Hook(client, clientInstance)) {
        instance.SetMDIClient(client);
        clientInstance.SetIsMDIclient(true);
      } else {
        Instances().erase(client);
      }
    } else if (child) {
      // An MDI child takes its frame's pictures and event object.
      if (cMenuItems* frame = InstanceOf(::GetParent(::GetParent(target)))) {
        instance.InitializeSubMenu(target, frame->ImageListObject(), frame->ShowTips());
        if (MenuType < 3) instance.SetIsMenuLess(frame->IsMenuLess());
      }
    }
  }
  currentKey = nullptr;
  return true;
}

void UnsubclassForm(HWND hWnd) {
  auto it = Instances().find(hWnd);
  if (it == Instances().end()) return;  // not held (any more): nothing to undo
  openPopups.reset();
  // Taking the hook out puts the first procedure back, which would cut off
  // a procedure set in the window after ours: then ours stays, passing on.
  if (WNDPROC previous = it->second->hPrevProc()) {
    if (::GetWindowLongPtrW(hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&MenuWndProc)) {
      ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    } else if (::IsWindow(hWnd)) {
      auto kept = std::make_unique<cMenuItems>();
      kept->SethPrevProc(previous);
      LetGo()[hWnd] = std::move(kept);
    }
  }
  HMENU systemMenu = it->second->SystemMenu();
  if (RestoreOnExit) it->second->RestoreMenus();
  if (currentKey == hWnd) currentKey = nullptr;
  if (Instances().size() == 1) {
    Instances().clear();
    ReleaseShared();
  } else {
    Instances().erase(it);
  }
  if (systemMenu && ::IsWindow(hWnd)) ::GetSystemMenu(hWnd, TRUE);
}

void ReleaseTips(cTips* Tips) {
  for (auto& [hwnd, instance] : Instances()) instance->ReleaseTips(Tips);
}

}  // namespace menus
