// FrmGroupe, "Gestion de groupes": adds a group, or renames the group whose
// number `Saisie.Tag` holds.
#pragma once

#include "dialogs/catalogue_editor.h"

namespace tolvane {

class FrmGroupe final : public CatalogueEditor {
 public:
  FrmGroupe();

  // `EcrireINIGroupe`: writes the group named `Valeur` and makes it current;
  // false when nothing could be written.
  bool EcrireINIGroupe(const std::wstring& Valeur);

 protected:
  std::wstring BlankNameMessage() const override { return L"Veuillez saisir un nom de groupe !"; }
  bool Save(const std::wstring& name) override { return EcrireINIGroupe(name); }
};

}  // namespace tolvane
