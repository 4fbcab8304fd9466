#include "launcher/start.h"

#include <windows.h>
#include <commctrl.h>

#include "base/registry_helpers.h"
#include "base/window_helpers.h"
#include "core/catalogue.h"
#include "core/options.h"
#include "core/text.h"
#include "launcher/frm_main.h"
#include "launcher/globals.h"
#include "launcher/tray.h"
#include "ui/handles.h"
#include "ui/seams.h"

namespace tolvane {
namespace {

constexpr wchar_t kShellFolders[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// Held for the whole run: its existence tells a second start that we run.
ui::OwnedHandle instanceMutex;

bool AnotherInstanceRuns() {
  std::wstring name = L"Local\\" + AppTitle() + L".SingleInstance";
  instanceMutex.reset(::CreateMutexW(nullptr, FALSE, name.c_str()));
  return ::GetLastError() == ERROR_ALREADY_EXISTS;
}

void DeleteIconCache() {
  std::wstring folder = ProgramFolder() + L"\\temp\\";
  WIN32_FIND_DATAW fd;
  HANDLE find = ::FindFirstFileW((folder + L"*.ico").c_str(), &fd);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      ::DeleteFileW((folder + fd.cFileName).c_str());
    } while (::FindNextFileW(find, &fd));
    ::FindClose(find);
  }
  ::RemoveDirectoryW(folder.c_str());  // stays when something else lies in it
}

}  // namespace

void ListPlainFiles(const std::wstring& folder, std::vector<DesktopFile>& into) {
  WIN32_FIND_DATAW fd;
  HANDLE find = ::FindFirstFileW(JoinPath(folder, L"*").c_str(), &fd);
  if (find == INVALID_HANDLE_VALUE) return;
  constexpr DWORD kSkipped = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  do {
    if (fd.dwFileAttributes & kSkipped) continue;
    into.push_back({fd.cFileName, JoinPath(folder, fd.cFileName)});
  } while (::FindNextFileW(find, &fd));
  ::FindClose(find);
}

void ImportDesktop() {
  std::wstring user = LireValeurRegistre(HKEY_CURRENT_USER, kShellFolders, L"Desktop", L"");
  std::wstring common = LireValeurRegistre(HKEY_LOCAL_MACHINE, kShellFolders, L"Common Desktop", L"");
  std::vector<DesktopFile> files;
  for (const std::wstring& folder : DesktopFolders(user, common)) ListPlainFiles(folder, files);
  if (auto plan = PlanDesktopImport(Settings(), files)) ApplyImport(Settings(), *plan);
}

int Main() {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&icc);

  // Before anything else, so a refused second start changes nothing.
  if (AnotherInstanceRuns()) {
    ui::TheDesktop().Message(nullptr,
                             L"Une version de " + AppTitle() + L" est en cours d'exécution sur cette machine " +
                                 L"\r" + L"Le programme va s'arrêter !",
                             AppTitle(), MB_OK | MB_ICONERROR);
    return 0;
  }

  if (RebuildDesktop(Settings())) ImportDesktop();

  FrmMain main;
  FenetrePrincipale = &main;
  main.Show();
  if (ui::Ending()) {
    FenetrePrincipale = nullptr;
    return 0;
  }

  if (StartHidden(Settings())) {
    main.HideToTray();
  } else {
    main.SetVisible(true);
  }
  int code = ui::RunMessageLoop();
  FenetrePrincipale = nullptr;
  return code;
}

void Quitter() {
  if (!FenetrePrincipale) return;
  FrmMain& main = *FenetrePrincipale;
  EnleverPremierPlan(main);
  int answer = ui::TheDesktop().Message(main.hwnd(), L"Voulez-vous réellement quitter " + AppTitle() + L" ?",
                                        AppTitle(), MB_YESNO | MB_ICONQUESTION);
  if (answer != IDYES) {
    MettreAuPremierPlan(main);
    return;
  }
  // Every other window, latest first; the main window was loaded first.
  while (ui::LoadedForms().size() > 1) {
    ui::Form* last = ui::LoadedForms().back();
    if (last == &main || !last->Unload()) break;
  }
  Settings().Save(kSectionSettings, L"MainLeft", SingleText(static_cast<float>(main.Left())));
  Settings().Save(kSectionSettings, L"MainTop", SingleText(static_cast<float>(main.Top())));
  Settings().Save(kSectionSettings, L"Ascenseur", Digits(main.ScrollValue()));
  DeleteIconCache();
  SupprimerIconeTray();
  main.SetVisible(false);
  ui::EndProgram(0);
}

}  // namespace tolvane
