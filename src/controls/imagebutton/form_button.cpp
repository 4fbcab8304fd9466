#include "controls/imagebutton/form_button.h"

#include "core/twips.h"

namespace imagebutton {

FormButton::FormButton() { transparent_ = true; }  // the button's rounded corners show what lies behind

FormButton::~FormButton() { button_.reset(); }  // before the holder's window goes

bool FormButton::Create(ui::Window& parent, const FormButtonDesign& d) {
  Name = d.name;
  Move(d.left, d.top, d.width, d.height);
  // Its own tab order merges into the form's: keys reach the button as if
  // the holder were not there.
  CreateHwnd(&parent, 0, WS_EX_CONTROLPARENT);
  if (!hwnd()) return false;
  button_ = XpBoutonImg::Create(hwnd(), {.left = 0, .top = 0, .width = static_cast<int>(d.width),
                                         .height = static_cast<int>(d.height), .ambient = d.ambient,
                                         .properties = d.properties});
  if (!button_) return false;
  button_->Click = [this] { ui::Raise(onClick); };
  return true;
}

const std::wstring& FormButton::Caption() const { return button_ ? button_->Caption() : before_.caption; }

void FormButton::SetCaption(const std::wstring& caption) {
  if (button_) button_->SetCaption(caption);
}

PicturePtr FormButton::Picture() const { return button_ ? button_->Picture() : nullptr; }

void FormButton::SetPicture(PicturePtr picture) {
  if (button_) button_->SetPicture(std::move(picture));
}

bool FormButton::Enabled() const { return button_ ? button_->Enabled() : before_.enabled; }

void FormButton::SetEnabled(bool enabled) {
  if (button_) button_->SetEnabled(enabled);
}

void FormButton::OnSized() {
  if (!button_ || !button_->Hwnd()) return;
  RECT r{};
  ::GetClientRect(hwnd(), &r);
  ::MoveWindow(button_->Hwnd(), 0, 0, r.right, r.bottom, TRUE);
}

}  // namespace imagebutton
