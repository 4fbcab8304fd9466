// The base of every form and control of the runtime: one C++ object per
// window, geometry kept in twips, a back colour or picture, child controls
// docked to an edge, and mouse events with twips coordinates.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/font.h"
#include "ui/picture.h"

namespace ui {

enum class Align { None, Top, Bottom, Left, Right };

// Mouse event arguments: button 1 left, 2 right, 4 middle; shift 1 Shift,
// 2 Ctrl, 4 Alt; x and y in twips from the window's top-left corner.
struct MouseArgs {
  int button = 0;
  int shift = 0;
  double x = 0;
  double y = 0;
};

inline constexpr COLORREF kNoColour = CLR_INVALID;

class Window {
 public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND hwnd() const { return hwnd_; }
  bool Created() const { return hwnd_ != nullptr; }
  Window* Parent() const { return parent_; }
  const std::vector<Window*>& Children() const { return children_; }

  // Twips; a form's position is on the screen, a control's in its parent.
  double Left() const { return left_; }
  double Top() const { return top_; }
  double Width() const { return width_; }
  double Height() const { return height_; }
  void Move(double left, double top, double width, double height);
  void SetLeft(double v) { Move(v, top_, width_, height_); }
  void SetTop(double v) { Move(left_, v, width_, height_); }
  void SetWidth(double v) { Move(left_, top_, v, height_); }
  void SetHeight(double v) { Move(left_, top_, width_, v); }
  // Inner size in twips (the client area).
  double ScaleWidth() const;
  double ScaleHeight() const;

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  // Before the window exists: whether it will be created visible.
  void SetVisibleFlag(bool visible) { visible_ = visible; }
  void Refresh();

  COLORREF BackColor() const { return back_; }
  void SetBackColor(COLORREF colour);
  COLORREF ForeColor() const { return fore_; }
  void SetForeColor(COLORREF colour);
  const FontSpec& Font() const { return font_; }
  void SetFont(const FontSpec& font);
  // The tool tip: kept as text, and given to the form's tip window only when
  // the pointer comes over the control, so that making controls stays cheap.
  const std::wstring& ToolTipText() const { return toolTip_; }
  void SetToolTipText(std::wstring text) { toolTip_ = std::move(text); }
  const PicturePtr& GetPicture() const { return picture_; }
  void SetPicture(PicturePtr picture);
  Align GetAlign() const { return align_; }

  // Names as the designs give them, the element's index in its control array
  // (-1 for a lone control), and the free text every control carries.
  std::wstring Name;
  int Index = -1;
  std::wstring Tag;

  std::function<void()> onClick;
  std::function<void()> onDblClick;
  std::function<void(const MouseArgs&)> onMouseDown;
  std::function<void(const MouseArgs&)> onMouseMove;
  std::function<void(const MouseArgs&)> onMouseUp;
  std::function<void()> onMouseEnter;
  std::function<void()> onMouseExit;
  std::function<void()> onCaptureLost;
  // After the control's place or size changed, in twips, whoever moved it.
  std::function<void()> onMoved;

  // Takes the control out of its container's controls, as an unloaded control
  // is: code that walks a container's controls no longer meets it.
  void LeaveParent();

  // Paints what lies behind `area` (client pixels of this window): used by
  // transparent children to show their parent's back colour and picture.
  virtual void PaintBackground(HDC dc, const RECT& area, POINT origin);

 protected:
  // Creates the window of a control (parent given) or a form (parent null).
  void CreateHwnd(Window* parent, DWORD style, DWORD exStyle);
  virtual LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
  virtual void OnPaint(HDC dc, const RECT& client);
  virtual void OnSized() {}
  // After the back colour, text colour or font changed: for controls that
  // hand them on to a system control of their own.
  virtual void OnLookChanged() {}
  // Docks the children with an alignment, in creation order.
  void ArrangeAligned();
  void ApplyGeometry();
  void InvalidateAll();
  // This window and the see-through children that show its background.
  void InvalidateWithSeeThrough();

  bool stretchPicture_ = true;
  bool transparent_ = false;
  bool pictureIsBackground_ = true;  // false: the control draws its picture itself
  Align align_ = Align::None;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT HandleMouse(UINT msg, WPARAM wp, LPARAM lp);
  void Detach();

  HWND hwnd_ = nullptr;
  Window* parent_ = nullptr;
  std::vector<Window*> children_;
  double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  bool tracking_ = false;
  bool leftDown_ = false;
  COLORREF back_ = RGB(0xF0, 0xF0, 0xF0);
  COLORREF fore_ = RGB(0, 0, 0);
  FontSpec font_;
  PicturePtr picture_;
  std::wstring toolTip_;
  std::wstring tipShown_;  // what the tip window has for this control

  friend class Form;
};

// Called from a catch block at a window procedure's boundary: the failure,
// its type and the message in hand are written to the debugger output and to
// the error stream, and counted, and the program goes on.
void ReportCaughtFailure(const char* where) noexcept;

// Names the message a procedure of ours handles while it runs, so that a
// failure caught in it says which message, to which window, raised it.
class MessageInHand {
 public:
  MessageInHand(HWND hwnd, UINT msg) noexcept;
  ~MessageInHand();
  MessageInHand(const MessageInHand&) = delete;
  MessageInHand& operator=(const MessageInHand&) = delete;

 private:
  friend void ReportCaughtFailure(const char*) noexcept;
  HWND hwnd_;
  UINT msg_;
  MessageInHand* outer_;
};

// How many failures were caught since the last call: a test run fails when
// any was.
int TakeCaughtFailures();

// Raises an event: no exception leaves a window procedure.
template <typename F, typename... A>
void Raise(const F& handler, A&&... args) {
  if (!handler) return;
  try {
    F call = handler;  // the handler may unload the control that holds it
    call(std::forward<A>(args)...);
  } catch (...) {
    ReportCaughtFailure("an event handler");
  }
}

// Runs a form's own handler: no exception leaves a window procedure.
template <typename F>
void Guarded(F&& f) {
  try {
    f();
  } catch (...) {
    ReportCaughtFailure("a form handler");
  }
}

}  // namespace ui
