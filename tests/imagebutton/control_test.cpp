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

// Freed memory is filled with a pattern and never handed out again, so code
// that runs on a destroyed control fails loudly instead of by luck.
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

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

class ImageButtonControl : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ImageButtonTestHost";
    ::RegisterClassW(&wc);
    ::SetCursorPos(0, 0);  // keep the pointer away from the buttons
    host_ = ::CreateWindowExW(0, wc.lpszClassName, L"TolvaneTest-imagebutton", WS_OVERLAPPEDWINDOW,  // hidden: Wine is slow to destroy shown windows
                              300, 300, 400, 200, nullptr, nullptr, wc.hInstance, nullptr);
    button_ = XpBoutonImg::Create(host_, {.left = 960, .top = 100, .width = 1215, .height = 495,
                                          .properties = {{L"Caption", std::wstring(L"&Valider")},
                                                         {L"XPicture", std::wstring(L"3")},
                                                         {L"YPicture", std::wstring(L"1")},
                                                         {L"XTexte", std::wstring(L"13")}}});
    after_ = ::CreateWindowExW(0, L"BUTTON", L"b", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 200, 100, 40, 20, host_,
                               nullptr, nullptr, nullptr);
    ASSERT_TRUE(button_);
    button_->Click = [this] { log_.push_back("Click"); };
    button_->MouseDown = [this](MouseArgs&) { log_.push_back("MouseDown"); };
    button_->MouseUp = [this](MouseArgs&) { log_.push_back("MouseUp"); };
    XpBoutonImg::ShowMessage = [](HWND, const std::wstring&) {};
  }
  void TearDown() override {
    button_.reset();
    if (::IsWindow(host_)) ::DestroyWindow(host_);
    XpBoutonImg::ShowMessage = nullptr;
  }

  void Send(UINT msg, WPARAM wp, LPARAM lp) { ::SendMessageW(button_->Hwnd(), msg, wp, lp); }
  void Press(LPARAM down, LPARAM up) {
    Send(WM_LBUTTONDOWN, MK_LBUTTON, down);
    Send(WM_LBUTTONUP, 0, up);
  }

  HWND host_ = nullptr, after_ = nullptr;
  std::unique_ptr<XpBoutonImg> button_;
  std::vector<std::string> log_;
};

TEST_F(ImageButtonControl, SizedFromTwipsWithTheCornersCut) {
  RECT client{};
  ::GetClientRect(button_->Hwnd(), &client);
  EXPECT_EQ(client.right, 81);
  EXPECT_EQ(client.bottom, 33);
  ui::OwnedRegion region(::CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(::GetWindowRgn(button_->Hwnd(), region.get()), ERROR);
  for (const POINT p : {POINT{0, 0}, POINT{0, 32}, POINT{80, 0}, POINT{80, 32}}) {
    EXPECT_FALSE(::PtInRegion(region.get(), p.x, p.y)) << p.x << "," << p.y;
  }
  for (const POINT p : {POINT{1, 0}, POINT{0, 1}, POINT{79, 32}, POINT{40, 16}}) {
    EXPECT_TRUE(::PtInRegion(region.get(), p.x, p.y)) << p.x << "," << p.y;
  }
}

TEST_F(ImageButtonControl, ClicksOnlyWhenReleasedInside) {
  Press(At(40, 16), At(40, 16));
  EXPECT_EQ(log_, (std::vector<std::string>{"MouseDown", "MouseUp", "Click"}));
  log_.clear();
  Press(At(40, 16), At(200, 16));
  EXPECT_EQ(log_, (std::vector<std::string>{"MouseDown", "MouseUp"}));
  log_.clear();
  Press(At(10, 10), At(12, 12));  // on the picture
  EXPECT_EQ(log_, (std::vector<std::string>{"MouseDown", "MouseUp", "Click"}));
  EXPECT_EQ(::GetCapture(), nullptr);
  Send(WM_LBUTTONDBLCLK, MK_LBUTTON, At(40, 16));  // presses again, clicks no more
  EXPECT_EQ(::GetCapture(), button_->Hwnd());
  Send(WM_LBUTTONUP, 0, At(40, 16));
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_EQ(log_.back(), "MouseUp");
}

TEST_F(ImageButtonControl, KeysClickAndMoveTheFocus) {
  ::SetFocus(button_->Hwnd());
  EXPECT_EQ(button_->AccessKey(), L'v');
  Send(BM_CLICK, 0, 0);
  EXPECT_EQ(log_, (std::vector<std::string>{"Click"}));

  Send(WM_KEYDOWN, VK_RIGHT, 0);
  EXPECT_EQ(::GetFocus(), after_);
}

// "Valider" closes its dialog from Click: the control must not run on.
TEST_F(ImageButtonControl, DialogDestroyedFromClickSurvives) {
  for (int path = 0; path < 2; ++path) {
    if (!button_) SetUp();
    int clicks = 0;
    bool keyUpAfter = false;
    button_->Click = [&] {
      ++clicks;
      ::DestroyWindow(host_);
      button_.reset();
    };
    button_->KeyUp = [&](std::int16_t&, std::int16_t&) { keyUpAfter = true; };
    const HWND hwnd = button_->Hwnd();
    if (path == 0) {
      ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(40, 16));
      ::SendMessageW(hwnd, WM_LBUTTONUP, 0, At(40, 16));
    } else {
      ::SendMessageW(hwnd, WM_KEYDOWN, VK_RETURN, 0);
      ::SendMessageW(hwnd, WM_KEYUP, VK_RETURN, 0);
    }
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(keyUpAfter);
    EXPECT_FALSE(::IsWindow(hwnd));
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
  const HWND hwnd = button_->Hwnd();
  ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(40, 16));
  EXPECT_FALSE(button_);
  EXPECT_EQ(log_, std::vector<std::string>{});
  EXPECT_EQ(::GetCapture(), nullptr);
}

// Each numeric property refuses what is not a number it can take, with the
// control's message, and keeps what it had; a number is taken as given.
TEST_F(ImageButtonControl, RefusedNumberShowsTheMessageAndKeepsTheOldValue) {
  std::vector<std::wstring> shown;
  XpBoutonImg::ShowMessage = [&](HWND, const std::wstring& text) { shown.push_back(text); };
  using Setter = bool (XpBoutonImg::*)(const Value&);
  using Getter = Value (XpBoutonImg::*)() const;
  const struct {
    Setter set;
    Getter get;
    Value refused;
    Value taken;
  } cases[] = {
      {&XpBoutonImg::SetXPicture, &XpBoutonImg::XPicture, std::wstring(L"trois"), std::wstring(L"4")},
      {&XpBoutonImg::SetYPicture, &XpBoutonImg::YPicture, std::wstring(), 2.0},
      {&XpBoutonImg::SetWPicture, &XpBoutonImg::WPicture, -1.0, std::wstring(L"20")},
      {&XpBoutonImg::SetHPicture, &XpBoutonImg::HPicture, Value{}, 20.0},
      {&XpBoutonImg::SetXTexte, &XpBoutonImg::XTexte, true, std::wstring(L"12")},
  };
  for (const auto& c : cases) {
    const Value before = ((*button_).*c.get)();
    shown.clear();
    EXPECT_FALSE(((*button_).*c.set)(c.refused));
    EXPECT_TRUE(((*button_).*c.get)() == before);
    EXPECT_EQ(shown, std::vector<std::wstring>{L"Veuillez saisir une valeur numérique"});
    shown.clear();
    EXPECT_TRUE(((*button_).*c.set)(c.taken));
    EXPECT_TRUE(((*button_).*c.get)() == c.taken);
    EXPECT_TRUE(shown.empty());
  }
}

}  // namespace
}  // namespace imagebutton
