#include "dialogs/frm_pref.h"

#include "base/app.h"
#include "base/skin.h"
#include "base/window_helpers.h"
#include "core/catalogue.h"
#include "core/options.h"
#include "ui/seams.h"

namespace tolvane {
namespace {

const wchar_t* const kCaptions[kOptionCount] = {
    L"Lancer Tolvane au démarrage de l'ordinateur",
    L"Minimiser Tolvane lors du lancement du lien",
    L"Activer les déplacements automatiques des fenêtres",
    L"Minimiser au démarrage",
    L"Afficher le bureau",
    L"Regénérer le groupe Desktop au prochain démarrage",
    L"Activer l'animation de l'icone",
};

double OptionTop(int i) { return i == 6 ? 3500 : 600 + 480 * i; }

}  // namespace

FrmPref::FrmPref()
    : DialogFrame(L"FrmPref", L"Préférences",
                  {.width = 3630, .height = 4590,
                   .frame = {.captionWidth = 2350, .holderLeft = 3000, .holderWidth = 645, .bottomHeight = 645},
                   .saved = PositionKeys{L"PrefLeft", L"PrefTop"}}) {}

void FrmPref::DesignContent() {
  Btn.Create(EnteteB, ValiderDesign(1080, L"13"));
  Btn.onClick = [this] { Btn_Click(); };
  const ui::Design option{.name = L"Rec", .left = 120, .top = OptionTop(0), .width = 3400, .height = 405,
                          .caption = kCaptions[0], .back = RGB(255, 255, 255), .fore = RGB(0, 0, 0),
                          .font = {L"Verdana", 8.25}, .picture = TheSkin().optionStates[0],
                          .wordWrap = true};  // the longer captions take two lines
  Rec.Create(*this, option).Tag = L"0";
  for (int i = 1; i < kOptionCount; ++i) {
    ui::Design d = option;
    d.top = OptionTop(i);
    d.width = i < 2 ? 3400 : 3405;
    d.caption = kCaptions[i];
    Rec.Load(i, d).Tag = L"0";
  }
  Rec.onClick = [this](int i) { Rec_Click(i); };
  Rec.onMouseEnter = [this](int i) { Rec_MouseEnter(i); };
  Rec.onMouseExit = [this](int i) { Rec_MouseExit(i); };
}

void FrmPref::Form_Load() {
  DialogFrame::Form_Load();
  // Each option shows as the code acting on it takes it; starting with
  // Windows shows on only when the Run value is really there.
  for (int i = 0; i < kOptionCount; ++i) {
    const bool on = i == kOptionStartWithWindows ? AutostartPresent() : OptionOn(Settings(), i);
    Rec[i].Tag = std::wstring(OptionText(on));
    ShowState(i, false);
  }
}

void FrmPref::ShowState(int Index, bool hover) {
  Rec[Index].SetPicture(TheSkin().optionStates[(On(Index) ? 1 : 0) + (hover ? 2 : 0)]);
}

void FrmPref::Rec_Click(int Index) {
  Rec[Index].Tag = std::wstring(OptionText(!On(Index)));
  ShowState(Index, false);
}

void FrmPref::Rec_MouseEnter(int Index) { ShowState(Index, true); }

void FrmPref::Rec_MouseExit(int Index) { ShowState(Index, false); }

bool FrmPref::AutostartPresent() const {
  for (HKEY root : runRoots)
    if (HasRegistryValue(root, runKeyPath, AppTitle())) return true;
  return false;
}

bool FrmPref::ApplyAutostart(bool on) {
  if (!on) return detail::RemoveFromAll(runRoots, runKeyPath, AppTitle());
  const std::wstring command = AutostartCommand();  // empty when the program's path cannot be had
  return !command.empty() && detail::WriteToFirstAccepting(runRoots, runKeyPath, AppTitle(), command);
}

void FrmPref::Btn_Click() {
  bool autostartFailed = false;
  bool stored = true;
  for (int i = 0; i < kOptionCount; ++i) {
    bool on = On(i);
    if (i == kOptionStartWithWindows && !ApplyAutostart(on)) {
      autostartFailed = true;
      on = AutostartPresent();  // stored as it really stands
    }
    if (i == kOptionShowDesktop) ui::TheDesktop().ShowDesktopWindow(on);  // none: nothing to do
    stored = Settings().Save(kSectionSettings, OptionKey(i), OptionText(on)) && stored;
  }
  const bool wanted = On(kOptionStartWithWindows);
  Unload();
  if (!autostartFailed && stored) {
    MessageOverMain(L"Le modification des références a été bien prise en compte !", MB_OK | MB_ICONINFORMATION);
  } else if (!autostartFailed) {
    MessageOverMain(L"La modification des préférences n'a pas pu être enregistrée : l'accès au registre a été refusé.",
                    MB_OK | MB_ICONEXCLAMATION);
  } else {
    const std::wstring done = wanted ? L"enregistré" : L"supprimé";
    MessageOverMain(L"Le lancement de " + AppTitle() + L" au démarrage de l'ordinateur n'a pas pu être " + done +
                        L" : l'accès au registre a été refusé.",
                    MB_OK | MB_ICONEXCLAMATION);
  }
}

}  // namespace tolvane
