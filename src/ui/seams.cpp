#include "ui/seams.h"

#include <cderr.h>
#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <array>
#include <cwchar>
#include <set>
#include <string>

#include "ui/handles.h"
#include "ui/window.h"

namespace ui {
namespace {

// Called by the system: a failure stops the listing rather than crossing it.
int CALLBACK AddFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM lp) {
  try {
    if (font->lfFaceName[0] != L'@') reinterpret_cast<std::set<std::wstring>*>(lp)->insert(font->lfFaceName);
    return 1;
  } catch (...) {
    ReportCaughtFailure("the font listing");
    return 0;
  }
}

class RealDesktop final : public Desktop {
 public:
  int Message(HWND owner, std::wstring_view text, std::wstring_view title, UINT style) override {
    return ::MessageBoxW(owner, std::wstring(text).c_str(), std::wstring(title).c_str(), style);
  }
  INT_PTR Open(HWND owner, std::wstring_view target) override {
    return reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(owner, nullptr, std::wstring(target).c_str(), nullptr, L"", SW_SHOWNORMAL));
  }
  POINT CursorPos() override {
    POINT p{};
    ::GetCursorPos(&p);
    return p;
  }
  bool TrayIcon(DWORD message, NOTIFYICONDATAW& data) override {
    return ::Shell_NotifyIconW(message, &data) != FALSE;
  }
  int TrackMenu(HMENU menu, HWND owner, POINT at) override {
    return ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
  }
  SIZE ScreenSize() override {
    return {::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  }
  std::optional<std::wstring> ChooseFile(HWND owner, std::wstring_view start) override {
    // Room for the longest path Windows has; grown if the chooser asks for more.
    std::wstring file(32768, L'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
      file.assign(file.size(), L'\0');
      if (attempt == 0) std::copy_n(start.begin(), std::min(start.size(), file.size() - 1), file.begin());
      OPENFILENAMEW ofn{};
      ofn.lStructSize = sizeof ofn;
      ofn.hwndOwner = owner;
      ofn.lpstrFile = file.data();
      ofn.nMaxFile = static_cast<DWORD>(file.size());
      ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
      if (::GetOpenFileNameW(&ofn)) {
        file.resize(std::wcslen(file.c_str()));
        return file;
      }
      const DWORD error = ::CommDlgExtendedError();
      if (error == 0) return std::nullopt;  // cancelled
      if (error == FNERR_BUFFERTOOSMALL) {
        file.resize(std::max<std::size_t>(file.size() * 2, *reinterpret_cast<const WORD*>(file.data()) + 1u));
        --attempt;  // the same start, in a bigger buffer
        if (file.size() > (1u << 20)) return std::nullopt;
        continue;
      }
      // A start the chooser cannot take: open it again without one.
      if (start.empty()) return std::nullopt;
    }
    return std::nullopt;
  }
  std::optional<COLORREF> ChooseColour(HWND owner, COLORREF start) override {
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = owner;
    cc.rgbResult = start;
    cc.lpCustColors = customColours_.data();  // the dialog keeps them between openings
    cc.Flags = CC_RGBINIT | CC_ANYCOLOR;
    if (!::ChooseColorW(&cc)) return std::nullopt;
    return cc.rgbResult;
  }
  std::optional<COLORREF> ChooseListColour(HWND owner, std::optional<COLORREF> start) override {
    std::array<COLORREF, 16> greys{};
    for (int i = 0; i < 16; ++i) greys[i] = RGB(15 * (i + 1), 15 * (i + 1), 15 * (i + 1));
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = owner;
    cc.hInstance = reinterpret_cast<HWND>(::GetModuleHandleW(nullptr));
    cc.rgbResult = start.value_or(0);
    cc.lpCustColors = greys.data();
    cc.Flags = (start ? CC_RGBINIT : CC_ANYCOLOR) | CC_FULLOPEN;
    if (!::ChooseColorW(&cc)) return std::nullopt;
    return cc.rgbResult;
  }
  std::vector<std::wstring> ScreenFonts() override {
    std::set<std::wstring> names;  // a family comes once per character set
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    WindowDc screen(nullptr);
    ::EnumFontFamiliesExW(screen.get(), &wanted, AddFamily, reinterpret_cast<LPARAM>(&names), 0);
    return {names.begin(), names.end()};
  }
  bool ShowDesktopWindow(bool show) override {
    HWND desktop = ::FindWindowExW(nullptr, nullptr, L"Progman", nullptr);
    if (!desktop) return false;
    ::ShowWindow(desktop, show ? SW_SHOW : SW_HIDE);
    return true;
  }

 private:
  std::array<COLORREF, 16> customColours_{};
};

RealDesktop realDesktop;
Desktop* current = &realDesktop;

}  // namespace

Desktop& TheDesktop() { return *current; }

Desktop* SetDesktop(Desktop* desktop) {
  Desktop* old = current;
  current = desktop ? desktop : &realDesktop;
  return old;
}

}  // namespace ui
