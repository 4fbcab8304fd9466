#include "launcher/catalogue_commands.h"

#include <functional>
#include <string>

#include "base/window_helpers.h"
#include "core/catalogue.h"
#include "core/catalogue_edit.h"
#include "core/text.h"
#include "dialogs/frm_groupe.h"
#include "dialogs/frm_programme.h"
#include "launcher/frm_main.h"
#include "launcher/frm_pop.h"
#include "launcher/globals.h"
#include "ui/seams.h"

namespace tolvane {
namespace {

// Opens a fresh editor fitted to the main window and set by `mode`; returns
// once it has closed. The bar reloads on its next activation only when the
// editor saved.
template <typename Editor>
void OpenEditor(const std::function<void(Editor&)>& mode) {
  if (!FenetrePrincipale) return;
  RechargerGroupe = false;
  ShowDialog<Editor>([&](Editor& editor) {
    editor.FitToWidth(FenetrePrincipale->Width());
    if (mode) mode(editor);
  });
}

// The link button the link menu was opened on, if it still stands.
ui::RibbonButton* ClickedLink() {
  const auto index = ParseGroupNumber(ThePop().MenuProg.Tag);
  if (!FenetrePrincipale || !index || !FenetrePrincipale->Prog.Exists(*index)) return nullptr;
  return &FenetrePrincipale->Prog[*index];
}

bool Confirmed(const std::wstring& question) {
  // Dropped so the box can stand over the bar; the bar takes it back itself
  // when it is next activated or painted.
  EnleverPremierPlan(*FenetrePrincipale);
  return ui::TheDesktop().Message(FenetrePrincipale->hwnd(), question, AppTitle(), MB_YESNO | MB_ICONQUESTION) ==
         IDYES;
}

void Say(const std::wstring& text) {
  ui::TheDesktop().Message(FenetrePrincipale->hwnd(), text, AppTitle(), MB_OK | MB_ICONEXCLAMATION);
}

// A delete the store refused is said so; the bar then shows what is stored.
void ApplyDelete(const EditPlan& plan) {
  if (!ApplyEdit(Settings(), plan)) Say(L"Les modifications n'ont pas pu être enregistrées !");
}

// A delete answered Yes that cannot be made says why; true when it can.
bool Deletable(const EditPlan& plan) {
  if (plan.refusal == EditRefusal::None) return !plan.changes.empty();
  Say(L"Rien n'a été supprimé : " + RefusalReason(plan.refusal));
  return false;
}

}  // namespace

void AjGroupe() {
  OpenEditor<FrmGroupe>([](FrmGroupe& e) { e.Saisie.Tag.clear(); });
}

void ModGroupe() {
  OpenEditor<FrmGroupe>([](FrmGroupe& e) {
    const ui::Panel& header = FenetrePrincipale->lblHeader[1];
    e.Saisie.SetText(header.Caption());
    e.Saisie.Tag = header.Tag;
  });
}

void AjProg() {
  OpenEditor<FrmProgramme>([](FrmProgramme& e) {
    e.Saisie.Tag.clear();
    e.ShownGroup = FenetrePrincipale->lblHeader[1].Tag;
  });
}

void ModifProg() {
  const ui::RibbonButton* button = ClickedLink();
  if (!button) return;
  const std::wstring caption = Trim(button->Caption());
  const std::wstring key = button->Tag;
  OpenEditor<FrmProgramme>([&](FrmProgramme& e) {
    e.Saisie.SetText(caption);
    e.Saisie.Tag = key;
    // The catalogue's own target: a tool tip may show it otherwise.
    if (auto link = ParseLinkKey(key)) e.Target = Trim(ReadLinkTarget(Settings(), link->group, link->link));
  });
}

void SuppGroup() {
  if (!FenetrePrincipale) return;
  FrmMain& main = *FenetrePrincipale;
  const int h = main.lblHeader.Exists(IndexEnteteMenu) && IndexEnteteMenu > 0 ? IndexEnteteMenu : 1;
  const ui::Panel& header = main.lblHeader[h];
  const auto group = ParseGroupNumber(Trim(header.Tag));
  if (!Confirmed(L"Voulez-vous vraiement supprimer le groupe ***" + header.Caption() + L"*** ?") || !group) return;
  const EditPlan plan = PlanDeleteGroup(Settings(), *group);
  if (!Deletable(plan)) return;
  ApplyDelete(plan);
  ViderMenuGroupes();
  ChargerMenuGroupes();
  // The name as stored: a menu caption may have been cut or marked up.
  main.ShowGroup(plan.group, ReadGroupName(Settings(), plan.group));
}

void SuppProg() {
  if (!FenetrePrincipale) return;
  FrmMain& main = *FenetrePrincipale;
  const ui::RibbonButton* button = ClickedLink();
  if (!button) return;
  const auto link = ParseLinkKey(button->Tag);
  if (!Confirmed(L"Voulez-vous vraiement supprimer le programme ***" + Trim(button->Caption()) + L"*** ?") || !link)
    return;
  const EditPlan plan = PlanDeleteLink(Settings(), link->group, link->link);
  if (!Deletable(plan)) return;
  ApplyDelete(plan);
  main.Ascenseur.SetValue(0);
  main.ShowGroup(link->group, ReadGroupName(Settings(), link->group));
}

}  // namespace tolvane
