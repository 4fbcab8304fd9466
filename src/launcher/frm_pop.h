// FrmPop: the hidden form that owns the pop-up menus (tray, group, link)
// and the pictures their items show. The main window pops them up.
#pragma once

#include <vector>

#include "core/catalogue.h"
#include "menus/menu_items.h"
#include "ui/form.h"
#include "ui/image_list.h"
#include "ui/menu.h"

namespace tolvane {

class FrmPop final : public ui::Form {
 public:
  FrmPop();

  ui::MenuItem MenuAff;   // "Menu Affichage": the tray menu
  ui::MenuItem Menu;      // "Menu Groupe"
  ui::MenuItem MenuProg;  // "Menu Programme"
  ui::MenuItem* SelGroupe = nullptr;  // holds the `Groupe` items, one per group
  ui::MenuItem* ModifProg = nullptr;
  ui::MenuItem* SuppProg = nullptr;

  // The groups the `Groupe` items stand for, in menu order.
  const std::vector<GroupMenuItem>& Groups() const { return groups_; }
  void SetGroups(std::vector<GroupMenuItem> groups);

  // The pictures the menu captions' "{IMG:iN}" tags name.
  ui::ImageList MiniToolBar;

  // Pops `menu` up at the cursor: this window tracks it, so the menu engine
  // hooked on it sees its messages; the main window comes to the front.
  void Popup(ui::MenuItem& menu);

 protected:
  void Form_Load() override;
  void Form_Unload(bool& cancel) override;

 private:
  void Groupe_Click(int Index);
  void RealTolvane_Click();

  std::vector<GroupMenuItem> groups_;
  // The menu engine's event object: none, so the engine raises nothing.
  menus::cTips* myTips = nullptr;
};

// Fills the group menu from the catalogue, writing the default catalogue
// first when there is none.
void ChargerMenuGroupes();
// Empties the group menu.
void ViderMenuGroupes();

}  // namespace tolvane
