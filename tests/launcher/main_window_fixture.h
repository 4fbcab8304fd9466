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

// A left click inside a control, as the mouse makes it.
inline void PressAndRelease(ui::Window& w) {
  ::SendMessageW(w.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  ::SendMessageW(w.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
}

inline void RightClick(ui::Window& w) {
  ::SendMessageW(w.hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 3));
  ::SendMessageW(w.hwnd(), WM_RBUTTONUP, 0, MAKELPARAM(3, 3));
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

  // Group 1 with these targets, captions "Lien 1", "Lien 2"...
  void SetLinks(const std::vector<std::wstring>& targets) {
    store.Save(L"Data", L"1Occ", L"NbOcc=" + std::to_wstring(targets.size()));
    for (std::size_t i = 0; i < targets.size(); ++i) {
      const std::wstring key = L"1-" + std::to_wstring(i + 1);
      store.Save(L"Data", key, L"Nom=Lien " + std::to_wstring(i + 1));
      store.Save(L"Data", key + L"c", L"Fic=" + targets[i]);
    }
  }

  // Group `g` with links of these captions, each aimed at "C:\<caption>.exe";
  // the group count takes it in.
  void AddGroup(int g, const std::wstring& name, const std::vector<std::wstring>& links) {
    const int count = std::max(g, ReadGroupCount(store).value_or(0));
    store.Save(L"Data", L"Groupe", L"NbOcc=" + std::to_wstring(count));
    store.Save(L"Data", std::to_wstring(g), L"Nomgroupe=" + name);
    store.Save(L"Data", std::to_wstring(g) + L"Occ", L"NbOcc=" + std::to_wstring(links.size()));
    for (std::size_t k = 1; k <= links.size(); ++k) {
      const std::wstring key = std::to_wstring(g) + L"-" + std::to_wstring(k);
      store.Save(L"Data", key, L"Nom=" + links[k - 1]);
      store.Save(L"Data", key + L"c", L"Fic=C:\\" + links[k - 1] + L".exe");
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
