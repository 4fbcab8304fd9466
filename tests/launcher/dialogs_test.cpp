// The dialogs over a loaded main window: the help window's pages, the about
// box's link, the place each keeps, and the image buttons as they are stored.
#include <gtest/gtest.h>

#include <windows.h>

#include "base/skin.h"
#include "dialogs/frm_about.h"
#include "dialogs/frm_aide.h"
#include "dialogs/frm_groupe.h"
#include "dialogs/frm_polices.h"
#include "dialogs/frm_pref.h"
#include "dialogs/frm_programme.h"
#include "main_window_fixture.h"

namespace tolvane {
namespace {

using testing::PressAndRelease;

using HelpWindow = testing::MainWindowTest;

// Each page opens at its top, wider by its scroll bar, whichever way it was
// left the time before; its back button brings the menu page back as it was.
TEST_F(HelpWindow, EachTopicTextOrIconOpensItsPageWhichScrollsAndLeadsBack) {
  FrmAide h;
  h.Load();
  const double menuWidth = h.Width(), menuHolderLeft = h.FBtn.Left();
  auto expectMenuPage = [&] {
    EXPECT_TRUE(h.FAide[0].Visible());
    EXPECT_FALSE(h.Ascenseur.Visible());
    EXPECT_EQ(h.Width(), menuWidth);
    EXPECT_EQ(h.FBtn.Left(), menuHolderLeft);
  };
  for (bool byIcon : {false, true}) {
    for (int i = 0; i < 3; ++i) {
      SCOPED_TRACE(::testing::Message() << "topic " << i << (byIcon ? " by its icon" : " by its text"));
      const int p = i + 1;
      PressAndRelease(byIcon ? h.ImgAide[i] : h.LAide[i]);
      EXPECT_EQ(h.ShownPage(), p);
      EXPECT_TRUE(h.FAide[p].Visible() && h.Ascenseur.Visible());
      EXPECT_FALSE(h.FAide[0].Visible());
      EXPECT_GT(h.Width(), menuWidth);
      EXPECT_EQ(h.FAide[p].Top(), 0);
      EXPECT_EQ(h.Ascenseur.Value(), 0);
      EXPECT_FALSE(h.ImgAide[i].Value() || h.LAide[i].Value());  // both let up again
      h.Ascenseur.SetValue(h.Ascenseur.Max());
      EXPECT_EQ(h.FAide[p].Top(), -100 * h.Ascenseur.Max());
      PressAndRelease(h.BtnAide[p]);
      expectMenuPage();
      EXPECT_FALSE(h.FAide[p].Visible());
    }
  }
}

using AboutBox = testing::MainWindowTest;

// The help window keeps its place under its own keys; the about box, with
// none, keeps nothing.
TEST_F(AboutBox, OnlyADialogWithKeysOfItsOwnKeepsItsPlace) {
  LoadMain();
  {
    FrmAide help;
    help.Load();
    help.Move(4560, 1230, help.Width(), help.Height());
    help.Unload();
  }
  EXPECT_EQ(store.Get(L"Settings", L"AideLeft", L"") + L"," + store.Get(L"Settings", L"AideTop", L""), L"4560,1230");
  FrmAbout box;
  box.Load();
  box.Move(15, 15, box.Width(), box.Height());
  const auto kept = store.Section(L"Settings");
  box.Unload();
  EXPECT_EQ(store.Section(L"Settings"), kept);
}

TEST_F(AboutBox, EachPressOfTheLinkOrTheBarsEntryOpensTheWebPageOnce) {
  FrmMain& m = LoadMain();
  FrmAbout box;
  box.Load();
  for (int i = 0; i < 3; ++i) PressAndRelease(box.Lien);
  box.Lien.onClick();  // already let up
  PressAndRelease(m.Gestion[3]);
  EXPECT_EQ(desktop.opened, std::vector<std::wstring>(4, kWebPage));
  EXPECT_FALSE(box.Lien.Value() || m.Gestion[3].Value());
}

// The five image buttons as their forms store them: the one picture at its
// stored place, 33 x 33, the stored blanks before the caption, the stored
// font and caption colours.
TEST_F(AboutBox, TheImageButtonsAreLoadedAsTheirFormsStoreThem) {
  LoadMain();
  FrmPolices polices;
  FrmPref pref;
  FrmGroupe groupe;
  FrmProgramme programme;
  for (ui::Form* f : std::initializer_list<ui::Form*>{&polices, &pref, &groupe, &programme}) f->Load();
  const std::pair<imagebutton::FormButton*, std::wstring> stored[] = {
      {&polices.Btn, L"Valider 3 1 12"}, {&pref.Btn, L"Valider 3 1 13"}, {&groupe.Btn, L"Valider 3 1 13"},
      {&programme.Btn, L"Valider 3 1 13"}, {&programme.Recherche, L"        ... 2 0 4"}};
  auto text = [](const imagebutton::Value& v) {
    const auto* s = std::get_if<std::wstring>(&v);
    return L" " + (s ? *s : L"?");
  };
  for (const auto& [holder, expected] : stored) {
    const imagebutton::XpBoutonImg& b = *holder->Button();
    EXPECT_EQ(b.Caption() + text(b.XPicture()) + text(b.YPicture()) + text(b.XTexte()), expected);
    EXPECT_EQ(b.WPicture(), imagebutton::Value(33.0));
    EXPECT_EQ(b.HPicture(), imagebutton::Value(33.0));
    EXPECT_EQ(b.Picture(), TheSkin().buttonPicture) << expected;
    EXPECT_EQ(b.Font(), (FontSpec{L"MS Sans Serif", 8.25}));
    EXPECT_EQ(b.ForeColor(), imagebutton::kWindowFrame);
    EXPECT_EQ(b.ForeHover(), imagebutton::Colour{0});
    EXPECT_TRUE(b.Enabled());
  }
}

}  // namespace
}  // namespace tolvane
