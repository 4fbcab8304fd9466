#include "driver.h"

#include <filesystem>

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

std::vector<HWND> Descendants(HWND parent) {
  std::vector<HWND> all;
  ::EnumChildWindows(parent, [](HWND h, LPARAM lp) {
    reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
    return TRUE;
  }, reinterpret_cast<LPARAM>(&all));
  return all;
}

// A visible top-level window of `pid` with this class (and title), once there.
HWND WaitTopLevel(DWORD pid, const wchar_t* className, const wchar_t* title, DWORD ms) {
  HWND found = nullptr;
  WaitFor([&] {
    for (HWND h = nullptr; (h = ::FindWindowExW(nullptr, h, className, title)) != nullptr;) {
      DWORD owner = 0;
      ::GetWindowThreadProcessId(h, &owner);
      if (owner == pid && ::IsWindowVisible(h)) return (found = h) != nullptr;
    }
    return false;
  }, ms);
  return found;
}

}  // namespace

void ClearSettings() {
  for (const wchar_t* section : {L"Data", L"Settings", L"Interface"}) Store().DeleteSection(section);
}

void Set(const std::wstring& section, std::initializer_list<std::pair<std::wstring, std::wstring>> values) {
  for (const auto& [key, value] : values) Store().Save(section, key, value);
}

std::optional<std::wstring> Get(const std::wstring& section, const std::wstring& key) {
  if (!Store().Has(section, key)) return std::nullopt;
  return Store().Get(section, key, L"");
}

std::map<std::wstring, std::wstring> Section(const std::wstring& section) {
  std::map<std::wstring, std::wstring> out;
  for (const std::wstring& key : Store().Keys(section)) out[key] = Store().Get(section, key, L"");
  return out;
}

std::wstring ProgramFolder() {
  wchar_t self[MAX_PATH];
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  return (std::filesystem::path(self).parent_path() / TOLVANE_EXE_DIR).lexically_normal().wstring();
}

Program::Program() {
  const std::wstring folder = ProgramFolder();
  std::wstring command = L"\"" + folder + L"\\Tolvane.exe\"";
  STARTUPINFOW si{sizeof si};
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi)) return;
  ::CloseHandle(pi.hThread);
  process_.reset(pi.hProcess);
  pid_ = pi.dwProcessId;
}

Program::~Program() {
  if (!WaitExit(0)) {
    ::TerminateProcess(process_.get(), 1);
    ::WaitForSingleObject(process_.get(), 5000);
  }
}

std::optional<DWORD> Program::WaitExit(DWORD ms) const {
  DWORD code = 0;
  if (!process_) return code;
  if (::WaitForSingleObject(process_.get(), ms) != WAIT_OBJECT_0 || !::GetExitCodeProcess(process_.get(), &code))
    return std::nullopt;
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
  for (HWND h = ::FindWindowExW(box, nullptr, L"Static", nullptr); h; h = ::FindWindowExW(box, h, L"Static", nullptr))
    text += TextOf(h);
  Press(box, buttonId);
  WaitFor([&] { return !::IsWindow(box); });
  return text;
}

void Press(HWND dialog, int buttonId) {
  ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(dialog, buttonId)));
}

void MenuKeys(HWND, const std::vector<WORD>& keys) {
  // A menu reads the keyboard, not posted messages, and only once its loop runs.
  ::Sleep(400);
  for (WORD key : keys) {
    ::keybd_event(static_cast<BYTE>(key), 0, 0, 0);
    ::keybd_event(static_cast<BYTE>(key), 0, KEYEVENTF_KEYUP, 0);
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
  for (HWND h : Descendants(parent)) {
    wchar_t name[64] = {};
    ::GetClassNameW(h, name, 64);
    if (::lstrcmpiW(name, className) == 0) return h;
  }
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
  ::SetCursorPos(at.x, at.y);
  ::Sleep(100);
  for (int i = 0; i < 2; ++i) {
    ::mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    ::mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ::Sleep(60);
  }
}

DesktopFolders::DesktopFolders(const std::wstring& user, const std::wstring& common)
    : oldUser(ShellFolder(HKEY_CURRENT_USER, L"Desktop")),
      oldCommon(ShellFolder(HKEY_LOCAL_MACHINE, L"Common Desktop")) {
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
  SetShellFolder(HKEY_CURRENT_USER, L"Desktop", oldUser.value_or(L""));
  SetShellFolder(HKEY_LOCAL_MACHINE, L"Common Desktop", oldCommon.value_or(L""));
}

}  // namespace e2e
