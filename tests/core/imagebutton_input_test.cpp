#include "controls/imagebutton/logic/input.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace imagebutton {
namespace {

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
  void MoveFocus(bool) override {
    if (onMoveFocus) onMoveFocus();
  }
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
