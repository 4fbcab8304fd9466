// frmAide: the help window. A menu page of three topics, each opening a
// help page that scrolls and leads back to the menu.
#pragma once

#include "dialogs/dialog_frame.h"
#include "ui/control_array.h"

namespace tolvane {

class FrmAide final : public DialogFrame {
 public:
  FrmAide();

  // One text, title, picture or separator of a page.
  enum class Kind;
  struct Item;

  // The help page shown (1 to 3), from the window's Tag; 0 before any.
  int ShownPage() const;

  ui::PictureBox Fond;                          // the viewport of the pages
  ui::Panel FAide[4];                           // page 0 is the menu page
  ui::ControlArray<ui::RibbonButton> ImgAide;   // topic icons
  ui::ControlArray<ui::RibbonButton> LAide;     // topic links
  ui::RibbonButton BtnAide[4];                  // 1 to 3: back to the menu page
  ui::ControlArray<ui::Label> L, LL, LMenu;     // texts, titles, names of panes
  ui::ControlArray<ui::Image> Img, T;           // screenshots, separators
  ui::ScrollBar Ascenseur;

 protected:
  void DesignContent() override;
  void Form_Load() override;

 private:
  void DesignMenuPage();
  void DesignItem(int page, const Item& item);

  void LAide_Click(int Index);
  void ImgAide_Click(int Index);
  void BtnAide_Click(int Index);
  void Ascenseur_Change();
};

}  // namespace tolvane
