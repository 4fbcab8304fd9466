#include "child_process.h"

#include <psapi.h>
#include <tlhelp32.h>

#include <vector>

namespace bench {
namespace {

double FileTimeMs(const FILETIME& t) {
  return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000.0;
}

struct WindowSearch {
  DWORD process;
  bool any = false;  // a window of the process, shown or not
  std::vector<HWND> found;  // its visible ones
};

BOOL CALLBACK CollectVisible(HWND hwnd, LPARAM lp) {
  auto& search = *reinterpret_cast<WindowSearch*>(lp);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(hwnd, &owner);
  if (owner != search.process) return TRUE;
  search.any = true;
  if (::IsWindowVisible(hwnd)) search.found.push_back(hwnd);
  return TRUE;
}

BOOL CALLBACK CollectVisibleChild(HWND hwnd, LPARAM lp) {
  if (::IsWindowVisible(hwnd)) reinterpret_cast<std::vector<HWND>*>(lp)->push_back(hwnd);
  return TRUE;
}

// Whether any shown window of the process still has an update region.
bool PaintPending(const std::vector<HWND>& tops) {
  std::vector<HWND> all = tops;
  for (HWND top : tops) ::EnumChildWindows(top, CollectVisibleChild, reinterpret_cast<LPARAM>(&all));
  for (HWND w : all) {
    if (::GetUpdateRect(w, nullptr, FALSE)) return true;
  }
  return false;
}

// The sum over the process's live threads. Wine answers GetProcessTimes for
// another process with the caller's own times, but gives true thread times.
double ThreadCpuMs(DWORD process) {
  ui::OwnedHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
  if (snapshot.get() == INVALID_HANDLE_VALUE) return (void)snapshot.release(), -1;
  THREADENTRY32 te{};
  te.dwSize = sizeof te;
  double total = 0;
  for (BOOL more = ::Thread32First(snapshot.get(), &te); more; more = ::Thread32Next(snapshot.get(), &te)) {
    if (te.th32OwnerProcessID != process) continue;
    ui::OwnedHandle thread(::OpenThread(THREAD_QUERY_LIMITED_INFORMATION, FALSE, te.th32ThreadID));
    FILETIME created, exited, kernel, user;
    if (thread && ::GetThreadTimes(thread.get(), &created, &exited, &kernel, &user))
      total += FileTimeMs(kernel) + FileTimeMs(user);
  }
  return total;
}

}  // namespace

const char* WineVersion() {
  using Fn = const char*(CDECL*)();
  FARPROC f = ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version");
  return f ? reinterpret_cast<Fn>(reinterpret_cast<void*>(f))() : nullptr;
}

double NowMs() {
  static const double perMs = [] {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER c;
  ::QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) / perMs;
}

ChildProcess::ChildProcess(const std::wstring& exe, const std::wstring& args) {
  std::wstring commandLine = L"\"" + exe + L"\" " + args;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  startMs_ = NowMs();
  if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return;
  steps_.started = NowMs() - startMs_;
  process_.reset(pi.hProcess);
  thread_.reset(pi.hThread);
  id_ = pi.dwProcessId;
}

ChildProcess::~ChildProcess() {
  if (!process_) return;
  ::TerminateProcess(process_.get(), 0);
  ::WaitForSingleObject(process_.get(), 5000);
}

double ChildProcess::WaitFirstPaint(DWORD timeoutMs) {
  if (!process_) return -1;
  const double deadline = startMs_ + timeoutMs;
  WindowSearch search{id_};
  while (search.found.empty()) {
    if (NowMs() > deadline || ::WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0) return -1;
    ::Sleep(1);
    ::EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&search));
    if (search.any && steps_.window < 0) steps_.window = NowMs() - startMs_;
  }
  steps_.shown = NowMs() - startMs_;
  WaitIdle(static_cast<DWORD>(deadline - NowMs() > 0 ? deadline - NowMs() : 0));
  while (PaintPending(search.found)) {
    if (NowMs() > deadline) return -1;
    ::Sleep(1);
  }
  steps_.painted = NowMs() - startMs_;
  steps_.cpu = CpuMs();
  return steps_.painted;
}

double ChildProcess::WaitExit(DWORD timeoutMs) {
  if (!process_ || ::WaitForSingleObject(process_.get(), timeoutMs) != WAIT_OBJECT_0) return -1;
  return NowMs() - startMs_;
}

void ChildProcess::WaitIdle(DWORD timeoutMs) {
  if (process_) ::WaitForInputIdle(process_.get(), timeoutMs);
}

double ChildProcess::CpuMs() const {
  if (!process_) return -1;
  if (WineVersion()) return ThreadCpuMs(id_);
  FILETIME created, exited, kernel, user;
  if (!::GetProcessTimes(process_.get(), &created, &exited, &kernel, &user)) return -1;
  return FileTimeMs(kernel) + FileTimeMs(user);
}

double ChildProcess::PrivateMb() const {
  PROCESS_MEMORY_COUNTERS_EX pmc{};
  pmc.cb = sizeof pmc;
  if (!process_ || !::GetProcessMemoryInfo(process_.get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc), pmc.cb))
    return -1;
  // Wine leaves PrivateUsage empty; PagefileUsage is the same commit charge.
  const SIZE_T bytes = pmc.PrivateUsage ? pmc.PrivateUsage : pmc.PagefileUsage;
  return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

}  // namespace bench
