// The engine on real menu loops, driven from the keyboard, and on the
// runtime's pop-up menus.
#include <gtest/gtest.h>

#include <windows.h>

#include "menu_paint.h"
#include "menu_test_window.h"
#include "menus/gdi_count.h"
#include "menus/menu_engine.h"
#include "ui/handles.h"
#include "ui/image_list.h"
#include "ui/picture.h"
#include "ui/form.h"
#include "ui/menu.h"
#include "ui/seams.h"

namespace menus {
namespace {

using testing::MenuTypist;
using testing::TestWindow;

TEST(MenuLoop, EachPopupIsPreparedOncePerLoop) {
  TestWindow w(nullptr, true);
  ::SetForegroundWindow(w.hwnd());
  SubclassForm(w.hwnd(), nullptr, nullptr, 0);
  const int before = InstanceOf(w.hwnd())->Preparations();
  HMENU root = ::CreatePopupMenu();
  HMENU sub = ::CreatePopupMenu();
  ::AppendMenuW(sub, MF_STRING, 3, L"dedans");
  ::AppendMenuW(root, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), L"Sous-menu");
  ::AppendMenuW(root, MF_STRING, 1, L"Un");
  int chosen;
  {
    // Into the sub-menu, out, in again, and down the root to "Un".
    MenuTypist typist(w.hwnd(), {VK_DOWN, VK_RIGHT, VK_LEFT, VK_RIGHT, VK_LEFT, VK_DOWN, VK_RETURN});
    chosen = ui::TheDesktop().TrackMenu(root, w.hwnd(), {60, 60});
  }
  EXPECT_EQ(chosen, 1);
  EXPECT_EQ(w.Count(WM_INITMENUPOPUP), 3);  // each opening still reaches the window
  EXPECT_EQ(InstanceOf(w.hwnd())->Preparations() - before, 2);
  EXPECT_EQ(w.Count(WM_COMMAND), 0);  // the tracking returns the choice
  ::DestroyMenu(root);
  w.Destroy();
  EXPECT_EQ(SubclassedCount(), 0u);
}

class Holder final : public ui::Form {
 public:
  Holder() : ui::Form(L"Holder") {}
};

// Stands in for the menu loop: sends what a real loop sends for the menu
// and its sub-menus, and chooses nothing.
class LoopDesktop final : public ui::Desktop {
 public:
  LoopDesktop() { previous_ = ui::SetDesktop(this); }
  ~LoopDesktop() override { ui::SetDesktop(previous_); }
  int Message(HWND, std::wstring_view, std::wstring_view, UINT) override { return IDOK; }
  INT_PTR Open(HWND, std::wstring_view) override { return 42; }
  POINT CursorPos() override { return {}; }
  SIZE ScreenSize() override { return {1280, 800}; }
  bool TrayIcon(DWORD, NOTIFYICONDATAW&) override { return true; }
  std::optional<std::wstring> ChooseFile(HWND, std::wstring_view) override { return std::nullopt; }
  std::optional<COLORREF> ChooseColour(HWND, COLORREF) override { return std::nullopt; }
  std::vector<std::wstring> ScreenFonts() override { return {}; }
  bool ShowDesktopWindow(bool) override { return false; }
  int TrackMenu(HMENU menu, HWND owner, POINT) override {
    ::SendMessageW(owner, WM_ENTERMENULOOP, 0, 0);
    Open(menu, owner);
    ::SendMessageW(owner, WM_EXITMENULOOP, 0, 0);
    return 0;
  }

  // Items are also measured and drawn, as Windows would, one under another
  // into `canvas`; the sizes Windows was given are kept.
  HDC canvas = nullptr;
  std::vector<MEASUREITEMSTRUCT> measured;
  std::vector<tolvane::MenuItemRec> records;  // as each item was drawn
  int drawn = 0;

 private:
  void Open(HMENU menu, HWND owner) {
    ::SendMessageW(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
    if (canvas) Paint(menu, owner);
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
      if (HMENU sub = ::GetSubMenu(menu, i)) Open(sub, owner);
  }
  void Paint(HMENU menu, HWND owner) {
    bench::PaintPopup(owner, menu, canvas, [&](const MEASUREITEMSTRUCT& mis, bool wasDrawn) {
      measured.push_back(mis);
      drawn += wasDrawn;
      if (HMENU holder = nullptr; InstanceOf(owner)->GetItemByData(mis.itemData, holder))
        records.push_back(CurrentItem);  // an item of ID 0, by its position
      else if (const tolvane::MenuItemRec* rec = InstanceOf(owner)->Store().FindItem(mis.itemID, HandleOf(menu)))
        records.push_back(*rec);
    });
  }
  ui::Desktop* previous_;
};

TEST(MenuLoop, TheStoresForgetEveryPopupTheRuntimeDestroys) {
  Holder holder;
  holder.Load();
  SubclassForm(holder.hwnd(), nullptr, nullptr, 0);
  ui::MenuItem menu;
  ui::MenuItem& groups = menu.Add(L"SelGroupe", L"Groupe de programmes");
  for (int i = 0; i < 20; ++i) groups.Add(L"Groupe", L"Groupe " + std::to_wstring(i));
  menu.Add(L"AjGroupe", L"Ajouter un groupe{IMG:i1}");
  cMenuItems& items = *InstanceOf(holder.hwnd());
  const std::size_t popups = items.Store().PopupCount();  // the system menu's
  const int prepared = items.Preparations();
  LoopDesktop desktop;
  for (int i = 0; i < 1000; ++i) ui::PopupMenu(holder.hwnd(), menu);
  EXPECT_EQ(items.Preparations() - prepared, 2000);  // a recycled handle is prepared afresh
  EXPECT_EQ(items.Store().PopupCount(), popups);
  EXPECT_EQ(items.Store().ItemCount(), 0u);
  holder.Unload();
  EXPECT_EQ(SubclassedCount(), 0u);
}

TEST(MenuLoop, AChoiceRunsItsItemOnceWithTheEngineHooked) {
  TestWindow front(nullptr, true);
  Holder holder;  // hidden, as the program's menu holder
  holder.Load();
  SubclassForm(holder.hwnd(), nullptr, nullptr, 0);
  int un = 0, deux = 0;
  ui::MenuItem menu;
  menu.Add(L"Un", L"Un{IMG:i1}", [&] { ++un; });
  menu.Add(L"Deux", L"Deux{IMG:i2}", [&] { ++deux; });
  ui::MenuItem* chosen;
  {
    MenuTypist typist(holder.hwnd(), {VK_DOWN, VK_DOWN, VK_RETURN});
    chosen = ui::PopupMenu(holder.hwnd(), menu, {}, front.hwnd());
  }
  ASSERT_NE(chosen, nullptr);
  EXPECT_EQ(chosen->Name, L"Deux");
  EXPECT_EQ(std::pair(un, deux), std::pair(0, 1));
  EXPECT_EQ(CurrentMenuOwner(), holder.hwnd());  // the engine saw the loop
  {
    MenuTypist typist(holder.hwnd(), {VK_ESCAPE});
    EXPECT_EQ(ui::PopupMenu(holder.hwnd(), menu, {}, front.hwnd()), nullptr);
  }
  EXPECT_EQ(un + deux, 1);  // nothing more run
  holder.Unload();
  EXPECT_EQ(SubclassedCount(), 0u);
}

TEST(MenuLoop, TheGroupMenuIsDrawnWithGroupNamesAsTypedAndKeepsTheGdiCountOverAHundredPopups) {
  Holder holder;
  holder.Load();
  ui::ImageList pictures;
  {
    ui::OwnedBitmap strip = ui::CreateDib(16 * 9, 16, 32);
    pictures.LoadStrip(strip.get(), 16, RGB(255, 0, 255));
  }
  SubclassForm(holder.hwnd(), &pictures, nullptr, 0);
  ui::MenuItem menu;
  ui::MenuItem& groups = menu.Add(L"SelGroupe", L"Groupe de programmes");
  const std::vector<std::wstring> names{L"R&D", L"-Jeux", L"a{b}c", L"un\tdeux", L"x{IMG:i3}", L""};
  for (const std::wstring& name : names) {
    ui::MenuItem& item = groups.Add(L"Groupe", name);
    item.Literal = true;
    item.Tags = L"{IMG:i9}";
  }
  menu.Add(L"I1", L"-");
  menu.Add(L"AjGroupe", L"Ajouter un groupe{IMG:i1}");
  LoopDesktop desktop;
  void* bits = nullptr;
  ui::OwnedBitmap bitmap = ui::CreateDib(400, 300, 32, &bits);
  ui::OwnedMemoryDc dc(::CreateCompatibleDC(nullptr));
  HGDIOBJ old = ::SelectObject(dc.get(), bitmap.get());
  desktop.canvas = dc.get();

  ui::PopupMenu(holder.hwnd(), menu);
  ASSERT_EQ(desktop.drawn, 3 + static_cast<int>(names.size()));
  ASSERT_EQ(desktop.measured.size(), 3 + names.size());
  for (std::size_t i = 0; i < names.size(); ++i) {
    const MEASUREITEMSTRUCT& m = desktop.measured[i + 3];  // the sub-menu is opened after its parent
    EXPECT_EQ(m.itemHeight, 22u) << i;
    EXPECT_GE(m.itemWidth, 40u) << i;
  }
  EXPECT_EQ(desktop.measured[1].itemHeight, 6u);  // the separator
  // Names as typed: every "&" shown, no separator, no mark-up, tabs as blanks;
  // each with the group picture.
  const std::vector<std::wstring> shown{L"R&&D", L"-Jeux", L"a{b}c", L"un deux", L"x{IMG:i3}", L""};
  ASSERT_EQ(desktop.records.size(), 3 + names.size());
  for (std::size_t i = 0; i < names.size(); ++i) {
    const tolvane::MenuItemRec& rec = desktop.records[i + 3];
    EXPECT_EQ(rec.Text, shown[i]);
    EXPECT_EQ(rec.Flags & tolvane::kItemSeparator, 0u) << i;
    EXPECT_EQ(rec.Image, std::to_wstring(reinterpret_cast<UINT_PTR>(pictures.Picture(8))));
  }

  const long held = GdiObjectsHeld(), made = GdiObjectsMade();
  for (int i = 0; i < 100; ++i) ui::PopupMenu(holder.hwnd(), menu);
  EXPECT_EQ(desktop.drawn, 101 * (3 + static_cast<int>(names.size())));
  EXPECT_EQ(GdiObjectsHeld(), held);
  EXPECT_GT(GdiObjectsMade(), made);  // measuring borrows the window's DC, and gives it back
  ::SelectObject(dc.get(), old);
  holder.Unload();
  EXPECT_EQ(SubclassedCount(), 0u);
  EXPECT_EQ(GdiObjectsHeld(), 0);
}

}  // namespace
}  // namespace menus
