// FrmMain's panes: opening and closing them by animation, the narrow and
// wide layouts, the link buttons of a group and the right clicks that pop
// up the menus.
#include <windows.h>

#include <algorithm>

#include "core/catalogue.h"
#include "core/geometry.h"
#include "core/options.h"
#include "core/text.h"
#include "launcher/frm_main.h"
#include "launcher/frm_pop.h"
#include "launcher/globals.h"
#include "launcher/skin.h"
#include "launcher/tray.h"
#include "launcher/window_helpers.h"
#include "ui/seams.h"

namespace tolvane {
namespace {

constexpr double kStep = 60;        // twips a pane grows or shrinks per tick
constexpr double kPaneGap = 120;    // between two panes, and under a pane's content
constexpr double kButtonGap = 50;   // between two link buttons

}  // namespace

void FrmMain::MenuHeader_Click(int Index) {
  if (AnimEnCours || !FrameXPMenu.Exists(Index)) return;  // dropped, not queued
  SensOuverture = FrameXPMenu[Index].Height() == MenuHeader[0].Height();
  AnimEnCours = true;
  IndexVolet = Index;
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

void FrmMain::SetScrollRange() {
  Ascenseur.SetMax(CLng((EnteteL.Height() - Ascenseur.Height()) / 100).value_or(0));
}

double FrmMain::LastPaneBottom() {
  ui::PictureBox& last = FrameXPMenu[FrameXPMenu.UBound()];
  return last.Top() + last.Height();
}

double FrmMain::ContentBottom(int pane) {
  // Hidden controls count too: a pane opens to its lowest control.
  double bottom = 0;
  for (ui::Window* c : FrameXPMenu[pane].Children()) bottom = std::max(bottom, c->Top() + c->Height());
  return bottom;
}

void FrmMain::Form_Resize() {
  if (::IsIconic(hwnd())) return;
  double inner = ScaleHeight() - EnteteB.Height();
  EnteteL.SetHeight(inner);
  if (UsesWideLayout(ScaleHeight(), EnteteB.Height(), LastPaneBottom())) {
    FEnteteL.SetWidth(kWidePaneAreaWidth);
    SetWidth(kWideWindowWidth);
    FBtn.SetLeft(Width() - FBtn.Width());
    EnteteL.SetHeight(LastPaneBottom() + kWideSurfaceExtra);
  } else {
    SetNarrowLayout();
    EnteteL.SetTop(0);
  }
  if (Width() == kWideWindowWidth) SetLeft(KeepRightEdgeOnScreen(Left(), Width(), ScreenWidthTwips()));
  Ascenseur.SetHeight(BorderLeft.Height());
}

void FrmMain::tmrFrames_Timer() {
  // Keep the panes stacked; an idle tick finds them in place and moves nothing.
  for (int i = 1; i <= FrameXPMenu.UBound(); ++i) {
    ui::PictureBox& above = FrameXPMenu[i - 1];
    FrameXPMenu[i].SetTop(above.Top() + above.Height() + kPaneGap);
  }
  if (!AnimEnCours) return;
  const int p = IndexVolet;
  ui::PictureBox& pane = FrameXPMenu[p];
  const Skin& skin = TheSkin();

  if (!SensOuverture) {
    MenuHeader[p].SetPicture(skin.headerDown);
    if (pane.Top() + pane.Height() > Height()) pane.SetHeight(Height() - pane.Top());
    pane.SetHeight(std::max(MenuHeader[p].Height(), pane.Height() - kStep));
    EnteteL.SetHeight(LastPaneBottom() + kWideSurfaceExtra);
    if (pane.Height() <= MenuHeader[p].Height()) {
      AnimEnCours = false;
      pane.SetHeight(MenuHeader[p].Height());
      SetNarrowLayout();
      Form_Resize();
    }
    SetScrollRange();
    return;
  }

  MenuHeader[p].SetPicture(skin.headerUp);
  pane.SetHeight(pane.Height() + kStep);
  if (p == 1) EnteteL.SetHeight(LastPaneBottom() + kWideSurfaceExtra);
  if (EnteteL.Top() + EnteteL.Height() > Height()) {
    if (p == 1) {
      int last = Prog.UBound();
      if (last >= 0) pane.SetHeight(Prog[last].Top() + Prog[last].Height() + kPaneGap);
      EnteteL.SetHeight(pane.Top() + pane.Height() + kWideSurfaceExtra);
    }
    SetWideLayout();
    SetScrollRange();
    Form_Resize();
    if (p == 1) {
      AnimEnCours = false;
      return;
    }
  }
  double bottom = ContentBottom(p);
  if (pane.Height() >= bottom + kPaneGap) {
    AnimEnCours = false;
    pane.SetHeight(std::max(MenuHeader[p].Height(), bottom + kPaneGap));
    if (FEnteteL.Height() < LastPaneBottom()) {
      SetWideLayout();
      SetScrollRange();
    }
    Form_Resize();
  }
}

void FrmMain::ChargerGroupe(int g) {
  for (int i = Prog.UBound(); i >= 1; --i) Prog.Unload(i);
  Prog[0].SetVisible(false);
  targets_.clear();
  std::optional<int> count = ReadLinkCount(Settings(), g);
  if (!count) return;  // no number: the pane shows no button
  int m = std::max(1, *count);
  for (int i = 0; i < m; ++i) {
    const int k = i + 1;
    ui::RibbonButton& b = i == 0 ? Prog[0] : Prog.Load(i);
    b.SetCaption(ReadLinkCaption(Settings(), g, k));
    b.Tag = LinkKey(g, k);
    targets_.push_back(ReadLinkTarget(Settings(), g, k));
    if (!targets_.back().empty()) ui::SetToolTip(b, targets_.back());
    b.SetPicture(TheSkin().defaultLinkIcon);
    if (i > 0) {
      ui::RibbonButton& prev = Prog[i - 1];
      b.Move(prev.Left(), prev.Top() + prev.Height() + kButtonGap, b.Width(), b.Height());
    }
    b.SetVisible(true);
  }
}

void FrmMain::Prog_Click(int Index) {
  if (!Prog.Exists(Index)) return;
  if (Prog[Index].Value()) {
    const std::wstring target = Index < static_cast<int>(targets_.size()) ? targets_[Index] : L"";
    // A target the shell refuses is as invalid as an empty one.
    if (Trim(target).empty() || ui::TheDesktop().Open(hwnd(), target) <= 32) {
      ui::TheDesktop().Message(hwnd(), L"Veuillez vérifier le lien, qui semble invalide !", AppTitle(),
                               MB_OK | MB_ICONINFORMATION);
    } else if (HideAfterLaunch(Settings())) {
      SetVisible(false);
      DansTray = AjouterIconeTray();
      if (!DansTray) SetVisible(true);
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
