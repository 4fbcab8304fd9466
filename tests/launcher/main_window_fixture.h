// A main window loaded in the test process on an in-memory store, with the
// desktop replaced so launches and message boxes are only recorded.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "../core/catalogue_model.h"
#include "controls/imagebutton/form_button.h"
#include "fake_desktop.h"
#include "launcher/frm_main.h"
#include "launcher/globals.h"

namespace tolvane::testing {

// A click inside a control, as the mouse makes it: `down` and its button-up.
inline void Click(HWND h, UINT down = WM_LBUTTONDOWN, WPARAM held = MK_LBUTTON) {
  ::SendMessageW(h, down, held, MAKELPARAM(5, 5));
  ::SendMessageW(h, down + 1, 0, MAKELPARAM(5, 5));
}
inline void PressAndRelease(ui::Window& w) { Click(w.hwnd()); }
inline void PressAndRelease(imagebutton::FormButton& b) { Click(b.Button()->Hwnd()); }
inline void RightClick(ui::Window& w) { Click(w.hwnd(), WM_RBUTTONDOWN, MK_RBUTTON); }

// Runs the thread's messages, and its real timers until `done` holds or `ms` pass.
template <typename F>
bool PumpUntil(F done, DWORD ms = 0) {
  for (const ULONGLONG end = ::GetTickCount64() + ms;; ui::WaitForMessageOrEvent(20)) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    if (done()) return true;
    if (::GetTickCount64() >= end) return false;
  }
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseSettings(&store);
    store.Save(L"Settings", L"NGroupe", L"1");
    store.Save(L"Data", L"Groupe", L"NbOcc=1");
    store.Save(L"Data", L"1", L"Nomgroupe=Essais");
  }

  void TearDown() override {
    main.reset();
    ui::CollectUnloaded();
    FenetrePrincipale = nullptr;
    ::RemoveDirectoryW((ProgramFolder() + L"\\temp").c_str());  // made by the load; stays if not empty
    UseSettings(nullptr);
  }

  FrmMain& LoadMain() {
    main = std::make_unique<FrmMain>();
    FenetrePrincipale = main.get();
    main->Load();
    main->FinishLoading();    // what would come after the first paint
    main->FinishLinkIcons();
    return *main;
  }

  MemoryStore store;
  FakeDesktop desktop;
  std::unique_ptr<FrmMain> main;
};

}  // namespace tolvane::testing
