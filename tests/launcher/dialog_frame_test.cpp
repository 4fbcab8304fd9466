// The dialogs' shared frame, on a sample dialog over a loaded main window:
// the drag and the move clear of the bar, the kept place, the close button,
// the stacking while modal, and the way back to the bar when it closes.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <optional>
#include <utility>

#include "base/window_helpers.h"
#include "controls/imagebutton/form_button.h"
#include "dialogs/dialog_frame.h"
#include "main_window_fixture.h"

namespace tolvane {
namespace {

class SampleDialog final : public DialogFrame {
 public:
  explicit SampleDialog(std::optional<PositionKeys> saved = PositionKeys{L"EssaiLeft", L"EssaiTop"})
      : DialogFrame(L"FrmEssai", L"Essai",
                    {.width = 3630, .height = 2000,
                     .frame = {.captionWidth = 2300, .holderLeft = 3000, .holderWidth = 645, .bottomHeight = 645},
                     .saved = std::move(saved)}) {}

  imagebutton::FormButton Btn;
  std::function<void()> onFirstActivate;

 protected:
  void DesignContent() override {
    Btn.Create(EnteteB, {.name = L"Btn", .left = 960, .top = 100, .width = 1215, .height = 495,
                         .properties = {{L"Caption", std::wstring(L"Valider")}}});
  }
  void Form_Activate() override {
    DialogFrame::Form_Activate();
    if (auto f = std::exchange(onFirstActivate, nullptr)) f();
  }
};

void Press(HWND h, int x = 2, int y = 2) {
  ::SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  ::SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// Whether `upper` lies above `lower` among the top-level windows.
bool Above(HWND upper, HWND lower) {
  for (HWND h = ::GetWindow(upper, GW_HWNDNEXT); h; h = ::GetWindow(h, GW_HWNDNEXT))
    if (h == lower) return true;
  return false;
}

bool Topmost(HWND h) { return (::GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

using DialogFrameTest = testing::MainWindowTest;

TEST_F(DialogFrameTest, CaptionDragFollowsThePointerAndTheReleaseMovesTheDialogClearOfTheBar) {
  store.Save(L"Settings", L"Rec 2", L"1");
  FrmMain& m = LoadMain();
  m.Move(3000, 3000, m.Width(), m.Height());
  SampleDialog d;
  d.Load();
  // Grabbed 10 x 4 pixels into the caption, which stands at 555, 60.
  ::SendMessageW(d.MeCaption.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 4));
  desktop.cursor = {300, 190};
  ::SendMessageW(d.MeCaption.hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(11, 5));
  EXPECT_EQ(d.Left(), 300 * 15 - 705);
  EXPECT_EQ(d.Top(), 190 * 15 - 120);
  EXPECT_FALSE(store.Has(L"Settings", L"EssaiLeft"));  // nothing is written while it moves
  // Dropped over the bar's top edge: it goes to rest just above the bar.
  ::SendMessageW(d.MeCaption.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(11, 5));
  EXPECT_EQ(d.Top(), 3000 - 2000);
  EXPECT_EQ(d.Left(), 300 * 15 - 705);
  // A move without the button down moves nothing.
  desktop.cursor = {10, 10};
  ::SendMessageW(d.EnteteH.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
  EXPECT_EQ(d.Top(), 1000);
  d.Unload();
}

TEST_F(DialogFrameTest, UnloadKeepsThePlaceOnlyUnderTheDialogsOwnKeys) {
  LoadMain();
  {
    SampleDialog d;
    d.Load();
    d.Move(4560, 1230, d.Width(), d.Height());
    d.Unload();
    EXPECT_EQ(store.Get(L"Settings", L"EssaiLeft", L""), L"4560");
    EXPECT_EQ(store.Get(L"Settings", L"EssaiTop", L""), L"1230");
  }
  SampleDialog unsaved{std::nullopt};
  unsaved.Load();
  unsaved.Move(15, 15, unsaved.Width(), unsaved.Height());
  unsaved.Unload();
  EXPECT_EQ(store.Get(L"Settings", L"EssaiLeft", L""), L"4560");
}

TEST_F(DialogFrameTest, ThePlacingHelperFindsTheImageButtonByNameAndTheButtonFollowsItsHolder) {
  LoadMain();
  SampleDialog d;
  d.Load();
  PositionnerFenetre(d);
  EXPECT_EQ(d.Btn.Left(), 1207);  // (3630 - 1215) \ 2
  EXPECT_EQ(d.FBtn.Left(), 3630 - 645);

  int clicks = 0;
  d.Btn.onClick = [&] { ++clicks; };
  HWND inner = d.Btn.Button()->Hwnd();
  ASSERT_EQ(::GetParent(inner), d.Btn.hwnd());
  d.Btn.Move(300, 60, 1500, 450);
  RECT r{};
  ::GetClientRect(inner, &r);
  EXPECT_EQ(r.right, 100);
  EXPECT_EQ(r.bottom, 30);
  d.Btn.SetCaption(L"&Ok");
  wchar_t text[16] = {};
  ::GetWindowTextW(inner, text, 16);
  EXPECT_STREQ(text, L"&Ok");  // where a form looks for the access key
  Press(inner, 50, 15);
  d.Btn.SetEnabled(false);
  Press(inner, 50, 15);
  EXPECT_EQ(clicks, 1);  // and none once disabled
  d.Unload();
}

TEST_F(DialogFrameTest, ModalDialogStaysOverTheBarOwnsItsMessagesAndHandsTheActivationBack) {
  FrmMain& m = LoadMain();
  m.Show();
  ::SetActiveWindow(m.hwnd());
  ASSERT_EQ(::GetActiveWindow(), m.hwnd());

  HWND dialogWindow = nullptr;
  bool checked = false;
  ShowDialog<SampleDialog>([&](SampleDialog& d) {
    d.onFirstActivate = [&] {
      dialogWindow = d.hwnd();
      checked = true;
      EXPECT_TRUE(Topmost(d.hwnd()) && Topmost(m.hwnd()));
      EXPECT_TRUE(Above(d.hwnd(), m.hwnd()));
      EXPECT_FALSE(::IsWindowEnabled(m.hwnd()));
      // The bar repainting under the dialog stays under it.
      ::RedrawWindow(m.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
      EXPECT_TRUE(Above(d.hwnd(), m.hwnd()));
      d.Message(L"Essai", MB_OK);
      RechargerGroupe = true;  // as an editor that saved
      // The close button, clicked once the dialog is up.
      ::PostMessageW(d.BtnClose.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
      ::PostMessageW(d.BtnClose.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    };
  });
  ASSERT_TRUE(checked);
  ASSERT_EQ(desktop.messageOwners.size(), 1u);
  EXPECT_EQ(desktop.messageOwners[0], dialogWindow);
  // Closing gave the activation back to the bar at once: it has reloaded.
  EXPECT_TRUE(::IsWindowEnabled(m.hwnd()));
  EXPECT_EQ(::GetActiveWindow(), m.hwnd());
  EXPECT_FALSE(RechargerGroupe);
  EXPECT_EQ(ui::ModalForm(), nullptr);
  EXPECT_TRUE(store.Has(L"Settings", L"EssaiLeft"));
}

}  // namespace
}  // namespace tolvane
