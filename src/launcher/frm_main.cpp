#include "launcher/frm_main.h"

#include <windows.h>

#include "base/skin.h"
#include "base/skinned_frame.h"
#include "base/window_helpers.h"
#include "core/catalogue.h"
#include "core/geometry.h"
#include "core/link_plan.h"
#include "core/options.h"
#include "core/text.h"
#include "dialogs/frm_about.h"
#include "dialogs/frm_aide.h"
#include "dialogs/frm_polices.h"
#include "dialogs/frm_pref.h"
#include "launcher/frm_pop.h"
#include "launcher/globals.h"
#include "launcher/start.h"
#include "launcher/tray.h"
#include "ui/registry_store.h"
#include "ui/seams.h"

namespace tolvane {
namespace {

constexpr COLORREF kPaneAreaColour = RGB(0x72, 0x92, 0xE1);  // &H00E19272&
constexpr COLORREF kToolsPaneColour = RGB(155, 199, 244);
constexpr COLORREF kLinksPaneColour = RGB(164, 211, 255);
constexpr COLORREF kHeaderTextColour = RGB(0x21, 0x5D, 0xC6);
constexpr double kPaneAreaHeight = 4650;

const ui::FontSpec kVerdana{L"Verdana", 8.25};

const wchar_t* const kTools[] = {L"Couleurs & Polices", L"Préférences", L"Aide", L"Site internet", L"A Propos"};

}  // namespace

FrmMain::FrmMain() : ui::Form(L"FrmMain") { SetBar(this); }

FrmMain::~FrmMain() {
  if (TheBar() == this) SetBar(nullptr);
}

void FrmMain::KeepBarOnTop() { MettreAuPremierPlan(*this); }

void FrmMain::CatalogueSaved() {
  ViderMenuGroupes();
  ChargerMenuGroupes();
  RechargerGroupe = true;
}

namespace {

// A fresh dialog, placed from its saved position, shown modal.
template <typename D>
void ShowPlacedDialog() {
  ShowDialog<D>([](D& dialog) { PositionnerFenetre(dialog); });
}

}  // namespace

void FrmMain::Design() {
  const Skin& skin = TheSkin();
  SetBackColor(RGB(255, 255, 255));
  Move(Left(), Top(), kNarrowWindowWidth, kTitleBarHeight + kPaneAreaHeight + kTitleBarHeight);
  SetIcon(skin.appIcon);

  DesignFrame(*this, {EnteteH, MeIcon, MeCaption, FBtn, BtnClose, EnteteB, BorderLeft, BorderRight}, {});
  BtnMin.Create(FBtn, {.name = L"BtnMin", .left = 0, .top = 60, .width = 300, .height = 300, .transparent = true,
                       .picture = skin.minUp, .pictureDown = skin.minDown,
                       .toolTip = L"Placer dans la barre d'icônes"});
  FEnteteL.Create(*this, {.name = L"FEnteteL", .width = kNarrowPaneAreaWidth, .align = ui::Align::Left,
                          .back = kPaneAreaColour});
  Ascenseur.Create(FEnteteL, {.name = L"Ascenseur", .left = 3260, .top = 0, .width = 270, .height = kPaneAreaHeight});
  EnteteL.Create(FEnteteL, {.name = L"EnteteL", .width = kNarrowPaneAreaWidth, .height = kPaneAreaHeight,
                            .back = kPaneAreaColour});
  DesignPane(0, 120, 375);
  DesignPane(1, 1800, 375);
  // Whatever moves what the panes stack in wakes their timer.
  EnteteL.onMoved = FEnteteL.onMoved = [this] { WakePanes(); };

  Gestion.Create(FrameXPMenu[0], {.name = L"Gestion", .left = 120, .top = 480, .width = 2895, .height = 550,
                                  .caption = kTools[0], .fore = RGB(0, 0, 0), .transparent = true,
                                  .font = kVerdana, .picture = skin.tools[0]});
  for (int i = 1; i < 5; ++i) {
    ui::RibbonButton& g = Gestion.Load(i);
    g.Move(120, 480 + 600 * i, 2895, 555);
    g.SetCaption(kTools[i]);
    g.SetPicture(skin.tools[i]);
    g.SetVisible(true);
  }
  Prog.Create(FrameXPMenu[1], {.name = L"Prog", .left = 120, .top = kFirstLinkTop, .width = 2895,
                               .height = kLinkButtonHeight, .fore = RGB(0, 0, 0), .transparent = true, .font = kVerdana,
                               .picture = skin.defaultLinkIcon});
  WireEvents();
}

void FrmMain::DesignPane(int i, double top, double height) {
  const Skin& skin = TheSkin();
  ui::PictureBox& pane = i == 0 ? FrameXPMenu.Create(EnteteL, {.name = L"FrameXPMenu"})
                                : FrameXPMenu.Load(i);
  pane.Move(60, top, 3135, height);
  pane.SetVisible(true);
  if (i == 0) {
    lblBack.Create(pane, {.name = L"lblBack", .width = 1695, .height = 375, .back = RGB(255, 255, 255)});
    MenuHeader.Create(pane, {.name = L"MenuHeader", .width = 3135, .height = 375, .picture = skin.headerDown});
    lblHeader.Create(MenuHeader[0], {.name = L"lblHeader", .left = 120, .top = 0, .width = 1815, .height = 330,
                                     .caption = L"Outils", .fore = kHeaderTextColour, .transparent = true,
                                     .font = {L"Verdana", 8.25, true}});
    Up.Create(MenuHeader[0], {.name = L"Up", .left = 2760, .top = 0, .width = 375, .height = 375,
                              .transparent = true});
    return;
  }
  // The second pane's controls are the first's, loaded into it.
  lblBack.Load(i, &pane).SetVisible(true);
  MenuHeader.Load(i, &pane).SetVisible(true);
  lblHeader.Load(i, &MenuHeader[i]).SetWidth(2655);
  lblHeader[i].SetVisible(true);
  Up.Load(i, &MenuHeader[i]).SetVisible(true);
  for (int p = 0; p <= i; ++p) FrameXPMenu[p].onMoved = MenuHeader[p].onMoved = [this] { WakePanes(); };
}

void FrmMain::WireEvents() {
  WireTitleDrag(*this, EnteteH, MeCaption, [this] { EnteteH_MouseMove(); }, nullptr);
  BtnClose.onClick = [this] { BtnClose_Click(); };
  BtnMin.onClick = [this] { BtnMin_Click(); };
  MenuHeader.onClick = [this](int i) { MenuHeader_Click(i); };
  Up.onClick = [this](int i) { Up_Click(i); };
  lblHeader.onMouseUp = [this](int i, const ui::MouseArgs& a) { lblHeader_MouseUp(i, a); };
  FrameXPMenu.onMouseUp = [this](int i, const ui::MouseArgs& a) { FrameXPMenu_MouseUp(i, a); };
  Gestion.onClick = [this](int i) { Gestion_Click(i); };
  Gestion.onMouseEnter = [this](int i) { auto f = Gestion[i].Font(); f.bold = true; Gestion[i].SetFont(f); };
  Gestion.onMouseExit = [this](int i) { auto f = Gestion[i].Font(); f.bold = false; Gestion[i].SetFont(f); };
  Prog.onClick = [this](int i) { Prog_Click(i); };
  Prog.onMouseUp = [this](int i, const ui::MouseArgs& a) { Prog_MouseUp(i, a); };
  Prog.onMouseEnter = [this](int i) { auto f = Prog[i].Font(); f.bold = true; Prog[i].SetFont(f); };
  Prog.onMouseExit = [this](int i) { auto f = Prog[i].Font(); f.bold = false; Prog[i].SetFont(f); };
  Ascenseur.onChange = Ascenseur.onScroll = [this] { EnteteL.SetTop(-100.0 * Ascenseur.Value()); };
  tmrFrames.onTimer = [this] { tmrFrames_Timer(); };
  Timer1.onTimer = [this] { Timer1_Timer(); };
}

void FrmMain::Form_Load() {
  const Skin& skin = TheSkin();
  MeIcon.SetPicture(skin.frames[0]);
  ::CreateDirectoryW((ProgramFolder() + L"\\temp\\").c_str(), nullptr);
  FrameXPMenu[0].SetBackColor(kToolsPaneColour);
  FrameXPMenu[1].SetBackColor(kLinksPaneColour);
  DansTray = false;
  FrameXPMenu[0].SetHeight(kHeaderHeight);
  FrameXPMenu[1].SetHeight(kHeaderHeight);
  SetNarrowLayout();
  MenuHeader.ForEach([&](int i, ui::Panel& h) {
    h.SetPicture(FrameXPMenu[i].Height() == kHeaderHeight ? skin.headerDown : skin.headerUp);
    h.SetHeight(kHeaderHeight);
    h.SetWidth(FrameXPMenu[i].Width());
  });
  MeCaption.SetCaption(L" " + AppTitle());
  ::SetWindowTextW(hwnd(), AppTitle().c_str());

  const Point place = MainWindowPosition(Settings().Get(kSectionSettings, L"MainLeft", L""),
                                         Settings().Get(kSectionSettings, L"MainTop", L""), Width(), Height(),
                                         MonitorWorkAreas(), ScreenWidthTwips(), ScreenHeightTwips());
  Move(place.left, place.top, Width(), Height());
  MettreAuPremierPlan(*this);

  ChargerMenuGroupes();
  ReloadCurrentGroup();
  WakePanes();
  // Another program may set the option while the bar sleeps: the registry
  // says so, and nothing polls it meanwhile.
  if (auto* registry = dynamic_cast<ui::RegistryStore*>(&Settings()))
    settingsWatch_ = std::make_unique<ui::KeyWatch>(HKEY_CURRENT_USER, registry->SectionPath(kSectionSettings),
                                                    [this] { ReadIconOption(); });
  ReadIconOption();
  taskbarCreated_ = ::RegisterWindowMessageW(L"TaskbarCreated");
}

void FrmMain::ReloadCurrentGroup() {
  const std::vector<GroupMenuItem>& groups = ThePop().Groups();
  CurrentGroup g = CurrentGroupFrom(Settings().Get(kSectionSettings, kCurrentGroupKey, L"1"),
                                    static_cast<int>(groups.size()),
                                    StoredGroupCount(Settings(), static_cast<int>(groups.size())));
  if (g.rewrite && !IsUnreadable(Settings(), kSectionSettings, kCurrentGroupKey))
    Settings().Save(kSectionSettings, kCurrentGroupKey, Digits(g.number));
  std::wstring name = g.number <= static_cast<int>(groups.size()) ? groups[g.number - 1].name : L"";
  ShowGroup(g.number, name);
}

void FrmMain::ShowGroup(int g, const std::wstring& name) {
  lblHeader[1].SetCaption(name);
  lblHeader[1].Tag = Digits(g);
  if (!everPainted_) {
    // At start the links pane opens after the bar's first paint, which its
    // closed pane does not need the buttons for: the bar shows sooner.
    groupToLoad_ = g;
    return;
  }
  ChargerGroupe(g);
  CloseAtOnce(1);
  MenuHeader_Click(1);
}

void FrmMain::CloseAtOnce(int pane) {
  FrameXPMenu[pane].SetHeight(kHeaderHeight);
  MenuHeader[pane].SetHeight(kHeaderHeight);
  MenuHeader[pane].SetPicture(TheSkin().headerDown);  // its chevron says so too
}

void FrmMain::Form_Activate() {
  MettreAuPremierPlan(*this);
  if (RechargerGroupe) {
    CloseAtOnce(0);
    CloseAtOnce(1);
    ReloadCurrentGroup();
    RechargerGroupe = false;
  }
  // The preferences are changed from a window of ours: on a store that
  // cannot tell of a change, coming back here is when the option may have
  // changed. The registry tells of it through the watch.
  if (!settingsWatch_) ReadIconOption();
  ChargerMeInterface();
}

void FrmMain::ChargerMeInterface() {
  InterfaceValues v = LireInterface();
  const double size = InterfaceFontSize(v.size);
  const COLORREF text = ShownColour(InterfaceColour(v.textColour, 0));
  const COLORREF back = ShownColour(InterfaceColour(v.backColour, PaneBackColour()));
  auto restyle = [&](ui::Window& w) {
    ui::FontSpec f = w.Font();
    f.name = v.font, f.size = size, f.italic = false;
    w.SetFont(f);
  };
  lblHeader.ForEach([&](int, ui::Panel& h) { restyle(h); });
  Gestion.ForEach([&](int, ui::RibbonButton& b) { b.SetForeColor(text); restyle(b); });
  Prog.ForEach([&](int, ui::RibbonButton& b) { b.SetForeColor(text); restyle(b); });
  FrameXPMenu.ForEach([&](int, ui::PictureBox& p) { p.SetBackColor(back); });
}

void FrmMain::Form_Paint() {
  MettreAuPremierPlan(*this);
  everPainted_ = true;
  if (groupToLoad_) WakePanes();  // its next tick loads the group
}

void FrmMain::FinishLoading() {
  everPainted_ = true;
  if (groupToLoad_) {
    const int g = *groupToLoad_;
    groupToLoad_.reset();
    ChargerGroupe(g);
    CloseAtOnce(1);
    MenuHeader_Click(1);
  }
}

void FrmMain::Form_Unload(bool& cancel) {
  // Closing the bar asks first; a No keeps it open and running.
  cancel = true;
  Quitter();
}

// The main window keeps its place while it is dragged, not only at the end.
void FrmMain::EnteteH_MouseMove() {
  Settings().Save(kSectionSettings, L"MainTop", SingleText(static_cast<float>(Top())));
  Settings().Save(kSectionSettings, L"MainLeft", SingleText(static_cast<float>(Left())));
}

void FrmMain::BtnClose_Click() {
  if (BtnClose.Value()) Quitter();
  BtnClose.SetValue(false);
}

void FrmMain::BtnMin_Click() {
  if (BtnMin.Value()) HideToTray();
  BtnMin.SetValue(false);
}

void FrmMain::Gestion_Click(int Index) {
  if (Gestion[Index].Value()) {
    switch (Index) {
      case 0: ShowPlacedDialog<FrmPolices>(); break;
      case 1: ShowPlacedDialog<FrmPref>(); break;
      case 2: ShowDialog<FrmAide>({}); break;
      case 3: ui::TheDesktop().Open(hwnd(), kWebPage); break;
      case 4: ShowDialog<FrmAbout>({}); break;
    }
  }
  Gestion[Index].SetValue(false);
}

void FrmMain::Timer1_Timer() {
  ImageIcone = ImageIcone + 1 > 3 ? 0 : ImageIcone + 1;
  animateIcon_ = AnimateIcon(Settings());
  if (animateIcon_) MeIcon.SetPicture(TheSkin().frames[ImageIcone]);
  if (trayPending_) HideToTray();  // the tray was not up yet: try again
  // The tray follows the title-bar icon; an unchanged icon is not sent again.
  if (const auto& p = MeIcon.GetPicture(); DansTray && p && p->Icon() && SetTrayIcon(p->Icon()))
    ModifierIconeTray();
  WakeIconTimer();
}

void FrmMain::ReadIconOption() {
  animateIcon_ = AnimateIcon(Settings());
  WakeIconTimer();
}

// The icon timer runs only while a tick has something to do: the animation,
// a hide waiting for the shell's tray, or a tray icon still to catch up with
// the title bar's. A bar at rest gets no tick at all.
void FrmMain::WakeIconTimer() {
  const auto& p = MeIcon.GetPicture();
  const bool behind = DansTray && p && p->Icon() && p->Icon() != TrayIcon();
  const bool needed = animateIcon_ || trayPending_ || behind;
  if (needed == Timer1.Enabled()) return;
  if (needed)
    Timer1.Start(2000);
  else
    Timer1.Stop();
}

void FrmMain::ShowFromTray() {
  SetVisible(true);
  SupprimerIconeTray();
  DansTray = false;
  trayPending_ = false;
  WakeIconTimer();
}

void FrmMain::HideToTray() {
  // Hidden only behind an icon that is really there: a bar with no way back
  // stays shown and tries again on the next tick or when the tray comes up.
  trayPending_ = !AjouterIconeTray();
  DansTray = !trayPending_;
  SetVisible(trayPending_);
  WakeIconTimer();
}

void FrmMain::TrayCallback(UINT mouseMessage) {
  if (mouseMessage == WM_LBUTTONDBLCLK) {
    ::ShowWindow(hwnd(), SW_RESTORE);
    ShowFromTray();
  } else if (mouseMessage == WM_RBUTTONUP) {
    ThePop().Popup(ThePop().MenuAff);
  }
}

LRESULT FrmMain::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kLoadIconsMessage) {
    FinishLinkIcons(false);
    return 0;
  }
  if (msg == kTrayMessage) {
    TrayCallback(static_cast<UINT>(LOWORD(lp)));
    return 0;
  }
  if (msg == taskbarCreated_ && taskbarCreated_ != 0) {
    // The shell's tray came up, or came back after a crash: its icons are gone.
    if (DansTray) SupprimerIconeTray();
    if (DansTray || trayPending_) HideToTray();
    return 0;
  }
  return ui::Form::OnMessage(msg, wp, lp);
}

}  // namespace tolvane
