// The main window in process, on a store in memory: the current group, its
// menus and their editing commands (the editors' refusals, browsing and
// dropping, the deletes), the title-bar drag, the tray, the panes and their
// timer, and the link buttons with their icons.
#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>

#include "base/skin.h"
#include "dialogs/frm_aide.h"
#include "dialogs/frm_groupe.h"
#include "dialogs/frm_programme.h"
#include "launcher/frm_pop.h"
#include "main_window_fixture.h"
#include "ui/registry_store.h"
#include "../shell_drop.h"

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
}

TEST_F(MainWindow, AHideWaitsForTheTrayWhoseIconFollowsTheAnimationAndIsNotResentUnchanged) {
  FrmMain& m = LoadMain();
  m.SetVisible(true);
  desktop.trayUp = false;
  m.HideToTray();
  EXPECT_TRUE(m.Visible() && !DansTray) << "no icon to come back from";
  EXPECT_TRUE(m.Timer1.Enabled()) << "its next tick tries again";

  desktop.trayUp = true;  // the tray comes up and says so
  ::SendMessageW(m.hwnd(), ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_TRUE(!m.Visible() && DansTray);
  EXPECT_EQ(desktop.tip, L"Tolvane");
  m.ShowFromTray();
  EXPECT_EQ(desktop.trayCalls.back(), static_cast<DWORD>(NIM_DELETE));

  // Hidden, the tray icon follows the title bar's; then its timer sleeps.
  m.HideToTray();
  ASSERT_TRUE(DansTray);
  EXPECT_TRUE(m.Timer1.Enabled()) << "the tray still shows the window's icon";
  m.Timer1.onTimer();  // from the window's icon to the title bar's
  EXPECT_FALSE(m.Timer1.Enabled()) << "animation off: nothing left for a tick";
  const std::size_t afterAdd = desktop.trayCalls.size();
  m.Timer1.onTimer();
  EXPECT_EQ(desktop.trayCalls.size(), afterAdd) << "animation off: nothing to send";
  store.Save(L"Settings", L"Rec 6", L"1");  // read at each tick
  std::set<ui::PicturePtr> shown;           // every frame in turn, the tray following
  for (std::size_t i = 0; i < TheSkin().frames.size(); ++i, shown.insert(m.MeIcon.GetPicture())) m.Timer1.onTimer();
  EXPECT_EQ(shown.size(), TheSkin().frames.size());
  EXPECT_GE(desktop.trayCalls.size(), afterAdd + TheSkin().frames.size() - 1);
  EXPECT_EQ(desktop.trayCalls.back(), static_cast<DWORD>(NIM_MODIFY));
  const ui::PicturePtr last = m.MeIcon.GetPicture();
  store.Save(L"Settings", L"Rec 6", L"0");
  m.Timer1.onTimer();
  EXPECT_TRUE(m.MeIcon.GetPicture() == last && !m.Timer1.Enabled()) << "stopped where it was";
  // The shell's tray came back after a crash: the icon is added again.
  desktop.trayCalls.clear();
  ::SendMessageW(m.hwnd(), ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_EQ(desktop.trayCalls.empty() ? 0 : desktop.trayCalls.back(), static_cast<DWORD>(NIM_ADD));
  m.ShowFromTray();
}

// Each pane opens to its last control's bottom; a header's chevron says
// whether its pane stands open, whichever way the pane was set.
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
  // A group chosen while the tools open: its pane stays closed, and says so.
  desktop.choose = L"Groupe de programmes/Essais";
  RightClick(m.lblHeader[1]);
  ASSERT_TRUE(PumpUntil([&] { return !m.PanesAwake(); }, 5000));
  EXPECT_TRUE(m.FrameXPMenu[1].Height() == 375 && m.MenuHeader[1].GetPicture() == TheSkin().headerDown);
  const double toolsHeight = m.Gestion[4].Top() + m.Gestion[4].Height() + 120;
  EXPECT_EQ(m.FrameXPMenu[0].Height(), toolsHeight);
  EXPECT_EQ(m.FrameXPMenu[1].Top(), m.FrameXPMenu[0].Top() + toolsHeight + 120) << "restacked";
  EXPECT_EQ(m.MenuHeader[0].GetPicture(), TheSkin().headerUp);

  m.CatalogueSaved();  // the next activation closes both panes, chevrons included, and reopens the links
  ::SendMessageW(m.hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_TRUE(m.FrameXPMenu[0].Height() == 375 && m.MenuHeader[0].GetPicture() == TheSkin().headerDown);
  ASSERT_TRUE(PumpUntil([&] { return !m.PanesAwake(); }, 5000));
  EXPECT_EQ(m.MenuHeader[1].GetPicture(), TheSkin().headerUp);
}

// The animation option set by another program in the registry while the bar
// runs: the bar, at rest with no timer at all, hears of it and its icon
// timer runs only while the option is on.
TEST_F(MainWindow, AnotherProgramTurningTheIconAnimationOnAndOffWakesAndStopsItsTimer) {
  static ui::RegistryStore registry(L"Tolvane essais d'animation");  // outlives the bar the fixture ends
  registry.DeleteSection(L"Settings");
  registry.Save(L"Data", L"Groupe", L"NbOcc=1");
  registry.Save(L"Data", L"1", L"Nomgroupe=Essais");
  UseSettings(&registry);
  FrmMain& m = LoadMain();
  ASSERT_TRUE(PumpUntil([&] { return !m.PanesAwake(); }, 5000));
  EXPECT_FALSE(m.Timer1.Enabled()) << "at rest, no timer";
  const auto setByAnotherProgram = [](const wchar_t* value) {
    std::wstring command = L"reg.exe add \"HKCU\\Software\\VB and VBA Program Settings\\Tolvane essais "
                           L"d'animation\\Settings\" /v \"Rec 6\" /d " + std::wstring(value) + L" /f";
    STARTUPINFOW si{sizeof si};
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                                 nullptr, &si, &pi));
    ::WaitForSingleObject(pi.hProcess, 10000);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
  };
  setByAnotherProgram(L"1");
  EXPECT_TRUE(PumpUntil([&] { return m.MeIcon.GetPicture() != TheSkin().frames[0]; }, 4000)) << "at the next tick";
  setByAnotherProgram(L"0");
  EXPECT_TRUE(PumpUntil([&] { return !m.Timer1.Enabled(); }, 1000));
  main.reset();
  registry.DeleteSection(L"Settings");
  registry.DeleteSection(L"Data");
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

// `picture` drawn on `back` at the top left of a 37 x 37 square: the pixels
// of a bitmap file's rows, bottom row first.
std::string DrawnOn(const ui::PicturePtr& picture, COLORREF back) {
  void* bits = nullptr;
  ui::OwnedBitmap bitmap = ui::CreateDib(37, 37, 24, &bits, false);
  ui::OwnedMemoryDc dc(::CreateCompatibleDC(nullptr));
  {
    ui::ScopedSelect select(dc.get(), bitmap.get());
    ui::OwnedBrush brush(::CreateSolidBrush(back));
    RECT all{0, 0, 37, 37};
    ::FillRect(dc.get(), &all, brush.get());
    if (picture) picture->Draw(dc.get(), all, false);
    ::GdiFlush();
  }
  return std::string(static_cast<const char*>(bits), 112 * 37);  // rows padded to 4 bytes
}

// What the shell shows for `path` now.
ui::PicturePtr ShellIcon(const std::wstring& path) {
  std::vector<wchar_t> buffer(MAX_PATH, L'\0');
  path.copy(buffer.data(), path.size());
  WORD index = 0;
  return ui::Picture::FromIcon(::ExtractAssociatedIconW(::GetModuleHandleW(nullptr), buffer.data(), &index));
}

// A cache file's pixels, once it is seen to be a 37 x 37 bitmap file in 24 bits.
std::string CachedPixels(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  const std::string file{std::istreambuf_iterator<char>(in), {}};
  BITMAPFILEHEADER head{};
  BITMAPINFOHEADER info{};
  if (file.size() < sizeof head + sizeof info) return "no bitmap file";
  std::memcpy(&head, file.data(), sizeof head);
  std::memcpy(&info, file.data() + sizeof head, sizeof info);
  EXPECT_TRUE(head.bfType == 0x4D42 && head.bfSize == file.size());
  EXPECT_EQ((std::array<LONG, 3>{info.biWidth, info.biHeight, info.biBitCount}), (std::array<LONG, 3>{37, 37, 24}));
  return file.substr(head.bfOffBits);
}

// A copy of `program` at `at`, `size` bytes long (zeros after the program),
// last written at `when`.
void PutProgram(const std::wstring& at, const std::wstring& program, std::uintmax_t size, FILETIME when) {
  ASSERT_TRUE(::CopyFileW(program.c_str(), at.c_str(), FALSE));
  std::filesystem::resize_file(at, size);
  ui::OwnedHandle file(::CreateFileW(at.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(::SetFileTime(file.get(), nullptr, nullptr, &when));
}

TEST_F(LinkButtons, AReloadTakesTheIconOfATargetThatChangedAndCachesItOnThePaneColour) {
  const std::wstring notepad = L"C:\\windows\\system32\\notepad.exe", mines = L"C:\\windows\\system32\\winemine.exe";
  const std::wstring changing = folder + L"\\outil.exe";
  const std::uintmax_t size = std::max(std::filesystem::file_size(notepad), std::filesystem::file_size(mines));
  FILETIME when{0, 0x01D00000};
  PutProgram(changing, notepad, size, when);
  model::SaveGroup(store, 1, L"Essais", {L"a|" + changing, L"b|" + folder + L"\\bloc.exe"});
  FrmMain& m = LoadMain();
  const COLORREF pane = m.FrameXPMenu[1].BackColor();
  ASSERT_TRUE(DrawnOn(ShellIcon(notepad), pane) != DrawnOn(ShellIcon(mines), pane)) << "two icons to tell apart";
  auto reloadShowsAndCachesTheShellsIcon = [&](const char* step) {
    m.ChargerGroupe(1);
    m.FinishLinkIcons();
    const std::string now = DrawnOn(ShellIcon(changing), pane);
    EXPECT_TRUE(DrawnOn(m.Prog[0].GetPicture(), pane) == now) << step << ": shown";
    EXPECT_TRUE(CachedPixels(cache + L"\\outil.ico") == now) << step << ": cached";
  };
  reloadShowsAndCachesTheShellsIcon("as loaded");
  const ui::PicturePtr unchanged = m.Prog[1].GetPicture();
  std::filesystem::remove(cache + L"\\bloc.ico", ignored);

  ++when.dwHighDateTime;
  PutProgram(changing, mines, size, when);
  reloadShowsAndCachesTheShellsIcon("another icon, same size, written later");
  PutProgram(changing, notepad, size + 512, when);
  reloadShowsAndCachesTheShellsIcon("the first icon again, longer, same time");
  EXPECT_EQ(m.Prog[1].GetPicture(), unchanged);
  EXPECT_FALSE(std::filesystem::exists(cache + L"\\bloc.ico")) << "an unchanged target is not taken again";

  // Another pane colour: the cache follows it.
  m.FrameXPMenu[1].SetBackColor(RGB(200, 30, 60));
  m.ChargerGroupe(1);
  m.FinishLinkIcons();
  EXPECT_TRUE(CachedPixels(cache + L"\\bloc.ico") == DrawnOn(ShellIcon(folder + L"\\bloc.exe"), RGB(200, 30, 60)));
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
    EXPECT_EQ(desktop.messages, (Texts{L"Veuillez saisir un nom de groupe !",
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
  EXPECT_EQ(desktop.messages, (Texts{L"Veuillez sélectionner un lien de programme !",
                                     L"Rien n'a été enregistré : ce groupe compte déjà 737 liens, "
                                     L"le plus que la barre puisse afficher."}));
  EXPECT_EQ(desktop.chooserStarts, (Texts{L"", L""}));
  EXPECT_EQ(Data(L"1000-3c"), L"Fic=C:\\Outils\\LISEZMOI");
  ASSERT_EQ(m.ButtonCount(), 3);
  EXPECT_EQ(m.Prog[2].Caption(), L"LISEZMOI");
}

TEST_F(CatalogueEditors, DeleteALinkAskedNoThenYes) {
  Texts links{L"a", L" b ", L"c"};
  links.resize(40, L"z");
  model::SaveGroup(store, 1, L"Essais", links);
  FrmMain& m = Start(false);
  m.Ascenseur.SetValue(m.Ascenseur.Max());
  ASSERT_GT(m.ScrollValue(), 0);
  desktop.answer = IDNO;
  Choose(m.Prog[1], L"Supprimer le lien");
  EXPECT_EQ(desktop.messages, Texts{L"Voulez-vous vraiement supprimer le programme ***b*** ?"});
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
