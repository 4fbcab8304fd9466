// A program the bench starts and watches from outside, as a user's desktop
// would see it: its windows, its CPU time and its private memory.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/handles.h"

namespace bench {

// Wine's version when running under Wine, else null.
const char* WineVersion();
// Milliseconds on the performance counter.
double NowMs();

// Milliseconds from CreateProcess to each step of a start, negative for a
// step not seen: CreateProcess returned, the process owned a first top-level
// window, one of its windows was visible, and all of them were painted; and
// the CPU the process had used by then.
struct StartSteps {
  double started = -1, window = -1, shown = -1, painted = -1, cpu = -1;
};

// A module of a process, and the other modules of it that import it.
struct LoadedModule {
  std::wstring name;  // file name, lower case
  std::vector<std::wstring> importedBy, delayImportedBy;
};

// Committed private memory of a process by kind, in megabytes, read from
// outside: the pages Wine counts (resident anonymous pages of the Unix
// process, found under Z:\proc) laid over the process's Windows regions.
// Negative when the process or its pages could not be read.
struct CommitByKind {
  double images = -1;      // written pages of module images
  double windowsPrivate = 0;  // heaps, DIB sections' pixels (bitmaps, image lists), stacks
  double unixSide = 0;     // outside any Windows region: Wine's Unix libraries, X11, fonts, GDI objects
  std::vector<std::pair<std::wstring, double>> topImages;  // the largest images' share, largest first
};

class ChildProcess {
 public:
  // Starts `exe` with `args`; Started() tells whether it runs.
  ChildProcess(const std::wstring& exe, const std::wstring& args);
  // Ends the process: the bench never waits for a program to quit.
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool Started() const { return static_cast<bool>(process_); }
  // Milliseconds from the start until the process first shows a visible
  // top-level window, has gone idle and no window of it waits to be painted;
  // negative when that does not happen within `timeoutMs`.
  double WaitFirstPaint(DWORD timeoutMs);
  // The steps WaitFirstPaint went through.
  const StartSteps& steps() const { return steps_; }
  // Milliseconds from the start until the process ended; negative when it
  // still runs after `timeoutMs`.
  double WaitExit(DWORD timeoutMs);
  // Waits until the process has first gone idle.
  void WaitIdle(DWORD timeoutMs);
  // Kernel plus user time used so far, in milliseconds.
  double CpuMs() const;
  // Private (committed, unshared) memory in megabytes.
  double PrivateMb() const;
  // The modules it has loaded now; those seen when WaitFirstPaint saw it painted.
  std::vector<LoadedModule> Modules() const;
  const std::vector<LoadedModule>& ModulesAtFirstPaint() const { return firstPaintModules_; }
  // Its commit charge by kind; `exeName` finds its Unix process.
  CommitByKind Commit(const std::wstring& exeName) const;

 private:
  ui::OwnedHandle process_, thread_;
  DWORD id_ = 0;
  double startMs_ = 0;
  StartSteps steps_;
  std::vector<LoadedModule> firstPaintModules_;
};

}  // namespace bench
