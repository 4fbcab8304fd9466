// The group and link menus' editing commands in process, each through its
// menu item: the editors' refusals, browsing and dropping, and the deletes.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "dialogs/frm_groupe.h"
#include "dialogs/frm_programme.h"
#include "launcher/frm_pop.h"
#include "main_window_fixture.h"
#include "../shell_drop.h"

namespace tolvane {
namespace {

// Runs `act` on the editor of type D once it shows modal; closes it after
// `act` if `act` left it open, so no test can hang on it.
std::function<void()> pendingAct;

template <typename D>
void WhenShown(std::function<void(D&)> act) {
  pendingAct = [act = std::move(act)] {
    auto* d = dynamic_cast<D*>(ui::ModalForm());
    if (!d) return;
    pendingAct = nullptr;
    act(*d);
    if (d->Loaded()) d->Unload();
  };
  ::SetTimer(nullptr, 0, 5, [](HWND, UINT, UINT_PTR id, DWORD) {
    if (!pendingAct) return;
    auto act = pendingAct;
    act();
    if (!pendingAct) ::KillTimer(nullptr, id);
  });
}

using testing::PressAndRelease;
void Enter(ui::TextBox& box) { ::SendMessageW(box.EditHwnd(), WM_CHAR, VK_RETURN, 0); }

class CatalogueEditors : public testing::MainWindowTest {
 protected:
  std::wstring Data(const std::wstring& key) { return store.Get(L"Data", key, L""); }
  // Shown, the bar takes the activation back from a closing editor and
  // reloads; the deletes rebuild it directly.
  FrmMain& Start(bool shown = true) {
    FrmMain& m = LoadMain();
    if (!shown) return m;
    m.Show();
    ::SetActiveWindow(m.hwnd());
    return m;
  }
  void Choose(ui::Window& w, const std::wstring& item) {
    desktop.choose = item;
    testing::RightClick(w);
  }
};

// A blank name, an edit the store refuses, and why one a full catalogue, a
// group gone or a name that is no text refuses, are each said over the
// editor, which keeps what was typed; its close button then keeps only the
// place.
TEST_F(CatalogueEditors, AnEditThatCannotBeSavedKeepsTheEditorOpen) {
  model::SaveGroup(store, 1, L"Essais", {L"a"});
  FrmMain& m = Start();
  store.SaveUnreadable(L"Data", L"1");  // a name that is no text
  const auto before = store.Section(L"Data");
  WhenShown<FrmGroupe>([&](FrmGroupe& d) {
    d.Saisie.SetText(L"  \t ");
    PressAndRelease(d.Btn);
    d.Saisie.SetText(L"Jeux");
    store.RefuseWrites(true);
    Enter(d.Saisie);
    store.RefuseWrites(false);
    store.Save(L"Data", L"Groupe", L"NbOcc=" + std::to_wstring(kMaxGroups));
    Enter(d.Saisie);
    store.Save(L"Data", L"Groupe", L"NbOcc=1");
    d.Saisie.Tag = L"9";  // a group gone meanwhile: nothing saved, nothing closed
    Enter(d.Saisie);
    d.Saisie.Tag = L"1";
    Enter(d.Saisie);
    const std::wstring no = L"Rien n'a été enregistré : ";
    EXPECT_EQ(desktop.messages,
              (std::vector<std::wstring>{L"Veuillez saisir un nom de groupe !",
                                         L"Les modifications n'ont pas pu être enregistrées !",
                                         no + L"le catalogue compte déjà 1000 groupes, le plus que la barre puisse lire.",
                                         no + L"cet élément n'existe plus.",
                                         no + L"une valeur du catalogue n'est pas du texte et serait perdue."}));
    EXPECT_EQ(desktop.owners.back(), d.hwnd()) << "shown over the editor";
    EXPECT_TRUE(d.Loaded());
    EXPECT_EQ(d.Saisie.Text(), L"Jeux");
    PressAndRelease(d.BtnClose);
  });
  Choose(m.lblHeader[1], L"Ajouter un groupe");
  EXPECT_EQ(store.Section(L"Data"), before);
  EXPECT_TRUE(store.Has(L"Settings", L"GroupeTop"));
  EXPECT_FALSE(RechargerGroupe);
}

// In the last group the bar reads of more stored, shown with the stored
// number kept: a link refused without a name, or past as many as the bar
// shows, then added from a browsed or dropped file.
TEST_F(CatalogueEditors, AddLinkRefusesNoNameOrAFullGroupAndTakesABrowsedOrDroppedFile) {
  model::SaveGroup(store, 1000, L"Essais", {L"a", L"b"});
  store.Save(L"Data", L"Groupe", L"NbOcc=5000");
  store.Save(L"Settings", L"NGroupe", L"4500");
  FrmMain& m = Start();
  EXPECT_EQ(m.lblHeader[1].Tag + L"|" + store.Get(L"Settings", L"NGroupe", L""), L"1000|4500");
  WhenShown<FrmProgramme>([&](FrmProgramme& d) {
    PressAndRelease(d.Btn);
    d.Saisie.SetText(L"Mon nom");
    PressAndRelease(d.Recherche);  // cancelled
    EXPECT_EQ(d.Saisie.Text() + L"|" + d.Target, L"Mon nom|");
    desktop.chosen = L" C:\\Jeux\\mise.a.jour.bat ";
    PressAndRelease(d.Recherche);
    EXPECT_EQ(d.Saisie.Text() + L"|" + d.Target, L"mise.a.jour|C:\\Jeux\\mise.a.jour.bat");
    ::SendMessageW(d.Saisie.EditHwnd(), WM_DROPFILES,
                   reinterpret_cast<WPARAM>(MakeDrop({L"C:\\Outils\\LISEZMOI", L"C:\\autre.txt"})), 0);
    EXPECT_EQ(d.Saisie.Text(), L"LISEZMOI");
    store.Save(L"Data", L"1000Occ", L"NbOcc=737");
    Enter(d.Saisie);
    store.Save(L"Data", L"1000Occ", L"NbOcc=2");
    Enter(d.Saisie);
  });
  Choose(m.FrameXPMenu[1], L"Ajouter un lien");
  EXPECT_EQ(desktop.messages, (std::vector<std::wstring>{L"Veuillez sélectionner un lien de programme !",
                                                         L"Rien n'a été enregistré : ce groupe compte déjà 737 liens, "
                                                         L"le plus que la barre puisse afficher."}));
  EXPECT_EQ(desktop.chooserStarts, (std::vector<std::wstring>{L"", L""}));
  EXPECT_EQ(Data(L"1000-3c"), L"Fic=C:\\Outils\\LISEZMOI");
  ASSERT_EQ(m.ButtonCount(), 3);
  EXPECT_EQ(m.Prog[2].Caption(), L"LISEZMOI");
}

TEST_F(CatalogueEditors, DeleteALinkAskedNoThenYes) {
  std::vector<std::wstring> links{L"a", L" b ", L"c"};
  links.resize(40, L"z");
  model::SaveGroup(store, 1, L"Essais", links);
  FrmMain& m = Start(false);
  m.Ascenseur.SetValue(m.Ascenseur.Max());
  ASSERT_GT(m.ScrollValue(), 0);
  desktop.answer = IDNO;
  Choose(m.Prog[1], L"Supprimer le lien");
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0], L"Voulez-vous vraiement supprimer le programme ***b*** ?");
  EXPECT_EQ(Data(L"1Occ"), L"NbOcc=40");

  desktop.answer = IDYES;
  Choose(m.Prog[1], L"Supprimer le lien");
  EXPECT_EQ(Data(L"1Occ"), L"NbOcc=39");
  EXPECT_EQ(m.ButtonCount(), 39);
  EXPECT_EQ(m.Prog[1].Caption(), L"c");
  EXPECT_EQ(m.ScrollValue(), 0);
  EXPECT_TRUE(m.Animating() || m.PanesAwake()) << "the pane reopens through the timer";

  // Refused by the store: said so, and the bar still shows what is stored.
  store.RefuseWrites(true);
  Choose(m.Prog[0], L"Supprimer le lien");
  store.RefuseWrites(false);
  ASSERT_EQ(desktop.messages.size(), 4u);
  EXPECT_EQ(desktop.messages[3], L"Les modifications n'ont pas pu être enregistrées !");
  EXPECT_EQ(Data(L"1Occ"), L"NbOcc=39");
  EXPECT_EQ(m.ButtonCount(), 39);

  // More links than the readers take: nothing deleted, and said why.
  store.Save(L"Data", L"1Occ", L"NbOcc=1000");
  Choose(m.Prog[0], L"Supprimer le lien");
  ASSERT_EQ(desktop.messages.size(), 6u);
  EXPECT_TRUE(desktop.messages[5].starts_with(L"Rien n'a été supprimé : un groupe de 1000 liens")) << desktop.messages[5];
  EXPECT_EQ(Data(L"1-1"), L"Nom=a");
}

}  // namespace
}  // namespace tolvane
