// FrmMain's panes: opening and closing them by animation, the narrow and
// wide layouts, the link buttons of a group and the right clicks that pop
// up the menus.
#include <windows.h>

#include <algorithm>
#include <cmath>

#include "base/skin.h"
#include "base/window_helpers.h"
#include "core/geometry.h"
#include "core/link_plan.h"
#include "core/options.h"
#include "core/text.h"
#include "launcher/frm_main.h"
#include "launcher/frm_pop.h"
#include "launcher/globals.h"
#include "launcher/tray.h"
#include "ui/seams.h"

namespace tolvane {
namespace {

std::int32_t Twips(double v) {
  return static_cast<std::int32_t>(std::clamp<double>(std::lround(v), INT32_MIN, INT32_MAX));
}

constexpr UINT kPaneTickMs = 10;

}  // namespace

void FrmMain::MenuHeader_Click(int Index) {
  if (panes_.Animating()) return;  // dropped, not queued
  ReadPaneArea();
  panes_.MenuHeader_Click(Index);
  WakePanes();
}

void FrmMain::WakePanes() {
  panes_.Wake();
  if (!tmrFrames.Enabled() && hwnd()) tmrFrames.Start(kPaneTickMs);
}

void FrmMain::Up_Click(int Index) { MenuHeader_Click(Index); }

void FrmMain::SetNarrowLayout() {
  FEnteteL.SetWidth(kNarrowPaneAreaWidth);
  SetWidth(kNarrowWindowWidth);
  FBtn.SetLeft(Width() - FBtn.Width());
}

void FrmMain::SetWideLayout() {
  FEnteteL.SetWidth(kWidePaneAreaWidth);
  SetWidth(kWideWindowWidth);
  FBtn.SetLeft(Width() - FBtn.Width());
}

void FrmMain::ReadPaneArea() {
  // Read afresh each time: other windows set the link pane back to header
  // height before they reopen it.
  PaneArea& a = panes_.area;
  const Skin& skin = TheSkin();
  a.panes.resize(static_cast<std::size_t>(FrameXPMenu.UBound() + 1));
  FrameXPMenu.ForEach([&](int i, ui::PictureBox& p) {
    PaneBox& box = a.panes[static_cast<std::size_t>(i)];
    box.top = Twips(p.Top());
    box.height = Twips(p.Height());
    if (MenuHeader.Exists(i)) {
      box.headerHeight = Twips(MenuHeader[i].Height());
      box.headerOpen = MenuHeader[i].GetPicture() == skin.headerUp;
    }
  });
  a.windowHeight = Twips(Height());
  a.visibleHeight = Twips(ScaleHeight() - EnteteB.Height());
  a.frameHeight = Twips(FEnteteL.Height());
  a.surfaceTop = Twips(EnteteL.Top());
  a.surfaceHeight = Twips(EnteteL.Height());
  a.scrollBarHeight = Twips(Ascenseur.Height());
  a.scrollMax = Ascenseur.Max();
  a.wide = FEnteteL.Width() == kWidePaneAreaWidth;
  a.minimised = ::IsIconic(hwnd());
}

void FrmMain::ApplyPaneArea(const PaneArea& before) {
  const PaneArea& now = panes_.area;
  const Skin& skin = TheSkin();
  for (std::size_t i = 0; i < now.panes.size() && i < before.panes.size(); ++i) {
    const PaneBox& n = now.panes[i];
    const PaneBox& b = before.panes[i];
    const int index = static_cast<int>(i);
    ui::PictureBox& pane = FrameXPMenu[index];
    if (n.top != b.top || n.height != b.height) pane.Move(pane.Left(), n.top, pane.Width(), n.height);
    if (n.headerOpen != b.headerOpen && MenuHeader.Exists(index))
      MenuHeader[index].SetPicture(n.headerOpen ? skin.headerUp : skin.headerDown);
  }
  if (now.surfaceTop != before.surfaceTop || now.surfaceHeight != before.surfaceHeight)
    EnteteL.Move(EnteteL.Left(), now.surfaceTop, EnteteL.Width(), now.surfaceHeight);
  if (now.scrollMax != before.scrollMax) Ascenseur.SetMax(now.scrollMax);
  // Last: a new width resizes the window, whose Form_Resize reads the
  // controls back and must find everything else in place already.
  if (now.wide != before.wide) {
    if (now.wide) {
      SetWideLayout();
    } else {
      SetNarrowLayout();
    }
  }
}

std::int32_t FrmMain::ContentBottom(int pane) {
  // Hidden controls count too: a pane opens to its lowest control.
  double bottom = 0;
  for (const ui::Window* c : FrameXPMenu[pane].Children()) bottom = std::max(bottom, c->Top() + c->Height());
  return Twips(bottom);
}

void FrmMain::FinishResize() {
  if (Width() == kWideWindowWidth) SetLeft(KeepRightEdgeOnScreen(Left(), Width(), ScreenWidthTwips()));
  Ascenseur.SetHeight(BorderLeft.Height());
}

void FrmMain::Form_Resize() {
  if (::IsIconic(hwnd()) || FrameXPMenu.Count() == 0) return;
  ReadPaneArea();
  const PaneArea before = panes_.area;
  panes_.ResizeLayout();
  ApplyPaneArea(before);
  FinishResize();
  WakePanes();
}

void FrmMain::tmrFrames_Timer() {
  if (FrameXPMenu.Count() == 0) return;
  if (groupToLoad_ && everPainted_) FinishLoading();
  ReadPaneArea();
  if (panes_.Animating() && panes_.Opening() && FrameXPMenu.Exists(panes_.AnimatedPane())) {
    const int p = panes_.AnimatedPane();
    panes_.area.panes[static_cast<std::size_t>(p)].contentBottom = ContentBottom(p);
    const ui::RibbonButton& last = Prog[Prog.UBound()];  // element 0 always stays
    panes_.area.lastButtonBottom = Twips(last.Top() + last.Height());
  }
  const PaneArea before = panes_.area;
  const bool resized = panes_.Tick();
  // A tick at rest finds everything in place: nothing is moved or repainted,
  // and the timer stops until something moves again.
  ApplyPaneArea(before);
  if (resized) FinishResize();
  if (!panes_.Awake()) tmrFrames.Stop();
}

void FrmMain::ChargerGroupe(int g) {
  // What an opening links pane grows to has changed.
  WakePanes();
  // Buttons are reused from the previous load: a reload of the same group
  // then changes nothing on screen and costs next to nothing.
  ui::RibbonButton& first = Prog[0];
  const std::vector<LinkButtonPlan> plan = PlanLinkButtons(Settings(), g, first.Top(), first.Height());
  const int count = static_cast<int>(plan.size());
  for (int i = Prog.UBound(); i >= std::max(1, count); --i) Prog.Unload(i);
  targets_.clear();
  pendingIcons_.clear();
  if (plan.empty()) {
    first.SetVisible(false);
    return;
  }

  ui::FontSpec font = first.Font();
  font.bold = false;  // the pointer may be over the first button
  targets_.reserve(plan.size());
  const COLORREF back = FrameXPMenu[1].BackColor();
  icons_.BeginLoad();
  for (int i = 0; i < count; ++i) {
    const LinkButtonPlan& link = plan[static_cast<std::size_t>(i)];
    // The button keeps its target; the tool tip only shows it.
    targets_.push_back(link.target);
    ui::PicturePtr icon = icons_.Known(link.target, back);
    if (!icon) pendingIcons_.push_back(i);
    if (!Prog.Exists(i)) {
      // Made where it belongs, with its looks: nothing to move or repaint after.
      ui::Design d = Prog.GetDesign();
      d.top = link.top, d.caption = link.caption, d.font = font, d.fore = first.ForeColor();
      d.picture = icon ? icon : TheSkin().defaultLinkIcon;
      d.toolTip = link.target;
      Prog.Load(i, d);
    } else {
      ui::RibbonButton& b = Prog[i];
      b.SetCaption(link.caption);
      b.SetPicture(icon ? icon : TheSkin().defaultLinkIcon);
      b.SetToolTipText(link.target);
      b.SetVisible(true);
    }
    Prog[i].Tag = link.tag;
  }
  if (pendingIcons_.empty()) {
    icons_.EndLoad();
  } else if (!iconsPosted_) {
    iconsPosted_ = ::PostMessageW(hwnd(), kLoadIconsMessage, 0, 0) != FALSE;
  }
}

// Icons taken per posted message: the bar stays responsive while they come.
constexpr ULONGLONG kIconSliceMs = 15;

void FrmMain::FinishLinkIcons(bool all) {
  iconsPosted_ = false;
  const COLORREF back = FrameXPMenu[1].BackColor();
  const ULONGLONG start = ::GetTickCount64();
  std::size_t done = 0;
  for (; done < pendingIcons_.size(); ++done) {
    if (!all && ::GetTickCount64() - start > kIconSliceMs) break;
    const int i = pendingIcons_[done];
    if (Prog.Exists(i) && i < static_cast<int>(targets_.size())) Prog[i].SetPicture(icons_.IconFor(targets_[i], back));
  }
  pendingIcons_.erase(pendingIcons_.begin(), pendingIcons_.begin() + static_cast<std::ptrdiff_t>(done));
  if (pendingIcons_.empty()) {
    icons_.EndLoad();
  } else {
    iconsPosted_ = ::PostMessageW(hwnd(), kLoadIconsMessage, 0, 0) != FALSE;
  }
}

void FrmMain::Prog_Click(int Index) {
  if (!Prog.Exists(Index)) return;
  if (Prog[Index].Value()) {
    const std::wstring target = Index < static_cast<int>(targets_.size()) ? targets_[Index] : L"";
    // A target the shell refuses is as invalid as an empty one, and the bar
    // stays to say so.
    if (Trim(target).empty() || ui::TheDesktop().Open(hwnd(), target) <= 32) {
      ui::TheDesktop().Message(hwnd(), L"Veuillez vérifier le lien, qui semble invalide !", AppTitle(),
                               MB_OK | MB_ICONINFORMATION);
    } else if (HideAfterLaunch(Settings())) {
      HideToTray();
    }
  }
  if (Prog.Exists(Index)) Prog[Index].SetValue(false);
}

void FrmMain::Prog_MouseUp(int Index, const ui::MouseArgs& a) {
  if (a.button != 2) return;
  FrmPop& pop = ThePop();
  pop.MenuProg.Tag = Digits(Index);
  pop.ModifProg->Visible = true;
  pop.SuppProg->Visible = true;
  pop.Popup(pop.MenuProg);
}

void FrmMain::lblHeader_MouseUp(int Index, const ui::MouseArgs& a) {
  if (a.button != 2 || Index <= 0) return;
  IndexEnteteMenu = Index;
  ThePop().Popup(ThePop().Menu);
}

void FrmMain::FrameXPMenu_MouseUp(int Index, const ui::MouseArgs& a) {
  if (Index != 1 || a.button != 2) return;
  FrmPop& pop = ThePop();
  pop.MenuProg.Tag = L"1";
  pop.ModifProg->Visible = false;
  pop.SuppProg->Visible = false;
  pop.Popup(pop.MenuProg);
}

}  // namespace tolvane
