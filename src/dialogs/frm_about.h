// frmAbout: the about box. A banner, the version, a few words and the link
// to the product's web page; it opens centred on the screen every time.
#pragma once

#include "dialogs/dialog_frame.h"

namespace tolvane {

class FrmAbout final : public DialogFrame {
 public:
  FrmAbout();

  ui::Image Image1;
  ui::Label Label1, Label2;
  ui::RibbonButton Lien;

 protected:
  void DesignContent() override;
  void Form_Load() override;

 private:
  void Lien_Click();
};

}  // namespace tolvane
