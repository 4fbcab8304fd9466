#include "dialogs/frm_groupe.h"

#include "base/app.h"
#include "core/catalogue_edit.h"

namespace tolvane {

FrmGroupe::FrmGroupe()
    : CatalogueEditor(L"FrmGroupe", L"Gestion de groupes",
                      {.height = 1650, .captionWidth = 2350, .stripTop = 400, .stripHeight = 600,
                       .surfaceHeight = 580, .inputTop = 150, .inputWidth = 3015, .inputHeight = 285,
                       .buttonLeft = 1080, .saved = {L"GroupeLeft", L"GroupeTop"}}) {}

bool FrmGroupe::EcrireINIGroupe(const std::wstring& Valeur) {
  EditPlan plan;  // a key that no longer reads: the group is gone
  if (Saisie.Tag.empty()) {
    plan = PlanAddGroup(Settings(), Valeur);
  } else if (auto group = ParseGroupNumber(Saisie.Tag)) {
    plan = PlanRenameGroup(Settings(), *group, Valeur);
  }
  return Store(plan);
}

}  // namespace tolvane
