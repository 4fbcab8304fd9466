// The base of every dialog: the skinned frame with its title-bar drag and
// close button, on top of the other windows with the main window just below
// it, its place kept between openings under a pair of "Settings" keys, and
// message boxes that show over it.
//
// A dialog object serves one opening: ShowDialog makes a fresh one, shows it
// modal and drops it once it has closed.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/skinned_frame.h"
#include "controls/imagebutton/form_button.h"
#include "ui/controls.h"
#include "ui/form.h"

namespace tolvane {

// The "Settings" keys of a dialog's saved Left and Top.
struct PositionKeys {
  std::wstring left;
  std::wstring top;
};

struct DialogLayout {
  double width = 0;
  double height = 0;
  FrameSizes frame;
  std::optional<PositionKeys> saved;  // none: the place is not kept
};

class DialogFrame : public ui::Form {
 public:
  // The title shown in the title bar; also the window's text.
  const std::wstring& Title() const { return MeCaption.Caption(); }
  void SetTitle(const std::wstring& title);
  // A message box owned by this dialog, titled with the application title.
  int Message(std::wstring_view text, UINT style);

  ui::Panel EnteteH, MeIcon, MeCaption, FBtn, EnteteB, BorderLeft, BorderRight;
  ui::RibbonButton BtnClose;

 protected:
  DialogFrame(std::wstring name, std::wstring title, DialogLayout layout);

  // The dialog's own controls, made after the frame; the frame stays over
  // them where they meet.
  virtual void DesignContent() {}
  // Dialogs that override these call them first.
  void Form_Load() override;
  void Form_Activate() override;
  void Form_Unload(bool& cancel) override;
  // Closes the dialog when the button is down, and lets it up again.
  virtual void BtnClose_Click();

 private:
  void Design() final;
  void KeepOnTop();

  std::wstring title_;
  DialogLayout layout_;
};

// A message box for after a dialog has closed (its confirmation): over the
// main window, titled with the application title.
int MessageOverMain(std::wstring_view text, UINT style);

// Underlines a control's caption, or stops, as the pointer comes and goes.
void SetUnderline(ui::Window& control, bool underline);

// The stored properties of the dialogs' image buttons: the caption, the
// picture's offsets and the blanks before the caption as each form stores
// them (as text), and what all of them store alike: the picture, the font
// and the two caption colours. Enabled and the picture's size are left to
// their defaults.
imagebutton::PropertyStore ImageButtonProperties(const wchar_t* caption, const wchar_t* xPicture,
                                                 const wchar_t* yPicture, const wchar_t* xTexte);
// "Valider", `Btn` in a dialog's bottom bar.
imagebutton::FormButtonDesign ValiderDesign(double left, const wchar_t* xTexte);

// Opens a fresh dialog of type D modal and returns once it has closed.
// `prepare` runs after the dialog's load, before it shows.
template <typename D, typename... Args>
void ShowDialog(const std::function<void(D&)>& prepare, Args&&... args) {
  auto dialog = std::make_unique<D>(std::forward<Args>(args)...);
  dialog->Load();
  if (!dialog->Loaded()) return;
  if (prepare) prepare(*dialog);
  dialog->ShowModal();
}

}  // namespace tolvane
