// State shared by the launcher's windows and modules.
#pragma once

#include "base/app.h"

namespace tolvane {

class FrmMain;
class FrmPop;

// The one main window and the hidden pop-up menu holder.
extern FrmMain* FenetrePrincipale;
FrmPop& ThePop();

extern bool DansTray;          // the main window hides behind the tray icon
extern bool RechargerGroupe;   // an editor saved: reload the group on activation
extern int IndexEnteteMenu;    // the pane header whose group menu is open

}  // namespace tolvane
