// FrmPref, "Préférences": the seven on/off options as clickable panels, each
// with its state picture, saved on "Valider". Starting with Windows and
// showing the desktop take effect here; the others are read where they act.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "base/registry_helpers.h"
#include "controls/imagebutton/form_button.h"
#include "dialogs/dialog_frame.h"
#include "ui/control_array.h"
#include "ui/option_controls.h"

namespace tolvane {

class FrmPref final : public DialogFrame {
 public:
  FrmPref();

  // Where the Run value is written, first accepting root first, and removed
  // from all; tests point these at keys of their own.
  std::vector<HKEY> runRoots{HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER};
  std::wstring runKeyPath{kRunKeyPath};

  ui::ControlArray<ui::PicturePanel> Rec;
  imagebutton::FormButton Btn;

  void Rec_Click(int Index);
  void Rec_MouseEnter(int Index);
  void Rec_MouseExit(int Index);
  void Btn_Click();

 protected:
  void DesignContent() override;
  void Form_Load() override;

 private:
  bool On(int Index) const { return Rec[Index].Tag == L"1"; }
  void ShowState(int Index, bool hover);
  bool AutostartPresent() const;
  // Writes or removes the Run value; false when it is not as asked.
  bool ApplyAutostart(bool on);
};

}  // namespace tolvane
