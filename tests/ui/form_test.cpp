// The forms runtime under Wine: a form's life, modal showing, control
// arrays, stay-down buttons, docking and the scroll bar.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "ui/control_array.h"
#include "ui/controls.h"
#include "ui/edit_controls.h"
#include "ui/form.h"
#include "ui/menu.h"

namespace {

using ui::Design;

void Click(ui::Window& w) {
  ::SendMessageW(w.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  ::SendMessageW(w.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

class Recorder : public ui::Form {
 public:
  explicit Recorder(std::wstring name) : ui::Form(std::move(name)) {}
  std::vector<std::wstring> log;
  bool refuseUnload = false;
  ui::Panel top, bottom, left, body;
  ui::RibbonButton button;
  ui::ControlArray<ui::Panel> items;

 protected:
  void Design() override {
    log.push_back(L"Design");
    Move(0, 0, 3000, 3000);
    top.Create(*this, {.name = L"top", .height = 300, .align = ui::Align::Top});
    bottom.Create(*this, {.name = L"bottom", .height = 450, .align = ui::Align::Bottom});
    left.Create(*this, {.name = L"left", .width = 150, .align = ui::Align::Left});
    body.Create(*this, {.name = L"body", .left = 600, .top = 600, .width = 1500, .height = 1200});
    button.Create(body, {.name = L"button", .width = 600, .height = 300});
    items.Create(body, {.name = L"items", .top = 400, .width = 600, .height = 300, .caption = L"zero"});
  }
  void Form_Load() override { log.push_back(L"Load"); }
  void Form_Unload(bool& cancel) override {
    log.push_back(L"Unload");
    cancel = refuseUnload;
  }
};

TEST(Form, LoadsOnceInOrderAndUnloadCanBeCancelled) {
  Recorder a(L"A"), b(L"B");
  a.Load();
  a.Load();
  b.Load();
  EXPECT_EQ(a.log, (std::vector<std::wstring>{L"Design", L"Load"}));
  ASSERT_GE(ui::LoadedForms().size(), 2u);
  EXPECT_EQ(ui::LoadedForms()[ui::LoadedForms().size() - 2], &a);
  EXPECT_EQ(ui::LoadedForms().back(), &b);

  b.refuseUnload = true;
  EXPECT_FALSE(b.Unload());
  EXPECT_TRUE(b.Loaded());
  EXPECT_TRUE(::IsWindow(b.hwnd()));
  b.refuseUnload = false;
  EXPECT_TRUE(b.Unload());
  EXPECT_FALSE(b.Loaded());
  EXPECT_EQ(b.hwnd(), nullptr);
  EXPECT_EQ(ui::LoadedForms().back(), &a);
  a.Unload();
}

TEST(Form, DocksAlignedControlsAndKeepsTwipsAsSet) {
  Recorder f(L"F");
  f.Load();
  RECT r{};
  ::GetWindowRect(f.hwnd(), &r);
  EXPECT_EQ(r.right - r.left, 200);  // 3000 twips
  EXPECT_EQ(f.top.Top(), 0);
  EXPECT_EQ(f.top.Width(), 3000);
  EXPECT_EQ(f.bottom.Top(), 3000 - 450);
  EXPECT_EQ(f.left.Top(), 300);
  EXPECT_EQ(f.left.Height(), 3000 - 300 - 450);
  f.SetWidth(3310);
  EXPECT_EQ(f.Width(), 3310);  // the twips stay exact, whatever the pixels
  ::GetWindowRect(f.hwnd(), &r);
  EXPECT_EQ(r.right - r.left, 221);
  EXPECT_EQ(f.top.Width(), 3315);  // docked controls follow the real inner width
  f.Unload();
}

TEST(Form, ModalShowDisablesTheOthersAndReturnsWhenItUnloadsItself) {
  Recorder owner(L"Owner"), dialog(L"Dialog");
  owner.Show();
  // The dialog's own button closes it, from inside the button's handler.
  dialog.Load();
  dialog.button.onClick = [&] {
    EXPECT_FALSE(::IsWindowEnabled(owner.hwnd()));
    dialog.Unload();
  };
  ::PostMessageW(dialog.button.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  ::PostMessageW(dialog.button.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  dialog.ShowModal();
  EXPECT_FALSE(dialog.Loaded());
  EXPECT_TRUE(::IsWindowEnabled(owner.hwnd()));
  owner.Unload();
}

TEST(ControlArray, LoadsFromTheDesignAndUnloadsFromItsOwnHandler) {
  Recorder f(L"F");
  f.Load();
  ui::Panel& one = f.items.Load(1);
  EXPECT_EQ(one.Index, 1);
  EXPECT_EQ(one.Caption(), L"zero");
  EXPECT_FALSE(one.Visible());  // loaded elements start hidden
  EXPECT_EQ(one.Parent(), &f.body);
  one.SetVisible(true);
  f.items.Load(2).SetVisible(true);
  EXPECT_EQ(f.items.Count(), 3);
  EXPECT_EQ(f.items.UBound(), 2);

  std::vector<int> clicked;
  f.items.onClick = [&](int i) {
    clicked.push_back(i);
    f.items.Unload(i);  // the control whose click this is goes away
  };
  Click(f.items[2]);
  Click(f.items[1]);
  EXPECT_EQ(clicked, (std::vector<int>{2, 1}));
  EXPECT_EQ(f.items.Count(), 1);
  EXPECT_FALSE(f.items.Exists(1));
  ui::CollectUnloaded();
  f.Unload();
}

TEST(RibbonButton, StaysDownUntilItsHandlerLetsGo) {
  Recorder f(L"F");
  f.Load();
  std::vector<bool> seen;
  f.button.onClick = [&] { seen.push_back(f.button.Value()); };
  Click(f.button);
  EXPECT_EQ(seen, std::vector<bool>{true});
  EXPECT_TRUE(f.button.Value());
  f.button.onClick = [&] { f.button.SetValue(false); };
  Click(f.button);
  EXPECT_FALSE(f.button.Value());
  // A press released outside the button is no click.
  seen.clear();
  f.button.onClick = [&] { seen.push_back(true); };
  ::SendMessageW(f.button.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  ::SendMessageW(f.button.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(500, 2));
  EXPECT_TRUE(seen.empty());
  f.Unload();
}

TEST(ScrollBar, RangeMayGoNegativeAndChangeFollowsTheValue) {
  Recorder f(L"F");
  f.Load();
  ui::ScrollBar bar;
  bar.Create(f.body, {.left = 1200, .width = 270, .height = 1200});
  int changes = 0;
  bar.onChange = [&] { ++changes; };
  bar.SetMax(40);
  bar.SetValue(25);
  EXPECT_EQ(bar.Value(), 25);
  EXPECT_EQ(changes, 1);
  bar.SetValue(25);
  EXPECT_EQ(changes, 1);
  bar.SetMax(-3);  // nothing left to scroll
  EXPECT_EQ(bar.Max(), -3);
  EXPECT_EQ(bar.Value(), 0);
  EXPECT_EQ(changes, 2);
  ::SendMessageW(bar.hwnd(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(bar.Value(), 0);
  f.Unload();
}

TEST(Menu, PlainCaptionsShowAsTyped) {
  EXPECT_EQ(ui::PlainMenuText(L"R&D{IMG:i9}"), L"R&&D");
  EXPECT_EQ(ui::PlainMenuText(L"a\tb{IMG:i9}"), L"a b");
  EXPECT_EQ(ui::PlainMenuText(L"a{b}c{IMG:i9}"), L"a{b}c");
  EXPECT_EQ(ui::PlainMenuText(L"Quitter l'application{IMG:i5}"), L"Quitter l'application");
}

}  // namespace

namespace {

TEST(EditControls, TextBoxReportsEnterAndListBoxKeepsItsItems) {
  Recorder f(L"F");
  f.Load();
  ui::TextBox box;
  box.Create(f.body, {.width = 1200, .height = 300, .caption = L"Groupe N°01"});
  EXPECT_EQ(box.Text(), L"Groupe N°01");
  std::vector<int> keys;
  box.onKeyPress = [&](int key) { keys.push_back(key); };
  HWND edit = ::GetWindow(box.hwnd(), GW_CHILD);
  ::SendMessageW(edit, WM_CHAR, L'x', 0);
  ::SendMessageW(edit, WM_CHAR, VK_RETURN, 0);
  EXPECT_EQ(keys, (std::vector<int>{L'x', 13}));

  ui::ListBox list;
  list.Create(f.body, {.top = 400, .width = 1200, .height = 600});
  list.AddItem(L"Verdana");
  list.AddItem(L"Tahoma");
  EXPECT_EQ(list.ListCount(), 2);
  EXPECT_EQ(list.ListIndex(), -1);
  list.SetListIndex(1);
  EXPECT_EQ(list.List(list.ListIndex()), L"Tahoma");
  EXPECT_EQ(list.List(7), L"");
  f.Unload();
}

}  // namespace
