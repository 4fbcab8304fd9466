#include "dialogs/dialog_frame.h"

#include <utility>

#include "base/app.h"
#include "base/bar.h"
#include "base/skin.h"
#include "base/window_helpers.h"
#include "core/catalogue.h"
#include "core/text.h"
#include "ui/seams.h"

namespace tolvane {

DialogFrame::DialogFrame(std::wstring name, std::wstring title, DialogLayout layout)
    : ui::Form(std::move(name)), title_(std::move(title)), layout_(std::move(layout)) {}

void DialogFrame::Design() {
  SetBackColor(RGB(255, 255, 255));
  Move(Left(), Top(), layout_.width, layout_.height);
  SetIcon(TheSkin().appIcon);
  DesignFrame(*this, {EnteteH, MeIcon, MeCaption, FBtn, BtnClose, EnteteB, BorderLeft, BorderRight}, layout_.frame);
  WireTitleDrag(*this, EnteteH, MeCaption, nullptr, [this] { DeplacementAuto(*this); });
  BtnClose.onClick = [this] { BtnClose_Click(); };
  DesignContent();
  for (ui::Window* w : {&EnteteH, &EnteteB, &BorderLeft, &BorderRight})
    ::SetWindowPos(w->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void DialogFrame::SetTitle(const std::wstring& title) {
  MeCaption.SetCaption(title);
  if (hwnd()) ::SetWindowTextW(hwnd(), title.c_str());
}

int DialogFrame::Message(std::wstring_view text, UINT style) {
  return ui::TheDesktop().Message(hwnd(), text, AppTitle(), style);
}

int MessageOverMain(std::wstring_view text, UINT style) {
  // On top as the bar is, or the bar repainting itself on top would hide it.
  return ui::TheDesktop().Message(TheBar() ? TheBar()->BarWindow() : nullptr, text, AppTitle(), style | MB_TOPMOST);
}

void DialogFrame::KeepOnTop() {
  MettreAuPremierPlan(*this);
  if (Bar* bar = TheBar()) bar->KeepBarOnTop();
}

void DialogFrame::Form_Load() {
  SetTitle(title_);
  MeIcon.SetPicture(TheSkin().appIcon);  // the bar's own icon
  KeepOnTop();
}

void DialogFrame::Form_Activate() { KeepOnTop(); }

void DialogFrame::Form_Unload(bool&) {
  if (!layout_.saved) return;
  Settings().Save(kSectionSettings, layout_.saved->left, SingleText(static_cast<float>(Left())));
  Settings().Save(kSectionSettings, layout_.saved->top, SingleText(static_cast<float>(Top())));
}

void SetUnderline(ui::Window& control, bool underline) {
  ui::FontSpec f = control.Font();
  f.underline = underline;
  control.SetFont(f);
}

imagebutton::PropertyStore ImageButtonProperties(const wchar_t* caption, const wchar_t* xPicture,
                                                 const wchar_t* yPicture, const wchar_t* xTexte) {
  return {{L"Caption", std::wstring(caption)},
          {L"Image", TheSkin().buttonPicture},
          {L"XPicture", std::wstring(xPicture)},
          {L"YPicture", std::wstring(yPicture)},
          {L"XTexte", std::wstring(xTexte)},
          {L"Font", FontSpec{L"MS Sans Serif", 8.25}},  // the system's own face where this one is missing
          {L"ForeColor", imagebutton::kWindowFrame},
          {L"ForeHover", imagebutton::Colour{0}}};
}

imagebutton::FormButtonDesign ValiderDesign(double left, const wchar_t* xTexte) {
  return {.name = L"Btn", .left = left, .top = 100, .width = 1215, .height = 495, .ambient = {.displayName = L"Btn"},
          .properties = ImageButtonProperties(L"Valider", L"3", L"1", xTexte)};
}

void DialogFrame::BtnClose_Click() {
  const bool close = BtnClose.Value();
  BtnClose.SetValue(false);
  if (close) Unload();
}

}  // namespace tolvane
