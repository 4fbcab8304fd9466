// The forms runtime under Wine: control arrays, stay-down buttons, the
// scroll bar and the keyboard.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "ui/control_array.h"
#include "ui/controls.h"
#include "ui/edit_controls.h"
#include "ui/form.h"
#include "ui/keyboard.h"

namespace {

void Click(ui::Window& w, int upX = 2) {
  ::SendMessageW(w.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  ::SendMessageW(w.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(upX, 2));
}

class TestForm : public ui::Form {
 public:
  explicit TestForm(std::wstring name = L"F") : ui::Form(std::move(name)) {}
  ui::Panel body;
  ui::RibbonButton button;
  ui::ControlArray<ui::Panel> items;

 protected:
  void Design() override {
    Move(0, 0, 3000, 3000);
    body.Create(*this, {.name = L"body", .left = 600, .top = 600, .width = 1500, .height = 1200});
    button.Create(body, {.name = L"button", .width = 600, .height = 300});
    items.Create(body, {.name = L"items", .top = 400, .width = 600, .height = 300, .caption = L"zero"});
  }
};

TEST(ControlArray, LoadsFromTheDesignAndUnloadsFromItsOwnHandler) {
  TestForm f;
  f.Load();
  ui::Panel& one = f.items.Load(1);
  EXPECT_EQ(one.Caption(), L"zero");
  EXPECT_FALSE(one.Visible());  // loaded elements start hidden
  one.SetVisible(true);
  f.items.Load(2).SetVisible(true);
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

TEST(RibbonButton, APressReleasedOutsideIsNoClick) {
  TestForm f;
  f.Load();
  int clicks = 0;
  f.button.onClick = [&] { ++clicks; };
  Click(f.button, 500);
  EXPECT_EQ(clicks, 0);
  EXPECT_FALSE(f.button.Value());
  Click(f.button);
  EXPECT_EQ(clicks, 1);
  f.Unload();
}

TEST(ScrollBar, RangeMayGoNegativeAndChangeFollowsTheValue) {
  TestForm f;
  f.Load();
  ui::ScrollBar bar;
  bar.Create(f.body, {.left = 1200, .width = 270, .height = 1200});
  int changes = 0;
  bar.onChange = [&] { ++changes; };
  bar.SetMax(40);
  bar.SetValue(25);
  bar.SetValue(25);
  EXPECT_EQ(bar.Value(), 25);
  EXPECT_EQ(changes, 1);
  bar.SetMax(-3);  // nothing left to scroll
  EXPECT_EQ(bar.Value(), 0);
  EXPECT_EQ(changes, 2);
  ::SendMessageW(bar.hwnd(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(bar.Value(), 0);
  f.Unload();
}

class FieldsForm : public ui::Form {
 public:
  FieldsForm() : ui::Form(L"Fields") {}
  ui::ListBox list;
  ui::Frame frame;
  ui::TextBox framed, last;
  // The system control inside each host window: what holds the focus.
  static HWND Inner(const ui::Window& host) { return ::GetWindow(host.hwnd(), GW_CHILD); }

 protected:
  void Design() override {
    Move(600, 600, 4000, 3000);
    list.Create(*this, {.name = L"list", .width = 1500, .height = 900});
    frame.Create(*this, {.name = L"frame", .top = 1000, .width = 3000, .height = 800});
    framed.Create(frame, {.name = L"framed", .left = 100, .top = 100, .width = 1500, .height = 315});
    last.Create(*this, {.name = L"last", .top = 2000, .width = 1500, .height = 315});
  }
};

// Tab follows the order the controls were made in, through containers,
// passing over what a hidden or disabled container holds.
TEST(FormKeyboard, TabGoesInCreationOrderOverReachableControls) {
  FieldsForm f;
  f.Show();
  const HWND list = FieldsForm::Inner(f.list), framed = FieldsForm::Inner(f.framed), last = FieldsForm::Inner(f.last);
  EXPECT_EQ(::GetFocus(), list);  // the first control, when the form shows
  std::vector<HWND> order;
  for (int i = 0; i < 4; ++i) {
    ui::TabFrom(::GetFocus(), false);
    order.push_back(::GetFocus());
  }
  EXPECT_EQ(order, (std::vector<HWND>{framed, last, list, framed}));
  ui::TabFrom(framed, true);
  EXPECT_EQ(::GetFocus(), list);
  f.frame.SetVisible(false);
  EXPECT_EQ(ui::NextTabStop(list, false), last);
  f.frame.SetVisible(true);
  ::EnableWindow(f.frame.hwnd(), FALSE);
  EXPECT_EQ(ui::NextTabStop(last, true), list);
  f.Unload();
}

// Coming back to a form gives the focus back to the control that had it.
TEST(FormKeyboard, FocusComesBackToItsControlWhenTheFormIsActivatedAgain) {
  FieldsForm f;
  TestForm other(L"Other");
  f.Show();
  const HWND last = FieldsForm::Inner(f.last);
  ::SetFocus(last);
  other.Show();
  ASSERT_EQ(::GetActiveWindow(), other.hwnd());
  ::SetActiveWindow(f.hwnd());
  EXPECT_EQ(::GetFocus(), last);
  other.Unload();
  f.Unload();
}

// What the program writes to the debugger output, caught on its way there.
std::string debugOutput;

LONG CALLBACK CatchDebugOutput(EXCEPTION_POINTERS* e) {
  const EXCEPTION_RECORD& r = *e->ExceptionRecord;
  if (r.ExceptionCode == DBG_PRINTEXCEPTION_C && r.NumberParameters >= 2) {
    debugOutput.append(reinterpret_cast<const char*>(r.ExceptionInformation[1]),
                       static_cast<std::size_t>(r.ExceptionInformation[0]));
    return EXCEPTION_CONTINUE_EXECUTION;
  }
  return EXCEPTION_CONTINUE_SEARCH;
}

TEST(Failures, OneCaughtAtAWindowProcedureIsWrittenOutAndCounted) {
  TestForm form(L"Failing");
  form.Load();
  int clicks = 0;
  form.button.onClick = [&] {
    ++clicks;
    throw std::runtime_error("bouton en panne");
  };
  PVOID handler = ::AddVectoredExceptionHandler(1, CatchDebugOutput);
  debugOutput.clear();
  Click(form.button);
  Click(form.button);
  ::RemoveVectoredExceptionHandler(handler);
  EXPECT_EQ(clicks, 2) << "the program goes on";
  EXPECT_EQ(ui::TakeCaughtFailures(), 2);
  EXPECT_EQ(ui::TakeCaughtFailures(), 0);
  EXPECT_NE(debugOutput.find("bouton en panne"), std::string::npos) << debugOutput;
  form.Unload();
}

}  // namespace
