#include "launcher/globals.h"

#include "launcher/frm_pop.h"

namespace tolvane {

FrmMain* FenetrePrincipale = nullptr;
bool DansTray = false;
bool RechargerGroupe = false;
int IndexEnteteMenu = 0;

FrmPop& ThePop() {
  static FrmPop pop;
  pop.Load();  // its first use loads it, as the menus expect
  return pop;
}

}  // namespace tolvane
