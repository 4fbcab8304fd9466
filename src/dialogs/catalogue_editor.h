// What the group editor and the link editor share: the skinned frame, a
// strip with one text box `Saisie`, the "Valider" button `Btn` in the bottom
// bar, Enter in the text box doing what "Valider" does, the interface font
// and colours on the text box, and the fitting to the main window's width.
//
// The mode travels in `Saisie.Tag`: empty to add, otherwise the key of the
// group or link being changed.
#pragma once

#include <string>

#include "controls/imagebutton/form_button.h"
#include "core/catalogue_edit.h"
#include "dialogs/dialog_frame.h"
#include "ui/controls.h"
#include "ui/edit_controls.h"

namespace tolvane {

struct EditorDesign {
  double height;        // the dialog's; its width is the main window's
  double captionWidth;
  double stripTop;      // `FEnteteL`
  double stripHeight;
  double surfaceHeight;  // `EnteteL`
  double inputTop;       // `Saisie`, before the interface centres it
  double inputWidth;
  double inputHeight;
  double buttonLeft;  // `Btn`
  PositionKeys saved;
};

class CatalogueEditor : public DialogFrame {
 public:
  // Applies the interface font and colours to the text box and centres it
  // in height.
  void ChargerMeInterface();
  // Fits the editor to width `width`, places it and lays out its controls.
  void FitToWidth(double width);
  // "Valider": refuses a blank name, otherwise saves, has the bar reload and
  // closes.
  void Btn_Click();

  ui::Panel FEnteteL;
  ui::PictureBox EnteteL;
  ui::TextBox Saisie;
  imagebutton::FormButton Btn;

 protected:
  CatalogueEditor(std::wstring name, std::wstring title, const EditorDesign& design);

  void DesignContent() override;
  void Form_Load() override;
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  // Makes what stands beside the text box, next in the tab order.
  virtual void DesignBesideInput() {}
  // The text box and what stands beside it, for the width the editor has.
  virtual void FitInput(double width);
  virtual std::wstring BlankNameMessage() const = 0;
  // Writes the item; `name` as typed. False when nothing was saved, the user
  // told why: the editor then stays open.
  virtual bool Save(const std::wstring& name) = 0;
  // Makes `plan`, or says over the editor why it cannot be made: the reason
  // it was refused for, or a write the store refused. True when all is written.
  bool Store(const EditPlan& plan);
  virtual void AfterClose() {}

 private:
  EditorDesign design_;
};

}  // namespace tolvane
