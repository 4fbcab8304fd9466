// The help window and the about box in process, on a store in memory with
// the shell only recorded: pages, scrolling, topics and their pictures, the
// kept or centred place, and the link to the web page.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "base/skin.h"
#include "dialogs/frm_about.h"
#include "dialogs/frm_aide.h"
#include "main_window_fixture.h"

namespace tolvane {
namespace {

void Press(ui::Window& w) {
  ::SendMessageW(w.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  ::SendMessageW(w.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

void Hover(ui::Window& w, bool over) {
  ::SendMessageW(w.hwnd(), over ? WM_MOUSEMOVE : WM_MOUSELEAVE, 0, MAKELPARAM(2, 2));
}

class HelpWindow : public testing::MainWindowTest {
 protected:
  FrmAide& Open() {
    help = std::make_unique<FrmAide>();
    help->Load();
    menuWidth = help->Width();
    menuHolderLeft = help->FBtn.Left();
    return *help;
  }
  // The menu page as it opened: its width, the close button in its place.
  void ExpectMenuPage(FrmAide& h) {
    EXPECT_TRUE(h.FAide[0].Visible());
    EXPECT_FALSE(h.Ascenseur.Visible());
    EXPECT_EQ(h.Width(), menuWidth);
    EXPECT_EQ(h.FBtn.Left(), menuHolderLeft);
  }
  double menuWidth = 0, menuHolderLeft = 0;
  // A page shown opens at its top, with the bar at 0 and its range fitting it.
  void ExpectHelpPage(FrmAide& h, int p) {
    EXPECT_EQ(h.ShownPage(), p);
    EXPECT_TRUE(h.FAide[p].Visible());
    EXPECT_FALSE(h.FAide[0].Visible());
    EXPECT_TRUE(h.Ascenseur.Visible());
    EXPECT_GT(h.Width(), menuWidth);  // wider by its scroll bar
    EXPECT_GT(h.Ascenseur.Max(), 0);
    EXPECT_EQ(h.Ascenseur.Value(), 0);
    EXPECT_EQ(h.FAide[p].Top(), 0);
  }
  std::unique_ptr<FrmAide> help;
};

TEST_F(HelpWindow, EachTopicTextOrIconOpensItsPageWhichScrollsAndLeadsBack) {
  FrmAide& h = Open();
  ExpectMenuPage(h);
  for (bool byIcon : {false, true}) {
    for (int i = 0; i < 3; ++i) {
      SCOPED_TRACE(::testing::Message() << "topic " << i << (byIcon ? " by its icon" : " by its text"));
      Press(byIcon ? h.ImgAide[i] : h.LAide[i]);
      ExpectHelpPage(h, i + 1);
      EXPECT_FALSE(h.ImgAide[i].Value());  // both let up again
      EXPECT_FALSE(h.LAide[i].Value());
      h.Ascenseur.SetValue(h.Ascenseur.Max());
      EXPECT_EQ(h.FAide[i + 1].Top(), -100 * h.Ascenseur.Max());
      Press(h.BtnAide[i + 1]);
      ExpectMenuPage(h);
      EXPECT_FALSE(h.FAide[i + 1].Visible());
    }
  }
}

TEST_F(HelpWindow, APageOpensAtItsTopAndTheBarMovesOnlyThePageShown) {
  FrmAide& h = Open();
  Press(h.LAide[0]);
  ::SendMessageW(h.Ascenseur.hwnd(), WM_VSCROLL, SB_PAGEDOWN, 0);
  h.Ascenseur.SetValue(50);
  Press(h.BtnAide[1]);
  Press(h.LAide[2]);
  ExpectHelpPage(h, 3);
  ::SendMessageW(h.Ascenseur.hwnd(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(h.FAide[3].Top(), -100);
  EXPECT_EQ(h.FAide[1].Top(), -5000);  // the hidden page stays where it was left
  Press(h.BtnAide[3]);
  Press(h.ImgAide[0]);
  ExpectHelpPage(h, 1);  // and opens at its top again
}

TEST_F(HelpWindow, ATopicOrBackButtonAlreadyLetUpDoesNothing) {
  FrmAide& h = Open();
  h.LAide.onClick(1);
  h.ImgAide.onClick(2);
  ExpectMenuPage(h);
  Press(h.LAide[1]);
  h.BtnAide[2].onClick();
  ExpectHelpPage(h, 2);
}

TEST_F(HelpWindow, HoverUnderlinesATopicAndLightsItsIcon) {
  FrmAide& h = Open();
  const Skin& skin = TheSkin();
  Hover(h.LAide[1], true);
  EXPECT_TRUE(h.LAide[1].Font().underline);
  Hover(h.LAide[1], false);
  EXPECT_FALSE(h.LAide[1].Font().underline);
  EXPECT_TRUE(h.LAide[1].Font().bold);
  for (int i = 0; i < 3; ++i) {
    Hover(h.ImgAide[i], true);
    EXPECT_EQ(h.ImgAide[i].GetPicture(), skin.frames[3]);
    Hover(h.ImgAide[i], false);
    EXPECT_EQ(h.ImgAide[i].GetPicture(), skin.frames[i]);
  }
}

TEST_F(HelpWindow, ClosingKeepsThePlaceWhereItReopensOnTheScreenElseCentred) {
  FrmAide& first = Open();
  EXPECT_EQ(first.Left(), (1280 * 15 - 4785) / 2);
  EXPECT_EQ(first.Top(), (800 * 15 - 4800) / 2);
  first.Move(1500, 2000, first.Width(), first.Height());
  Press(first.BtnClose);
  EXPECT_FALSE(first.Loaded());
  FrmAide& again = Open();
  EXPECT_EQ(again.Left(), 1500);
  EXPECT_EQ(again.Top(), 2000);
  again.Unload();
  store.Save(L"Settings", L"AideLeft", L"99999");  // a screen since unplugged
  FrmAide& back = Open();
  EXPECT_EQ(back.Left(), 1280 * 15 - 4785);
}

using AboutBox = testing::MainWindowTest;

TEST_F(AboutBox, EachPressOfTheLinkOrTheBarsEntryOpensTheWebPageOnce) {
  FrmMain& m = LoadMain();
  FrmAbout box;
  box.Load();
  for (int i = 0; i < 3; ++i) Press(box.Lien);
  box.Lien.onClick();  // already let up
  Press(m.Gestion[3]);
  EXPECT_EQ(desktop.opened, std::vector<std::wstring>(4, kWebPage));
  EXPECT_FALSE(box.Lien.Value());
  EXPECT_FALSE(m.Gestion[3].Value());
  Hover(box.Lien, true);
  EXPECT_TRUE(box.Lien.Font().underline);
  Hover(box.Lien, false);
  EXPECT_FALSE(box.Lien.Font().underline);
}

TEST_F(AboutBox, OpensCentredEveryTimeAndKeepsNothing) {
  LoadMain();
  const double centredLeft = (1280 * 15 - 5055) / 2, centredTop = (800 * 15 - 4275) / 2;
  {
    FrmAbout box;
    box.Load();
    box.Move(1500, 1500, box.Width(), box.Height());
    Press(box.BtnClose);
    EXPECT_FALSE(box.Loaded());
  }
  EXPECT_FALSE(store.Has(L"Settings", L"AideLeft"));
  FrmAbout again;
  again.Load();
  EXPECT_EQ(again.Left(), centredLeft);
  EXPECT_EQ(again.Top(), centredTop);
}

}  // namespace
}  // namespace tolvane
