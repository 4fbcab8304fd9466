#include "dialogs/frm_programme.h"

#include "base/app.h"
#include "base/bar.h"
#include "base/window_helpers.h"
#include "core/catalogue.h"
#include "core/catalogue_edit.h"
#include "core/text.h"
#include "ui/seams.h"

namespace tolvane {

FrmProgramme::FrmProgramme()
    : CatalogueEditor(L"FrmProgramme", L"Gestion de liens",
                      {.height = 1755, .captionWidth = 2300, .stripTop = 405, .stripHeight = 700,
                       .surfaceHeight = 700, .inputTop = 0, .inputWidth = 2150, .inputHeight = 300,
                       .buttonLeft = 960, .saved = {L"ProgrammeLeft", L"ProgrammeTop"}}) {}

void FrmProgramme::DesignBesideInput() {
  Recherche.Create(EnteteL, {.name = L"Recherche", .left = 2280, .top = 120, .width = 855, .height = 495,
                             .ambient = {.displayName = L"Recherche"},
                             .properties = ImageButtonProperties(L"        ...", L"2", L"0", L"4")});
  Recherche.onClick = [this] { Recherche_Click(); };
  Saisie.AcceptFiles(true);
  Saisie.onDropFiles = [this](const std::vector<std::wstring>& files) { Saisie_DropFiles(files); };
}

void FrmProgramme::FitInput(double width) {
  // The browse button at the right edge, the text box's margin on each side.
  Saisie.SetWidth(width - 3 * Saisie.Left() - Recherche.Width());
  Recherche.SetLeft(width - Saisie.Left() - Recherche.Width());
}

void FrmProgramme::UseTarget(const std::wstring& path) {
  Target = Trim(path);
  Saisie.SetText(ProposedLinkName(Target));
}

void FrmProgramme::Recherche_Click() {
  // A target the chooser could not start on (a web address, quotes) is
  // left out rather than keeping it from opening.
  const std::optional<std::wstring> chosen = ui::TheDesktop().ChooseFile(hwnd(), ChooserStartPath(Target));
  if (chosen && !Trim(*chosen).empty()) UseTarget(*chosen);
}

void FrmProgramme::Saisie_DropFiles(const std::vector<std::wstring>& files) {
  if (!files.empty() && !Trim(files.front()).empty()) UseTarget(files.front());
}

bool FrmProgramme::EcrireINIProgramme(const std::wstring& Valeur) {
  if (Saisie.Tag.empty()) {
    const EditPlan plan = PlanAddLink(Settings(), ShownGroup, Valeur, Target);
    if (!Store(plan)) return false;
    Saisie.Tag = LinkKey(plan.group, plan.link);
    return true;
  }
  const auto link = ParseLinkKey(Saisie.Tag);  // a key that no longer reads: the link is gone
  return Store(link ? PlanModifyLink(Settings(), link->group, link->link, Valeur, Target) : EditPlan{});
}

void FrmProgramme::AfterClose() {
  if (Bar* bar = TheBar()) bar->KeepBarOnTop();
}

}  // namespace tolvane
