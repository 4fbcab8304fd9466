// Image buttons in a real form, driven by messages, by keys typed through the
// form's own modal loop and by the real pointer.
#include "controls/imagebutton/xp_bouton_img.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <malloc.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <memory>
#include <new>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "../e2e/driver.h"
#include "canvas.h"
#include "ui/edit_controls.h"
#include "ui/form.h"

// Freed memory is poisoned and never given back, so never reused: code that
// runs on a destroyed control fails loudly instead of by luck.
void* operator new(std::size_t size) {
  if (void* p = ::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  if (p) std::memset(p, 0xDD, _msize(p));
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

namespace imagebutton {
namespace {

using e2e::WaitFor;

constexpr COLORREF kPictureColour = RGB(12, 200, 34);  // in no face
const LPARAM kInside = MAKELPARAM(40, 16);

// A text box and two buttons of 81 x 33 pixels, captions blue, red when hovered.
class ButtonsForm : public ui::Form {
 public:
  ButtonsForm() : ui::Form(L"FrmKeys") {}
  ui::TextBox text;
  std::unique_ptr<XpBoutonImg> valider, annuler;
  std::atomic<int> validerClicks{0}, annulerClicks{0}, enters{0};

 protected:
  void Design() override {
    ::SetCursorPos(0, 0);  // away from the buttons until a test points at one
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
                                                       {L"XPicture", std::wstring(L"3")}, {L"YPicture", 1.0},
                                                       {L"ForeColor", Colour{0x00FF0000}},
                                                       {L"ForeHover", Colour{0x000000FF}}}});
  }
};

// Typed as a user types: through the input queue, to whatever has the focus.
void Type(BYTE key, std::initializer_list<BYTE> held = {}) {
  auto send = [](BYTE vk, DWORD up) {
    ::keybd_event(vk, static_cast<BYTE>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)), up, 0);
  };
  for (BYTE h : held) send(h, 0);
  send(key, 0);
  send(key, KEYEVENTF_KEYUP);
  for (auto h = std::rbegin(held); h != std::rend(held); ++h) send(*h, KEYEVENTF_KEYUP);
}

// How many pixels of the button's face match, `inset` pixels in from its edges.
int Count(HWND button, const std::function<bool(COLORREF)>& match, int inset = 0) {
  RECT r{};
  ::GetClientRect(button, &r);
  Canvas canvas(r.right, r.bottom);
  ::SendMessageW(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
  return canvas.Count(match, inset);
}
int Count(HWND button, COLORREF colour) { return Count(button, [&](COLORREF c) { return c == colour; }); }

// The button's look, pixel by pixel.
std::vector<COLORREF> Pixels(HWND button) {
  RECT r{};
  ::GetClientRect(button, &r);
  Canvas canvas(r.right, r.bottom);
  ::SendMessageW(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < r.bottom; ++y)
    for (int x = 0; x < r.right; ++x) pixels.push_back(canvas.At(x, y));
  return pixels;
}

TEST(ImageButton, CornersCutAndAClickOnlyWhenReleasedInside) {
  ButtonsForm form;
  form.Load();
  const HWND b = form.annuler->Hwnd();
  ui::OwnedRegion region(::CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(::GetWindowRgn(b, region.get()), ERROR);
  const struct { int x, y; bool in; } points[] = {{0, 0, false}, {0, 32, false}, {80, 0, false},
                                                 {80, 32, false}, {1, 0, true},  {79, 32, true}};
  for (const auto& p : points) EXPECT_EQ(::PtInRegion(region.get(), p.x, p.y) != 0, p.in) << p.x << "," << p.y;

  ::SendMessageW(b, WM_LBUTTONDOWN, MK_LBUTTON, kInside);
  ::SendMessageW(b, WM_LBUTTONUP, 0, MAKELPARAM(200, 16));
  EXPECT_EQ(form.annulerClicks, 0);
  ::SendMessageW(b, WM_LBUTTONDOWN, MK_LBUTTON, kInside);
  ::SendMessageW(b, WM_LBUTTONUP, 0, kInside);
  EXPECT_EQ(form.annulerClicks, 1);
  ::SendMessageW(b, WM_LBUTTONDBLCLK, MK_LBUTTON, kInside);  // presses, and never clicks again
  EXPECT_EQ(::GetCapture(), b);
  ::SendMessageW(b, WM_LBUTTONUP, 0, kInside);
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_EQ(form.annulerClicks, 1);
}

// "Annuler" may close its dialog from Click; and a press takes the focus,
// whose loss may close the dialog too. Nothing of the control runs after.
TEST(ImageButton, ADialogClosedUnderAPressLeavesTheControlAlone) {
  static std::function<void()> closing;
  for (const bool onFocusLoss : {false, true}) {
    ButtonsForm form;
    form.Load();
    const HWND b = form.annuler->Hwnd(), edit = ::GetWindow(form.text.hwnd(), GW_CHILD);
    closing = [&] {
      form.annuler.reset();
      form.Unload();
    };
    if (onFocusLoss) {
      ::SetWindowSubclass(edit, [](HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) -> LRESULT {
        if (msg == WM_KILLFOCUS && closing) std::exchange(closing, nullptr)();
        return ::DefSubclassProc(hwnd, msg, wp, lp);
      }, 1, 0);
      ::SetFocus(edit);
    } else {
      form.annuler->Click = [] { std::exchange(closing, nullptr)(); };
    }
    ::SendMessageW(b, WM_LBUTTONDOWN, MK_LBUTTON, kInside);
    ::SendMessageW(b, WM_LBUTTONUP, 0, kInside);
    EXPECT_FALSE(::IsWindow(b));
    EXPECT_EQ(form.annulerClicks, 0) << "no click after the focus' loss closed the dialog";
    EXPECT_EQ(::GetCapture(), nullptr);
  }
}

TEST(ImageButton, TabArrowsAndAccessKeysMoveTheFocusAndClickTheEnabledButton) {
  ButtonsForm form;
  form.Load();
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
    auto press = [&](const char* step, BYTE key, HWND expected, std::initializer_list<BYTE> held = {}) {
      Type(key, held);
      expect(step, WaitFor([&] { return focus() == expected; }));
    };
    expect("the text box has the focus when the form shows", WaitFor([&] { return focus() == edit; }));

    press("Tab: text box to Valider", VK_TAB, valider);
    press("Tab: Valider to Annuler", VK_TAB, annuler);
    press("Tab: round from the last control to the first", VK_TAB, edit);
    press("Shift+Tab: round to the last", VK_TAB, annuler, {VK_SHIFT});
    press("Down arrow: Annuler back to Valider", VK_DOWN, valider);

    Type('A', {VK_MENU});
    expect("Alt+A clicks Annuler", WaitFor([&] { return form.annulerClicks == 1; }));
    Type('V', {VK_MENU});
    expect("Alt+V clicks Valider", WaitFor([&] { return form.validerClicks == 1; }));
    Type('A');  // on a button, which types nothing
    expect("A alone on a button clicks Annuler", WaitFor([&] { return form.annulerClicks == 2; }));

    press("Shift+Tab back to the text box", VK_TAB, edit, {VK_SHIFT});
    Type('V');
    Type(VK_RETURN);
    expect("Enter reaches the text box", WaitFor([&] { return form.enters == 1; }));
    expect("V alone in the text box types it", form.text.Text() == L"v");

    ::EnableWindow(valider, FALSE);
    Type('V', {VK_MENU});
    press("Tab passes over the disabled button", VK_TAB, annuler);  // and tells that Alt+V was handled
    ::SendMessageW(valider, BM_CLICK, 0, 0);
    expect("each key clicked once, and the disabled button never",
           form.validerClicks == 1 && form.annulerClicks == 2);

    // Two buttons sharing a key take turns, wherever the focus started.
    ::EnableWindow(valider, TRUE);
    ::SendMessageW(annuler, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"&Vider"));
    for (int n = 1; n <= 4; ++n) {
      Type('V', {VK_MENU});
      expect("a shared key clicks the next of its buttons", WaitFor([&] {
               return form.validerClicks + form.annulerClicks == 3 + n && form.annulerClicks == 2 + n / 2 &&
                      form.validerClicks == 1 + (n + 1) / 2;
             }));
    }
    ::PostMessageW(form.hwnd(), WM_CLOSE, 0, 0);
  });
  form.ShowModal();
  script.join();
  EXPECT_EQ(failures, std::vector<std::string>{});
}

// The picture fills the box its numeric properties give, over the caption; a
// value that is no number is refused with the control's message. Each state
// shows its own look, told by its bottom edge, and the caption its colour.
TEST(ImageButton, PictureBoxFacesAndCaptionColours) {
  ButtonsForm form;
  form.Show();
  EXPECT_EQ(Count(form.valider->Hwnd(), kPictureColour), 33 * 32);  // 33 pixels square from (3, 1)
  std::vector<std::wstring> shown;
  XpBoutonImg::ShowMessage = [&](HWND, const std::wstring& text) { shown.push_back(text); };
  EXPECT_FALSE(form.valider->SetWPicture(std::wstring(L"trois")));
  EXPECT_TRUE(form.valider->SetHPicture(std::wstring(L"10")));
  EXPECT_TRUE(form.valider->SetXPicture(60.0));
  EXPECT_EQ(Count(form.valider->Hwnd(), kPictureColour), 21 * 10);  // cut by the right edge
  EXPECT_EQ(shown, std::vector<std::wstring>{L"Veuillez saisir une valeur numérique"});
  XpBoutonImg::ShowMessage = nullptr;

  const HWND button = form.annuler->Hwnd();
  EXPECT_GE(Count(button, RGB(214, 208, 197)), 77);  // normal
  ::SendMessageW(form.valider->Hwnd(), WM_SETFOCUS, 0, 0);
  EXPECT_GE(Count(form.valider->Hwnd(), RGB(97, 125, 229)), 75);  // focused
  ::SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, kInside);
  EXPECT_GE(Count(button, RGB(242, 241, 238)), 77);  // pressed
  ::SendMessageW(button, WM_LBUTTONUP, 0, kInside);
  const auto captionHue = [&] {  // inside the edges, where the face is grey; the text may be smoothed
    const int red = Count(button, [](COLORREF c) { return GetRValue(c) > GetBValue(c) + 60; }, 4),
              blue = Count(button, [](COLORREF c) { return GetBValue(c) > GetRValue(c) + 60; }, 4);
    return red > 20 && !blue ? "red" : blue > 20 && !red ? "blue" : !red && !blue ? "none" : "mixed";
  };
  EXPECT_STREQ(captionHue(), "blue");
  POINT centre{40, 16};  // kInside
  ::ClientToScreen(button, &centre);
  ::SetCursorPos(centre.x, centre.y);
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);  // shown before it is pointed at
  ASSERT_EQ(::WindowFromPoint(centre), button);
  ::SendMessageW(button, WM_MOUSEMOVE, 0, kInside);
  EXPECT_STREQ(captionHue(), "red");
  form.annuler->SetForeHover(Colour{0x00FF0000});  // blue, from the caption's next drawing
  EXPECT_STREQ(captionHue(), "red");
  (void)form.annuler->XTexte();
  EXPECT_STREQ(captionHue(), "blue");
  EXPECT_GE(Count(button, RGB(229, 151, 0)), 77);  // hovered
  ::EnableWindow(button, FALSE);
  EXPECT_STREQ(captionHue(), "none");
  EXPECT_GT(Count(button, RGB(161, 161, 146)), 10);  // the caption
  EXPECT_GE(Count(button, RGB(245, 244, 234)), 79 * 20);  // the flat face
  form.Unload();
}

// A designer adds a button: its name for caption, with no blanks before it
// though its XTexte reads 16; saved and loaded again, it is the same button.
TEST(ImageButton, ANewInstanceHasNoBlanksAndLoadsBackAsSaved) {
  ButtonsForm form;
  form.Load();
  auto add = [&](XpBoutonImg::Setup setup, const PropertyStore& stored) {
    return XpBoutonImg::Create(form.hwnd(), {.width = 3000, .height = 495,
                                             .ambient = {FontSpec{L"Tahoma", 8.25}, kButtonText, L"XpBoutonImg1"},
                                             .properties = stored, .setup = setup});
  };
  const auto fresh = add(XpBoutonImg::Setup::NewInstance, {{L"XTexte", 40.0}});  // stored values are not read
  PropertyStore saved;
  fresh->WriteProperties(saved);
  const PropertyStore noBlanks{{L"XTexte", 0.0}, {L"ForeColor", kWindowFrame}};
  for (const PropertyStore& stored : {saved, noBlanks})
    EXPECT_TRUE(Pixels(add(XpBoutonImg::Setup::Loading, stored)->Hwnd()) == Pixels(fresh->Hwnd())) << stored.Size();
  EXPECT_EQ(fresh->XTexte(), Value(16.0));  // which draws the caption again
}

// Each write tells its key once, after what comes before it in its effects:
// Enabled and XTexte before their redraw, the others after. A refused value
// tells nothing.
TEST(ImageButton, EachWriteNotifiesItsKeyOnceInItsPlace) {
  ButtonsForm form;
  form.Load();
  XpBoutonImg& b = *form.annuler;
  std::vector<std::wstring> told;
  std::vector<COLORREF> atNotice;
  b.PropertyChanged = [&](std::wstring_view key) {
    told.emplace_back(key);
    atNotice = Pixels(b.Hwnd());
  };
  XpBoutonImg::ShowMessage = [](HWND, const std::wstring&) {};
  const std::function<void()> writes[] = {
      [&] { b.SetFont(FontSpec{L"Tahoma", 12, true}); },  [&] { b.SetCaption(L"&Vider"); },
      [&] { b.SetForeColor(Colour{0x000000FF}); },         [&] { b.SetForeHover(Colour{0x00FF0000}); },
      [&] { b.SetPicture(SolidBitmap(kPictureColour)); }, [&] { b.SetXPicture(std::wstring(L"20")); },
      [&] { b.SetYPicture(2.0); },                        [&] { b.SetWPicture(10.0); },
      [&] { b.SetHPicture(std::wstring(L"12")); },        [&] { b.SetXTexte(std::wstring(L"zéro")); },
      [&] { b.SetXTexte(0.0); },                          [&] { b.SetEnabled(false); }};
  for (const auto& write : writes) {
    const std::size_t before = told.size();
    write();
    if (told.size() == before + 1 && atNotice != Pixels(b.Hwnd())) told.back() += L" before its redraw";
  }
  XpBoutonImg::ShowMessage = nullptr;
  EXPECT_EQ(told, (std::vector<std::wstring>{L"Font", L"Caption", L"ForeColor", L"ForeHover", L"Image", L"XPicture",
                                             L"YPicture", L"WPicture", L"HPicture", L"XTexte before its redraw",
                                             L"Enabled before its redraw"}));
  form.Unload();
}

}  // namespace
}  // namespace imagebutton
