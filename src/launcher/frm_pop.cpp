#include "launcher/frm_pop.h"

#include "core/menu_caption.h"
#include "core/text.h"
#include "launcher/catalogue_commands.h"
#include "launcher/frm_main.h"
#include "launcher/globals.h"
#include "launcher/start.h"
#include "launcher/tray.h"
#include "menus/menu_engine.h"
#include "menus/menu_fonts.h"
#include "resources/resource.h"
#include "ui/picture.h"

namespace tolvane {

FrmPop::FrmPop() : ui::Form(L"FrmPop") {
  MenuAff.Caption = L"Menu Affichage";
  MenuAff.Add(L"RealTolvane", L"Réafficher Tolvane{IMG:i4}", [this] { RealTolvane_Click(); });
  MenuAff.Add(L"dfsf", L"-");
  MenuAff.Add(L"Quitt", L"Quitter l'application{IMG:i5}", [] { Quitter(); });

  Menu.Caption = L"Menu Groupe";
  SelGroupe = &Menu.Add(L"SelGroupe", L"Groupe de programmes");
  Menu.Add(L"I1", L"-");
  Menu.Add(L"AjGroupe", L"Ajouter un groupe{IMG:i1}", [] { AjGroupe(); });
  Menu.Add(L"ModGroupe", L"Modifier le groupe{IMG:i2}", [] { ModGroupe(); });
  Menu.Add(L"SuppGroup", L"Supprimer le groupe{IMG:i3}", [] { SuppGroup(); });

  MenuProg.Caption = L"Menu Programme";
  MenuProg.Add(L"AjProg", L"Ajouter un lien{IMG:i6}", [] { AjProg(); });
  ModifProg = &MenuProg.Add(L"ModifProg", L"Modifier le lien{IMG:i7}", [] { tolvane::ModifProg(); });
  SuppProg = &MenuProg.Add(L"SuppProg", L"Supprimer le lien{IMG:i8}", [] { tolvane::SuppProg(); });
}

void FrmPop::Form_Load() {
  ui::PicturePtr strip = ui::Picture::BitmapResource(IDB_MINITOOLBAR);
  MiniToolBar.LoadStrip(strip ? strip->Bitmap() : nullptr, 16, RGB(0xC0, 0xC0, 0xC0));
  // The strip's first slot is blank: the list numbers the pictures from 1,
  // as the captions' "{IMG:iN}" do, so picture N is the strip's slot N.
  if (MiniToolBar.Count() > 0) ::ImageList_Remove(MiniToolBar.get(), 0);
  menus::SetHighlightDisabled(true);
  menus::SetGradientHighlight(true);
  menus::SetItalicText(false);
  menus::SetIconShadow(true);
  // The engine restores the window procedure itself when the window goes.
  menus::SubclassForm(hwnd(), &MiniToolBar, myTips, 0);
}

void FrmPop::Form_Unload(bool&) {
  menus::ReleaseTips(myTips);
  myTips = nullptr;
}

void FrmPop::SetGroups(std::vector<GroupMenuItem> groups) {
  groups_ = std::move(groups);
  SelGroupe->Items.clear();
  // Element 0 stands in the design even with no group, blank.
  if (groups_.empty()) {
    ui::MenuItem& blank = SelGroupe->Add(L"Groupe", L"");
    blank.Index = 0;
    blank.Visible = false;
    return;
  }
  for (std::size_t i = 0; i < groups_.size(); ++i) {
    // The number and name travel in the item; nothing is cut off a caption.
    ui::MenuItem& item = SelGroupe->Add(L"Groupe", groups_[i].name);
    item.Literal = true;
    item.Tags = std::wstring(kGroupItemTags);
    item.Index = static_cast<int>(i);
    item.Tag = Digits(groups_[i].number);
    item.onClick = [this, i] { Groupe_Click(static_cast<int>(i)); };
  }
}

void FrmPop::Popup(ui::MenuItem& menu) {
  if (FenetrePrincipale) ui::PopupMenu(hwnd(), menu, {}, FenetrePrincipale->hwnd());
}

void FrmPop::Groupe_Click(int Index) {
  if (!FenetrePrincipale || Index < 0 || Index >= static_cast<int>(groups_.size())) return;
  const GroupMenuItem group = groups_[Index];
  // The links pane's one way to show a group: closed at once, chevron
  // included, then reopened unless another pane is on its way.
  FenetrePrincipale->ShowGroup(group.number, group.name);
  Settings().Save(kSectionSettings, kCurrentGroupKey, Digits(group.number));
}

void FrmPop::RealTolvane_Click() {
  if (!FenetrePrincipale) return;
  FenetrePrincipale->ShowFromTray();
}

void ChargerMenuGroupes() {
  std::vector<GroupMenuItem> groups = LoadGroupMenu(Settings());
  bool any = !groups.empty();
  ThePop().SetGroups(std::move(groups));
  if (any && FenetrePrincipale) FenetrePrincipale->FrameXPMenu[1].SetVisible(true);
}

void ViderMenuGroupes() { ThePop().SetGroups({}); }

}  // namespace tolvane
