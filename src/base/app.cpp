#include "base/app.h"

#include <windows.h>

#include "ui/registry_store.h"

namespace tolvane {
namespace {
SettingsStore* testStore = nullptr;
}

const std::wstring& AppTitle() {
  static const std::wstring title = L"Tolvane";
  return title;
}

SettingsStore& Settings() {
  static ui::RegistryStore store(AppTitle());
  return testStore ? *testStore : store;
}

void UseSettings(SettingsStore* store) { testStore = store; }

const std::wstring& ProgramFolder() {
  static const std::wstring folder = [] {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
      DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
      if (n < path.size()) {
        path.resize(n);
        break;
      }
      path.resize(path.size() * 2);
    }
    return path.substr(0, path.find_last_of(L"\\/"));
  }();
  return folder;
}

}  // namespace tolvane
