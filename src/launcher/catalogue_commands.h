// The group and link menus' editing commands, run by FrmPop's items: the
// two editors opened fitted to the main window, and the two deletes with
// their confirmations.
#pragma once

namespace tolvane {

void AjGroupe();   // "Ajouter un groupe"
void ModGroupe();  // "Modifier le groupe": the group the links pane shows
void SuppGroup();  // "Supprimer le groupe": the group of the header clicked
void AjProg();     // "Ajouter un lien": to the group the links pane shows
void ModifProg();  // "Modifier le lien": the link button clicked
void SuppProg();   // "Supprimer le lien": the link button clicked

}  // namespace tolvane
