#include "dialogs/catalogue_editor.h"

#include <cmath>

#include "base/app.h"
#include "base/bar.h"
#include "base/window_helpers.h"
#include "core/options.h"
#include "core/text.h"
#include "resources/resource.h"
#include "ui/picture.h"

namespace tolvane {
namespace {

constexpr COLORREF kStripColour = RGB(0x72, 0x92, 0xE1);  // &H00E19272&
constexpr COLORREF kInputBack = RGB(0xE0, 0xE0, 0xE0);

}  // namespace

CatalogueEditor::CatalogueEditor(std::wstring name, std::wstring title, const EditorDesign& design)
    : DialogFrame(std::move(name), std::move(title),
                  {.width = 3285, .height = design.height,
                   .frame = {.captionWidth = design.captionWidth, .holderLeft = 2640, .holderWidth = 650,
                             .bottomHeight = 645},
                   .saved = design.saved}),
      design_(design) {}

void CatalogueEditor::DesignContent() {
  const EditorDesign& d = design_;
  FEnteteL.Create(*this, {.name = L"FEnteteL", .left = 0, .top = d.stripTop, .width = 3255, .height = d.stripHeight,
                          .back = kStripColour, .picture = ui::Picture::BitmapResource(IDB_EDITOR_BACK),
                          .stretch = false});
  EnteteL.Create(FEnteteL, {.name = L"EnteteL", .width = 3200, .height = d.surfaceHeight, .back = RGB(255, 255, 255)});
  Saisie.Create(EnteteL, {.name = L"Saisie", .left = 120, .top = d.inputTop, .width = d.inputWidth,
                          .height = d.inputHeight, .back = kInputBack, .fore = RGB(0, 0, 0),
                          .font = {L"Verdana", 8.25}});
  DesignBesideInput();
  Btn.Create(EnteteB, ValiderDesign(d.buttonLeft, L"13"));
  Btn.onClick = [this] { Btn_Click(); };
  Saisie.onKeyPress = [this](int key) {
    if (key == 13) Btn_Click();
  };
}

void CatalogueEditor::Form_Load() {
  DialogFrame::Form_Load();
  ChargerMeInterface();
}

LRESULT CatalogueEditor::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  const LRESULT result = DialogFrame::OnMessage(msg, wp, lp);
  // The system gives an activated window the focus itself: the name is then
  // typed at once, without a click into the box first.
  if (msg == WM_ACTIVATE && LOWORD(wp) != WA_INACTIVE && ::GetFocus() == hwnd()) Saisie.Focus();
  return result;
}

void CatalogueEditor::ChargerMeInterface() {
  const InterfaceValues v = LireInterface();
  Saisie.SetForeColor(ShownColour(InterfaceColour(v.textColour, 0)));
  ui::FontSpec f = Saisie.Font();
  f.size = InterfaceFontSize(v.size);
  f.name = v.font;
  Saisie.SetFont(f);
  Saisie.SetBackColor(ShownColour(InterfaceColour(v.backColour, Saisie.BackColor())));
  // Halves go to the even number of twips, then the half is cut down.
  const long gap = std::lrint(EnteteL.Height() - Saisie.Height());
  Saisie.SetTop(static_cast<double>(gap / 2));
}

void CatalogueEditor::FitToWidth(double width) {
  SetWidth(width);
  PositionnerFenetre(*this);
  EnteteL.SetWidth(width - BorderRight.Width());
  FEnteteL.SetWidth(width - BorderRight.Width());
  FitInput(width);
}

void CatalogueEditor::FitInput(double width) { Saisie.SetWidth(width - 2 * Saisie.Left()); }

void CatalogueEditor::Btn_Click() {
  const std::wstring name = Saisie.Text();
  if (Trim(name).empty()) {
    Message(BlankNameMessage(), MB_OK | MB_ICONINFORMATION);
    Saisie.Focus();
    return;
  }
  if (!Save(name)) {
    // Closing now would lose what the user typed and pretend it was kept.
    Saisie.Focus();
    return;
  }
  if (Bar* bar = TheBar()) bar->CatalogueSaved();
  Unload();
  AfterClose();
}

bool CatalogueEditor::Store(const EditPlan& plan) {
  if (plan.changes.empty()) {
    // No change planned is nothing saved: a plan that is not made says why.
    const EditRefusal why = plan.refusal == EditRefusal::None ? EditRefusal::Missing : plan.refusal;
    Message(L"Rien n'a été enregistré : " + RefusalReason(why), MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  if (ApplyEdit(Settings(), plan)) return true;
  Message(L"Les modifications n'ont pas pu être enregistrées !", MB_OK | MB_ICONEXCLAMATION);
  return false;
}

}  // namespace tolvane
