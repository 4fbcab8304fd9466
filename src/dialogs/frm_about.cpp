#include "dialogs/frm_about.h"

#include "base/app.h"
#include "base/window_helpers.h"
#include "core/geometry.h"
#include "resources/resource.h"
#include "ui/seams.h"

namespace tolvane {
namespace {

constexpr double kWidth = 5055;
constexpr double kHeight = 4275;
constexpr COLORREF kLinkColour = RGB(0, 0, 0xC0);
// The blanks at the end leave room for the link, which stands over them.
constexpr wchar_t kInformation[] =
    L"Bienvenue ! Pour obtenir plus d'informations, veuillez visiter le site"
    L"                                             ";

}  // namespace

FrmAbout::FrmAbout()
    : DialogFrame(L"frmAbout", L"A Propos de " + AppTitle(),
                  {.width = kWidth, .height = kHeight,
                   .frame = {.captionWidth = 4095, .holderLeft = 4400, .holderWidth = 645}}) {}

void FrmAbout::DesignContent() {
  Image1.Create(*this, {.name = L"Image1", .left = 0, .top = 360, .width = kWidth, .height = 1530,
                        .picture = ui::Picture::BitmapResource(IDB_ABOUT_BANNER), .stretch = false});
  Label1.Create(*this, {.name = L"Label1", .left = 0, .top = 1920, .width = kWidth, .height = 315,
                        .caption = L"Version 1.0 - Avril 2004", .textAlign = ui::TextAlign::Center,
                        .back = RGB(255, 255, 255), .font = {L"Trebuchet MS", 12, true}});
  Label2.Create(*this, {.name = L"Label2", .left = 120, .top = 2280, .width = 4695, .height = 675,
                        .caption = kInformation, .textAlign = ui::TextAlign::Center,
                        .back = RGB(255, 255, 255), .font = {L"Trebuchet MS", 9}, .wordWrap = true});
  Lien.Create(*this, {.name = L"Lien", .left = 3000, .top = 2520, .width = 1740, .height = 255,
                      .caption = kWebPage, .back = RGB(255, 255, 255), .fore = kLinkColour,
                      .font = {L"Trebuchet MS", 8.25}});
  Lien.onClick = [this] { Lien_Click(); };
  Lien.onMouseEnter = [this] { SetUnderline(Lien, true); };
  Lien.onMouseExit = [this] { SetUnderline(Lien, false); };
}

void FrmAbout::Form_Load() {
  DialogFrame::Form_Load();
  Move(CentredPosition(ScreenWidthTwips(), Width()), CentredPosition(ScreenHeightTwips(), Height()), Width(),
       Height());
}

void FrmAbout::Lien_Click() {
  if (Lien.Value()) ui::TheDesktop().Open(hwnd(), kWebPage);
  Lien.SetValue(false);
}

}  // namespace tolvane
