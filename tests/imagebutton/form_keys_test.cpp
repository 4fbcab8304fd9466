// Image buttons in a real form, driven by typed keys through the form's own
// modal loop: the focus moves by Tab, the access keys click, a disabled
// button stays silent, and the face shows its picture on the screen.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "canvas.h"
#include "controls/imagebutton/xp_bouton_img.h"
#include "ui/edit_controls.h"
#include "ui/form.h"

namespace imagebutton {
namespace {

constexpr COLORREF kPictureColour = RGB(12, 200, 34);  // in no face

std::unique_ptr<XpBoutonImg> MakeButton(HWND parent, int left, const std::wstring& caption, PicturePtr picture) {
  return XpBoutonImg::Create(parent, {.left = left, .top = 600, .width = 1215, .height = 495,
                                      .properties = {{L"Caption", caption},
                                                     {L"Image", picture},
                                                     {L"XPicture", std::wstring(L"3")},
                                                     {L"YPicture", std::wstring(L"1")},
                                                     {L"XTexte", std::wstring(L"13")}}});
}

class KeysForm : public ui::Form {
 public:
  KeysForm() : ui::Form(L"FrmKeys") {}
  ui::TextBox text;
  std::unique_ptr<XpBoutonImg> valider, annuler;
  std::atomic<int> validerClicks{0}, annulerClicks{0}, enters{0};

  HWND Edit() const { return ::GetWindow(text.hwnd(), GW_CHILD); }

 protected:
  void Design() override {
    Move(1500, 1500, 3000, 1500);
    text.Create(*this, {.name = L"Saisie", .left = 120, .top = 120, .width = 2700, .height = 315});
    valider = MakeButton(hwnd(), 120, L"&Valider", SolidBitmap(kPictureColour));
    annuler = MakeButton(hwnd(), 1500, L"&Annuler", nullptr);
    valider->Click = [this] { ++validerClicks; };
    annuler->Click = [this] { ++annulerClicks; };
    text.onKeyPress = [this](int key) { enters += key == 13; };
  }
};

// Typed as a user types: the keys go to whatever has the focus, through the
// thread's input queue.
void Type(WORD key, std::initializer_list<WORD> held = {}) {
  std::vector<INPUT> in;
  auto add = [&](WORD vk, bool up) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = vk;
    i.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    in.push_back(i);
  };
  for (WORD h : held) add(h, false);
  add(key, false);
  add(key, true);
  for (auto h = std::rbegin(held); h != std::rend(held); ++h) add(*h, true);
  ::SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

// Runs on its own thread while the form's modal loop runs on the test's.
class Script {
 public:
  explicit Script(DWORD uiThread) : uiThread_(uiThread) {}

  HWND Focus() const {
    GUITHREADINFO info{sizeof info};
    return ::GetGUIThreadInfo(uiThread_, &info) ? info.hwndFocus : nullptr;
  }
  bool WaitFor(const std::function<bool()>& done) const {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done()) {
      if (std::chrono::steady_clock::now() > end) return false;
      ::Sleep(10);
    }
    return true;
  }
  void Expect(const char* step, bool ok) {
    if (!ok) failures.push_back(step);
  }
  // Types Tab and waits until the focus is where it should then be.
  void TabTo(const char* step, HWND expected, bool shift = false) {
    shift ? Type(VK_TAB, {VK_SHIFT}) : Type(VK_TAB);
    Expect(step, WaitFor([&] { return Focus() == expected; }));
  }

  std::vector<std::string> failures;

 private:
  DWORD uiThread_;
};

int CountOnScreen(HWND window, COLORREF colour) {
  RECT r{};
  ::GetClientRect(window, &r);
  Canvas canvas(r.right, r.bottom);
  HDC screen = ::GetDC(window);
  ::BitBlt(canvas.Dc(), 0, 0, r.right, r.bottom, screen, 0, 0, SRCCOPY);
  ::ReleaseDC(window, screen);
  return canvas.Count([colour](COLORREF c) { return c == colour; });
}

TEST(ImageButtonInAForm, TabMovesTheFocusAndAccessKeysClickTheEnabledButton) {
  KeysForm form;
  form.Load();
  const HWND edit = form.Edit(), valider = form.valider->Hwnd(), annuler = form.annuler->Hwnd();
  Script s(::GetCurrentThreadId());
  std::thread script([&] {
    s.Expect("the text box has the focus when the form shows", s.WaitFor([&] { return s.Focus() == edit; }));
    s.Expect("the form is in the foreground", ::GetForegroundWindow() == form.hwnd());
    s.Expect("the bitmap picture is drawn on the face",
             s.WaitFor([&] { return CountOnScreen(valider, kPictureColour) >= 33 * 30; }));

    s.TabTo("Tab: text box to Valider", valider);
    s.TabTo("Tab: Valider to Annuler", annuler);
    s.TabTo("Tab: round from the last control to the first", edit);
    s.TabTo("Shift+Tab: round to the last", annuler, true);
    s.TabTo("Shift+Tab: Annuler to Valider", valider, true);

    Type('A', {VK_MENU});
    s.Expect("Alt+A clicks Annuler", s.WaitFor([&] { return form.annulerClicks == 1; }));
    Type('V', {VK_MENU});
    s.Expect("Alt+V clicks Valider", s.WaitFor([&] { return form.validerClicks == 1; }));
    Type('A');  // on a button, which types nothing
    s.Expect("A alone on a button clicks Annuler", s.WaitFor([&] { return form.annulerClicks == 2; }));

    s.TabTo("Shift+Tab back to the text box", edit, true);
    Type('V');
    Type(VK_RETURN);
    s.Expect("Enter reaches the text box", s.WaitFor([&] { return form.enters == 1; }));
    s.Expect("V alone in the text box types it", form.text.Text() == L"v");

    ::EnableWindow(valider, FALSE);
    Type('V', {VK_MENU});
    s.TabTo("Tab passes over the disabled button", annuler);  // and tells that Alt+V was handled
    ::SendMessageW(valider, BM_CLICK, 0, 0);
    s.Expect("each key clicked once, and the disabled button never",
             form.validerClicks == 1 && form.annulerClicks == 2);
    ::PostMessageW(form.hwnd(), WM_CLOSE, 0, 0);
  });
  form.ShowModal();
  script.join();
  EXPECT_EQ(s.failures, std::vector<std::string>{});
  EXPECT_FALSE(form.Loaded());
}

// The caption takes the hover colour while the pointer is over the button,
// and only then.
TEST(ImageButtonInAForm, HoveredCaptionTakesTheHoverColour) {
  struct HoverForm : ui::Form {
    HoverForm() : ui::Form(L"FrmHover") {}
    std::unique_ptr<XpBoutonImg> button;
    void Design() override {
      Move(1500, 1500, 3000, 1500);
      button = XpBoutonImg::Create(hwnd(), {.left = 120, .top = 120, .width = 1800, .height = 495,
                                            .properties = {{L"Caption", std::wstring(L"WWW MMM")},
                                                           {L"XTexte", 0.0},
                                                           {L"ForeColor", Colour{0x00FF0000}},
                                                           {L"ForeHover", Colour{0x000000FF}}}});
    }
  } form;
  form.Show();
  const HWND button = form.button->Hwnd();
  RECT r{};
  ::GetClientRect(button, &r);
  // Counted by hue inside the edges, where the face itself is grey: the text
  // may be smoothed.
  auto captionPixels = [&](bool red) {
    Canvas canvas(r.right, r.bottom);
    ::SendMessageW(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
    return canvas.Count(
        [red](COLORREF c) { return red ? GetRValue(c) > GetBValue(c) + 60 : GetBValue(c) > GetRValue(c) + 60; }, 4);
  };
  constexpr bool kFore = false, kHover = true;  // blue, red
  EXPECT_GT(captionPixels(kFore), 20);
  EXPECT_EQ(captionPixels(kHover), 0);

  POINT centre{r.right / 2, r.bottom / 2};
  ::ClientToScreen(button, &centre);
  ::SetCursorPos(centre.x, centre.y);
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);  // shown before it is pointed at
  ASSERT_EQ(::WindowFromPoint(centre), button);
  ::SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(r.right / 2, r.bottom / 2));
  EXPECT_GT(captionPixels(kHover), 20);
  EXPECT_EQ(captionPixels(kFore), 0);
  ::SetCursorPos(0, 0);
  form.Unload();
}

}  // namespace
}  // namespace imagebutton
