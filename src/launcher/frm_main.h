// FrmMain: the side bar. A drawn title bar, a bottom bar, side borders and
// between them a scrolled area with two panes: the tools, and the links of
// the current group.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/bar.h"
#include "core/pane_animation.h"
#include "launcher/link_icons.h"
#include "ui/control_array.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/key_watch.h"
#include "ui/timer.h"

namespace tolvane {

class FrmMain final : public ui::Form, public Bar {
 public:
  FrmMain();
  ~FrmMain() override;

  // Opens or closes pane Index by animation; dropped while one runs.
  void MenuHeader_Click(int Index);
  // Starts the pane timer, which stops by itself at its first tick that
  // finds the panes in place. Moving a pane, its header, the scrolled
  // surface or its frame, or resizing the bar, calls it already.
  void WakePanes();
  void Up_Click(int Index);
  // Applies the interface font and colours.
  void ChargerMeInterface();
  // Shows group g's links as buttons. Icons the shell must be asked for come
  // just after, a few at a time, so the bar shows at once.
  void ChargerGroupe(int g);
  // Loads now what start-up leaves for after the first paint: the current
  // group's buttons.
  void FinishLoading();
  // Takes the icons still to come now; `all` false stops after a short while.
  void FinishLinkIcons(bool all = true);
  // Posted to the bar while icons are still to come.
  static constexpr UINT kLoadIconsMessage = WM_APP + 2;
  // Hides the bar behind its tray icon, or keeps it shown until the tray can
  // take the icon.
  void HideToTray();
  void ShowFromTray();
  // The group pane shows group g: its name in the header, its links, reopened.
  void ShowGroup(int g, const std::wstring& name);

  // What the dialogs it opens see of it.
  HWND BarWindow() const override { return hwnd(); }
  Rect BarPlace() const override { return {Left(), Top(), Width(), Height()}; }
  FontSpec HeaderFont() const override { return lblHeader[0].Font(); }
  COLORREF PaneBackColour() const override { return FrameXPMenu[1].BackColor(); }
  void KeepBarOnTop() override;
  void CatalogueSaved() override;
  int ScrollValue() const { return Ascenseur.Value(); }
  int ButtonCount() { return Prog.Count(); }
  bool Animating() const { return panes_.Animating(); }
  bool PanesAwake() const { return tmrFrames.Enabled(); }

  // Controls, as the design names them.
  ui::Panel EnteteH, MeIcon, MeCaption, FBtn, EnteteB, BorderLeft, BorderRight, FEnteteL, EnteteL;
  ui::RibbonButton BtnMin, BtnClose;
  ui::ScrollBar Ascenseur;
  ui::ControlArray<ui::PictureBox> FrameXPMenu;
  ui::ControlArray<ui::Panel> lblHeader, Up, lblBack, MenuHeader;
  ui::ControlArray<ui::RibbonButton> Gestion, Prog;
  ui::Timer tmrFrames, Timer1;

 protected:
  void Design() override;
  void Form_Load() override;
  void Form_Activate() override;
  void Form_Paint() override;
  void Form_Resize() override;
  void Form_Unload(bool& cancel) override;
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void DesignPane(int i, double top, double height);
  void WireEvents();
  void ReloadCurrentGroup();
  // Puts pane `pane` at its header's height at once, without animation.
  void CloseAtOnce(int pane);
  void SetNarrowLayout();
  void SetWideLayout();
  void ReadPaneArea();
  void ApplyPaneArea(const PaneArea& before);
  void FinishResize();
  std::int32_t ContentBottom(int pane);

  void tmrFrames_Timer();
  void Timer1_Timer();
  void ReadIconOption();
  void WakeIconTimer();
  void TrayCallback(UINT mouseMessage);
  void BtnClose_Click();
  void BtnMin_Click();
  void Gestion_Click(int Index);
  void Prog_Click(int Index);
  void Prog_MouseUp(int Index, const ui::MouseArgs& a);
  void lblHeader_MouseUp(int Index, const ui::MouseArgs& a);
  void FrameXPMenu_MouseUp(int Index, const ui::MouseArgs& a);
  void EnteteH_MouseMove();

  PaneAnimation panes_;  // `AnimEnCours`, `SensOuverture`, `IndexVolet` and the geometry they move
  LinkIcons icons_;
  int ImageIcone = 0;
  bool animateIcon_ = false;  // option 6
  std::unique_ptr<ui::KeyWatch> settingsWatch_;  // tells of option 6 while the icon timer sleeps
  std::vector<std::wstring> targets_;  // each link button's target, by index
  std::vector<int> pendingIcons_;      // buttons still showing the default icon
  bool iconsPosted_ = false;
  bool everPainted_ = false;
  std::optional<int> groupToLoad_;  // the group to show once the bar has painted
  UINT taskbarCreated_ = 0;
  bool trayPending_ = false;  // a hide waits for the shell's tray
};

}  // namespace tolvane
