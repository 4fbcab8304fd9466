// The main window in process, on a store in memory: its load, the group menu,
// the title-bar drag, the tray callback and quitting answered No.
#include <gtest/gtest.h>

#include <windows.h>

#include "core/catalogue.h"
#include "fake_desktop.h"
#include "launcher/frm_main.h"
#include "launcher/frm_pop.h"
#include "launcher/skin.h"
#include "launcher/globals.h"
#include "launcher/start.h"
#include "launcher/tray.h"
#include "menus/menu_engine.h"

namespace tolvane {
namespace {

class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    UseSettings(&store);
    store.Save(L"Settings", L"Rec 5", L"0");
  }
  void TearDown() override {
    if (main) main->Unload();
    FenetrePrincipale = nullptr;
    UseSettings(nullptr);
  }
  void AddGroup(int g, const std::wstring& name, int links) {
    store.Save(L"Data", L"Groupe", L"NbOcc=" + std::to_wstring(g));
    store.Save(L"Data", GroupKey(g), L"Nomgroupe=" + name);
    store.Save(L"Data", CountKey(g), L"NbOcc=" + std::to_wstring(links));
    for (int k = 1; k <= links; ++k) store.Save(L"Data", LinkKey(g, k), L"Nom=" + name + std::to_wstring(k));
  }
  FrmMain& Start() {
    main = std::make_unique<FrmMain>();
    FenetrePrincipale = main.get();
    main->Load();
    main->FinishLoading();
    return *main;
  }

  MemoryStore store;
  testing::FakeDesktop desktop;
  std::unique_ptr<FrmMain> main;
};

TEST_F(MainWindow, EmptyStoreGetsTheDefaultCatalogueEvenWhenWritesAreRefused) {
  store.RefuseWrites(true);
  FrmMain& m = Start();  // must not loop on the refused default catalogue
  EXPECT_EQ(m.lblHeader[1].Caption(), L"Groupe N°01");
  EXPECT_EQ(m.lblHeader[1].Tag, L"1");
  ASSERT_EQ(ThePop().Groups().size(), 1u);
}

TEST_F(MainWindow, CurrentGroupIsClampedFromBothSidesAndNamedFromTheCatalogue) {
  AddGroup(1, L"Jeux", 1);
  AddGroup(2, L"R&D\tx{IMG:i1}", 3);
  store.Save(L"Settings", L"NGroupe", L"0");
  FrmMain& m = Start();
  EXPECT_EQ(m.lblHeader[1].Caption(), L"Jeux");
  EXPECT_EQ(store.Get(L"Settings", L"NGroupe", L""), L"1");
  m.Unload();

  store.Save(L"Settings", L"NGroupe", L"9");
  FrmMain& again = Start();
  EXPECT_EQ(again.lblHeader[1].Caption(), L"R&D\tx{IMG:i1}");
  EXPECT_EQ(again.lblHeader[1].Tag, L"2");
  EXPECT_EQ(again.ButtonCount(), 3);
  EXPECT_EQ(store.Get(L"Settings", L"NGroupe", L""), L"2");
}

TEST_F(MainWindow, TitleBarDragMovesAndStoresUntilTheCaptureIsLost) {
  FrmMain& m = Start();
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
  FrmMain& m = Start();
  store.ClearWrites();
  ::SendMessageW(m.hwnd(), WM_CLOSE, 0, 0);
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0], L"Voulez-vous réellement quitter Tolvane ?");
  EXPECT_TRUE(m.Loaded());
  EXPECT_TRUE(ThePop().Loaded());
  EXPECT_TRUE(store.Writes().empty());
  EXPECT_TRUE(::GetWindowLongW(m.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

void RightClick(ui::Window& w) {
  ::SendMessageW(w.hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 3));
  ::SendMessageW(w.hwnd(), WM_RBUTTONUP, 0, MAKELPARAM(3, 3));
}

using Texts = std::vector<std::wstring>;

TEST_F(MainWindow, RightClicksPopTheLinkMenuWithTheRightCommands) {
  AddGroup(1, L"Jeux", 3);
  FrmMain& m = Start();
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

TEST_F(MainWindow, TheHeaderMenuChoosesAGroupByItsOwnData) {
  AddGroup(1, L"Jeux", 1);
  AddGroup(2, L"R&D", 2);
  AddGroup(3, L"-", 1);
  FrmMain& m = Start();
  desktop.choose = L"Groupe de programmes/R&&D";
  RightClick(m.lblHeader[1]);
  ASSERT_EQ(desktop.menus.size(), 1u);
  EXPECT_EQ(desktop.menus[0], (Texts{L"Groupe de programmes/Jeux", L"Groupe de programmes/R&&D",
                                     L"Groupe de programmes/-", L"Ajouter un groupe", L"Modifier le groupe",
                                     L"Supprimer le groupe"}));
  EXPECT_EQ(IndexEnteteMenu, 1);
  EXPECT_EQ(m.lblHeader[1].Caption(), L"R&D");
  EXPECT_EQ(store.Get(L"Settings", L"NGroupe", L""), L"2");
  EXPECT_EQ(m.ButtonCount(), 2);
}

TEST_F(MainWindow, TheMenuHolderTracksTheMenusWithTheEngineOnItAndGroupNamesShowAsTyped) {
  AddGroup(1, L"x{IMG:i3}", 1);
  AddGroup(2, L"a\tb", 1);
  FrmMain& m = Start();
  ASSERT_NE(menus::InstanceOf(ThePop().hwnd()), nullptr);
  desktop.choose = L"Groupe de programmes/a b";
  RightClick(m.lblHeader[1]);
  ASSERT_EQ(desktop.owners, (std::vector<HWND>{ThePop().hwnd()}));
  EXPECT_EQ(desktop.menus[0][0], L"Groupe de programmes/x{IMG:i3}");
  EXPECT_EQ(m.lblHeader[1].Caption(), L"a\tb");  // chosen once, by its own number
  EXPECT_EQ(store.Get(L"Settings", L"NGroupe", L""), L"2");
  // Unloaded, as at the end of the run: the engine lets go of its window.
  FrmPop& pop = ThePop();
  HWND held = pop.hwnd();
  pop.Unload();
  EXPECT_EQ(menus::InstanceOf(held), nullptr);
  EXPECT_EQ(menus::SubclassedCount(), 0u);
}

TEST_F(MainWindow, TheTrayMenuShowsTheBarAgain) {
  FrmMain& m = Start();
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
  FrmMain& m = Start();
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
  FrmMain& m = Start();
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
  m.ShowFromTray();
}

}  // namespace
}  // namespace tolvane
