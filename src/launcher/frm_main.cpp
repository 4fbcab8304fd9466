#include "launcher/frm_main.h"

#include <windows.h>

#include "core/catalogue.h"
#include "core/geometry.h"
#include "core/options.h"
#include "core/text.h"
#include "dialogs/frm_polices.h"
#include "dialogs/frm_pref.h"
#include "launcher/frm_pop.h"
#include "launcher/globals.h"
#include "launcher/skin.h"
#include "launcher/start.h"
#include "launcher/tray.h"
#include "launcher/window_helpers.h"
#include "ui/seams.h"

namespace tolvane {
namespace {

constexpr COLORREF kPaneAreaColour = RGB(0x72, 0x92, 0xE1);  // &H00E19272&
constexpr COLORREF kToolsPaneColour = RGB(155, 199, 244);
constexpr COLORREF kLinksPaneColour = RGB(164, 211, 255);
constexpr COLORREF kHeaderTextColour = RGB(0x21, 0x5D, 0xC6);
constexpr COLORREF kBorderColour = RGB(0x6F, 0xBA, 0xFF);  // the border picture's lower edge
constexpr COLORREF kTitleTextColour = RGB(0x10, 0x36, 0x82);
constexpr double kPaneAreaHeight = 4650;
constexpr wchar_t kWebPage[] = L"https://tolvane.example/";

const ui::FontSpec kVerdana{L"Verdana", 8.25};

const wchar_t* const kTools[] = {L"Couleurs & Polices", L"Préférences", L"Aide", L"Site internet", L"A Propos"};

}  // namespace

FrmMain::FrmMain() : ui::Form(L"FrmMain") {}

namespace {

// A fresh dialog for every opening, placed from its saved position, shown
// modal; it is gone once it has closed.
template <typename Dialog>
void OpenPlacedDialog() {
  Dialog dialog;
  dialog.Load();
  PositionnerFenetre(dialog);
  dialog.ShowModal();
}

}  // namespace

void FrmMain::Design() {
  const Skin& skin = TheSkin();
  SetBackColor(RGB(255, 255, 255));
  Move(Left(), Top(), kNarrowWindowWidth, kTitleBarHeight + kPaneAreaHeight + kTitleBarHeight);
  SetIcon(skin.appIcon);

  EnteteH.Create(*this, {.name = L"EnteteH", .height = kTitleBarHeight, .align = ui::Align::Top, .picture = skin.title});
  MeIcon.Create(EnteteH, {.name = L"MeIcon", .left = 120, .top = 50, .width = 300, .height = 300,
                          .transparent = true});
  MeCaption.Create(EnteteH, {.name = L"MeCaption", .left = 555, .top = 60, .width = 2000, .height = 255,
                             .fore = kTitleTextColour, .transparent = true, .font = {L"Tahoma", 8.25, true}});
  FBtn.Create(EnteteH, {.name = L"FBtn", .width = 650, .height = 375, .transparent = true});
  BtnMin.Create(FBtn, {.name = L"BtnMin", .left = 0, .top = 60, .width = 300, .height = 300, .transparent = true,
                       .picture = skin.minUp, .pictureDown = skin.minDown,
                       .toolTip = L"Placer dans la barre d'icônes"});
  BtnClose.Create(FBtn, {.name = L"BtnClose", .left = 300, .top = 60, .width = 300, .height = 300,
                         .transparent = true, .picture = skin.closeUp, .pictureDown = skin.closeDown,
                         .toolTip = L"Fermer"});
  EnteteB.Create(*this, {.name = L"EnteteB", .height = kTitleBarHeight, .align = ui::Align::Bottom, .picture = skin.border});
  BorderLeft.Create(*this, {.name = L"BorderLeft", .width = 30, .align = ui::Align::Left, .back = kBorderColour,
                            .picture = skin.border, .stretch = false});
  BorderRight.Create(*this, {.name = L"BorderRight", .width = 30, .align = ui::Align::Right, .back = kBorderColour,
                             .picture = skin.border, .stretch = false});
  FEnteteL.Create(*this, {.name = L"FEnteteL", .width = kNarrowPaneAreaWidth, .align = ui::Align::Left,
                          .back = kPaneAreaColour});
  Ascenseur.Create(FEnteteL, {.name = L"Ascenseur", .left = 3260, .top = 0, .width = 270, .height = kPaneAreaHeight});
  EnteteL.Create(FEnteteL, {.name = L"EnteteL", .width = kNarrowPaneAreaWidth, .height = kPaneAreaHeight,
                            .back = kPaneAreaColour});
  DesignPane(0, 120, 375);
  DesignPane(1, 1800, 375);

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
  Prog.Create(FrameXPMenu[1], {.name = L"Prog", .left = 120, .top = 480, .width = 2895, .height = 600,
                               .fore = RGB(0, 0, 0), .transparent = true, .font = kVerdana,
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
}

void FrmMain::WireEvents() {
  EnteteH.onMouseDown = [this](const ui::MouseArgs& a) { BeginTitleDrag(a.x, a.y); };
  EnteteH.onMouseMove = [this](const ui::MouseArgs&) { EnteteH_MouseMove(); };
  EnteteH.onMouseUp = [](const ui::MouseArgs&) { EndTitleDrag(); };
  EnteteH.onCaptureLost = [] { EndTitleDrag(); };
  MeCaption.onMouseDown = [this](const ui::MouseArgs& a) {
    BeginTitleDrag(MeCaption.Left() + a.x, MeCaption.Top() + a.y);
  };
  MeCaption.onMouseMove = EnteteH.onMouseMove;
  MeCaption.onMouseUp = EnteteH.onMouseUp;
  MeCaption.onCaptureLost = EnteteH.onCaptureLost;
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
  tmrFrames.Start(10);
  Timer1.Start(2000);
  taskbarCreated_ = ::RegisterWindowMessageW(L"TaskbarCreated");
}

void FrmMain::ReloadCurrentGroup() {
  const std::vector<GroupMenuItem>& groups = ThePop().Groups();
  CurrentGroup g = CurrentGroupFrom(Settings().Get(kSectionSettings, kCurrentGroupKey, L"1"),
                                    static_cast<int>(groups.size()));
  if (g.rewrite) Settings().Save(kSectionSettings, kCurrentGroupKey, Digits(g.number));
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
  FrameXPMenu[1].SetHeight(kHeaderHeight);
  MenuHeader[1].SetHeight(kHeaderHeight);
  MenuHeader_Click(1);
}

void FrmMain::Form_Activate() {
  MettreAuPremierPlan(*this);
  if (RechargerGroupe) {
    FrameXPMenu[0].SetHeight(kHeaderHeight);
    FrameXPMenu[1].SetHeight(kHeaderHeight);
    ReloadCurrentGroup();
    RechargerGroupe = false;
  }
  ChargerMeInterface();
}

void FrmMain::ChargerMeInterface() {
  InterfaceValues v = LireInterface();
  double size = Val(v.size);
  if (size <= 0 || size > 72) size = 8;
  // A colour that does not convert leaves the one shown.
  const std::optional<COLORREF> text = ShownColour(v.textColour);
  const std::optional<COLORREF> back = ShownColour(v.backColour);
  auto restyle = [&](ui::Window& w) {
    ui::FontSpec f = w.Font();
    f.name = v.font, f.size = size, f.italic = false;
    w.SetFont(f);
  };
  auto recolour = [&](int, ui::RibbonButton& b) {
    if (text) b.SetForeColor(*text);
    restyle(b);
  };
  lblHeader.ForEach([&](int, ui::Panel& h) { restyle(h); });
  Gestion.ForEach(recolour);
  Prog.ForEach(recolour);
  if (back) FrameXPMenu.ForEach([&](int, ui::PictureBox& p) { p.SetBackColor(*back); });
}

void FrmMain::Form_Paint() {
  MettreAuPremierPlan(*this);
  everPainted_ = true;
}

void FrmMain::FinishLoading() {
  everPainted_ = true;
  if (groupToLoad_) {
    const int g = *groupToLoad_;
    groupToLoad_.reset();
    ChargerGroupe(g);
    FrameXPMenu[1].SetHeight(kHeaderHeight);
    MenuHeader[1].SetHeight(kHeaderHeight);
    MenuHeader_Click(1);
  }
}

void FrmMain::Form_Unload(bool& cancel) {
  // Closing the bar asks first; a No keeps it open and running.
  cancel = true;
  Quitter();
}

void FrmMain::EnteteH_MouseMove() {
  if (!ContinueTitleDrag(*this)) return;
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
  if (Gestion[Index].Value() && Index == 0) OpenPlacedDialog<FrmPolices>();
  if (Gestion[Index].Value() && Index == 1) OpenPlacedDialog<FrmPref>();
  if (Gestion[Index].Value() && Index == 3) ui::TheDesktop().Open(hwnd(), kWebPage);
  Gestion[Index].SetValue(false);
}

void FrmMain::Timer1_Timer() {
  ImageIcone = ImageIcone + 1 > 3 ? 0 : ImageIcone + 1;
  if (AnimateIcon(Settings())) MeIcon.SetPicture(TheSkin().frames[ImageIcone]);
  if (trayPending_) HideToTray();  // the tray was not up yet: try again
  // The tray follows the title-bar icon; an unchanged icon is not sent again.
  if (const auto& p = MeIcon.GetPicture(); DansTray && p && p->Icon() && SetTrayIcon(p->Icon()))
    ModifierIconeTray();
}

void FrmMain::ShowFromTray() {
  SetVisible(true);
  SupprimerIconeTray();
  DansTray = false;
  trayPending_ = false;
}

void FrmMain::HideToTray() {
  // Hidden only behind an icon that is really there: a bar with no way back
  // stays shown and tries again on the next tick or when the tray comes up.
  trayPending_ = !AjouterIconeTray();
  DansTray = !trayPending_;
  SetVisible(trayPending_);
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
