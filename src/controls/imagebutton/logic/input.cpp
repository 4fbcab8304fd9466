#include "controls/imagebutton/logic/input.h"

namespace imagebutton {

void InputMachine::Redessiner(int etat) {
  const bool held = leftHeld_ || keyHeld_ != 0;
  const bool pressed = etat == 1 && dernierBouton_ == 1 && held;
  host_.Draw(SelectFace(enabled_, pressed, survol_, aFocus_), survol_);
}

void InputMachine::StartHoverTimer() {
  if (hoverTimerOn_) return;
  hoverTimerOn_ = true;
  host_.SetHoverTimer(true);
}

// The handler is copied before the call: it may destroy the control, and the
// stored function with it, while it runs.
bool InputMachine::RaiseMouse(const std::function<void(MouseArgs&)>& event, MouseArgs& args) {
  if (!event) return true;
  const auto alive = alive_;
  const auto handler = event;
  handler(args);
  return *alive;
}

bool InputMachine::RaisePlain(const std::function<void()>& event) {
  if (!event) return true;
  const auto alive = alive_;
  const auto handler = event;
  handler();
  return *alive;
}

bool InputMachine::RaiseKey(const std::function<void(std::int16_t&, std::int16_t&)>& event,
                            std::int16_t keyCode, std::int16_t shift) {
  if (!event) return true;
  const auto alive = alive_;
  const auto handler = event;
  handler(keyCode, shift);
  return *alive;
}

void InputMachine::MouseMove(MouseArgs args) {
  if (args.button >= 2) {  // no hover handling with the right or middle button down
    (void)RaiseMouse(events_.MOUSEMOVE, args);
    return;
  }
  if (host_.CursorOver()) {
    if (dedans_ == 1) return;
    dedans_ = 1;
    if (args.button == 0 && !survol_) {
      StartHoverTimer();
      survol_ = true;
      dedans_ = 0;
      Redessiner(0);
      if (!RaisePlain(events_.MouseOver)) return;
    } else if (args.button == 1) {
      // Dragged back in: the timer must watch for the next exit too, or
      // `dedans_` stays 1 and the hover look never comes back.
      StartHoverTimer();
      survol_ = true;
      Redessiner(1);
      survol_ = false;
    }
    (void)RaiseMouse(events_.MOUSEMOVE, args);
    return;
  }
  if (dedans_ == 0) return;
  Redessiner(0);
  (void)RaiseMouse(events_.MOUSEMOVE, args);
}

void InputMachine::HoverTick() {
  if (host_.CursorOver()) return;
  hoverTimerOn_ = false;
  host_.SetHoverTimer(false);
  const bool wasHovered = survol_;
  survol_ = false;
  dedans_ = 0;
  Redessiner(0);
  if (wasHovered) (void)RaisePlain(events_.MouseOut);
}

bool InputMachine::PressDown(MouseArgs args) {
  if (!enabled_) return true;
  dernierBouton_ = args.button;
  if (args.button == 1) leftHeld_ = true;
  clickArmed_ = true;
  if (args.button != 2) Redessiner(1);
  return RaiseMouse(events_.MouseDown, args);
}

void InputMachine::MouseDown(MouseArgs args) { (void)PressDown(args); }

void InputMachine::MouseUp(MouseArgs args, bool inside) {
  if (args.button == 1) leftHeld_ = false;
  const bool click = clickArmed_ && inside;
  clickArmed_ = false;
  Redessiner(0);
  if (!RaiseMouse(events_.MouseUp, args)) return;
  if (click) (void)ClickIfLeft();
}

bool InputMachine::ClickIfLeft() {
  if (dernierBouton_ != 1) return true;
  Redessiner(0);
  return RaisePlain(events_.Click);
}

void InputMachine::DoubleClick() {
  if (dernierBouton_ != 1) return;
  if (!PressDown({1, 0, 0, 0})) return;
  clickArmed_ = false;  // the first click of the pair has clicked already
}

void InputMachine::CaptureLost() {
  if (!leftHeld_ && !clickArmed_) return;
  leftHeld_ = false;
  clickArmed_ = false;
  Redessiner(0);
}

void InputMachine::KeyDown(std::int16_t keyCode, std::int16_t shift) {
  derniereTouche_ = keyCode;
  if (keyCode == kKeySpace || keyCode == kKeyEnter) {
    keyHeld_ = keyCode;
    Redessiner(1);
  } else if (keyCode == kKeyLeft || keyCode == kKeyRight || keyCode == kKeyDown || keyCode == kKeyUp) {
    // Moving the focus runs other controls' focus handlers, which may
    // destroy this one.
    const auto alive = alive_;
    host_.MoveFocus(keyCode == kKeyDown || keyCode == kKeyUp);
    if (!*alive) return;
  }
  (void)RaiseKey(events_.KeyDown, keyCode, shift);
}

void InputMachine::KeyUp(std::int16_t keyCode, std::int16_t shift) {
  if (keyCode == keyHeld_) keyHeld_ = 0;
  if ((keyCode == kKeyEnter || keyCode == kKeySpace) && keyCode == derniereTouche_) {
    Redessiner(0);
    dernierBouton_ = 1;
    if (!RaisePlain(events_.Click)) return;
  }
  (void)RaiseKey(events_.KeyUp, keyCode, shift);
}

void InputMachine::KeyPress(std::int16_t keyAscii) {
  if (!events_.KeyPress) return;
  const auto handler = events_.KeyPress;
  handler(keyAscii);
}

void InputMachine::GotFocus() {
  aFocus_ = true;
  Redessiner(1);  // pressed only while a press is held (a click that gave the focus)
}

void InputMachine::LostFocus() {
  aFocus_ = false;
  keyHeld_ = 0;
  derniereTouche_ = 0;  // the key's release goes to another control
  Redessiner(0);
}

void InputMachine::AccessKeyPress() {
  if (!enabled_) return;
  dernierBouton_ = 1;
  (void)ClickIfLeft();
}

}  // namespace imagebutton
