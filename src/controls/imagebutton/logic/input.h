// How the image button follows the pointer, the keys and the focus: which
// look it asks for and which events it raises, in which order. The window
// side turns messages into these calls and provides the InputHost.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "controls/imagebutton/logic/face.h"

namespace imagebutton {

// Button: 1 left, 2 right, 4 middle (for a move, the sum of those held).
// Shift: 1 Shift, 2 Ctrl, 4 Alt. X and Y in pixels.
struct MouseArgs {
  std::int16_t button = 0;
  std::int16_t shift = 0;
  float x = 0;
  float y = 0;
};

// The control's events. The arguments are passed by reference, as the
// dialogs' handlers expect; the control does not read them back.
struct ButtonEvents {
  std::function<void()> Click;
  std::function<void(MouseArgs&)> MouseDown;
  std::function<void(MouseArgs&)> MOUSEMOVE;
  std::function<void(MouseArgs&)> MouseUp;
  std::function<void(std::int16_t& keyAscii)> KeyPress;
  std::function<void(std::int16_t& keyCode, std::int16_t& shift)> KeyDown;
  std::function<void(std::int16_t& keyCode, std::int16_t& shift)> KeyUp;
  std::function<void()> MouseOver;
  std::function<void()> MouseOut;
};

class InputHost {
 public:
  virtual ~InputHost() = default;
  // Draws one complete look; the caption takes the hover colour when asked.
  virtual void Draw(Face face, bool hoverCaption) = 0;
  // Whether the pointer is over the control's own window.
  virtual bool CursorOver() = 0;
  virtual void SetHoverTimer(bool on) = 0;
  // Moves the focus to the next (or previous) control of the same dialog.
  virtual void MoveFocus(bool backward) = 0;
};

inline constexpr std::int16_t kKeyEnter = 13;
inline constexpr std::int16_t kKeySpace = 32;
inline constexpr std::int16_t kKeyLeft = 37;
inline constexpr std::int16_t kKeyUp = 38;
inline constexpr std::int16_t kKeyRight = 39;
inline constexpr std::int16_t kKeyDown = 40;

// An event handler may destroy the control (a "Valider" that closes its
// dialog): after each event the machine checks that it still exists and
// otherwise returns at once, touching nothing.
class InputMachine {
 public:
  InputMachine(InputHost& host, const ButtonEvents& events) : host_(host), events_(events) {}
  ~InputMachine() { *alive_ = false; }
  InputMachine(const InputMachine&) = delete;
  InputMachine& operator=(const InputMachine&) = delete;

  void MouseMove(MouseArgs args);
  void HoverTick();
  void MouseDown(MouseArgs args);
  // `inside`: the release point lies on the control, so a press made here clicks.
  void MouseUp(MouseArgs args, bool inside);
  void DoubleClick();
  void CaptureLost();
  void KeyDown(std::int16_t keyCode, std::int16_t shift);
  void KeyUp(std::int16_t keyCode, std::int16_t shift);
  void KeyPress(std::int16_t keyAscii);
  void GotFocus();
  void LostFocus();
  void AccessKeyPress();
  // The unpressed look, after a resize or a change of properties.
  void Redraw() { Redessiner(0); }

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  bool Survol() const { return survol_; }
  bool HasFocus() const { return aFocus_; }
  std::int16_t DernierBouton() const { return dernierBouton_; }

 private:
  void Redessiner(int etat);
  void StartHoverTimer();
  // Each returns whether the control still exists.
  [[nodiscard]] bool RaiseMouse(const std::function<void(MouseArgs&)>& event, MouseArgs& args);
  [[nodiscard]] bool RaisePlain(const std::function<void()>& event);
  [[nodiscard]] bool RaiseKey(const std::function<void(std::int16_t&, std::int16_t&)>& event,
                              std::int16_t keyCode, std::int16_t shift);
  [[nodiscard]] bool PressDown(MouseArgs args);
  [[nodiscard]] bool ClickIfLeft();

  InputHost& host_;
  const ButtonEvents& events_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);

  bool enabled_ = true;
  bool survol_ = false;
  int dedans_ = 0;
  bool aFocus_ = false;
  std::int16_t dernierBouton_ = 0;
  std::int16_t derniereTouche_ = 0;
  bool hoverTimerOn_ = false;
  // The pressed look shows only while a press is really held: the left
  // button pressed on this control, or Space or Enter down.
  bool leftHeld_ = false;
  std::int16_t keyHeld_ = 0;
  // A press was made here and its release may still click.
  bool clickArmed_ = false;
};

}  // namespace imagebutton
