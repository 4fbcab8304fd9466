// The controls the forms are built from. Each is created from a Design, the
// control's place and look as a form's design table gives them.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "ui/handles.h"
#include "ui/window.h"

namespace ui {

enum class TextAlign { Left, Center, Right };

struct Design {
  std::wstring name;
  double left = 0, top = 0, width = 0, height = 0;
  Align align = Align::None;
  std::wstring caption;
  TextAlign textAlign = TextAlign::Left;
  COLORREF back = RGB(0xF0, 0xF0, 0xF0);
  COLORREF fore = RGB(0, 0, 0);
  bool transparent = false;  // shows its parent's background
  FontSpec font;
  PicturePtr picture;
  PicturePtr pictureDown;  // push buttons: the picture while held down
  bool stretch = true;     // the picture fills the control
  bool visible = true;
  std::wstring toolTip;
  bool wordWrap = false;  // the caption breaks between words over several lines, from the top
};

// Panel, picture box, label, image, frame: a window with a background,
// an optional picture and an optional caption, on one line or wrapped.
class Panel : public Window {
 public:
  void Create(Window& parent, const Design& d);
  const std::wstring& Caption() const { return caption_; }
  void SetCaption(std::wstring caption);
  const Design& GetDesign() const { return design_; }

 protected:
  void OnPaint(HDC dc, const RECT& client) override;
  Design design_;
  std::wstring caption_;
};

using PictureBox = Panel;
using Label = Panel;
using Image = Panel;
using Frame = Panel;

// A push button that stays down when pressed: a click sets Value and raises
// onClick; the handler acts while Value is true and sets it back.
class RibbonButton : public Panel {
 public:
  RibbonButton() { pictureIsBackground_ = false; }
  bool Value() const { return value_; }
  void SetValue(bool value);

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnPaint(HDC dc, const RECT& client) override;

 private:
  bool value_ = false;
  bool held_ = false;
};

// A vertical scroll bar with a range from 0 to Max (which may be set below
// 0, leaving nothing to scroll) and Change and Scroll events.
class ScrollBar : public Window {
 public:
  void Create(Window& parent, const Design& d);
  int Max() const { return max_; }
  void SetMax(int max);
  int Value() const { return value_; }
  void SetValue(int value);

  std::function<void()> onChange;
  std::function<void()> onScroll;

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnSized() override;

 private:
  HWND bar_ = nullptr;  // child of our window, destroyed with it
  int max_ = 32767;
  int value_ = 0;
};

// Draws a caption over what is already there, one line (centred in height,
// cut with "...") or wrapped from the top; the DC is left as it was found.
void DrawCaptionText(HDC dc, RECT r, const std::wstring& text, HFONT font, COLORREF colour, TextAlign align,
                     bool wrap = false);

// Gives a control's tip to its form's tip window (made with the first tip);
// an empty text takes it back, as the control's end does.
void RegisterToolTip(Window& control, const std::wstring& text);
void UnregisterToolTip(Window& control);

}  // namespace ui
