// The main window in process, on a store in memory: the current group, its
// menus, the title-bar drag, the tray, the panes and their timer, and the
// link buttons with their icons.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>

#include "base/skin.h"
#include "dialogs/frm_aide.h"
#include "launcher/frm_pop.h"
#include "main_window_fixture.h"

namespace tolvane {
namespace {

using MainWindow = testing::MainWindowTest;
using testing::PressAndRelease;
using testing::PumpUntil;
using testing::RightClick;
using Texts = std::vector<std::wstring>;

TEST_F(MainWindow, TitleBarDragMovesAndStoresUntilTheCaptureIsLostAndADialogIsDroppedClearOfTheBar) {
  FrmMain& m = LoadMain();
  // Grab the title bar 300 twips from its left edge and 90 from its top.
  ::SendMessageW(m.EnteteH.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 6));
  desktop.cursor = {400, 200};
  ::SendMessageW(m.EnteteH.hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(21, 7));
  EXPECT_EQ((Point{m.Left(), m.Top()}), (Point{400 * 15 - 300, 200 * 15 - 90}));

  ::ReleaseCapture();  // taken away, say by a message box: the drag ends
  desktop.cursor = {10, 10};
  ::SendMessageW(m.EnteteH.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
  EXPECT_EQ(m.Left(), 5700);

  // A dialog grabbed 10 x 4 pixels into its caption and dropped over the
  // bar's top edge goes to rest just above the bar.
  store.Save(L"Settings", L"Rec 2", L"1");
  m.Move(3000, 6000, m.Width(), m.Height());
  FrmAide d;
  d.Load();
  ::SendMessageW(d.MeCaption.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 4));
  desktop.cursor = {300, 340};
  ::SendMessageW(d.MeCaption.hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(11, 5));
  EXPECT_EQ(d.Left(), 300 * 15 - d.MeCaption.Left() - 150);
  ::SendMessageW(d.MeCaption.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(11, 5));
  EXPECT_EQ(d.Top(), 6000 - d.Height());
  const FrmMain& again = LoadMain();  // where it was dragged, not where it was moved
  EXPECT_EQ((Point{again.Left(), again.Top()}), (Point{5700, 2910}));
}

// The group shown first, "NGroupe" past the groups standing for the last;
// the menus of the header, the links pane and a link; each group is chosen
// by its own number, whatever its name holds.
TEST_F(MainWindow, RightClicksPopTheirMenusAndTheHeaderMenuChoosesAGroup) {
  model::SaveGroup(store, 1, L"Jeux", {L"a", L"b", L"c"});
  model::SaveGroup(store, 2, L"R&D", {L"a", L"b"});
  model::SaveGroup(store, 3, L"-", {L"a"});
  model::SaveGroup(store, 4, L"a\tb", {L"a", L"b", L"c", L"d"});
  store.Save(L"Settings", L"NGroupe", L"9");
  FrmMain& m = LoadMain();
  const auto shown = [&] {
    return m.lblHeader[1].Caption() + L"|" + m.lblHeader[1].Tag + L"|" + store.Get(L"Settings", L"NGroupe", L"") +
           L"|" + std::to_wstring(m.ButtonCount());
  };
  EXPECT_EQ(shown(), L"a\tb|4|4|4");
  RightClick(m.Prog[2]);
  EXPECT_EQ(ThePop().MenuProg.Tag, L"2");
  RightClick(m.FrameXPMenu[1]);
  EXPECT_EQ(ThePop().MenuProg.Tag, L"1");
  RightClick(m.FrameXPMenu[0]);  // the tools pane has no menu
  ASSERT_EQ(desktop.menus.size(), 2u);
  EXPECT_EQ(desktop.menus[0], (Texts{L"Ajouter un lien", L"Modifier le lien", L"Supprimer le lien"}));
  EXPECT_EQ(desktop.menus[1], (Texts{L"Ajouter un lien"}));

  desktop.choose = L"Groupe de programmes/R&&D";
  RightClick(m.lblHeader[1]);
  EXPECT_EQ(desktop.owners.back(), ThePop().hwnd()) << "tracked with the engine on the holder";
  EXPECT_EQ(desktop.menus.back(), (Texts{L"Groupe de programmes/Jeux", L"Groupe de programmes/R&&D",
                                         L"Groupe de programmes/-", L"Groupe de programmes/a b", L"Ajouter un groupe",
                                         L"Modifier le groupe", L"Supprimer le groupe"}));
  EXPECT_EQ(shown(), L"R&D|2|2|2");
  desktop.choose = L"Groupe de programmes/a b";
  RightClick(m.lblHeader[1]);
  EXPECT_EQ(shown(), L"a\tb|4|4|4");
}

TEST_F(MainWindow, AHideWaitsForTheTrayWhoseIconFollowsTheAnimationAndIsNotResentUnchanged) {
  FrmMain& m = LoadMain();
  m.SetVisible(true);
  desktop.trayUp = false;
  m.HideToTray();
  EXPECT_TRUE(m.Visible() && !DansTray) << "no icon to come back from";

  desktop.trayUp = true;  // the tray comes up and says so
  ::SendMessageW(m.hwnd(), ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_TRUE(!m.Visible() && DansTray);
  EXPECT_EQ(desktop.tip, L"Tolvane");
  m.ShowFromTray();
  EXPECT_EQ(desktop.trayCalls.back(), static_cast<DWORD>(NIM_DELETE));

  // Hidden, the tray icon follows the title bar's.
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
  // The shell's tray came back after a crash: the icon is added again.
  desktop.trayCalls.clear();
  ::SendMessageW(m.hwnd(), ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_EQ(desktop.trayCalls.empty() ? 0 : desktop.trayCalls.back(), static_cast<DWORD>(NIM_ADD));
  m.ShowFromTray();
}

TEST_F(MainWindow, TheBarAtRestGetsNoPaneTicksAndAHeaderClickAnimatesToTheEnd) {
  model::SaveGroup(store, 1, L"Essais", {L"a|", L"b|", L"c|"});
  FrmMain& m = LoadMain();
  m.Show();
  int ticks = 0;
  m.tmrFrames.onTimer = [&ticks, tick = m.tmrFrames.onTimer] {
    ++ticks;
    tick();
  };
  ASSERT_TRUE(PumpUntil([&] { return !m.PanesAwake(); }, 5000)) << "the links pane opens, then the timer sleeps";
  EXPECT_EQ(m.FrameXPMenu[1].Height(), m.Prog[2].Top() + m.Prog[2].Height() + 120);
  ticks = 0;
  PumpUntil([] { return false; }, 2000);
  EXPECT_EQ(ticks, 0) << "a bar at rest wakes nobody";

  PressAndRelease(m.MenuHeader[0]);
  EXPECT_TRUE(m.PanesAwake());
  ASSERT_TRUE(PumpUntil([&] { return !m.PanesAwake(); }, 5000));
  const double toolsHeight = m.Gestion[4].Top() + m.Gestion[4].Height() + 120;
  EXPECT_GT(ticks, (toolsHeight - 375) / 60 - 1) << "opened step by step";
  EXPECT_EQ(m.FrameXPMenu[0].Height(), toolsHeight);
  EXPECT_EQ(m.FrameXPMenu[1].Top(), m.FrameXPMenu[0].Top() + toolsHeight + 120) << "restacked";
  EXPECT_EQ(m.MenuHeader[0].GetPicture(), TheSkin().headerUp);

  m.CatalogueSaved();  // the next activation closes both panes, chevrons included, and reopens the links
  ::SendMessageW(m.hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_TRUE(m.FrameXPMenu[0].Height() == 375 && m.MenuHeader[0].GetPicture() == TheSkin().headerDown);
  ASSERT_TRUE(PumpUntil([&] { return !m.PanesAwake(); }, 5000));
  EXPECT_EQ(m.MenuHeader[1].GetPicture(), TheSkin().headerUp);
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
}

class LinkButtons : public MainWindow {
 protected:
  void SetUp() override {
    MainWindow::SetUp();
    std::filesystem::remove_all(folder, ignored);
    std::filesystem::create_directories(folder + L"\\dossier.d");
    // A program with an icon of its own, whatever the prefix associates.
    ::CopyFileW(L"C:\\windows\\system32\\notepad.exe", (folder + L"\\bloc.exe").c_str(), FALSE);
    WriteFileBytes(folder + L"\\abime.ico", "ceci n'est pas une icone");
    ::CopyFileW((ProgramFolder() + L"\\bonne.ICO").c_str(), (folder + L"\\bonne.ICO").c_str(), FALSE);
  }
  void TearDown() override {
    MainWindow::TearDown();
    std::filesystem::remove_all(folder, ignored);
    std::filesystem::remove_all(cache, ignored);
  }

  std::error_code ignored;
  const std::wstring folder = (std::filesystem::temp_directory_path() / L"TolvaneTest-links").wstring();
  const std::wstring cache = ProgramFolder() + L"\\temp";
};

TEST_F(LinkButtons, EachLinkGetsAButtonAndBadTargetsTheDefaultIconEvenWithNoCache) {
  model::SaveGroup(store, 1, L"Essais", {L"Lien|" + folder + L"\\bloc.exe", L"Lien|" + folder + L"\\absent.txt", L"Lien|",
                                        L"Lien|" + folder + L"\\abime.ico", L"Lien|" + folder + L"\\bonne.ICO",
                                        L"Lien|" + folder + L"\\dossier.d"});
  std::filesystem::remove_all(cache, ignored);
  WriteFileBytes(cache, "a file where the cache folder should be");
  FrmMain& m = LoadMain();
  ASSERT_EQ(m.Prog.Count(), 6);
  for (int i = 0; i < 6; ++i) {
    ASSERT_TRUE(m.Prog[i].GetPicture()) << i;
    const bool hasOwnIcon = i == 0 || i == 4;
    EXPECT_EQ(m.Prog[i].GetPicture() == TheSkin().defaultLinkIcon, !hasOwnIcon) << "button " << i;
  }
  EXPECT_EQ(m.Prog[4].GetPicture()->Size().cx, 32);

  std::filesystem::remove_all(cache, ignored);
  std::filesystem::create_directory(cache);
  m.ChargerGroupe(1);
  m.FinishLinkIcons();
  EXPECT_TRUE(std::filesystem::exists(cache + L"\\bloc.ico")) << "the next load tries the cache again";
}

TEST_F(LinkButtons, ARefusedOrEmptyTargetIsReportedAndTheBarStays) {
  model::SaveGroup(store, 1, L"Essais", {L"a|" + folder + L"\\absent.exe", L"b|   "});
  FrmMain& m = LoadMain();
  m.Show();
  desktop.openResult = 2;  // file not found
  for (int i : {0, 1, 7}) {  // 7: no such button
    if (m.Prog.Exists(i)) m.Prog[i].SetValue(true);
    m.Prog.onClick(i);
  }
  EXPECT_EQ(desktop.opened, Texts{folder + L"\\absent.exe"});
  EXPECT_EQ(desktop.messages, Texts(2, L"Veuillez vérifier le lien, qui semble invalide !"));
  EXPECT_TRUE(m.Visible() && !DansTray);
}

}  // namespace
}  // namespace tolvane
