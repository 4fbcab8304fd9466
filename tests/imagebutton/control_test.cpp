#include "controls/imagebutton/xp_bouton_img.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <new>
#include <string>
#include <vector>

#include "ui/handles.h"

// Freed memory is poisoned and never reused, so code that runs on a destroyed
// control fails loudly instead of by luck.
void* operator new(std::size_t size) {
  auto* block = static_cast<unsigned char*>(std::malloc(size + 16));
  if (!block) throw std::bad_alloc();
  std::memcpy(block, &size, sizeof size);
  return block + 16;
}
void operator delete(void* p) noexcept {
  if (!p) return;
  std::size_t size = 0;
  std::memcpy(&size, static_cast<unsigned char*>(p) - 16, sizeof size);
  std::memset(p, 0xDD, size);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

namespace imagebutton {
namespace {

using Log = std::vector<std::string>;
const LPARAM kInside = MAKELPARAM(40, 16);

class ImageButtonControl : public ::testing::Test {
 protected:
  void SetUp() override {
    ::SetCursorPos(0, 0);  // keep the pointer away from the buttons
    // Hidden: Wine is slow to destroy shown windows.
    host_ = ::CreateWindowExW(0, L"STATIC", L"TolvaneTest-imagebutton", WS_OVERLAPPEDWINDOW, 300, 300, 400, 200,
                              nullptr, nullptr, nullptr, nullptr);
    button_ = XpBoutonImg::Create(host_, {.left = 960, .top = 100, .width = 1215, .height = 495,
                                          .properties = {{L"Caption", std::wstring(L"&Valider")}}});
    after_ = ::CreateWindowExW(0, L"BUTTON", L"b", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 200, 100, 40, 20, host_,
                               nullptr, nullptr, nullptr);
    ASSERT_TRUE(button_);
    hwnd_ = button_->Hwnd();
    button_->Click = [this] { log_.push_back("Click"); };
    button_->MouseUp = [this](MouseArgs&) { log_.push_back("MouseUp"); };
    XpBoutonImg::ShowMessage = [](HWND, const std::wstring&) {};
  }
  void TearDown() override {
    button_.reset();
    if (::IsWindow(host_)) ::DestroyWindow(host_);
    XpBoutonImg::ShowMessage = nullptr;
  }
  void Send(UINT msg, WPARAM wp, LPARAM lp) { ::SendMessageW(hwnd_, msg, wp, lp); }

  HWND host_ = nullptr, after_ = nullptr, hwnd_ = nullptr;
  std::unique_ptr<XpBoutonImg> button_;
  Log log_;
};

// 1215 x 495 twips make 81 x 33 pixels, whose four corner pixels are cut.
TEST_F(ImageButtonControl, SizedFromTwipsWithTheCornersCut) {
  ui::OwnedRegion region(::CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(::GetWindowRgn(hwnd_, region.get()), ERROR);
  const struct { int x, y; bool in; } points[] = {{0, 0, false}, {0, 32, false}, {80, 0, false}, {80, 32, false},
                                                 {1, 0, true},   {0, 1, true},   {79, 32, true}, {40, 16, true}};
  for (const auto& p : points) EXPECT_EQ(::PtInRegion(region.get(), p.x, p.y) != 0, p.in) << p.x << "," << p.y;
}

TEST_F(ImageButtonControl, ClicksOnlyWhenReleasedInsideAndADoubleClickOnlyPresses) {
  Send(WM_LBUTTONDOWN, MK_LBUTTON, kInside);
  Send(WM_LBUTTONUP, 0, MAKELPARAM(200, 16));
  Send(WM_LBUTTONDOWN, MK_LBUTTON, kInside);
  Send(WM_LBUTTONUP, 0, kInside);
  EXPECT_EQ(log_, (Log{"MouseUp", "MouseUp", "Click"}));
  EXPECT_EQ(::GetCapture(), nullptr);
  Send(WM_LBUTTONDBLCLK, MK_LBUTTON, kInside);
  EXPECT_EQ(::GetCapture(), hwnd_);
  Send(WM_LBUTTONUP, 0, kInside);
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_EQ(log_.back(), "MouseUp");
}

TEST_F(ImageButtonControl, ArrowMovesTheFocus) {
  ::SetFocus(hwnd_);
  Send(WM_KEYDOWN, VK_RIGHT, 0);
  EXPECT_EQ(::GetFocus(), after_);
}

TEST_F(ImageButtonControl, DialogDestroyedFromClickSurvives) {
  for (const UINT down : {WM_LBUTTONDOWN, WM_KEYDOWN}) {
    if (!button_) SetUp();
    button_->Click = [this] {  // the dialog closes, as "Valider" does
      log_.push_back("Click");
      ::DestroyWindow(host_);
      button_.reset();
    };
    bool keyUpAfter = false;
    button_->KeyUp = [&](std::int16_t&, std::int16_t&) { keyUpAfter = true; };
    const bool mouse = down == WM_LBUTTONDOWN;
    Send(down, mouse ? MK_LBUTTON : VK_RETURN, mouse ? kInside : 0);
    Send(mouse ? WM_LBUTTONUP : WM_KEYUP, mouse ? 0 : VK_RETURN, mouse ? kInside : 0);
    EXPECT_EQ(log_.back(), "Click");
    EXPECT_FALSE(keyUpAfter);
    EXPECT_FALSE(::IsWindow(hwnd_));
    log_.clear();
  }
}

// Taking the focus runs the focus handlers of the control that had it; one
// that closes the dialog leaves the press with nothing to do.
TEST_F(ImageButtonControl, PressThatMovesTheFocusAwayFromAClosingControl) {
  static std::function<void()> closing;
  closing = [this] {
    ::DestroyWindow(host_);
    button_.reset();
  };
  const auto proc = [](HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) -> LRESULT {
    if (msg == WM_KILLFOCUS && closing) std::exchange(closing, nullptr)();
    return ::DefSubclassProc(hwnd, msg, wp, lp);
  };
  ::SetWindowSubclass(after_, proc, 1, 0);
  ::SetFocus(after_);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, kInside);
  EXPECT_FALSE(button_);
  EXPECT_EQ(log_, Log{});
  EXPECT_EQ(::GetCapture(), nullptr);
}

// A numeric property refuses what is not a number it can take, with the
// control's message, and keeps what it had; a number is taken as given.
TEST_F(ImageButtonControl, RefusedNumberShowsTheMessageAndKeepsTheOldValue) {
  std::vector<std::wstring> shown;
  XpBoutonImg::ShowMessage = [&](HWND, const std::wstring& text) { shown.push_back(text); };
  XpBoutonImg& b = *button_;
  const struct {
    bool (XpBoutonImg::*set)(const Value&);
    Value (XpBoutonImg::*get)() const;
    Value refused, taken;
  } cases[] = {
      {&XpBoutonImg::SetXPicture, &XpBoutonImg::XPicture, std::wstring(L"trois"), std::wstring(L"4")},
      {&XpBoutonImg::SetYPicture, &XpBoutonImg::YPicture, std::wstring(), 2.0},
      {&XpBoutonImg::SetWPicture, &XpBoutonImg::WPicture, -1.0, std::wstring(L"20")},
      {&XpBoutonImg::SetHPicture, &XpBoutonImg::HPicture, Value{}, 20.0},
      {&XpBoutonImg::SetXTexte, &XpBoutonImg::XTexte, true, std::wstring(L"12")},
  };
  for (const auto& c : cases) {
    const Value before = (b.*c.get)();
    EXPECT_FALSE((b.*c.set)(c.refused));
    EXPECT_TRUE((b.*c.get)() == before);
    EXPECT_TRUE((b.*c.set)(c.taken));
    EXPECT_TRUE((b.*c.get)() == c.taken);
  }
  EXPECT_EQ(shown, std::vector<std::wstring>(std::size(cases), L"Veuillez saisir une valeur numérique"));
}

}  // namespace
}  // namespace imagebutton
