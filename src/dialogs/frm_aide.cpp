#include "dialogs/frm_aide.h"

#include <string>

#include "base/app.h"
#include "base/skin.h"
#include "base/window_helpers.h"
#include "core/catalogue.h"
#include "core/geometry.h"
#include "core/text.h"
#include "core/twips.h"
#include "resources/resource.h"

namespace tolvane {
namespace {

constexpr double kMenuWidth = 4785;   // the window while the menu page shows
constexpr double kPageWidth = 5130;   // while a help page shows, with its scroll bar
constexpr double kMenuHolderLeft = 4080;
constexpr double kPageHolderLeft = 4440;
constexpr double kPageHeights[4] = {3165, 8895, 7215, 6735};
constexpr double kViewportHeight = 3500;  // what a scroll range leaves in view
constexpr COLORREF kWindowColour = RGB(0x72, 0x92, 0xE1);  // &H00E19272&
constexpr COLORREF kTopicColour = RGB(0, 0, 0xC0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

const ui::FontSpec kText{L"Lucida Sans Unicode", 8.25};
const ui::FontSpec kTitle{L"Lucida Sans Unicode", 8.25, true, false, true};
const ui::FontSpec kPaneName{L"Lucida Sans Unicode", 8.25, false, false, true};

struct Topic {
  const wchar_t* link;
  const wchar_t* description;
  double iconTop, linkTop;
};

const Topic kTopics[3] = {
    {L"Interface principal", L"Gestion des programmes liés à un groupe", 240, 240},
    {L"Modifier-Ajouter-Supprimer un groupe", L"Gestion des groupes de liens", 1100, 1080},
    {L"Modifier-Ajouter-Supprimer un programme", L"Gestion des programmes liés à un groupe", 2000, 1920},
};

}  // namespace

enum class FrmAide::Kind { Text, Title, PaneName, Picture, Separator };

struct FrmAide::Item {
  int page;
  Kind kind;
  double left, top, width, height;
  const wchar_t* text = nullptr;
  int picture = 0;
};

namespace {

using Kind = FrmAide::Kind;

// What the help pages hold, page by page, in twips.
const FrmAide::Item kPages[] = {
    {1, Kind::Title, 120, 120, 3900, 285, L"Interface principal"},
    {1, Kind::Text, 120, 480, 4335, 285, L"L'interface est compsé essentiellement de :"},
    {1, Kind::PaneName, 360, 780, 645, 285, L"Outils"},
    {1, Kind::Text, 1005, 780, 3450, 285, L"contenant les différentes options"},
    {1, Kind::PaneName, 360, 1080, 4095, 285, L"Liste des Liens"},
    {1, Kind::Text, 360, 1350, 4095, 285, L"Affiche les programmes liés à un groupe."},
    {1, Kind::Title, 120, 1800, 3900, 285, L"Outils"},
    {1, Kind::Picture, 120, 2130, 0, 0, nullptr, IDB_HELP_TOOLS},
    {1, Kind::Text, 2490, 2130, 1965, 765, L"Les différentes fonctions proposées par Outils"},
    {1, Kind::Text, 2490, 2940, 1965, 510, L"- Gestion des polices et    des couleurs."},
    {1, Kind::Text, 2490, 3480, 1965, 285, L"- Préférences"},
    {1, Kind::Text, 2490, 3780, 1965, 285, L"- Aide"},
    {1, Kind::Text, 2490, 4080, 1965, 285, L"- Site de l'auteur"},
    {1, Kind::Title, 120, 4860, 3900, 285, L"Liste des liens"},
    {1, Kind::Picture, 120, 5190, 0, 0, nullptr, IDB_HELP_LINKS},
    {1, Kind::Text, 120, 7080, 4335, 510,
     L"Pour l'exemple ci dessus, nous avons pour le groupe \"Groupe N°02\" trois liens."},
    {1, Kind::Separator, 15, 8580, 4545, 30},

    {2, Kind::Title, 120, 120, 3900, 285, L"Gestion des groupes"},
    {2, Kind::Text, 120, 480, 4335, 510, L"Cliquer avec le bouton droit sur le nom du groupe pour afficher les"},
    {2, Kind::Text, 120, 930, 4335, 285, L"diverses fonctions."},
    {2, Kind::Picture, 600, 1380, 0, 0, nullptr, IDB_HELP_GROUP_MENU},
    {2, Kind::Text, 120, 3120, 4335, 510,
     L"Le choix \"Groupe de programmes\" permet la sélection un des groupes existants."},
    {2, Kind::Text, 120, 3720, 4335, 765,
     L"Les fonctions Ajouter - Modifer et Supprimer le groupe permettent la gestion du groupe sélectionné."},
    {2, Kind::Separator, 15, 6900, 4545, 30},

    {3, Kind::Title, 120, 120, 3900, 285, L"Gestion des programmes"},
    {3, Kind::Text, 120, 480, 4335, 1020,
     L"Cliquer avec le bouton droit sur le nom du programme pour afficher les trois fonctions qui "
     L"permettent d'ajouter, modifier le lien sélectionné, ou bien de supprimer celui ci."},
    {3, Kind::Picture, 705, 1620, 0, 0, nullptr, IDB_HELP_LINK_MENU},
    {3, Kind::Text, 120, 3000, 4335, 1020,
     L"La sélection de la fonction Ajouter ou Modifier un lien affiche la fenêtre permettant une saisie "
     L"du nom du programme, ou du fichier, donc nous désirons faire le lien."},
    {3, Kind::Separator, 15, 6420, 4545, 30},
};

}  // namespace

FrmAide::FrmAide()
    : DialogFrame(L"frmAide", L"Aide de " + AppTitle(),
                  {.width = 5250, .height = 4800,
                   .frame = {.captionWidth = 3800, .holderLeft = kMenuHolderLeft, .holderWidth = 645},
                   .saved = PositionKeys{L"AideLeft", L"AideTop"}}) {}

int FrmAide::ShownPage() const {
  const double p = Val(Tag);
  return p >= 1 && p <= 3 ? static_cast<int>(p) : 0;
}

void FrmAide::DesignContent() {
  SetBackColor(kWindowColour);
  Fond.Create(*this, {.name = L"Fond", .left = 120, .top = 480, .width = 4575, .height = 3855, .back = kWhite});
  for (int p = 0; p < 4; ++p) {
    FAide[p].Create(Fond, {.name = L"FAide", .width = 4575, .height = kPageHeights[p], .back = kWhite,
                           .visible = p == 0});
    FAide[p].Index = p;
  }
  DesignMenuPage();
  for (const Item& item : kPages) DesignItem(item.page, item);
  // The three pages' back buttons share one pair of pictures.
  const ui::PicturePtr backUp = ui::Picture::BitmapResource(IDB_HELP_BACK_UP);
  const ui::PicturePtr backDown = ui::Picture::BitmapResource(IDB_HELP_BACK_DOWN);
  for (int p = 1; p < 4; ++p) {
    BtnAide[p].Create(FAide[p], {.name = L"BtnAide", .left = 4200, .top = 0, .width = 300, .height = 300,
                                 .transparent = true, .picture = backUp, .pictureDown = backDown,
                                 .toolTip = L"Revenir au menu principal"});
    BtnAide[p].Index = p;
    BtnAide[p].onClick = [this, p] { BtnAide_Click(p); };
  }
  Ascenseur.Create(*this, {.name = L"Ascenseur", .left = 4800, .top = 405, .width = 270, .height = 3990,
                           .visible = false});
  Ascenseur.onChange = Ascenseur.onScroll = [this] { Ascenseur_Change(); };
}

namespace {

// A further element of a control array: the design's element 0 first.
template <typename T>
T& Add(ui::ControlArray<T>& array, ui::Window& page, const ui::Design& d) {
  const int index = array.UBound() + 1;
  return index == 0 ? array.Create(page, d) : array.Load(index, d, &page);
}

}  // namespace

void FrmAide::DesignItem(int page, const Item& item) {
  ui::Design d{.left = item.left, .top = item.top, .width = item.width, .height = item.height,
               .caption = item.text ? item.text : L"", .fore = RGB(0, 0, 0), .transparent = true,
               .font = kText, .wordWrap = true};
  switch (item.kind) {
    case Kind::Text: d.name = L"L"; Add(L, FAide[page], d); break;
    case Kind::Title: d.name = L"LL", d.font = kTitle; Add(LL, FAide[page], d); break;
    case Kind::PaneName: d.name = L"LMenu", d.font = kPaneName; Add(LMenu, FAide[page], d); break;
    case Kind::Picture: {
      d.name = L"Img", d.transparent = false, d.back = kWhite, d.stretch = false;
      d.picture = ui::Picture::BitmapResource(item.picture);
      const SIZE size = d.picture ? d.picture->Size() : SIZE{};
      d.width = PixelsToTwips(size.cx), d.height = PixelsToTwips(size.cy);
      Add(Img, FAide[page], d);
      break;
    }
    case Kind::Separator:
      d.name = L"T", d.transparent = false, d.picture = TheSkin().border;
      Add(T, FAide[page], d);
      break;
  }
}

void FrmAide::DesignMenuPage() {
  DesignItem(0, {0, Kind::Separator, 15, 90, 4545, 30});
  const ui::Design icon{.name = L"ImgAide", .left = 120, .width = 550, .height = 550, .transparent = true};
  const ui::Design link{.name = L"LAide", .left = 720, .width = 3855, .height = 300, .fore = kTopicColour,
                        .transparent = true, .font = {kText.name, kText.size, true}};
  for (int i = 0; i < 3; ++i) {
    ui::Design d = icon;
    d.top = kTopics[i].iconTop;
    d.picture = TheSkin().frames[i];
    if (i == 0) ImgAide.Create(FAide[0], d); else ImgAide.Load(i, d);
    d = link;
    d.top = kTopics[i].linkTop;
    d.caption = kTopics[i].link;
    if (i == 0) LAide.Create(FAide[0], d); else LAide.Load(i, d);
    DesignItem(0, {0, Kind::Text, 780, kTopics[i].linkTop + 300, 3675, 285, kTopics[i].description});
  }
  DesignItem(0, {0, Kind::Separator, 15, 2880, 4545, 30});
  LAide.onClick = [this](int i) { LAide_Click(i); };
  LAide.onMouseEnter = [this](int i) { SetUnderline(LAide[i], true); };
  LAide.onMouseExit = [this](int i) { SetUnderline(LAide[i], false); };
  ImgAide.onClick = [this](int i) { ImgAide_Click(i); };
  ImgAide.onMouseEnter = [this](int i) { ImgAide[i].SetPicture(TheSkin().frames[3]); };
  ImgAide.onMouseExit = [this](int i) { ImgAide[i].SetPicture(TheSkin().frames[i]); };
}

void FrmAide::Form_Load() {
  DialogFrame::Form_Load();
  FAide[0].Move(0, 360, FAide[0].Width(), FAide[0].Height());
  SetWidth(kMenuWidth);
  FAide[0].SetBackColor(kWhite);
  // Where it was closed last, else centred on the screen.
  const Point place = HelpWindowPosition(Settings().Get(kSectionSettings, L"AideLeft", L"-1"),
                                         Settings().Get(kSectionSettings, L"AideTop", L"-1"), Width(), Height(),
                                         ScreenWidthTwips(), ScreenHeightTwips());
  Move(place.left, place.top, Width(), Height());
}

void FrmAide::LAide_Click(int Index) {
  if (LAide[Index].Value()) {
    const int p = Index + 1;
    // The page to show is named first, and opens at its top with the bar at
    // 0: the bar moves that page only, and the two never disagree.
    Tag = Digits(p);
    Ascenseur.SetValue(0);
    FAide[p].Move(0, 0, FAide[p].Width(), FAide[p].Height());
    FAide[p].SetBackColor(kWhite);
    FAide[p].SetVisible(true);
    Ascenseur.SetMax(static_cast<int>(FAide[p].Height() - kViewportHeight) / 100);
    FAide[0].SetVisible(false);
    Ascenseur.SetVisible(true);
    SetWidth(kPageWidth);
    FBtn.SetLeft(kPageHolderLeft);
  }
  LAide[Index].SetValue(false);
}

void FrmAide::ImgAide_Click(int Index) {
  // The icon is a push button too: it is let up after its click.
  const bool down = ImgAide[Index].Value();
  ImgAide[Index].SetValue(false);
  if (!down) return;
  LAide[Index].SetValue(true);
  LAide_Click(Index);
}

void FrmAide::BtnAide_Click(int Index) {
  if (BtnAide[Index].Value()) {
    FAide[Index].SetVisible(false);
    FAide[0].SetVisible(true);
    Ascenseur.SetVisible(false);
    SetWidth(kMenuWidth);
    FBtn.SetLeft(kMenuHolderLeft);
  }
  BtnAide[Index].SetValue(false);
}

void FrmAide::Ascenseur_Change() {
  if (const int p = ShownPage()) FAide[p].SetTop(-100.0 * Ascenseur.Value());
}

}  // namespace tolvane
