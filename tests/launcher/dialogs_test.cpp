// The dialogs over a loaded main window: the help window's pages, the about
// box's link, the place each keeps, and the image buttons as they are stored.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "base/skin.h"
#include "base/window_helpers.h"
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

using Dialogs = testing::MainWindowTest;

// Each page opens at its top, wider by its scroll bar, whichever way it was
// left the time before; its back button brings the menu page back as it was.
TEST_F(Dialogs, EachHelpTopicTextOrIconOpensItsPageWhichScrollsAndLeadsBack) {
  FrmAide h;
  h.Load();
  const double menuWidth = h.Width(), menuHolderLeft = h.FBtn.Left();
  for (bool byIcon : {false, true}) {
    for (int i = 0; i < 3; ++i) {
      SCOPED_TRACE(::testing::Message() << "topic " << i << (byIcon ? " by its icon" : " by its text"));
      const int p = i + 1;
      PressAndRelease(byIcon ? h.ImgAide[i] : h.LAide[i]);
      EXPECT_TRUE(h.ShownPage() == p && h.FAide[p].Visible() && h.Ascenseur.Visible() && !h.FAide[0].Visible());
      EXPECT_GT(h.Width(), menuWidth);
      EXPECT_TRUE(h.FAide[p].Top() == 0 && h.Ascenseur.Value() == 0) << "at its top";
      EXPECT_FALSE(h.ImgAide[i].Value() || h.LAide[i].Value());  // both let up again
      h.Ascenseur.SetValue(h.Ascenseur.Max());
      EXPECT_EQ(h.FAide[p].Top(), -100 * h.Ascenseur.Max());
      PressAndRelease(h.BtnAide[p]);
      EXPECT_TRUE(h.FAide[0].Visible() && !h.FAide[p].Visible() && !h.Ascenseur.Visible());
      EXPECT_EQ((Point{h.Width(), h.FBtn.Left()}), (Point{menuWidth, menuHolderLeft}));
    }
  }
}

// A dialog left at a place, then opened again as the bar opens it: where it was.
template <typename D>
std::unique_ptr<D> Reopened(double left, double top) {
  auto d = std::make_unique<D>();
  d->Load();
  d->Move(left, top, d->Width(), d->Height());
  d->Unload();
  d = std::make_unique<D>();
  d->Load();  // the help window places itself
  if constexpr (!std::is_same_v<D, FrmAide>) PositionnerFenetre(*d);
  EXPECT_EQ((Point{d->Left(), d->Top()}), (Point{left, top})) << d->Name;
  return d;
}

// Each dialog opens again where it was left, kept under keys of its own (the
// about box keeps nothing, and opens the web page once a press of its link);
// activated again, it gives the focus back to the control it was left on.
// Its image buttons are as its form stores them: the one picture at its
// stored place, 33 x 33, the stored blanks before the caption, the stored
// font and caption colours.
TEST_F(Dialogs, EachComesBackAsItWasLeftWithItsImageButtonsAsStored) {
  FrmMain& m = LoadMain();
  Reopened<FrmAide>(4560, 1230);
  const auto pref = Reopened<FrmPref>(1500, 300);
  const auto polices = Reopened<FrmPolices>(3000, 450);
  const auto groupe = Reopened<FrmGroupe>(4500, 600);
  const auto programme = Reopened<FrmProgramme>(6000, 750);
  FrmAbout box;
  box.Load();
  for (int i = 0; i < 3; ++i) PressAndRelease(box.Lien);
  box.Lien.onClick();  // already let up
  PressAndRelease(m.Gestion[3]);
  EXPECT_EQ(desktop.opened, std::vector<std::wstring>(4, kWebPage)) << "each press of the link or the bar's entry";
  EXPECT_FALSE(box.Lien.Value() || m.Gestion[3].Value());
  box.Move(15, 15, box.Width(), box.Height());
  box.Unload();
  EXPECT_EQ(store.Get(L"Settings", L"PrefLeft", L"") + L"," + store.Get(L"Settings", L"PrefTop", L""), L"1500,300");
  EXPECT_EQ(store.Section(L"Settings").size(), 11u) << "the about box keeps nothing";

  m.Show();
  groupe->Show();
  EXPECT_EQ(::GetFocus(), groupe->Saisie.EditHwnd()) << "a name is typed at once";
  ::SetFocus(groupe->Btn.Button()->Hwnd());
  ::SetActiveWindow(m.hwnd());
  ::SetActiveWindow(groupe->hwnd());
  EXPECT_EQ(::GetFocus(), groupe->Btn.Button()->Hwnd());

  const std::pair<imagebutton::FormButton*, std::wstring> stored[] = {
      {&polices->Btn, L"Valider 3 1 33 33 12"}, {&pref->Btn, L"Valider 3 1 33 33 13"},
      {&groupe->Btn, L"Valider 3 1 33 33 13"}, {&programme->Btn, L"Valider 3 1 33 33 13"},
      {&programme->Recherche, L"        ... 2 0 33 33 4"}};
  auto text = [](const imagebutton::Value& v) {  // as stored: text, or a number for a default
    const auto* n = std::get_if<double>(&v);
    return L" " + (n ? std::to_wstring(static_cast<int>(*n)) : std::get<std::wstring>(v));
  };
  for (const auto& [holder, expected] : stored) {
    const imagebutton::XpBoutonImg& b = *holder->Button();
    EXPECT_EQ(b.Caption() + text(b.XPicture()) + text(b.YPicture()) + text(b.WPicture()) + text(b.HPicture()) +
                  text(b.XTexte()), expected);
    EXPECT_TRUE(b.Picture() == TheSkin().buttonPicture && b.Font() == FontSpec(L"MS Sans Serif", 8.25) &&
                b.ForeColor() == imagebutton::kWindowFrame && b.ForeHover() == imagebutton::Colour{0} && b.Enabled())
        << expected;
  }
}


}  // namespace
}  // namespace tolvane
