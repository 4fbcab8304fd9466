// The main window in process, on a store in memory: its load, the group menu,
// the title-bar drag, the tray callback and quitting answered No.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>

#include "base/skin.h"
#include "core/catalogue.h"
#include "launcher/frm_pop.h"
#include "launcher/start.h"
#include "launcher/tray.h"
#include "main_window_fixture.h"
#include "menus/menu_engine.h"

namespace tolvane {
namespace {

using MainWindow = testing::MainWindowTest;
using testing::RightClick;
using Texts = std::vector<std::wstring>;

TEST_F(MainWindow, EmptyStoreGetsTheDefaultCatalogueEvenWhenWritesAreRefused) {
  store = MemoryStore();
  store.RefuseWrites(true);
  FrmMain& m = LoadMain();  // must not loop on the refused default catalogue
  EXPECT_EQ(m.lblHeader[1].Caption(), L"Groupe N°01");
  EXPECT_EQ(m.lblHeader[1].Tag, L"1");
  ASSERT_EQ(ThePop().Groups().size(), 1u);
}

TEST_F(MainWindow, CurrentGroupIsClampedFromBothSidesAndNamedFromTheCatalogue) {
  AddGroup(1, L"Jeux", {L"a"});
  AddGroup(2, L"R&D\tx{IMG:i1}", {L"a", L"b", L"c"});
  store.Save(L"Settings", L"NGroupe", L"0");
  FrmMain& m = LoadMain();
  EXPECT_EQ(m.lblHeader[1].Caption(), L"Jeux");
  EXPECT_EQ(store.Get(L"Settings", L"NGroupe", L""), L"1");
  m.Unload();

  store.Save(L"Settings", L"NGroupe", L"9");
  FrmMain& again = LoadMain();
  EXPECT_EQ(again.lblHeader[1].Caption(), L"R&D\tx{IMG:i1}");
  EXPECT_EQ(again.lblHeader[1].Tag, L"2");
  EXPECT_EQ(again.ButtonCount(), 3);
  EXPECT_EQ(store.Get(L"Settings", L"NGroupe", L""), L"2");
}

TEST_F(MainWindow, TitleBarDragMovesAndStoresUntilTheCaptureIsLost) {
  FrmMain& m = LoadMain();
  // Grab the title bar 300 twips from its left edge and 90 from its top.
  ::SendMessageW(m.EnteteH.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 6));
  desktop.cursor = {400, 200};
  ::SendMessageW(m.EnteteH.hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(21, 7));
  EXPECT_EQ(m.Left(), 400 * 15 - 300);
  EXPECT_EQ(m.Top(), 200 * 15 - 90);
  EXPECT_EQ(store.Get(L"Settings", L"MainLeft", L""), L"5700");
  EXPECT_EQ(store.Get(L"Settings", L"MainTop", L""), L"2910");

  ::ReleaseCapture();  // taken away, say by a message box: the drag ends
  desktop.cursor = {10, 10};
  ::SendMessageW(m.EnteteH.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
  EXPECT_EQ(m.Left(), 5700);
}

TEST_F(MainWindow, QuitAnsweredNoKeepsEverything) {
  FrmMain& m = LoadMain();
  store.ClearWrites();
  ::SendMessageW(m.hwnd(), WM_CLOSE, 0, 0);
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0], L"Voulez-vous réellement quitter Tolvane ?");
  EXPECT_TRUE(m.Loaded());
  EXPECT_TRUE(ThePop().Loaded());
  EXPECT_TRUE(store.Writes().empty());
  EXPECT_TRUE(::GetWindowLongW(m.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(MainWindow, RightClicksPopTheLinkMenuWithTheRightCommands) {
  AddGroup(1, L"Jeux", {L"a", L"b", L"c"});
  FrmMain& m = LoadMain();
  RightClick(m.Prog[2]);
  EXPECT_EQ(ThePop().MenuProg.Tag, L"2");
  RightClick(m.FrameXPMenu[1]);
  EXPECT_EQ(ThePop().MenuProg.Tag, L"1");
  RightClick(m.Prog[0]);
  RightClick(m.FrameXPMenu[0]);  // the tools pane has no menu
  RightClick(m.lblHeader[0]);
  ASSERT_EQ(desktop.menus.size(), 3u);
  EXPECT_EQ(desktop.menus[0], (Texts{L"Ajouter un lien", L"Modifier le lien", L"Supprimer le lien"}));
  EXPECT_EQ(desktop.menus[1], (Texts{L"Ajouter un lien"}));
  EXPECT_EQ(desktop.menus[2], desktop.menus[0]);
}

// Each group is chosen by its own number, whatever its name holds.
TEST_F(MainWindow, TheHeaderMenuChoosesAGroupAndNamesShowAsTyped) {
  AddGroup(1, L"Jeux", {L"a"});
  AddGroup(2, L"R&D", {L"a", L"b"});
  AddGroup(3, L"-", {L"a"});
  AddGroup(4, L"x{IMG:i3}", {L"a"});
  AddGroup(5, L"a\tb", {L"a", L"b", L"c"});
  FrmMain& m = LoadMain();
  ASSERT_NE(menus::InstanceOf(ThePop().hwnd()), nullptr);
  desktop.choose = L"Groupe de programmes/R&&D";
  RightClick(m.lblHeader[1]);
  ASSERT_EQ(desktop.owners, (std::vector<HWND>{ThePop().hwnd()})) << "tracked with the engine on the holder";
  EXPECT_EQ(desktop.menus[0], (Texts{L"Groupe de programmes/Jeux", L"Groupe de programmes/R&&D",
                                     L"Groupe de programmes/-", L"Groupe de programmes/x{IMG:i3}",
                                     L"Groupe de programmes/a b", L"Ajouter un groupe", L"Modifier le groupe",
                                     L"Supprimer le groupe"}));
  EXPECT_EQ(IndexEnteteMenu, 1);
  EXPECT_EQ(m.lblHeader[1].Caption(), L"R&D");
  EXPECT_EQ(m.ButtonCount(), 2);
  desktop.choose = L"Groupe de programmes/a b";
  RightClick(m.lblHeader[1]);
  EXPECT_EQ(m.lblHeader[1].Caption(), L"a\tb");
  EXPECT_EQ(store.Get(L"Settings", L"NGroupe", L""), L"5");
  EXPECT_EQ(m.ButtonCount(), 3);
  // Unloaded, as at the end of the run: the engine lets go of its window.
  HWND held = ThePop().hwnd();
  ThePop().Unload();
  EXPECT_EQ(menus::InstanceOf(held), nullptr);
  EXPECT_EQ(menus::SubclassedCount(), 0u);
}

TEST_F(MainWindow, TheTrayMenuShowsTheBarAgain) {
  FrmMain& m = LoadMain();
  m.SetVisible(false);
  DansTray = true;
  desktop.choose = L"Réafficher Tolvane";
  ::SendMessageW(m.hwnd(), kTrayMessage, 1, WM_RBUTTONDOWN);
  EXPECT_TRUE(desktop.menus.empty());  // a press alone does nothing
  ::SendMessageW(m.hwnd(), kTrayMessage, 1, WM_RBUTTONUP);
  ASSERT_EQ(desktop.menus.size(), 1u);
  EXPECT_EQ(desktop.menus[0], (Texts{L"Réafficher Tolvane", L"Quitter l'application"}));
  EXPECT_TRUE(m.Visible());
  EXPECT_FALSE(DansTray);
}

TEST_F(MainWindow, AHideWaitsForTheTrayAndNeverLeavesTheBarUnreachable) {
  FrmMain& m = LoadMain();
  m.SetVisible(true);
  desktop.trayUp = false;
  m.HideToTray();
  EXPECT_TRUE(m.Visible());  // no icon to come back from
  EXPECT_FALSE(DansTray);

  desktop.trayUp = true;  // the tray comes up and says so
  ::SendMessageW(m.hwnd(), ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_FALSE(m.Visible());
  EXPECT_TRUE(DansTray);
  EXPECT_EQ(desktop.tip, L"Tolvane");
  m.ShowFromTray();
  EXPECT_EQ(desktop.trayCalls.back(), static_cast<DWORD>(NIM_DELETE));
}

TEST_F(MainWindow, TheTrayIconFollowsTheAnimationAndIsNotResentUnchanged) {
  FrmMain& m = LoadMain();
  m.HideToTray();
  ASSERT_TRUE(DansTray);
  m.Timer1.onTimer();  // from the window's icon to the title bar's
  const std::size_t afterAdd = desktop.trayCalls.size();
  m.Timer1.onTimer();
  m.Timer1.onTimer();
  EXPECT_EQ(desktop.trayCalls.size(), afterAdd) << "animation off: nothing to send";
  store.Save(L"Settings", L"Rec 6", L"1");
  m.Timer1.onTimer();
  EXPECT_EQ(desktop.trayCalls.size(), afterAdd) << "the option is read again on activation, not on a tick";
  ::SendMessageW(m.hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
  m.Timer1.onTimer();  // the frame counter went on meanwhile
  ASSERT_EQ(desktop.trayCalls.size(), afterAdd + 1);
  EXPECT_EQ(desktop.trayCalls.back(), static_cast<DWORD>(NIM_MODIFY));
  EXPECT_NE(m.MeIcon.GetPicture(), TheSkin().frames[0]);
  std::set<ui::PicturePtr> shown;  // every frame in turn
  for (std::size_t i = 0; i < TheSkin().frames.size(); ++i, m.Timer1.onTimer()) shown.insert(m.MeIcon.GetPicture());
  EXPECT_EQ(shown.size(), TheSkin().frames.size());
  m.ShowFromTray();
}

}  // namespace
}  // namespace tolvane
