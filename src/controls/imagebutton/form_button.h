// The image button as one of a form's controls: named, placed and moved in
// twips like the others, so code that walks a form's controls finds it by
// name ("Btn", "Recherche") and can move it. The button itself lives in a
// see-through holder window that it always fills.
//
//   Btn.Create(EnteteB, {.name = L"Btn", .left = 960, .top = 100, .width = 1215, .height = 495,
//                        .properties = {{L"Caption", std::wstring(L"Valider")}}});
//   Btn.onClick = [this] { Btn_Click(); };
#pragma once

#include <memory>
#include <string>

#include "controls/imagebutton/xp_bouton_img.h"
#include "ui/window.h"

namespace imagebutton {

struct FormButtonDesign {
  std::wstring name;
  double left = 0, top = 0, width = 1185, height = 765;
  Ambient ambient{};
  PropertyStore properties{};
};

class FormButton final : public ui::Window {
 public:
  FormButton();
  ~FormButton() override;

  // False when the button's window cannot be made.
  bool Create(ui::Window& parent, const FormButtonDesign& d);

  const std::wstring& Caption() const;
  void SetCaption(const std::wstring& caption);
  PicturePtr Picture() const;
  void SetPicture(PicturePtr picture);
  bool Enabled() const;
  void SetEnabled(bool enabled);

  // The button, for its other properties and events. Its Click reaches
  // onClick.
  XpBoutonImg* Button() const { return button_.get(); }

 protected:
  void OnSized() override;

 private:
  std::unique_ptr<XpBoutonImg> button_;
  Properties before_;  // what the accessors answer before the button exists
};

}  // namespace imagebutton
