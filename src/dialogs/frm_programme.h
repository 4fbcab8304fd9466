// FrmProgramme, "Gestion de liens": adds a link to the group shown, or
// changes the link whose key `Saisie.Tag` holds. The target is chosen with
// the browse button `Recherche` or dropped on the text box; either proposes
// the file's name.
#pragma once

#include <string>
#include <vector>

#include "dialogs/catalogue_editor.h"

namespace tolvane {

class FrmProgramme final : public CatalogueEditor {
 public:
  FrmProgramme();

  // `EcrireINIProgramme`: writes the link named `Valeur`; in add mode
  // `Saisie.Tag` then holds the new link's key.
  bool EcrireINIProgramme(const std::wstring& Valeur);
  void Recherche_Click();
  void Saisie_DropFiles(const std::vector<std::wstring>& files);

  imagebutton::FormButton Recherche;
  // `Cdlg1.Tag`: the link's target, "" until one is chosen or dropped.
  std::wstring Target;
  // The links pane's group tag at the opening: where a new link goes.
  std::wstring ShownGroup;

 protected:
  void DesignBesideInput() override;
  void FitInput(double width) override;
  std::wstring BlankNameMessage() const override { return L"Veuillez sélectionner un lien de programme !"; }
  bool Save(const std::wstring& name) override { return EcrireINIProgramme(name); }
  void AfterClose() override;

 private:
  void UseTarget(const std::wstring& path);
};

}  // namespace tolvane
