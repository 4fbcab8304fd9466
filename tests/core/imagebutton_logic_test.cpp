// The image button's logic: its stored properties, its access key, its
// caption's place, and the looks and events its input gives.
#include "controls/imagebutton/logic/access_key.h"
#include "controls/imagebutton/logic/face.h"
#include "controls/imagebutton/logic/input.h"
#include "controls/imagebutton/logic/properties.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace imagebutton {
namespace {

TEST(ImageButtonAccessKey, FirstSingleAmpersandAfterEveryDoubledPair) {
  struct Case { const wchar_t* caption; wchar_t key; };
  for (auto c : {Case{L"&Valider", L'v'}, Case{L"Va&lider", L'l'}, Case{L"A && &B", L'b'}, Case{L"A&&B", 0},
                 Case{L"&&&X", L'x'}, Case{L"X&", 0}, Case{L"Valider", 0}, Case{L"&\u00C9diter", L'\u00E9'}})
    EXPECT_EQ(AccessKey(c.caption), c.key) << c.caption;
}

const Ambient kForm{FontSpec{L"Tahoma", 8.25}, kButtonText, L"XpBoutonImg1"};

// A number stored as text is read as its number; what is missing, as the default.
TEST(ImageButtonStore, DesignValuesLoad) {
  const PropertyStore design{{L"XPicture", std::wstring(L"3")}, {L"YPicture", std::wstring(L"1")},
                             {L"XTexte", std::wstring(L"13")}};
  const Properties p = ReadProperties(design, kForm);
  EXPECT_EQ(PictureBoxOf(p), (PictureBox{3, 1, 33, 33}));
  EXPECT_EQ(BlanksOf(p.xTexte), 13);

  const Properties plain = ReadProperties(PropertyStore{}, kForm);
  EXPECT_EQ(plain.caption, L"XpBoutonImg1");
  EXPECT_EQ(PictureBoxOf(plain), (PictureBox{8, 8, 33, 33}));
  EXPECT_EQ(BlanksOf(plain.xTexte), 16);
}

// Saved and loaded, a new instance is the same button, its empty XTexte and
// its hover colour included, whatever the host's text colour.
TEST(ImageButtonStore, ANewInstanceSavedAndLoadedIsTheSame) {
  for (const Colour hostText : {kButtonText, Colour{0}}) {
    const Ambient form{kForm.font, hostText, kForm.displayName};
    const Properties fresh = NewInstanceProperties(form);
    PropertyStore saved;
    WriteProperties(fresh, form, saved);
    EXPECT_TRUE(ReadProperties(saved, form) == fresh) << std::hex << hostText.value;
  }
}

TEST(ImageButtonNumbers, OnlyNumbersInRangeAreAcceptedAndBlanksClamped) {
  const struct { Numeric which; Value value; bool taken; } cases[] = {
      {Numeric::XTexte, std::wstring(L" 12.5 "), true}, {Numeric::XTexte, std::wstring(L"12,5"), false},  // no comma
      {Numeric::XTexte, std::wstring(), false},         {Numeric::XTexte, std::nan(""), false},
      {Numeric::XPicture, 1e9, false},                  {Numeric::HPicture, std::wstring(L"40000"), false}};
  for (const auto& c : cases) EXPECT_EQ(Accepts(c.which, c.value), c.taken) << static_cast<int>(c.which);
  EXPECT_EQ(BlanksOf(12.5), 12);
  EXPECT_EQ(BlanksOf(std::wstring(L"13.5")), 14);
  EXPECT_EQ(BlanksOf(1e12), 255);
  Properties p;
  p.wPicture = std::wstring(L"-5");  // a bad stored size counts as the default
  p.xPicture = 2.5;
  EXPECT_EQ(PictureBoxOf(p), (PictureBox{2, 8, 33, 33}));
}

TEST(ImageButtonFace, CaptionBoxIsCentredWithHalvesToEven) {
  EXPECT_EQ(CaptionBox(81, 33, 26), (TextBox{0, 4, 81, 30}));  // 3.5 -> 4, 29.5 -> 30
  EXPECT_EQ(CaptionBox(80, 30, 13), (TextBox{0, 8, 80, 22}));  // 8.5 -> 8, 21.5 -> 22
  EXPECT_EQ(FittingBlanks(13, 3, 35, 81), 13);  // as designed
  EXPECT_EQ(FittingBlanks(13, 4, 40, 81), 10);  // a wider font keeps the caption on its line
  EXPECT_EQ(FittingBlanks(13, 4, 90, 81), 0);
}


std::string Args() { return ""; }
std::string Args(MouseArgs& a) { return std::to_string(a.button); }
std::string Args(std::int16_t& key, std::int16_t&) { return std::to_string(key); }

// Records every look drawn and every event raised (with its button or key),
// in one sequence.
class Recorder : public InputHost {
 public:
  Recorder() {
    auto note = [this](const char* name) { return [this, name](auto&... a) { log.push_back(name + Args(a...)); }; };
    events.Click = note("Click"), events.MouseOver = note("MouseOver"), events.MouseOut = note("MouseOut");
    events.MouseDown = note("MouseDown"), events.MOUSEMOVE = note("MOUSEMOVE"), events.MouseUp = note("MouseUp");
    events.KeyDown = note("KeyDown"), events.KeyUp = note("KeyUp");
  }

  void Draw(Face face, bool hoverCaption) override {
    static const char* const kNames[] = {"normal", "hover", "focus", "pressed", "disabled"};
    log.push_back(std::string("[") + kNames[static_cast<int>(face)] + (hoverCaption ? "*]" : "]"));
  }
  bool CursorOver() override { return over; }
  void SetHoverTimer(bool on) override { timer = on; }
  void MoveFocus(bool) override { if (onMoveFocus) onMoveFocus(); }
  void Tick() { if (timer) machine.HoverTick(); }  // as the hover timer would: only while it runs

  std::vector<std::string> Take() { return std::exchange(log, {}); }

  ButtonEvents events;
  InputMachine machine{*this, events};
  std::vector<std::string> log;
  bool over = false;
  bool timer = false;
  std::function<void()> onMoveFocus;
};

using Log = std::vector<std::string>;
constexpr MouseArgs kNone{0, 0, 5, 5};
constexpr MouseArgs kLeft{1, 0, 5, 5};
constexpr MouseArgs kRight{2, 0, 5, 5};

// Hover shows at once and leaves at the next tick outside. A press dragged
// out and back in shows the pressed look with the hover caption; after the
// release, leaving raises no MouseOut (the button was not hovered) and the
// next entry shows the hover look again.
TEST(ImageButtonInput, HoverEntersLeavesAndComesBackAfterADrag) {
  Recorder r;
  r.over = true;
  r.machine.MouseMove(kNone);
  r.machine.MouseMove(kNone);
  r.Tick();  // still inside
  EXPECT_EQ(r.Take(), (Log{"[hover*]", "MouseOver", "MOUSEMOVE0", "MOUSEMOVE0"}));
  r.machine.MouseDown(kLeft);
  r.Take();
  r.over = false;
  r.Tick();
  EXPECT_EQ(r.Take(), (Log{"[normal]", "MouseOut"}));
  EXPECT_FALSE(r.timer);
  r.over = true;
  r.machine.MouseMove(kLeft);
  EXPECT_EQ(r.Take(), (Log{"[pressed*]", "MOUSEMOVE1"}));
  r.machine.MouseUp(kLeft, true);
  EXPECT_EQ(r.Take(), (Log{"[normal]", "MouseUp1", "[normal]", "Click"}));
  r.over = false;
  r.Tick();
  EXPECT_EQ(r.Take(), (Log{"[normal]"}));
  r.over = true;
  r.machine.MouseMove(kNone);
  EXPECT_EQ(r.Take(), (Log{"[hover*]", "MouseOver", "MOUSEMOVE0"}));
  r.machine.MouseDown(kRight);  // the right button never clicks
  r.machine.MouseUp(kRight, true);
  EXPECT_EQ(r.Take(), (Log{"MouseDown2", "[hover*]", "MouseUp2"}));
}

TEST(ImageButtonInput, KeyClicksNeedTheSameKey) {
  Recorder r;
  r.machine.GotFocus();
  r.Take();
  r.machine.KeyDown(kKeySpace, 0);  // never pressed before: no pressed look yet
  r.machine.KeyUp(kKeySpace, 0);
  EXPECT_EQ(r.Take(), (Log{"[focus]", "KeyDown32", "[focus]", "Click", "KeyUp32"}));
  EXPECT_EQ(r.machine.DernierBouton(), 1);

  r.machine.KeyDown(kKeyEnter, 0);
  r.machine.KeyUp(kKeySpace, 0);
  EXPECT_EQ(r.Take(), (Log{"[pressed]", "KeyDown13", "KeyUp32"}));
  r.machine.KeyDown(kKeySpace, 0);
  r.machine.KeyUp(kKeyEnter, 0);
  EXPECT_EQ(r.Take(), (Log{"[pressed]", "KeyDown32", "KeyUp13"}));
}

// A "Valider" handler that destroys the control from Click, or a focus
// handler that closes the dialog when an arrow moves the focus: nothing of
// the control may run afterwards (the sanitizers catch any use after free).
TEST(ImageButtonInput, AHandlerMayDestroyTheControl) {
  const std::function<void(InputMachine&)> paths[] = {
      [](InputMachine& m) { m.KeyDown(kKeySpace, 0); m.KeyUp(kKeySpace, 0); },
      [](InputMachine& m) { m.MouseDown(kLeft); m.MouseUp(kLeft, true); },
      [](InputMachine& m) { m.AccessKeyPress(); },
      [](InputMachine& m) { m.KeyDown(kKeyRight, 0); },
  };
  for (const auto& path : paths) {
    auto r = std::make_unique<Recorder>();
    bool ranAfter = false;
    r->events.Click = [&] { r.reset(); };
    r->onMoveFocus = [&] { r.reset(); };
    r->events.KeyDown = [&](std::int16_t& k, std::int16_t&) { ranAfter = k == kKeyRight; };
    r->events.KeyUp = [&](std::int16_t&, std::int16_t&) { ranAfter = true; };
    path(r->machine);
    EXPECT_FALSE(r);
    EXPECT_FALSE(ranAfter);
  }
}

}  // namespace
}  // namespace imagebutton
