// Image buttons in a real form, driven by typed keys through the form's own
// modal loop, and pointed at with the real pointer.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include "canvas.h"
#include "controls/imagebutton/xp_bouton_img.h"
#include "ui/edit_controls.h"
#include "ui/form.h"

namespace imagebutton {
namespace {

constexpr COLORREF kPictureColour = RGB(12, 200, 34);  // in no face

// A text box and two buttons, their captions blue, red under the pointer.
class KeysForm : public ui::Form {
 public:
  KeysForm() : ui::Form(L"FrmKeys") {}
  ui::TextBox text;
  std::unique_ptr<XpBoutonImg> valider, annuler;
  std::atomic<int> validerClicks{0}, annulerClicks{0}, enters{0};

 protected:
  void Design() override {
    Move(1500, 1500, 3000, 1500);
    text.Create(*this, {.name = L"Saisie", .left = 120, .top = 120, .width = 2700, .height = 315});
    valider = Button(120, L"&Valider", SolidBitmap(kPictureColour));
    annuler = Button(1500, L"&Annuler", nullptr);
    valider->Click = [this] { ++validerClicks; };
    annuler->Click = [this] { ++annulerClicks; };
    text.onKeyPress = [this](int key) { enters += key == 13; };
  }
  std::unique_ptr<XpBoutonImg> Button(int left, const std::wstring& caption, PicturePtr picture) {
    return XpBoutonImg::Create(hwnd(), {.left = left, .top = 600, .width = 1215, .height = 495,
                                        .properties = {{L"Caption", caption}, {L"Image", picture},
                                                       {L"XPicture", std::wstring(L"3")},
                                                       {L"YPicture", std::wstring(L"1")},
                                                       {L"ForeColor", Colour{0x00FF0000}},
                                                       {L"ForeHover", Colour{0x000000FF}}}});
  }
};

// Typed as a user types: the keys go to whatever has the focus, through the
// thread's input queue.
void Type(BYTE key, std::initializer_list<BYTE> held = {}) {
  auto send = [](BYTE vk, DWORD up) { ::keybd_event(vk, static_cast<BYTE>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)), up, 0); };
  for (BYTE h : held) send(h, 0);
  send(key, 0);
  send(key, KEYEVENTF_KEYUP);
  for (auto h = std::rbegin(held); h != std::rend(held); ++h) send(*h, KEYEVENTF_KEYUP);
}

bool WaitFor(const std::function<bool()>& done) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    ::Sleep(10);
  }
  return true;
}

// How many pixels of the button's face match, leaving out `inset` pixels on
// every side.
int Count(HWND button, const std::function<bool(COLORREF)>& match, int inset = 0) {
  RECT r{};
  ::GetClientRect(button, &r);
  Canvas canvas(r.right, r.bottom);
  ::SendMessageW(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
  return canvas.Count(match, inset);
}

TEST(ImageButtonInAForm, TabMovesTheFocusAndAccessKeysClickTheEnabledButton) {
  KeysForm form;
  form.Load();
  EXPECT_GE(Count(form.valider->Hwnd(), [](COLORREF c) { return c == kPictureColour; }), 33 * 30);
  const HWND edit = ::GetWindow(form.text.hwnd(), GW_CHILD), valider = form.valider->Hwnd(),
             annuler = form.annuler->Hwnd();
  const DWORD uiThread = ::GetCurrentThreadId();
  std::vector<std::string> failures;
  // Runs on its own thread while the form's modal loop runs on the test's.
  std::thread script([&] {
    auto expect = [&](const char* step, bool ok) { if (!ok) failures.push_back(step); };
    auto focus = [&] {
      GUITHREADINFO info{sizeof info};
      return ::GetGUIThreadInfo(uiThread, &info) ? info.hwndFocus : nullptr;
    };
    auto tabTo = [&](const char* step, HWND expected, bool shift = false) {
      shift ? Type(VK_TAB, {VK_SHIFT}) : Type(VK_TAB);
      expect(step, WaitFor([&] { return focus() == expected; }));
    };
    expect("the text box has the focus when the form shows", WaitFor([&] { return focus() == edit; }));
    expect("the form is in the foreground", ::GetForegroundWindow() == form.hwnd());

    tabTo("Tab: text box to Valider", valider);
    tabTo("Tab: Valider to Annuler", annuler);
    tabTo("Tab: round from the last control to the first", edit);
    tabTo("Shift+Tab: round to the last", annuler, true);
    tabTo("Shift+Tab: Annuler to Valider", valider, true);

    Type('A', {VK_MENU});
    expect("Alt+A clicks Annuler", WaitFor([&] { return form.annulerClicks == 1; }));
    Type('V', {VK_MENU});
    expect("Alt+V clicks Valider", WaitFor([&] { return form.validerClicks == 1; }));
    Type('A');  // on a button, which types nothing
    expect("A alone on a button clicks Annuler", WaitFor([&] { return form.annulerClicks == 2; }));

    tabTo("Shift+Tab back to the text box", edit, true);
    Type('V');
    Type(VK_RETURN);
    expect("Enter reaches the text box", WaitFor([&] { return form.enters == 1; }));
    expect("V alone in the text box types it", form.text.Text() == L"v");

    ::EnableWindow(valider, FALSE);
    Type('V', {VK_MENU});
    tabTo("Tab passes over the disabled button", annuler);  // and tells that Alt+V was handled
    ::SendMessageW(valider, BM_CLICK, 0, 0);
    expect("each key clicked once, and the disabled button never",
           form.validerClicks == 1 && form.annulerClicks == 2);

    // Two buttons sharing a key take turns, wherever the focus started.
    ::EnableWindow(valider, TRUE);
    ::SendMessageW(annuler, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"&Vider"));
    for (int press = 1; press <= 4; ++press) {
      Type('V', {VK_MENU});
      expect("a shared key clicks the next of its buttons", WaitFor([&] {
               return form.validerClicks + form.annulerClicks == 3 + press &&
                      form.annulerClicks == 2 + press / 2 && form.validerClicks == 1 + (press + 1) / 2;
             }));
    }
    ::PostMessageW(form.hwnd(), WM_CLOSE, 0, 0);
  });
  form.ShowModal();
  script.join();
  EXPECT_EQ(failures, std::vector<std::string>{});
  EXPECT_FALSE(form.Loaded());
}

// The caption takes the hover colour while the pointer is over the button,
// and only then.
TEST(ImageButtonInAForm, HoveredCaptionTakesTheHoverColour) {
  KeysForm form;
  form.Show();
  const HWND button = form.annuler->Hwnd();
  // Counted by hue inside the edges, where the face is grey: the text may be
  // smoothed.
  auto redAndBlue = [&] {
    return std::pair(Count(button, [](COLORREF c) { return GetRValue(c) > GetBValue(c) + 60; }, 4),
                     Count(button, [](COLORREF c) { return GetBValue(c) > GetRValue(c) + 60; }, 4));
  };
  auto [red, blue] = redAndBlue();
  EXPECT_EQ(red, 0);
  EXPECT_GT(blue, 20);

  RECT r{};
  ::GetClientRect(button, &r);
  POINT centre{r.right / 2, r.bottom / 2};
  ::ClientToScreen(button, &centre);
  ::SetCursorPos(centre.x, centre.y);
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);  // shown before it is pointed at
  ASSERT_EQ(::WindowFromPoint(centre), button);
  ::SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(r.right / 2, r.bottom / 2));
  std::tie(red, blue) = redAndBlue();
  EXPECT_GT(red, 20);
  EXPECT_EQ(blue, 0);
  ::SetCursorPos(0, 0);
  form.Unload();
}

}  // namespace
}  // namespace imagebutton
