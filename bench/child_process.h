// A program the bench starts and watches from outside, as a user's desktop
// would see it: its windows, its CPU time and its private memory.
#pragma once

#include <windows.h>

#include <string>

#include "ui/handles.h"

namespace bench {

// Wine's version when running under Wine, else null.
const char* WineVersion();
// Milliseconds on the performance counter.
double NowMs();

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
  // Waits until the process has first gone idle.
  void WaitIdle(DWORD timeoutMs);
  // Kernel plus user time used so far, in milliseconds.
  double CpuMs() const;
  // Private (committed, unshared) memory in megabytes.
  double PrivateMb() const;

 private:
  ui::OwnedHandle process_, thread_;
  DWORD id_ = 0;
  double startMs_ = 0;
};

}  // namespace bench
