// FrmPolices, "Gestion de l'interface": the interface font, size, text colour
// and pane colour, with a preview; saved on "Valider" and applied by each
// window the next time it restyles itself.
#pragma once

#include <cstdint>
#include <vector>

#include "controls/imagebutton/form_button.h"
#include "dialogs/dialog_frame.h"
#include "ui/control_array.h"
#include "ui/edit_controls.h"
#include "ui/option_controls.h"

namespace tolvane {

class FrmPolices final : public DialogFrame {
 public:
  FrmPolices();

  ui::ControlArray<ui::Label> L;
  ui::ListBox Polices, Taille;
  ui::PreviewPanel Text;
  ui::RibbonButton Defaut;
  imagebutton::FormButton Btn;

  // The colours as they will be stored: a system colour stays one while the
  // user does not choose another.
  std::uint32_t TextColour() const { return textColour_; }
  std::uint32_t BackColour() const { return backColour_; }

  void Polices_Click();
  void Taille_Click();
  void Text_Click();
  void L_Click(int Index);
  void Defaut_Click();
  void Btn_Click();

 protected:
  void DesignContent() override;
  void Form_Load() override;

 private:
  void SetTextColour(std::uint32_t colour);
  void SetBackColour(std::uint32_t colour);
  // Shows the colour dialog on `colour`; true when the user chose one.
  bool ChooseColour(std::uint32_t& colour);
  // Selects the face `name`, or where it is not installed the first face
  // that shows the program's text.
  void SelectFont(const std::wstring& name);
  std::vector<std::wstring> FontEntries() const;

  std::uint32_t textColour_ = 0;
  std::uint32_t backColour_ = 0;
};

}  // namespace tolvane
