// The interface font and colour window in process, with a fake font list and
// colour dialog.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "core/catalogue.h"
#include "core/options.h"
#include "dialogs/frm_polices.h"
#include "main_window_fixture.h"
#include "ui/font.h"

namespace tolvane::testing {
namespace {

class InterfaceWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    desktop.fonts = {L"Verdana", L"Arial", L"Tahoma", L"Courier New"};
  }
  void TearDown() override {
    polices.reset();
    MainWindowTest::TearDown();
  }

  FrmPolices& Open() {
    polices = std::make_unique<FrmPolices>();
    polices->Load();
    polices->Show();
    store.ClearWrites();
    return *polices;
  }

  std::wstring Chosen(ui::ListBox& list) { return list.ListIndex() < 0 ? L"-" : list.List(list.ListIndex()); }
  std::wstring Interface(const wchar_t* key) { return store.Get(kSectionInterface, key, L"-"); }

  std::unique_ptr<FrmPolices> polices;
};

TEST_F(InterfaceWindowTest, ListsStartOnTheBarsFontAndThePreviewFollowsThem) {
  store.Save(kSectionInterface, L"Police", L"Arial");         // not what the lists start on
  store.Save(kSectionInterface, L"CouleurTexte", L"-2147483630");
  store.Save(kSectionInterface, L"BackCouleur", L"abc");       // leaves the pane's own colour
  LoadMain();
  Open();
  EXPECT_EQ(Chosen(polices->Polices) + Chosen(polices->Taille) + polices->Text.Font().name, L"Verdana8Verdana");
  EXPECT_EQ(polices->Polices.List(0), L"Arial") << "sorted";
  EXPECT_EQ(polices->TextColour(), 0x80000012u);
  EXPECT_EQ(polices->Text.ForeColor(), ::GetSysColor(COLOR_BTNTEXT));
  EXPECT_EQ(polices->L[3].BackColor(), main->PaneBackColour());

  polices->Polices.SetListIndex(1);
  polices->Taille.SetListIndex(4);
  EXPECT_EQ(polices->Text.Font().name, L"Courier New");
  EXPECT_EQ(polices->Text.Font().size, 12);
}

TEST_F(InterfaceWindowTest, ColourDialogOpensOnTheColourShownAndCancelKeepsIt) {
  store.Save(kSectionInterface, L"CouleurTexte", L"-2147483630");
  LoadMain();
  Open();
  desktop.colourAnswers = {std::nullopt, RGB(10, 20, 30), std::nullopt};
  PressAndRelease(polices->Text);  // cancelled
  EXPECT_EQ(polices->TextColour(), 0x80000012u) << "still the system colour";
  PressAndRelease(polices->Text);
  EXPECT_EQ(polices->TextColour(), static_cast<std::uint32_t>(RGB(10, 20, 30)));
  const COLORREF back = polices->L[3].BackColor();
  PressAndRelease(polices->L[3]);  // cancelled
  EXPECT_EQ(polices->L[3].BackColor(), back);
  PressAndRelease(polices->L[1]);  // not a swatch
  EXPECT_EQ(desktop.colourStarts,
            (std::vector<COLORREF>{::GetSysColor(COLOR_BTNTEXT), ::GetSysColor(COLOR_BTNTEXT), back}));
}

TEST_F(InterfaceWindowTest, DefaultsThenCloseStoreNothing) {
  LoadMain();
  Open();
  polices->Polices.SetListIndex(0);
  polices->Defaut.SetValue(true);
  PressAndRelease(polices->Defaut);
  EXPECT_FALSE(polices->Defaut.Value());
  EXPECT_EQ(Chosen(polices->Polices) + Chosen(polices->Taille), L"Verdana8");
  EXPECT_EQ(ColourText(polices->TextColour()), L"-2147483630");
  EXPECT_EQ(polices->L[3].BackColor(), RGB(164, 211, 255));
  polices->BtnClose.SetValue(true);
  PressAndRelease(polices->BtnClose);
  EXPECT_FALSE(polices->Loaded());
  EXPECT_TRUE(store.Section(kSectionInterface).empty() && desktop.messages.empty());
}

TEST_F(InterfaceWindowTest, ValiderStoresTheFourValuesAndTheBarTakesThemAsTheDialogCloses) {
  LoadMain();
  main->Show();
  ::SetActiveWindow(main->hwnd());
  polices = std::make_unique<FrmPolices>();
  polices->Load();
  polices->Polices.SetListIndex(2);  // Tahoma
  polices->Taille.SetListIndex(4);   // 12
  desktop.colourAnswers = {RGB(200, 0, 0), RGB(0, 90, 0)};
  PressAndRelease(polices->Text);
  PressAndRelease(polices->L[3]);
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
  // The bar restyled itself on its activation, with no click.
  EXPECT_EQ(main->lblHeader[1].Font().name, L"Tahoma");
  EXPECT_EQ(main->Gestion[0].Font().size, 12);
  EXPECT_EQ(main->Prog[0].ForeColor(), RGB(200, 0, 0));
  EXPECT_EQ(main->PaneBackColour(), RGB(0, 90, 0));
}

TEST_F(InterfaceWindowTest, AStoreThatRefusesIsReportedRatherThanConfirmed) {
  LoadMain();
  Open();
  store.RefuseWrites(true);
  polices->Btn_Click();
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_NE(desktop.messages[0].find(L"n'a pas pu être enregistrée"), std::wstring::npos) << desktop.messages[0];
}

TEST_F(InterfaceWindowTest, NoFontListKeepsTheStoredFont) {
  store.Save(kSectionInterface, L"Police", L"Garamond");
  desktop.fonts.clear();
  LoadMain();
  Open();
  EXPECT_EQ(polices->Polices.ListIndex(), -1);
  polices->Btn_Click();
  EXPECT_EQ(Interface(L"Police") + L"|" + Interface(L"TaillePolice"), L"Garamond|8");
}

TEST_F(InterfaceWindowTest, SteppingThroughEveryFontKeepsNoFontBehind) {
  desktop.fonts.clear();
  for (int i = 0; i < 40; ++i) desktop.fonts.push_back(L"Police " + std::to_wstring(i));
  LoadMain();
  Open();
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
