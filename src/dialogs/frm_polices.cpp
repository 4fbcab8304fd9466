#include "dialogs/frm_polices.h"

#include <algorithm>

#include "base/app.h"
#include "base/bar.h"
#include "base/window_helpers.h"
#include "core/catalogue.h"
#include "core/options.h"
#include "core/text.h"
#include "ui/font.h"
#include "ui/handles.h"
#include "ui/seams.h"

namespace tolvane {
namespace {

constexpr ui::FontSpec kTahoma{L"Tahoma", 8.25};
constexpr std::uint32_t kDefaultText = 0x80000012u;  // the system's button text
constexpr std::uint32_t kDefaultBack = 0x00FFD3A4u;  // the links pane's own colour

// The main window's header font, as it is now.
ui::FontSpec HeaderFont() {
  return TheBar() ? TheBar()->HeaderFont() : ui::FontSpec{L"Verdana", 8.25, true};
}

// The line the editors' text boxes hold, in pixels: 285 twips less the
// box's border. A taller line is not drawn at all.
constexpr int kEditorLinePixels = 17;

// Whether the program's text shows in this face at the default size: not a
// vertical face nor a symbol set, with the Latin letters, and a line that
// the editors' text boxes hold.
bool ShowsText(const std::wstring& face) {
  if (face.empty() || face.front() == L'@') return false;
  ui::FontHolder font;
  ui::WindowDc screen(nullptr);
  ui::ScopedSelect select(screen.get(), font.Get({face, 8}));
  TEXTMETRICW metrics{};
  if (!::GetTextMetricsW(screen.get(), &metrics) || metrics.tmCharSet == SYMBOL_CHARSET ||
      metrics.tmHeight > kEditorLinePixels)
    return false;
  constexpr wchar_t kLatin[] = L"AZaz\u00E9\u00E8";
  WORD glyphs[std::size(kLatin) - 1] = {};
  if (::GetGlyphIndicesW(screen.get(), kLatin, std::size(glyphs), glyphs, GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR)
    return false;
  return std::find(std::begin(glyphs), std::end(glyphs), 0xFFFF) == std::end(glyphs);
}

}  // namespace

FrmPolices::FrmPolices()
    : DialogFrame(L"FrmPolices", L"Gestion de l'interface",
                  {.width = 3630, .height = 3765,
                   .frame = {.captionWidth = 2300, .holderLeft = 3000, .holderWidth = 645, .bottomHeight = 645},
                   .saved = PositionKeys{L"PolicesLeft", L"PolicesTop"}}) {}

void FrmPolices::DesignContent() {
  Btn.Create(EnteteB, ValiderDesign(960, L"12"));
  Btn.onClick = [this] { Btn_Click(); };
  const ui::Design label{.name = L"L", .left = 120, .top = 480, .width = 2415, .height = 255, .caption = L"Polices",
                         .textAlign = ui::TextAlign::Center, .back = RGB(0x80, 0x80, 0x80),
                         .fore = RGB(255, 255, 255), .font = kTahoma};
  L.Create(*this, label);
  auto more = [&](int i, double left, double top, double width, double height, const wchar_t* caption) {
    ui::Design d = label;
    d.left = left, d.top = top, d.width = width, d.height = height, d.caption = caption;
    L.Load(i, d).SetVisible(true);
  };
  more(1, 2640, 480, 855, 255, L"Taille");
  more(2, 2640, 2040, 855, 255, L"Couleur");
  more(3, 2640, 2280, 855, 615, L"");
  Polices.Create(*this, {.name = L"Polices", .left = 120, .top = 720, .width = 2415, .height = 1980, .font = kTahoma},
                 true);
  Taille.Create(*this, {.name = L"Taille", .left = 2640, .top = 720, .width = 855, .height = 1200, .font = kTahoma});
  // Inside the swatch, which shows above and below it: the preview sits on the pane colour.
  Text.Create(L[3], {.name = L"Text", .left = 0, .top = 120, .width = 855, .height = 375, .caption = L"Abc",
                      .textAlign = ui::TextAlign::Center, .transparent = true, .font = kTahoma});
  Defaut.Create(*this, {.name = L"Defaut", .left = 120, .top = 2760, .width = 2415, .height = 255,
                        .caption = L"Valeur par défaut", .fore = RGB(0, 0, 0), .font = kTahoma});
  Polices.onClickItem = [this] { Polices_Click(); };
  Taille.onClickItem = [this] { Taille_Click(); };
  Text.onClick = [this] { Text_Click(); };
  L.onClick = [this](int i) { L_Click(i); };
  Defaut.onClick = [this] { Defaut_Click(); };
}

void FrmPolices::Form_Load() {
  DialogFrame::Form_Load();
  // The preview starts from the stored values; one that does not convert
  // leaves the design value.
  const InterfaceValues stored = LireInterface();
  ui::FontSpec preview = Text.Font();
  if (!stored.font.empty()) preview.name = stored.font;
  if (auto size = FontSizeFromText(stored.size)) preview.size = *size;
  Text.SetFont(preview);
  SetTextColour(ColourFromText(stored.textColour).value_or(0));
  SetBackColour(ColourFromText(stored.backColour)
                    .value_or(TheBar() ? TheBar()->PaneBackColour() : kDefaultBack));

  // The lists start on the main window's current font, not the stored one.
  const ui::FontSpec current = HeaderFont();
  for (const std::wstring& name : ui::TheDesktop().ScreenFonts()) Polices.AddItem(name);
  SelectFont(current.name);
  for (std::wstring_view size : kInterfaceSizes) Taille.AddItem(std::wstring(size));
  Taille.SetListIndex(SizeChoice(current.size));
}

std::vector<std::wstring> FrmPolices::FontEntries() const {
  std::vector<std::wstring> entries;
  for (int i = 0; i < Polices.ListCount(); ++i) entries.push_back(Polices.List(i));
  return entries;
}

void FrmPolices::SelectFont(const std::wstring& name) {
  const std::vector<std::wstring> entries = FontEntries();
  if (std::find(entries.begin(), entries.end(), name) != entries.end()) {
    Polices.SetListIndex(LastExactMatch(entries, name));
    return;
  }
  // A face that is not installed: the first in the list's order that shows
  // the program's text, not merely the first.
  const auto readable = std::find_if(entries.begin(), entries.end(), ShowsText);
  Polices.SetListIndex(readable == entries.end() ? 0 : static_cast<int>(readable - entries.begin()));
}

void FrmPolices::Polices_Click() {
  if (Polices.ListIndex() < 0) return;
  ui::FontSpec f = Text.Font();
  f.name = Polices.List(Polices.ListIndex());
  Text.SetFont(f);
}

void FrmPolices::Taille_Click() {
  if (Taille.ListIndex() < 0) return;
  ui::FontSpec f = Text.Font();
  f.size = Val(Taille.List(Taille.ListIndex()));
  Text.SetFont(f);
}

void FrmPolices::SetTextColour(std::uint32_t colour) {
  textColour_ = colour;
  Text.SetForeColor(ShownColour(colour));
}

void FrmPolices::SetBackColour(std::uint32_t colour) {
  backColour_ = colour;
  L[3].SetBackColor(ShownColour(colour));
}

bool FrmPolices::ChooseColour(std::uint32_t& colour) {
  auto chosen = ui::TheDesktop().ChooseColour(hwnd(), ShownColour(colour));
  if (!chosen) return false;  // Cancel: the colour stays as it was
  colour = *chosen & 0xFFFFFFu;
  return true;
}

void FrmPolices::Text_Click() {
  std::uint32_t colour = textColour_;
  if (ChooseColour(colour)) SetTextColour(colour);
}

void FrmPolices::L_Click(int Index) {
  if (Index != 3) return;
  std::uint32_t colour = backColour_;
  if (ChooseColour(colour)) SetBackColour(colour);
}

void FrmPolices::Defaut_Click() {
  if (Defaut.Value()) {
    Text.SetFont({L"Verdana", 8});
    SetTextColour(kDefaultText);
    SetBackColour(kDefaultBack);
    Taille.SetListIndex(0);
    SelectFont(Text.Font().name);
  }
  Defaut.SetValue(false);
}

void FrmPolices::Btn_Click() {
  SettingsStore& store = Settings();
  bool stored = true;
  // With nothing chosen in a list (no fonts installed) the stored value stays.
  if (Polices.ListIndex() >= 0)
    stored = store.Save(kSectionInterface, L"Police", Polices.List(Polices.ListIndex())) && stored;
  if (Taille.ListIndex() >= 0)
    stored = store.Save(kSectionInterface, L"TaillePolice", Taille.List(Taille.ListIndex())) && stored;
  stored = store.Save(kSectionInterface, L"CouleurTexte", ColourText(textColour_)) && stored;
  stored = store.Save(kSectionInterface, L"BackCouleur", ColourText(backColour_)) && stored;
  Unload();
  if (stored)
    MessageOverMain(L"Le modification de l'interface a été bien prise en compte !", MB_OK | MB_ICONINFORMATION);
  else
    MessageOverMain(L"La modification de l'interface n'a pas pu être enregistrée : l'accès au registre a été refusé.",
                    MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace tolvane
