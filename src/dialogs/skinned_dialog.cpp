#include "dialogs/skinned_dialog.h"

#include "core/catalogue.h"
#include "core/text.h"
#include "launcher/frm_main.h"
#include "launcher/globals.h"
#include "launcher/skin.h"
#include "launcher/window_helpers.h"
#include "ui/seams.h"

namespace tolvane {
namespace {

constexpr double kTitleHeight = 405;
constexpr double kBottomHeight = 645;
constexpr COLORREF kBorderColour = RGB(0x6F, 0xBA, 0xFF);
constexpr COLORREF kTitleTextColour = RGB(0x10, 0x36, 0x82);

}  // namespace

SkinnedDialog::SkinnedDialog(Frame frame) : ui::Form(frame.name), frame_(std::move(frame)) {}

void SkinnedDialog::Design() {
  const Skin& skin = TheSkin();
  SetBackColor(RGB(255, 255, 255));
  Move(Left(), Top(), frame_.width, frame_.height);
  SetIcon(skin.appIcon);
  EnteteH.Create(*this, {.name = L"EnteteH", .height = kTitleHeight, .align = ui::Align::Top, .picture = skin.title});
  MeIcon.Create(EnteteH, {.name = L"MeIcon", .left = 120, .top = 50, .width = 300, .height = 300, .transparent = true,
                          .picture = FenetrePrincipale ? FenetrePrincipale->MeIcon.GetPicture() : skin.appIcon});
  MeCaption.Create(EnteteH, {.name = L"MeCaption", .left = 555, .top = 60, .width = 2300, .height = 255,
                             .caption = frame_.caption, .fore = kTitleTextColour, .transparent = true,
                             .font = {L"Tahoma", 8.25, true}});
  FBtn.Create(EnteteH, {.name = L"FBtn", .left = frame_.width - 645, .width = 645, .height = 375, .transparent = true});
  BtnClose.Create(FBtn, {.name = L"BtnClose", .left = 300, .top = 60, .width = 300, .height = 300,
                         .transparent = true, .picture = skin.closeUp, .pictureDown = skin.closeDown,
                         .toolTip = L"Fermer"});
  EnteteB.Create(*this, {.name = L"EnteteB", .height = kBottomHeight, .align = ui::Align::Bottom, .picture = skin.border});
  BorderLeft.Create(*this, {.name = L"BorderLeft", .width = 30, .align = ui::Align::Left, .back = kBorderColour,
                            .picture = skin.border, .stretch = false});
  BorderRight.Create(*this, {.name = L"BorderRight", .width = 30, .align = ui::Align::Right, .back = kBorderColour,
                             .picture = skin.border, .stretch = false});
  btn_ = imagebutton::XpBoutonImg::Create(
      EnteteB.hwnd(), {.left = static_cast<int>(frame_.buttonLeft), .top = 100, .width = 1215, .height = 495,
                       .properties = {{L"Caption", std::wstring(L"Valider")},
                                      {L"XTexte", std::wstring(L"13")}}});
  if (btn_) btn_->Click = [this] { Valider(); };

  EnteteH.onMouseDown = [](const ui::MouseArgs& a) { BeginTitleDrag(a.x, a.y); };
  EnteteH.onMouseMove = [this](const ui::MouseArgs&) { ContinueTitleDrag(*this); };
  EnteteH.onMouseUp = [this](const ui::MouseArgs&) {
    EndTitleDrag();
    DeplacementAuto(*this);
  };
  EnteteH.onCaptureLost = [] { EndTitleDrag(); };
  MeCaption.onMouseDown = [this](const ui::MouseArgs& a) {
    BeginTitleDrag(MeCaption.Left() + a.x, MeCaption.Top() + a.y);
  };
  MeCaption.onMouseMove = EnteteH.onMouseMove;
  MeCaption.onMouseUp = EnteteH.onMouseUp;
  MeCaption.onCaptureLost = EnteteH.onCaptureLost;
  BtnClose.onClick = [this] { BtnClose_Click(); };
}

void SkinnedDialog::Form_Activate() {
  MettreAuPremierPlan(*this);
  if (FenetrePrincipale) MettreAuPremierPlan(*FenetrePrincipale);
}

void SkinnedDialog::Form_Unload(bool&) {
  Settings().Save(kSectionSettings, frame_.leftKey, SingleText(static_cast<float>(Left())));
  Settings().Save(kSectionSettings, frame_.topKey, SingleText(static_cast<float>(Top())));
}

void SkinnedDialog::BtnClose_Click() {
  if (!BtnClose.Value()) return;
  BtnClose.SetValue(false);
  Unload();
}

void SkinnedDialog::Confirm(const std::wstring& text, UINT icon) {
  ui::TheDesktop().Message(FenetrePrincipale ? FenetrePrincipale->hwnd() : nullptr, text, AppTitle(),
                           MB_OK | icon);
}

}  // namespace tolvane
