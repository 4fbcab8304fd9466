#include "launcher/tray.h"

#include <shellapi.h>

#include <string>
#include <utility>

#include "launcher/frm_main.h"
#include "launcher/globals.h"
#include "ui/seams.h"

namespace tolvane {
namespace {

NOTIFYICONDATAW DonneesIcone{};
bool shown = false;

void Fill() {
  DonneesIcone.cbSize = sizeof DonneesIcone;
  DonneesIcone.hWnd = FenetrePrincipale ? FenetrePrincipale->hwnd() : nullptr;
  DonneesIcone.uID = 1;
  DonneesIcone.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  DonneesIcone.uCallbackMessage = kTrayMessage;
  // The tip is cut to what the record holds, keeping room for its NUL.
  lstrcpynW(DonneesIcone.szTip, AppTitle().c_str(), ARRAYSIZE(DonneesIcone.szTip));
}

}  // namespace

bool AjouterIconeTray() {
  Fill();
  if (FenetrePrincipale && FenetrePrincipale->Icon()) DonneesIcone.hIcon = FenetrePrincipale->Icon()->Icon();
  if (!shown) shown = ui::TheDesktop().TrayIcon(NIM_ADD, DonneesIcone);
  return shown;
}

void SupprimerIconeTray() {
  if (DonneesIcone.cbSize) ui::TheDesktop().TrayIcon(NIM_DELETE, DonneesIcone);
  shown = false;
}

void ModifierIconeTray() {
  if (shown) ui::TheDesktop().TrayIcon(NIM_MODIFY, DonneesIcone);
}

bool SetTrayIcon(HICON icon) { return std::exchange(DonneesIcone.hIcon, icon) != icon; }

HICON TrayIcon() { return DonneesIcone.hIcon; }

bool TrayIconShown() { return shown; }

}  // namespace tolvane
