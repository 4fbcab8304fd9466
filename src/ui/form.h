// A form: a borderless top-level window with its controls, the events of a
// form's life (Load, Activate, Paint, Resize, Unload with cancel) and modal
// showing. Forms are listed in load order while they are loaded.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/window.h"

namespace ui {

class Form : public Window {
 public:
  explicit Form(std::wstring name);
  ~Form() override;

  // Creates the window and its controls, then runs Form_Load. Does nothing
  // when the form is loaded already.
  void Load();
  bool Loaded() const { return loaded_; }
  // Loads when needed and makes the form visible, without a modal loop.
  void Show();
  // Shows the form with the other windows of the program disabled and
  // returns once it has been unloaded. The window that was active before is
  // active again as the form unloads, not later.
  void ShowModal();
  // Runs Form_Unload; unless it cancels, destroys the window. The object
  // stays valid, so a form may unload itself from its own handlers.
  bool Unload();

  void SetIcon(PicturePtr icon);
  const PicturePtr& Icon() const { return icon_; }

 protected:
  // Creates the controls, as the form's design lays them out.
  virtual void Design() {}
  virtual void Form_Load() {}
  virtual void Form_Activate() {}
  virtual void Form_Paint() {}
  virtual void Form_Resize() {}
  virtual void Form_Unload(bool& cancel) { (void)cancel; }

  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnSized() override;

 private:
  // Gives the windows back that a modal showing took: enabled again, and
  // the one that was active before activated while this form still stands.
  void EndModal();

  bool loaded_ = false;
  bool activatedOnce_ = false;
  HWND lastFocus_ = nullptr;  // the control that had the focus when the form was left
  PicturePtr icon_;
  bool modal_ = false;
  std::vector<HWND> modalDisabled_;
  HWND modalPrevious_ = nullptr;
};

// The loaded forms, in load order.
const std::vector<Form*>& LoadedForms();
// The loaded form whose window is `hwnd`, searched from the last loaded; null
// when none is.
Form* FindFormByHwnd(HWND hwnd);
// The control called `name` on `form`, inside its containers too; a name
// ending in ")" ("Icone(2)") names that element of a control array. Null
// when there is none.
Window* FindControlByName(const Window& form, std::wstring_view name);

// The form shown modal last and still open, or null.
Form* ModalForm();

// Ends the program: modal loops return and the message loop stops with `code`.
void EndProgram(int code = 0);
bool Ending();
// Runs the thread's message loop until EndProgram; returns its code.
int RunMessageLoop();

// An event the message loops wait on beside the thread's messages, so that
// what it tells of costs nothing until it is set: `signalled` runs on this
// thread each time it is. The event stays open until UnwatchEvent.
void WatchEvent(HANDLE event, std::function<void()> signalled);
void UnwatchEvent(HANDLE event);
// Waits up to `ms` for a message or a watched event, and runs the calls of
// the events set: for loops that take the messages themselves.
void WaitForMessageOrEvent(DWORD ms);

}  // namespace ui
