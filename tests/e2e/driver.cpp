#include "driver.h"

#include "ui/registry_store.h"
#include "ui/registry_value.h"

namespace e2e {
namespace {

constexpr wchar_t kShellFolders[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

std::optional<std::wstring> ShellFolder(HKEY root, const wchar_t* name) {
  ui::OwnedKey key = ui::OpenRegistryKey(root, kShellFolders, KEY_READ);
  return key ? ui::ReadStringValue(key.get(), name) : std::nullopt;
}

void SetShellFolder(HKEY root, const wchar_t* name, const std::wstring& value) {
  ui::OwnedKey key = ui::CreateRegistryKey(root, kShellFolders, KEY_WRITE);
  ui::WriteStringValue(key.get(), name, value);
}

ui::RegistryStore& Store() {
  static ui::RegistryStore store(L"Tolvane");
  return store;
}

std::wstring TextOf(HWND hwnd) {
  wchar_t text[1024] = {};
  ::GetWindowTextW(hwnd, text, 1024);
  return text;
}

bool OfClass(HWND hwnd, const wchar_t* className) {
  wchar_t name[64] = {};
  ::GetClassNameW(hwnd, name, 64);
  return ::lstrcmpiW(name, className) == 0;
}

std::vector<HWND> Descendants(HWND parent) {
  std::vector<HWND> all;
  ::EnumChildWindows(parent, [](HWND h, LPARAM lp) {
    reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
    return TRUE;
  }, reinterpret_cast<LPARAM>(&all));
  return all;
}

// The first visible top-level window of `pid` with this class (and title),
// once there; null after `ms`.
HWND WaitTopLevel(DWORD pid, const wchar_t* className, const wchar_t* title, DWORD ms) {
  struct Search {
    DWORD pid;
    const wchar_t *className, *title;
    HWND found = nullptr;
  } s{pid, className, title};
  auto visit = [](HWND hwnd, LPARAM lp) -> BOOL {
    auto* s = reinterpret_cast<Search*>(lp);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(hwnd, &owner);
    if (owner != s->pid || !::IsWindowVisible(hwnd) || !OfClass(hwnd, s->className)) return TRUE;
    if (s->title && TextOf(hwnd) != s->title) return TRUE;
    s->found = hwnd;
    return FALSE;
  };
  WaitFor([&] { return ::EnumWindows(visit, reinterpret_cast<LPARAM>(&s)), s.found != nullptr; }, ms);
  return s.found;
}

}  // namespace

void ClearSettings() {
  for (const wchar_t* section : {L"Data", L"Settings", L"Interface"}) Store().DeleteSection(section);
}

void Set(const std::wstring& section, std::initializer_list<std::pair<std::wstring, std::wstring>> values) {
  for (const auto& [key, value] : values) Store().Save(section, key, value);
}

std::optional<std::wstring> Get(const std::wstring& section, const std::wstring& key) {
  const std::wstring missing = L"\x1F<missing>";
  std::wstring v = Store().Get(section, key, missing);
  if (v == missing) return std::nullopt;
  return v;
}

std::map<std::wstring, std::wstring> Section(const std::wstring& section) {
  std::map<std::wstring, std::wstring> out;
  ui::OwnedKey key = ui::OpenRegistryKey(
      HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\Tolvane\\" + section, KEY_READ);
  for (DWORD i = 0; key; ++i) {
    wchar_t name[256];
    DWORD nameLen = 256;
    if (::RegEnumValueW(key.get(), i, name, &nameLen, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    out[name] = Get(section, name).value_or(L"");
  }
  return out;
}

std::wstring ProgramFolder() {
  wchar_t self[MAX_PATH];
  DWORD n = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring dir(self, n);
  dir = dir.substr(0, dir.find_last_of(L"\\/") + 1) + TOLVANE_EXE_DIR;
  wchar_t full[MAX_PATH];
  ::GetFullPathNameW(dir.c_str(), MAX_PATH, full, nullptr);
  return full;
}

Program::Program() {
  std::wstring exe = ProgramFolder() + L"\\Tolvane.exe";
  std::wstring cmd = L"\"" + exe + L"\"";
  STARTUPINFOW si{sizeof si};
  PROCESS_INFORMATION pi{};
  if (::CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, ProgramFolder().c_str(), &si,
                       &pi)) {
    ::CloseHandle(pi.hThread);
    process_.reset(pi.hProcess);
    pid_ = pi.dwProcessId;
  }
}

Program::~Program() {
  if (Running()) {
    ::TerminateProcess(process_.get(), 1);
    ::WaitForSingleObject(process_.get(), 5000);
  }
}

bool Program::Running() const { return process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }

bool Program::WaitExit(DWORD ms) const { return !process_ || ::WaitForSingleObject(process_.get(), ms) == WAIT_OBJECT_0; }

DWORD Program::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (process_) ::GetExitCodeProcess(process_.get(), &code);
  return code;
}

HWND Program::WaitWindow(const std::wstring& title, DWORD ms) const {
  return WaitTopLevel(pid_, L"TolvaneWindow", title.c_str(), ms);
}

HWND WaitPopupMenu(DWORD pid, DWORD ms) { return WaitTopLevel(pid, L"#32768", nullptr, ms); }

HWND Program::WaitDialog(DWORD ms) const { return WaitTopLevel(pid_, L"#32770", nullptr, ms); }

std::wstring Program::Answer(int buttonId) const {
  const HWND box = WaitDialog();
  std::wstring text;
  for (HWND h : Descendants(box))
    if (OfClass(h, L"Static")) text += TextOf(h);
  if (box) Press(box, buttonId);
  WaitFor([&] { return !::IsWindow(box); });
  return text;
}

void Press(HWND dialog, int buttonId) {
  ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(dialog, buttonId)));
}

void MenuKeys(HWND, const std::vector<WORD>& keys) {
  // A menu reads the keyboard, not messages posted to it, and only once its
  // loop runs.
  ::Sleep(400);
  for (WORD key : keys) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = key;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, in, sizeof(INPUT));
    ::Sleep(150);
  }
}

HWND FindChild(HWND parent, const std::wstring& text, DWORD ms) {
  HWND found = nullptr;
  WaitFor([&] {
    for (HWND h : Descendants(parent))
      if (TextOf(h) == text) return (found = h) != nullptr;
    return false;
  }, ms);
  return found;
}

HWND FindClass(HWND parent, const wchar_t* className) {
  for (HWND h : Descendants(parent))
    if (OfClass(h, className)) return h;
  return nullptr;
}

void ClickWindow(HWND hwnd, bool right) {
  RECT r{};
  ::GetClientRect(hwnd, &r);
  LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
  ::PostMessageW(hwnd, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, at);
  ::PostMessageW(hwnd, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, at);
}

void DoubleClickAt(POINT at) {
  const int w = ::GetSystemMetrics(SM_CXSCREEN), h = ::GetSystemMetrics(SM_CYSCREEN);
  INPUT move{};
  move.type = INPUT_MOUSE;
  move.mi.dx = static_cast<LONG>((at.x * 65535LL + w / 2) / (w - 1));
  move.mi.dy = static_cast<LONG>((at.y * 65535LL + h / 2) / (h - 1));
  move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  ::SendInput(1, &move, sizeof move);
  ::Sleep(100);
  for (int i = 0; i < 2; ++i) {
    INPUT press[2] = {};
    press[0].type = press[1].type = INPUT_MOUSE;
    press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, press, sizeof(INPUT));
    ::Sleep(60);
  }
}

DesktopFolders::DesktopFolders(const std::wstring& user, const std::wstring& common)
    : oldUser_(ShellFolder(HKEY_CURRENT_USER, L"Desktop")),
      oldCommon_(ShellFolder(HKEY_LOCAL_MACHINE, L"Common Desktop")) {
  // Wine's desktop process writes the real folders back when it starts up:
  // have it up first, and keep ours until they stay.
  ::GetDesktopWindow();
  for (int i = 0; i < 10; ++i) {
    if (ShellFolder(HKEY_CURRENT_USER, L"Desktop") != user) SetShellFolder(HKEY_CURRENT_USER, L"Desktop", user);
    if (ShellFolder(HKEY_LOCAL_MACHINE, L"Common Desktop") != common)
      SetShellFolder(HKEY_LOCAL_MACHINE, L"Common Desktop", common);
    ::Sleep(100);
  }
}

DesktopFolders::~DesktopFolders() {
  SetShellFolder(HKEY_CURRENT_USER, L"Desktop", oldUser_.value_or(L""));
  SetShellFolder(HKEY_LOCAL_MACHINE, L"Common Desktop", oldCommon_.value_or(L""));
}

}  // namespace e2e
