// The frame the dialogs share: the skinned title bar with the main window's
// icon, the caption and the close button, the side borders, the bottom bar
// with the "Valider" image button, the title-bar drag, staying on top with
// the main window, and the saved position.
#pragma once

#include <memory>
#include <string>

#include "controls/imagebutton/xp_bouton_img.h"
#include "ui/controls.h"
#include "ui/form.h"

namespace tolvane {

class SkinnedDialog : public ui::Form {
 public:
  struct Frame {
    std::wstring name;           // the form's name: "FrmPref"
    std::wstring caption;        // the title text
    double width = 0, height = 0;
    double buttonLeft = 960;     // the "Valider" button's design place
    const wchar_t* leftKey = L"";  // where the position is saved in "Settings"
    const wchar_t* topKey = L"";
  };
  explicit SkinnedDialog(Frame frame);

  // "Valider"; tests click it through here.
  void Btn_Click() { Valider(); }
  imagebutton::XpBoutonImg* Btn() const { return btn_.get(); }

  ui::Panel EnteteH, MeIcon, MeCaption, FBtn, EnteteB, BorderLeft, BorderRight;
  ui::RibbonButton BtnClose;

 protected:
  // Lays out the frame; the dialog adds its own controls after it.
  void Design() override;
  void Form_Activate() override;
  void Form_Unload(bool& cancel) override;
  virtual void Valider() = 0;
  // A message titled with the application title, over the main window: the
  // dialogs' confirmations come once they have closed.
  void Confirm(const std::wstring& text, UINT icon);

 private:
  void BtnClose_Click();
  Frame frame_;
  std::unique_ptr<imagebutton::XpBoutonImg> btn_;
};

}  // namespace tolvane
