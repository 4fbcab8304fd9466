// The forms runtime under Wine: control arrays, stay-down buttons, the
// scroll bar, the list and text boxes, the keyboard, caption drawing, the
// image list's icons, and a failure caught at a window procedure.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "ui/control_array.h"
#include "ui/controls.h"
#include "ui/edit_controls.h"
#include "ui/form.h"
#include "ui/image_list.h"
#include "ui/keyboard.h"
#include "ui/picture.h"
#include "ui/seams.h"
#include "ui/timer.h"
#include "../menus_draw/dc_state.h"
#include "../shell_drop.h"

namespace {

void Click(ui::Window& w, int upX = 2) {
  ::SendMessageW(w.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  ::SendMessageW(w.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(upX, 2));
}

class TestForm : public ui::Form {
 public:
  TestForm() : ui::Form(L"F") {}
  ui::ListBox list;
  ui::Frame frame;
  ui::TextBox framed, last;
  ui::Panel body;
  ui::RibbonButton button;
  ui::ControlArray<ui::Panel> items;

 protected:
  void Design() override {
    Move(600, 600, 4000, 4000);
    list.Create(*this, {.name = L"list", .width = 1500, .height = 900}, true);
    frame.Create(*this, {.name = L"frame", .top = 1000, .width = 3000, .height = 800});
    framed.Create(frame, {.name = L"framed", .left = 100, .top = 100, .width = 1500, .height = 315});
    last.Create(*this, {.name = L"last", .top = 2000, .width = 1500, .height = 315, .back = RGB(0xE0, 0xE0, 0xE0),
                        .font = {L"Verdana", 8.25}});
    body.Create(*this, {.name = L"body", .left = 1600, .top = 2400, .width = 1500, .height = 1200});
    button.Create(body, {.name = L"button", .width = 600, .height = 300});
    items.Create(body, {.name = L"items", .top = 400, .width = 600, .height = 300, .caption = L"zero"});
  }
};

class Forms : public ::testing::Test {
 protected:
  void SetUp() override { f.Show(); }
  void TearDown() override { f.Unload(); }
  TestForm f;
};

TEST_F(Forms, AControlArrayLoadsFromTheDesignAndUnloadsFromItsOwnHandler) {
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
  const HWND two = f.items[2].hwnd(), first = f.items[1].hwnd();
  Click(f.items[2]);
  Click(f.items[1]);
  EXPECT_EQ(clicked, (std::vector<int>{2, 1}));
  EXPECT_EQ(f.items.Count(), 1);
  EXPECT_FALSE(f.items.Exists(1));

  // The pointer leaves the unloaded ones, whose windows are not collected
  // yet, then an element loaded at 1 again: only the last is heard of.
  std::vector<int> left;
  f.items.onMouseExit = [&](int i) { left.push_back(static_cast<int>(f.items[i].Width())); };
  f.items.Load(1).SetWidth(900);
  for (HWND h : {two, first, f.items[1].hwnd()}) ::SendMessageW(h, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(left, std::vector<int>{900});
  EXPECT_EQ(ui::TakeCaughtFailures(), 0);
  ui::CollectUnloaded();
}

TEST_F(Forms, ARibbonButtonPressReleasedOutsideIsNoClick) {
  int clicks = 0;
  f.button.onClick = [&] { ++clicks; };
  Click(f.button, 500);
  EXPECT_EQ(clicks, 0);
  EXPECT_FALSE(f.button.Value());
  Click(f.button);
  EXPECT_EQ(clicks, 1);
}

TEST_F(Forms, AScrollBarsRangeMayGoNegativeAndChangeFollowsTheValue) {
  ui::ScrollBar bar;
  bar.Create(f.body, {.left = 1200, .width = 270, .height = 1200});
  int changes = 0;
  bar.onChange = [&] { ++changes; };
  bar.SetMax(40);
  bar.SetValue(25);
  bar.SetValue(25);
  EXPECT_EQ(changes, 1);
  bar.SetMax(-3);  // nothing left to scroll
  EXPECT_EQ(bar.Value(), 0);
  EXPECT_EQ(changes, 2);
  ::SendMessageW(bar.hwnd(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(bar.Value(), 0);
}

// Tab follows the order the controls were made in, through containers,
// passing over what a hidden or disabled container holds.
TEST_F(Forms, TabGoesInCreationOrderOverReachableControls) {
  const HWND list = ::GetWindow(f.list.hwnd(), GW_CHILD), framed = f.framed.EditHwnd(), last = f.last.EditHwnd();
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
}

TEST_F(Forms, AListsChoiceFromCodeActsAsAClickEvenWhenTheSame) {
  for (const wchar_t* name : {L"Verdana", L"Arial", L"Tahoma"}) f.list.AddItem(name);
  std::vector<int> clicks;
  f.list.onClickItem = [&] { clicks.push_back(f.list.ListIndex()); };
  f.list.SetListIndex(2);
  f.list.SetListIndex(2);  // chosen again: the handler runs again, as for a click
  f.list.SetListIndex(0);
  f.list.SetListIndex(-1);
  EXPECT_EQ(clicks, (std::vector<int>{2, 2, 0}));
}

TEST_F(Forms, ATextBoxsColoursAndFontReachTheSystemEditAndDroppedFilesArriveWhole) {
  HWND edit = f.last.EditHwnd();
  auto colours = [&] {
    HDC dc = ::GetDC(edit);
    ::SendMessageW(f.last.hwnd(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit));
    std::pair<COLORREF, COLORREF> c{::GetBkColor(dc), ::GetTextColor(dc)};
    ::ReleaseDC(edit, dc);
    return c;
  };
  EXPECT_EQ(colours(), std::make_pair(RGB(0xE0, 0xE0, 0xE0), RGB(0, 0, 0)));
  f.last.SetBackColor(RGB(10, 20, 30));
  f.last.SetForeColor(RGB(200, 100, 50));
  EXPECT_EQ(colours(), std::make_pair(RGB(10, 20, 30), RGB(200, 100, 50)));
  f.last.SetFont({L"Tahoma", 14});
  LOGFONTW lf{};
  ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(edit, WM_GETFONT, 0, 0)), sizeof lf, &lf);
  EXPECT_STREQ(lf.lfFaceName, L"Tahoma");

  f.last.AcceptFiles(true);
  EXPECT_TRUE(::GetWindowLongW(edit, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  std::vector<std::vector<std::wstring>> drops;
  f.last.onDropFiles = [&](const std::vector<std::wstring>& files) { drops.push_back(files); };
  const std::wstring longPath = L"C:\\" + std::wstring(300, L'x') + L"\\fichier long.txt";
  ::SendMessageW(edit, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({L"C:\\Jeux\\a.exe", longPath})), 0);
  EXPECT_EQ(drops, (std::vector<std::vector<std::wstring>>{{L"C:\\Jeux\\a.exe", longPath}}));
}

TEST(Caption, DrawingLeavesTheDcAsFound) {
  HDC dc = ::CreateCompatibleDC(nullptr);
  DisturbDefaults(dc);
  const DcState before = DcState::Of(dc);
  for (bool wrap : {false, true})
    ui::DrawCaptionText(dc, RECT{0, 0, 80, 40}, L"Valider les choix", nullptr, RGB(200, 0, 0), ui::TextAlign::Center,
                        wrap);
  EXPECT_EQ(DcState::Of(dc), before);
  ::DeleteDC(dc);
}

TEST(ListColourDialog, OpensFullOnTheEntrysColour) {
  LONG width = 0;
  UINT red = 0;
  std::thread closer([&] {
    HWND dialog = nullptr;
    for (int i = 0; i < 400 && !dialog; ++i, ::Sleep(25)) dialog = ::FindWindowW(L"#32770", nullptr);
    ::Sleep(100);
    RECT r{};
    ::GetWindowRect(dialog, &r);
    width = r.right - r.left;
    red = ::GetDlgItemInt(dialog, 706, nullptr, FALSE);  // its red box
    ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_FALSE(ui::TheDesktop().ChooseListColour(nullptr, RGB(10, 20, 30)));
  closer.join();
  EXPECT_GT(width, 400);  // the custom colour part shown
  EXPECT_EQ(red, 10u);
}

TEST(ScreenFonts, OneNamePerFamilyAndNoVerticalFaces) {
  const std::vector<std::wstring> fonts = ui::TheDesktop().ScreenFonts();
  ASSERT_FALSE(fonts.empty());
  EXPECT_EQ(std::set<std::wstring>(fonts.begin(), fonts.end()).size(), fonts.size());
  for (const std::wstring& name : fonts) EXPECT_TRUE(!name.empty() && name[0] != L'@') << name;
}

TEST(ImageList, EachPictureHasOneIconOwnedByTheList) {
  ui::ImageList list;
  ui::OwnedBitmap strip = ui::CreateDib(48, 16, 32);  // three 16-pixel pictures
  ASSERT_TRUE(list.LoadStrip(strip.get(), 16, RGB(0xC0, 0xC0, 0xC0)));
  HICON second = list.Picture(1);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(list.Picture(1), second);  // made once
  EXPECT_NE(list.Picture(0), second);
  EXPECT_EQ(list.Picture(3), nullptr);
  EXPECT_EQ(list.Picture(-1), nullptr);
  // Loading again frees the old pictures.
  ASSERT_TRUE(list.LoadStrip(strip.get(), 16, RGB(0xC0, 0xC0, 0xC0)));
  ICONINFO info{};
  EXPECT_FALSE(::GetIconInfo(second, &info));
  EXPECT_NE(list.Picture(1), nullptr);
  EXPECT_EQ(ui::ImageList().Picture(0), nullptr);
}

// What the program writes to the debugger output, caught on its way there.
std::string debugOutput;

LONG CALLBACK CatchDebugOutput(EXCEPTION_POINTERS* e) {
  const EXCEPTION_RECORD& r = *e->ExceptionRecord;
  if (r.ExceptionCode != DBG_PRINTEXCEPTION_C || r.NumberParameters < 2) return EXCEPTION_CONTINUE_SEARCH;
  debugOutput.append(reinterpret_cast<const char*>(r.ExceptionInformation[1]),
                     static_cast<std::size_t>(r.ExceptionInformation[0]));
  return EXCEPTION_CONTINUE_EXECUTION;
}

TEST_F(Forms, AFailureCaughtAtAWindowProcedureIsWrittenOutAndCounted) {
  int clicks = 0;
  f.button.onClick = [&] {
    ++clicks;
    throw std::runtime_error("bouton en panne");
  };
  PVOID handler = ::AddVectoredExceptionHandler(1, CatchDebugOutput);
  Click(f.button);
  Click(f.button);
  ::RemoveVectoredExceptionHandler(handler);
  EXPECT_EQ(clicks, 2) << "the program goes on";
  EXPECT_EQ(ui::TakeCaughtFailures(), 2);
  EXPECT_EQ(ui::TakeCaughtFailures(), 0);
  // What was thrown, and the message and control it came with.
  EXPECT_NE(debugOutput.find("runtime_error: bouton en panne (message 0x0202 to F.body.button)"), std::string::npos)
      << debugOutput;
}

// What a modal form's loop waits on beside its messages: an event set wakes
// it and runs the call watching it, and the loop sees at once what that did.
TEST(MessageLoops, AModalFormsLoopRunsTheCallOfAWatchedEventOnceSet) {
  TestForm modal;
  ui::OwnedHandle event(::CreateEventW(nullptr, FALSE, TRUE, nullptr));
  int calls = 0;
  ui::WatchEvent(event.get(), [&] {
    ++calls;
    modal.Unload();
  });
  bool stuck = false;
  ui::Timer guard;  // a loop deaf to the event would wait for ever
  guard.onTimer = [&] {
    stuck = true;
    modal.Unload();
  };
  guard.Start(3000);
  modal.ShowModal();
  ui::UnwatchEvent(event.get());
  EXPECT_EQ(calls, 1);
  EXPECT_FALSE(stuck);
}

}  // namespace
