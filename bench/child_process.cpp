#include "child_process.h"

#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cwctype>
#include <map>
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

std::wstring Lower(std::wstring s) {
  for (wchar_t& c : s) c = static_cast<wchar_t>(std::towlower(c));
  return s;
}

template <typename T>
bool ReadAt(HANDLE process, std::uintptr_t at, T& out) {
  SIZE_T got = 0;
  return ::ReadProcessMemory(process, reinterpret_cast<LPCVOID>(at), &out, sizeof out, &got) && got == sizeof out;
}

std::wstring ReadName(HANDLE process, std::uintptr_t at) {
  char name[64] = {};
  for (SIZE_T size : {SIZE_T{63}, SIZE_T{16}}) {  // the shorter when the longer runs off the image
    SIZE_T got = 0;
    if (::ReadProcessMemory(process, reinterpret_cast<LPCVOID>(at), name, size, &got)) break;
  }
  std::string narrow(name);
  return Lower(std::wstring(narrow.begin(), narrow.end()));
}

// The DLLs a loaded image imports, read from its headers in the process:
// its import table, or its delay-import table.
std::vector<std::wstring> ImportedNames(HANDLE process, std::uintptr_t base, bool delayed) {
  std::vector<std::wstring> names;
  IMAGE_DOS_HEADER dos{};
  IMAGE_NT_HEADERS64 nt{};
  if (!ReadAt(process, base, dos) || !ReadAt(process, base + static_cast<std::uintptr_t>(dos.e_lfanew), nt)) return names;
  const IMAGE_DATA_DIRECTORY& dir =
      nt.OptionalHeader.DataDirectory[delayed ? IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT : IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (!dir.VirtualAddress) return names;
  for (std::uintptr_t i = 0; i < 256; ++i) {
    DWORD nameRva = 0;
    if (delayed) {
      IMAGE_DELAYLOAD_DESCRIPTOR d{};
      if (!ReadAt(process, base + dir.VirtualAddress + i * sizeof d, d)) break;
      nameRva = d.DllNameRVA;
    } else {
      IMAGE_IMPORT_DESCRIPTOR d{};
      if (!ReadAt(process, base + dir.VirtualAddress + i * sizeof d, d)) break;
      nameRva = d.Name;
    }
    if (!nameRva) break;
    names.push_back(ReadName(process, base + nameRva));
  }
  return names;
}

struct ModuleSpan {
  std::wstring name;
  std::uintptr_t base, size;
};

std::vector<ModuleSpan> ModuleSpans(DWORD id) {
  std::vector<ModuleSpan> spans;
  ui::OwnedHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, id));
  if (snapshot.get() == INVALID_HANDLE_VALUE) return (void)snapshot.release(), spans;
  MODULEENTRY32W me{};
  me.dwSize = sizeof me;
  for (BOOL more = ::Module32FirstW(snapshot.get(), &me); more; more = ::Module32NextW(snapshot.get(), &me))
    spans.push_back({Lower(me.szModule), reinterpret_cast<std::uintptr_t>(me.modBaseAddr), me.modBaseSize});
  return spans;
}

std::string ReadWholeFile(const std::wstring& path) {
  std::string text;
  HANDLE raw = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             0, nullptr);
  if (raw == INVALID_HANDLE_VALUE) return text;
  ui::OwnedHandle file(raw);
  char buffer[65536];
  DWORD got = 0;
  while (::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
  return text;
}

// The Unix process of the newest program named `exeName` in this Wine prefix:
// Wine writes the Windows path in its command line.
std::wstring UnixProcFolder(const std::wstring& exeName) {
  char prefix[MAX_PATH * 2] = {};
  if (!::GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix)) return L"";
  const std::string wanted = std::string("WINEPREFIX=") + prefix + '\0';
  const std::wstring tail = Lower(exeName);
  WIN32_FIND_DATAW fd;
  HANDLE find = ::FindFirstFileW(L"Z:\\proc\\*", &fd);
  if (find == INVALID_HANDLE_VALUE) return L"";
  long best = -1;
  do {
    wchar_t* end = nullptr;
    const long pid = std::wcstol(fd.cFileName, &end, 10);
    if (*end || pid <= best) continue;
    const std::wstring folder = std::wstring(L"Z:\\proc\\") + fd.cFileName;
    const std::string line = ReadWholeFile(folder + L"\\cmdline");
    const std::string first = line.substr(0, line.find('\0'));
    const std::wstring arg = Lower(std::wstring(first.begin(), first.end()));
    if (arg.size() < tail.size() + 1 || arg.compare(arg.size() - tail.size(), tail.size(), tail) != 0) continue;
    const wchar_t before = arg[arg.size() - tail.size() - 1];
    if (before != L'\\' && before != L'/') continue;
    if (ReadWholeFile(folder + L"\\environ").find(wanted) == std::string::npos) continue;
    best = pid;
  } while (::FindNextFileW(find, &fd));
  ::FindClose(find);
  return best < 0 ? L"" : L"Z:\\proc\\" + std::to_wstring(best);
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
  firstPaintModules_ = Modules();
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

std::vector<LoadedModule> ChildProcess::Modules() const {
  std::vector<LoadedModule> modules;
  if (!process_) return modules;
  const std::vector<ModuleSpan> spans = ModuleSpans(id_);
  std::map<std::wstring, std::size_t> at;
  for (const ModuleSpan& m : spans) {
    at[m.name] = modules.size();
    modules.push_back({m.name, {}, {}});
  }
  for (const ModuleSpan& m : spans) {
    for (bool delayed : {false, true})
      for (const std::wstring& dll : ImportedNames(process_.get(), m.base, delayed))
        if (auto it = at.find(dll); it != at.end())
          (delayed ? modules[it->second].delayImportedBy : modules[it->second].importedBy).push_back(m.name);
  }
  return modules;
}

CommitByKind ChildProcess::Commit(const std::wstring& exeName) const {
  CommitByKind c;
  if (!process_) return c;
  const std::wstring folder = UnixProcFolder(exeName);
  const std::string smaps = folder.empty() ? std::string() : ReadWholeFile(folder + L"\\smaps");
  if (smaps.empty()) return c;
  const std::vector<ModuleSpan> spans = ModuleSpans(id_);
  std::map<std::wstring, double> images;
  c.images = 0;
  auto account = [&](std::uintptr_t from, std::uintptr_t to, double anonymousKb) {
    if (anonymousKb <= 0 || to <= from) return;
    // Spread over the Windows regions of the mapping by their committed bytes:
    // Linux merges neighbouring mappings of the same access into one.
    struct Part { double bytes; int kind; std::wstring image; };
    std::vector<Part> parts;
    double committed = 0;
    for (std::uintptr_t a = from; a < to;) {
      MEMORY_BASIC_INFORMATION mbi{};
      if (!::VirtualQueryEx(process_.get(), reinterpret_cast<LPCVOID>(a), &mbi, sizeof mbi)) break;
      const std::uintptr_t end = std::min<std::uintptr_t>(to, reinterpret_cast<std::uintptr_t>(mbi.BaseAddress) + mbi.RegionSize);
      if (end <= a) break;
      if (mbi.State == MEM_COMMIT) {
        const auto base = reinterpret_cast<std::uintptr_t>(mbi.AllocationBase);
        Part p{static_cast<double>(end - a), mbi.Type != MEM_IMAGE, L""};
        if (mbi.Type == MEM_IMAGE)
          for (const ModuleSpan& m : spans)
            if (base >= m.base && base < m.base + m.size) p.image = m.name;
        committed += p.bytes;
        parts.push_back(p);
      }
      a = end;
    }
    const double mb = anonymousKb / 1024.0;
    if (committed <= 0) {
      c.unixSide += mb;
      return;
    }
    for (const Part& p : parts) {
      const double share = mb * p.bytes / committed;
      if (p.kind == 0) c.images += share, images[p.image] += share;
      else c.windowsPrivate += share;
    }
  };
  std::uintptr_t from = 0, to = 0;
  double anonymous = 0, swapped = 0;
  std::size_t pos = 0;
  while (pos < smaps.size()) {
    std::size_t next = smaps.find('\n', pos);
    if (next == std::string::npos) next = smaps.size();
    const std::string line = smaps.substr(pos, next - pos);
    pos = next + 1;
    unsigned long long a = 0, b = 0;
    double kb = 0;
    char dash = 0;
    if (std::sscanf(line.c_str(), "%llx%c%llx", &a, &dash, &b) == 3 && dash == '-') {
      account(from, to, anonymous + swapped);
      from = static_cast<std::uintptr_t>(a), to = static_cast<std::uintptr_t>(b), anonymous = swapped = 0;
    } else if (std::sscanf(line.c_str(), "Anonymous: %lf", &kb) == 1) {
      anonymous = kb;
    } else if (std::sscanf(line.c_str(), "Swap: %lf", &kb) == 1) {
      swapped = kb;
    }
  }
  account(from, to, anonymous + swapped);
  for (const auto& [name, mb] : images) c.topImages.emplace_back(name, mb);
  std::sort(c.topImages.begin(), c.topImages.end(), [](const auto& x, const auto& y) { return x.second > y.second; });
  if (c.topImages.size() > 6) c.topImages.resize(6);
  return c;
}

}  // namespace bench
