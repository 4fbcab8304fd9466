// start_probe: Tolvane's start taken apart, in a process of its own built
// from the launcher's code and libraries. Its command line is the bench's
// counter (ms) when it called CreateProcess; it times each step of the start
// as the launcher takes them, up to the bar shown and painted, writes
// "step<TAB>ms" lines to the file named after the counter, and ends.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <utility>
#include <vector>

#include "base/skin.h"
#include "core/catalogue.h"
#include "core/options.h"
#include "launcher/frm_main.h"
#include "launcher/frm_pop.h"
#include "launcher/globals.h"
#include "menus/menu_engine.h"

namespace {

// The bench's clock: the performance counter in milliseconds, the same in
// every process.
double NowMs() {
  LARGE_INTEGER f, c;
  ::QueryPerformanceFrequency(&f);
  ::QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR cmdLine, int) {
  using namespace tolvane;
  std::vector<std::pair<const char*, double>> steps;
  double last = NowMs();
  steps.emplace_back("process made, its DLLs loaded and initialised", last - std::wcstod(cmdLine, nullptr));
  auto step = [&](const char* what) {
    const double now = NowMs();
    steps.emplace_back(what, now - last);
    last = now;
  };
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&icc);
  step("common controls initialised");
  const bool hidden = StartHidden(Settings());
  (void)RebuildDesktop(Settings());
  (void)LoadGroupMenu(Settings());
  step("settings: options and group menu read (read again below)");
  (void)TheSkin();
  step("the skin's pictures decoded");
  HWND scratch = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  step("the process's first window (the display driver starts)");
  menus::SubclassForm(scratch, nullptr, nullptr, 0);
  step("menu engine hooked on a first window (its fonts made)");
  (void)ThePop();
  step("menu holder made: its window, pictures, hook");
  {
    FrmMain main;
    FenetrePrincipale = &main;
    main.Load();
    step("the bar's windows made and its settings read");
    main.Show();
    main.SetVisible(!hidden);
    ::RedrawWindow(main.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    step("the bar shown and painted");
    FenetrePrincipale = nullptr;
  }
  wchar_t folder[MAX_PATH];
  ::GetTempPathW(MAX_PATH, folder);
  const std::wstring path = std::wstring(folder) + L"tolvane_start_" + cmdLine + L".txt";
  if (FILE* out = ::_wfopen(path.c_str(), L"w")) {
    for (const auto& [what, ms] : steps) std::fprintf(out, "%s\t%.2f\n", what, ms);
    std::fclose(out);
  }
  ::DestroyWindow(scratch);
  return 0;
}
