// A main window loaded in the test process on an in-memory store, with the
// desktop replaced so launches and message boxes are only recorded.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "core/catalogue.h"
#include "core/settings_store.h"
#include "fake_desktop.h"
#include "launcher/frm_main.h"
#include "launcher/globals.h"

namespace tolvane::testing {

// A click inside a control, as the mouse makes it: `down` and its button-up.
inline void Click(ui::Window& w, UINT down, WPARAM held) {
  ::SendMessageW(w.hwnd(), down, held, MAKELPARAM(4, 4));
  ::SendMessageW(w.hwnd(), down + 1, 0, MAKELPARAM(4, 4));
}
inline void PressAndRelease(ui::Window& w) { Click(w, WM_LBUTTONDOWN, MK_LBUTTON); }
inline void RightClick(ui::Window& w) { Click(w, WM_RBUTTONDOWN, MK_RBUTTON); }

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

  // Group `g` with links of these captions, each aimed at its target where
  // one is given, else at "C:\<caption>.exe"; the group count takes it in.
  void AddGroup(int g, const std::wstring& name, const std::vector<std::wstring>& links,
                const std::vector<std::wstring>& targets = {}) {
    const int count = std::max(g, ReadGroupCount(store).value_or(0));
    store.Save(L"Data", L"Groupe", L"NbOcc=" + std::to_wstring(count));
    store.Save(L"Data", std::to_wstring(g), L"Nomgroupe=" + name);
    store.Save(L"Data", std::to_wstring(g) + L"Occ", L"NbOcc=" + std::to_wstring(links.size()));
    for (std::size_t k = 1; k <= links.size(); ++k) {
      const std::wstring key = std::to_wstring(g) + L"-" + std::to_wstring(k);
      store.Save(L"Data", key, L"Nom=" + links[k - 1]);
      const std::wstring target = k <= targets.size() ? targets[k - 1] : L"C:\\" + links[k - 1] + L".exe";
      store.Save(L"Data", key + L"c", L"Fic=" + target);
    }
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
