// The dialogs over a loaded main window: the help window's pages, the about
// box's link, the place each keeps, and the image buttons as they are stored;
// the preferences and the interface font and colour window, with Run keys of
// the test's own, a fake font list and colour dialog.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "base/registry_helpers.h"
#include "base/skin.h"
#include "base/window_helpers.h"
#include "core/options.h"
#include "dialogs/frm_about.h"
#include "dialogs/frm_aide.h"
#include "dialogs/frm_groupe.h"
#include "dialogs/frm_polices.h"
#include "dialogs/frm_pref.h"
#include "dialogs/frm_programme.h"
#include "main_window_fixture.h"
#include "ui/font.h"
#include "ui/handles.h"
#include "ui/registry_value.h"
#include "ui/seams.h"

namespace tolvane::testing {
namespace {

using Dialogs = MainWindowTest;

// Each page opens at its top, wider by its scroll bar, whichever way it was
// left the time before; its back button brings the menu page back as it was.
TEST_F(Dialogs, EachHelpTopicTextOrIconOpensItsPageWhichScrollsAndLeadsBack) {
  FrmAide h;
  h.Load();
  const double menuWidth = h.Width(), menuHolderLeft = h.FBtn.Left();
  for (bool byIcon : {false, true}) {
    for (int i = 0; i < 3; ++i) {
      SCOPED_TRACE(::testing::Message() << "topic " << i << (byIcon ? " by its icon" : " by its text"));
      const int p = i + 1;
      PressAndRelease(byIcon ? h.ImgAide[i] : h.LAide[i]);
      EXPECT_TRUE(h.ShownPage() == p && h.FAide[p].Visible() && h.Ascenseur.Visible() && !h.FAide[0].Visible());
      EXPECT_GT(h.Width(), menuWidth);
      EXPECT_TRUE(h.FAide[p].Top() == 0 && h.Ascenseur.Value() == 0) << "at its top";
      EXPECT_FALSE(h.ImgAide[i].Value() || h.LAide[i].Value());  // both let up again
      h.Ascenseur.SetValue(h.Ascenseur.Max());
      EXPECT_EQ(h.FAide[p].Top(), -100 * h.Ascenseur.Max());
      PressAndRelease(h.BtnAide[p]);
      EXPECT_TRUE(h.FAide[0].Visible() && !h.FAide[p].Visible() && !h.Ascenseur.Visible());
      EXPECT_EQ((Point{h.Width(), h.FBtn.Left()}), (Point{menuWidth, menuHolderLeft}));
    }
  }
}

// A dialog left at a place, then opened again as the bar opens it: where it was.
template <typename D>
std::unique_ptr<D> Reopened(double left, double top) {
  auto d = std::make_unique<D>();
  d->Load();
  d->Move(left, top, d->Width(), d->Height());
  d->Unload();
  d = std::make_unique<D>();
  d->Load();  // the help window places itself
  if constexpr (!std::is_same_v<D, FrmAide>) PositionnerFenetre(*d);
  EXPECT_EQ((Point{d->Left(), d->Top()}), (Point{left, top})) << d->Name;
  return d;
}

// Each dialog opens again where it was left, kept under keys of its own (the
// about box keeps nothing, and opens the web page once a press of its link);
// activated again, it gives the focus back to the control it was left on.
// Its image buttons are as its form stores them: the one picture at its
// stored place, 33 x 33, the stored blanks before the caption, the stored
// font and caption colours.
TEST_F(Dialogs, EachComesBackAsItWasLeftWithItsImageButtonsAsStored) {
  FrmMain& m = LoadMain();
  Reopened<FrmAide>(4560, 1230);
  const auto pref = Reopened<FrmPref>(1500, 300);
  const auto polices = Reopened<FrmPolices>(3000, 450);
  const auto groupe = Reopened<FrmGroupe>(4500, 600);
  const auto programme = Reopened<FrmProgramme>(6000, 750);
  FrmAbout box;
  box.Load();
  for (int i = 0; i < 3; ++i) PressAndRelease(box.Lien);
  box.Lien.onClick();  // already let up
  PressAndRelease(m.Gestion[3]);
  EXPECT_EQ(desktop.opened, std::vector<std::wstring>(4, kWebPage)) << "each press of the link or the bar's entry";
  EXPECT_FALSE(box.Lien.Value() || m.Gestion[3].Value());
  EXPECT_EQ(store.Get(L"Settings", L"PrefLeft", L"") + L"," + store.Get(L"Settings", L"PrefTop", L""), L"1500,300");

  m.Show();
  groupe->Show();
  EXPECT_EQ(::GetFocus(), groupe->Saisie.EditHwnd()) << "a name is typed at once";
  ::SetFocus(groupe->Btn.Button()->Hwnd());
  ::SetActiveWindow(m.hwnd());
  ::SetActiveWindow(groupe->hwnd());
  EXPECT_EQ(::GetFocus(), groupe->Btn.Button()->Hwnd());

  const std::pair<imagebutton::FormButton*, std::wstring> stored[] = {
      {&polices->Btn, L"Valider 3 1 33 33 12"}, {&pref->Btn, L"Valider 3 1 33 33 13"},
      {&groupe->Btn, L"Valider 3 1 33 33 13"}, {&programme->Btn, L"Valider 3 1 33 33 13"},
      {&programme->Recherche, L"        ... 2 0 33 33 4"}};
  auto text = [](const imagebutton::Value& v) {  // as stored: text, or a number for a default
    const auto* n = std::get_if<double>(&v);
    return L" " + (n ? std::to_wstring(static_cast<int>(*n)) : std::get<std::wstring>(v));
  };
  for (const auto& [holder, expected] : stored) {
    imagebutton::XpBoutonImg& b = *holder->Button();
    EXPECT_EQ(b.Caption() + text(b.XPicture()) + text(b.YPicture()) + text(b.WPicture()) + text(b.HPicture()) +
                  text(b.XTexte()), expected);
    EXPECT_TRUE(b.Picture() == TheSkin().buttonPicture && b.Font() == FontSpec(L"MS Sans Serif", 8.25) &&
                b.ForeColor() == imagebutton::kWindowFrame && b.ForeHover() == imagebutton::Colour{0} && b.Enabled())
        << expected;
  }
}

constexpr wchar_t kBase[] = L"Software\\TolvaneTest-pref";
const std::wstring kOk = L"Le modification des références a été bien prise en compte !";

class OptionWindows : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kBase);
    user = ui::CreateRegistryKey(HKEY_CURRENT_USER, std::wstring(kBase) + L"\\User", KEY_ALL_ACCESS);
    desktop.fonts = {L"Verdana", L"Arial", L"Tahoma", L"Courier New"};
  }
  void TearDown() override {
    pref.reset();
    polices.reset();
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kBase);
    MainWindowTest::TearDown();
  }

  // A window over the bar; the preferences write the Run value under `roots`.
  template <typename F>
  void Open(std::unique_ptr<F>& form, std::vector<HKEY> roots = {}) {
    if (!main) LoadMain();
    form = std::make_unique<F>();
    if constexpr (std::is_same_v<F, FrmPref>) form->runRoots = std::move(roots), form->runKeyPath = L"Run";
    form->Load();
    form->Show();
  }
  std::string Stored() {
    std::string s;
    for (int i = 0; i < kOptionCount; ++i) {
      const std::wstring v = store.Get(kSectionSettings, OptionKey(i), L"-");
      s += v.size() == 1 ? static_cast<char>(v[0]) : '?';
    }
    return s;
  }
  std::wstring Chosen(ui::ListBox& list) { return list.ListIndex() < 0 ? L"-" : list.List(list.ListIndex()); }
  std::wstring Interface(const wchar_t* key) { return store.Get(kSectionInterface, key, L"-"); }

  static constexpr HKEY kRefusing = nullptr;  // every write through it fails
  ui::OwnedKey user;
  std::unique_ptr<FrmPref> pref;
  std::unique_ptr<FrmPolices> polices;
};

// Every caption is read whole: none is cut, at the font the panel has here.
TEST_F(OptionWindows, PreferencesEveryCaptionFitsItsPanel) {
  Open(pref, {user.get()});
  for (int i = 0; i < kOptionCount; ++i) {
    ui::PicturePanel& rec = pref->Rec[i];
    RECT client{};
    ::GetClientRect(rec.hwnd(), &client);
    const RECT room = rec.TextRoom(client);
    RECT need = room;
    ui::WindowDc dc(rec.hwnd());
    ui::ScopedSelect font(dc.get(), ui::GetFont(rec.Font()));
    const UINT lines = rec.GetDesign().wordWrap ? DT_WORDBREAK : DT_SINGLELINE;
    ::DrawTextW(dc.get(), rec.Caption().c_str(), -1, &need, DT_CALCRECT | DT_NOPREFIX | lines);
    EXPECT_LE(need.right - need.left, room.right - room.left) << i;
    EXPECT_LE(need.bottom - need.top, room.bottom - room.top) << i;
  }
}

TEST_F(OptionWindows, PreferencesValiderAppliesAndStoresThenConfirmsOnceClosed) {
  Open(pref, {kRefusing, user.get()});
  for (int i : {0, 4, 6}) PressAndRelease(pref->Rec[i]);  // 0 and 6 on, the desktop hidden
  bool closedFirst = false;
  desktop.onMessage = [&] { closedFirst = !pref->Loaded(); };
  PressAndRelease(pref->Btn);
  EXPECT_EQ(Stored(), "1101011");
  EXPECT_EQ(LireValeurRegistre(user.get(), L"Run", AppTitle()), AutostartCommand())
      << "in the user's key when the machine's refuses";
  EXPECT_EQ(desktop.desktopShows, std::vector<bool>{false});
  EXPECT_EQ(desktop.messages, std::vector<std::wstring>{kOk});
  EXPECT_TRUE(closedFirst);

  // Off again: the value goes, and a root that cannot be written but holds
  // nothing is no failure.
  Open(pref, {kRefusing, user.get()});
  EXPECT_EQ(pref->Rec[0].Tag, L"1") << "on while the Run value is there";
  PressAndRelease(pref->Rec[0]);
  pref->Btn_Click();
  EXPECT_FALSE(HasRegistryValue(user.get(), L"Run", AppTitle()));
  EXPECT_EQ(Stored(), "0101011");
  EXPECT_EQ(desktop.messages.back(), kOk);
}

// A refusing registry or store is said so; what could be stored is, the Run
// option as it really stands.
TEST_F(OptionWindows, PreferencesARefusingRegistryOrStoreIsReportedAndTheRestIsStored) {
  Open(pref, {kRefusing});
  PressAndRelease(pref->Rec[0]);
  desktop.hasDesktopWindow = false;  // nothing to show: still stored, no message for it
  pref->Btn_Click();
  EXPECT_EQ(Stored(), "0101110");

  Open(pref, {user.get()});
  for (int i : {1, 2, 6}) PressAndRelease(pref->Rec[i]);
  const std::string before = Stored();
  store.RefuseAfter(6);  // the last option is refused
  pref->Btn_Click();
  EXPECT_EQ(Stored(), "001111" + before.substr(6));
  ASSERT_EQ(desktop.messages.size(), 2u);
  EXPECT_NE(desktop.messages[0].find(L"n'a pas pu être enregistré"), std::wstring::npos) << desktop.messages[0];
  EXPECT_NE(desktop.messages[1].find(L"n'a pas pu être enregistrée"), std::wstring::npos) << desktop.messages[1];
}

TEST_F(OptionWindows, InterfaceListsStartOnTheBarsFontThePreviewFollowsAndARefusalIsReported) {
  store.Save(kSectionInterface, L"Police", L"Arial");         // not what the lists start on
  store.Save(kSectionInterface, L"CouleurTexte", L"-2147483630");
  store.Save(kSectionInterface, L"BackCouleur", L"abc");       // leaves the pane's own colour
  Open(polices);
  EXPECT_EQ(Chosen(polices->Polices) + Chosen(polices->Taille) + polices->Text.Font().name, L"Verdana8Verdana");
  EXPECT_EQ(polices->Polices.List(0), L"Arial") << "sorted";
  EXPECT_EQ(polices->TextColour(), 0x80000012u);
  EXPECT_EQ(polices->L[3].BackColor(), main->PaneBackColour());

  polices->Polices.SetListIndex(1);
  polices->Taille.SetListIndex(4);
  EXPECT_EQ(polices->Text.Font(), FontSpec(L"Courier New", 12));
  polices->Defaut.SetValue(true);  // as the pressed ribbon button reports
  PressAndRelease(polices->Defaut);
  EXPECT_EQ(Chosen(polices->Polices) + Chosen(polices->Taille), L"Verdana8") << "back to the defaults";

  store.RefuseWrites(true);  // said so rather than confirmed
  polices->Btn_Click();
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_NE(desktop.messages[0].find(L"n'a pas pu être enregistrée"), std::wstring::npos) << desktop.messages[0];
}

// The colour dialog opens on the colour shown and Cancel keeps it; "Valider"
// stores the four values, and the bar takes them as the dialog closes.
TEST_F(OptionWindows, InterfaceValiderStoresTheFourValuesAndTheBarTakesThemAsTheDialogCloses) {
  model::SaveGroup(store, 1, L"Essais", {L"a", L"b"});
  model::SaveGroup(store, 2, L"Deux", {L"a", L"b", L"c"});
  LoadMain();
  main->Show();
  ::SetActiveWindow(main->hwnd());
  polices = std::make_unique<FrmPolices>();
  polices->Load();
  polices->Polices.SetListIndex(2);  // Tahoma
  polices->Taille.SetListIndex(4);   // 12
  const COLORREF back = polices->L[3].BackColor();
  desktop.colourAnswers = {std::nullopt, RGB(200, 0, 0), std::nullopt, RGB(0, 90, 0)};
  const std::initializer_list<ui::Window*> clicks{&polices->Text, &polices->Text, &polices->L[3], &polices->L[1],
                                                  &polices->L[3]};  // L[1] is no swatch
  for (ui::Window* w : clicks) PressAndRelease(*w);
  EXPECT_EQ(desktop.colourStarts,
            (std::vector<COLORREF>{::GetSysColor(COLOR_BTNTEXT), ::GetSysColor(COLOR_BTNTEXT), back, back}));
  bool closedFirst = false;
  desktop.onMessage = [&] { closedFirst = !polices->Loaded(); };
  // "Valider", clicked once the dialog runs modal.
  HWND valider = polices->Btn.Button()->Hwnd();
  ::PostMessageW(valider, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 16));
  ::PostMessageW(valider, WM_LBUTTONUP, 0, MAKELPARAM(20, 16));
  polices->ShowModal();
  EXPECT_TRUE(closedFirst);
  EXPECT_EQ(desktop.messages, std::vector<std::wstring>{L"Le modification de l'interface a été bien prise en compte !"});
  EXPECT_EQ(Interface(L"Police") + L"|" + Interface(L"TaillePolice") + L"|" + Interface(L"CouleurTexte") + L"|" +
                Interface(L"BackCouleur"),
            L"Tahoma|12|200|" + std::to_wstring(RGB(0, 90, 0)));
  // The bar restyled every control on its activation, with no click; the
  // buttons of a group loaded after and an editor's text box look the same.
  main->ChargerGroupe(2);
  ASSERT_EQ(main->Prog.Count(), 3);
  FrmGroupe editor;
  editor.Load();
  int unstyled = editor.Saisie.BackColor() != RGB(0, 90, 0);
  auto styled = [&](ui::Window& w, bool coloured) {
    unstyled += w.Font().name != L"Tahoma" || w.Font().size != 12 || (coloured && w.ForeColor() != RGB(200, 0, 0));
  };
  main->lblHeader.ForEach([&](int, ui::Panel& h) { styled(h, false); });
  main->Gestion.ForEach([&](int, ui::RibbonButton& b) { styled(b, true); });
  main->Prog.ForEach([&](int, ui::RibbonButton& b) { styled(b, true); });
  main->FrameXPMenu.ForEach([&](int, ui::PictureBox& p) { unstyled += p.BackColor() != RGB(0, 90, 0); });
  styled(editor.Saisie, true);
  EXPECT_EQ(unstyled, 0);
}

// On this machine's fonts: the face taken where the bar's is not installed,
// and by "Valeur par défaut" where Verdana is not, shows what is typed in the
// editors.
TEST_F(OptionWindows, InterfaceTheFaceTakenForOneNotInstalledShowsWhatIsTypedInTheEditors) {
  ui::Desktop* fake = ui::SetDesktop(nullptr);
  desktop.fonts = ui::TheDesktop().ScreenFonts();
  ui::SetDesktop(fake);
  for (bool byDefault : {false, true}) {
    Open(polices);
    polices->Defaut.SetValue(byDefault);  // not pressed: the button does nothing
    PressAndRelease(polices->Defaut);
    polices->Btn_Click();
    FrmGroupe editor;
    editor.Load();
    editor.Show();
    editor.Saisie.SetText(L"Essai");  // dark on the light box, and more than the caret's column
    ::UpdateWindow(editor.Saisie.EditHwnd());
    ui::WindowDc dc(editor.Saisie.EditHwnd());
    int ink = 0;
    for (int i = 0; i < 150 * 15; ++i) ink += GetRValue(::GetPixel(dc.get(), i % 150, i / 150)) < 128;
    EXPECT_GT(ink, 40) << Interface(L"Police") << (byDefault ? " by default" : " at the opening");
  }
}

TEST_F(OptionWindows, InterfaceSteppingThroughEveryFontKeepsNoFontBehind) {
  desktop.fonts.clear();
  for (int i = 0; i < 40; ++i) desktop.fonts.push_back(L"Police " + std::to_wstring(i));
  Open(polices);
  ::UpdateWindow(polices->hwnd());
  const std::size_t before = ui::SharedFontCount();
  const DWORD gdiBefore = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
  for (int i = 0; i < polices->Polices.ListCount(); ++i) {
    polices->Polices.SetListIndex(i);
    ::UpdateWindow(polices->Text.hwnd());
  }
  EXPECT_EQ(ui::SharedFontCount(), before);
  EXPECT_EQ(::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS), gdiBefore);
}

}  // namespace
}  // namespace tolvane::testing
