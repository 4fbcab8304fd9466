#include "base/window_helpers.h"

#include <windows.h>

#include <map>

#include "base/app.h"
#include "base/bar.h"
#include "core/catalogue.h"
#include "core/text.h"
#include "core/twips.h"
#include "ui/seams.h"

namespace tolvane {
namespace {

// The one title-bar drag of the program: held down, and the grab point in
// twips within the window.
int Deplacement = 0;
double DepX = 0;
double DepY = 0;

void SetTopmost(ui::Form& form, HWND where) {
  if (form.hwnd())
    ::SetWindowPos(form.hwnd(), where, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

ui::Window* FindByName(ui::Window& parent, std::wstring_view name) {
  for (ui::Window* c : parent.Children()) {
    if (c->Name == name) return c;
    if (ui::Window* found = FindByName(*c, name)) return found;
  }
  return nullptr;
}

struct SavedKeys {
  const wchar_t* left;
  const wchar_t* top;
};

const std::map<std::wstring, SavedKeys, std::less<>>& SavedPositionKeys() {
  static const std::map<std::wstring, SavedKeys, std::less<>> keys{
      {L"frmAide", {L"AideLeft", L"AideTop"}},
      {L"FrmPref", {L"PrefLeft", L"PrefTop"}},
      {L"FrmGroupe", {L"GroupeLeft", L"GroupeTop"}},
      {L"FrmPolices", {L"PolicesLeft", L"PolicesTop"}},
      {L"FrmProgramme", {L"ProgrammeLeft", L"ProgrammeTop"}},
  };
  return keys;
}

Rect RectOf(const ui::Window& w) { return {w.Left(), w.Top(), w.Width(), w.Height()}; }

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM lp) {
  MONITORINFO mi{sizeof mi};
  if (::GetMonitorInfoW(monitor, &mi)) {
    const RECT& r = mi.rcWork;
    reinterpret_cast<std::vector<Rect>*>(lp)->push_back(
        {PixelsToTwips(r.left), PixelsToTwips(r.top), PixelsToTwips(r.right - r.left),
         PixelsToTwips(r.bottom - r.top)});
  }
  return TRUE;
}

}  // namespace

void MettreAuPremierPlan(ui::Form& form) {
  // A modal dialog stays over the windows it holds disabled: they go on top
  // of everything but it, or the bar repainting would cover the open dialog.
  ui::Form* modal = ui::ModalForm();
  SetTopmost(form, modal && modal != &form && modal->hwnd() ? modal->hwnd() : HWND_TOPMOST);
}

void EnleverPremierPlan(ui::Form& form) { SetTopmost(form, HWND_NOTOPMOST); }

double ScreenWidthTwips() { return PixelsToTwips(ui::TheDesktop().ScreenSize().cx); }

double ScreenHeightTwips() { return PixelsToTwips(ui::TheDesktop().ScreenSize().cy); }

std::vector<Rect> MonitorWorkAreas() {
  std::vector<Rect> monitors;
  ::EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

void PositionnerFenetre(ui::Form& dialog) {
  std::wstring left = L"-1", top = L"-1";
  auto keys = SavedPositionKeys().find(dialog.Name);
  if (keys != SavedPositionKeys().end()) {
    left = Settings().Get(kSectionSettings, keys->second.left, L"-1");
    top = Settings().Get(kSectionSettings, keys->second.top, L"-1");
  } else {
    left = SingleText(static_cast<float>(dialog.Left()));
    top = SingleText(static_cast<float>(dialog.Top()));
  }
  Rect main = TheBar() ? TheBar()->BarPlace() : Rect{0, 0, 0, 0};
  Point p = DialogPosition(left, top, dialog.Width(), dialog.Height(), main, ScreenWidthTwips(),
                           ScreenHeightTwips());
  dialog.Move(p.left, p.top, dialog.Width(), dialog.Height());
  if (ui::Window* btn = FindByName(dialog, L"Btn")) btn->SetLeft(CentredButtonLeft(dialog.Width(), btn->Width()));
  if (ui::Window* holder = FindByName(dialog, L"FBtn"))
    holder->SetLeft(ButtonHolderLeft(dialog.Width(), holder->Width()));
}

void DeplacementAuto(ui::Form& dialog) {
  if (!TheBar()) return;
  if (auto top = AutoMoveTop(AutoMoveDialogs(Settings()), TheBar()->BarPlace(), RectOf(dialog),
                             ScreenHeightTwips()))
    dialog.SetTop(*top);
}

InterfaceValues LireInterface() {
  std::wstring font = L"Verdana";
  std::wstring back = L"16765860";
  if (const Bar* bar = TheBar()) {
    font = bar->HeaderFont().name;
    back = Digits(static_cast<long long>(bar->PaneBackColour()));
  }
  return ReadInterface(Settings(), font, back);
}

COLORREF ShownColour(std::uint32_t colour) {
  return IsSystemColour(colour) ? ::GetSysColor(static_cast<int>(colour & ~kSystemColourFlag)) : colour;
}

void BeginTitleDrag(double x, double y) {
  Deplacement = 1;
  DepX = x;
  DepY = y;
}

bool ContinueTitleDrag(ui::Form& form) {
  if (Deplacement != 1) return false;
  POINT p = ui::TheDesktop().CursorPos();
  form.Move(PixelsToTwips(p.x) - DepX, PixelsToTwips(p.y) - DepY, form.Width(), form.Height());
  return true;
}

void EndTitleDrag() { Deplacement = 0; }

}  // namespace tolvane
