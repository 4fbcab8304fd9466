// State shared by the launcher's windows and modules.
#pragma once

#include <string>

#include "core/settings_store.h"

namespace tolvane {

class FrmMain;
class FrmPop;

// The application title: the settings live under it, and every message box
// carries it.
const std::wstring& AppTitle();
// The settings store of this program, under its title.
SettingsStore& Settings();
// Points the program at another store, for tests; null restores the real one.
void UseSettings(SettingsStore* store);
// The product's web page: opened by the tool entry "Site internet" and by
// the about box's link, whose caption it is too.
inline constexpr wchar_t kWebPage[] = L"http://tolvane.test";
// The folder of the running program, without a trailing separator.
const std::wstring& ProgramFolder();

// The one main window and the hidden pop-up menu holder.
extern FrmMain* FenetrePrincipale;
FrmPop& ThePop();

extern bool DansTray;          // the main window hides behind the tray icon
extern bool RechargerGroupe;   // an editor saved: reload the group on activation
extern int IndexEnteteMenu;    // the pane header whose group menu is open

// The one title-bar drag of the program: held down, and the grab point in
// twips within the window.
extern int Deplacement;
extern double DepX;
extern double DepY;

}  // namespace tolvane
