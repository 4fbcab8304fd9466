// The yardstick: the least a bar of the launcher's size can be. One borderless
// topmost popup, a 10 ms and a 2000 ms timer that do nothing, a message loop.
// "--hidden" keeps it hidden, as the launcher is behind its tray icon;
// "--no-timer" sets no timer at all; "--exit" ends before making any window,
// which leaves what starting a process costs. Two control experiments show
// what the launcher's looks cost in a process that does nothing else:
// "--text" draws one caption in the bar's font, "--children" adds as many
// child windows as the bar has, each painting itself. After its first paint
// it sets the event named below, when the bench made one, so the bench can
// check its outside view of "painted" against the inside one.
#include <windows.h>

#include <cwchar>

namespace {

constexpr wchar_t kFirstPaintEvent[] = L"Local\\TolvaneBench.FirstPaint";
constexpr int kWidth = 221, kHeight = 364;  // the launcher's narrow bar in pixels
constexpr int kChildren = 28;               // the bar's windows, its own aside

bool painted = false;
bool text = false;

void DrawCaption(HDC dc) {
  LOGFONTW lf{};
  lf.lfHeight = -11;  // 8.25 points at 96 pixels per inch
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(lf.lfFaceName, L"Verdana", LF_FACESIZE);
  HFONT font = ::CreateFontIndirectW(&lf);
  HGDIOBJ old = ::SelectObject(dc, font);
  RECT r{8, 8, kWidth - 8, 30};
  ::SetBkMode(dc, TRANSPARENT);
  ::DrawTextW(dc, L"Outils", -1, &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  ::SelectObject(dc, old);
  ::DeleteObject(font);
}

LRESULT CALLBACK ChildProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    ::BeginPaint(hwnd, &ps);
    ::EndPaint(hwnd, &ps);
    return 0;
  }
  return ::DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(hwnd, &ps);  // the class brush already painted the background
      if (text) DrawCaption(dc);
      ::EndPaint(hwnd, &ps);
      if (!painted) {
        painted = true;
        if (HANDLE e = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, kFirstPaintEvent)) {
          ::SetEvent(e);
          ::CloseHandle(e);
        }
      }
      return 0;
    }
    case WM_TIMER:
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
  }
  return ::DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR cmdLine, int) {
  if (std::wcsstr(cmdLine, L"--exit")) return 0;
  const bool hidden = std::wcsstr(cmdLine, L"--hidden") != nullptr;
  const bool timers = std::wcsstr(cmdLine, L"--no-timer") == nullptr;
  text = std::wcsstr(cmdLine, L"--text") != nullptr;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = L"TolvaneBenchBare";
  ::RegisterClassExW(&wc);
  HWND hwnd = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, wc.lpszClassName, L"Bare window", WS_POPUP, 0, 0,
                                kWidth, kHeight, nullptr, nullptr, instance, nullptr);
  if (!hwnd) return 1;
  if (std::wcsstr(cmdLine, L"--children")) {
    WNDCLASSEXW child{};
    child.cbSize = sizeof child;
    child.lpfnWndProc = ChildProc;
    child.hInstance = instance;
    child.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    child.lpszClassName = L"TolvaneBenchChild";
    ::RegisterClassExW(&child);
    for (int i = 0; i < kChildren; ++i)
      ::CreateWindowExW(0, child.lpszClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 4, 34 + i * 11,
                        kWidth - 8, 10, hwnd, nullptr, instance, nullptr);
  }
  if (timers) {
    ::SetTimer(hwnd, 1, 10, nullptr);
    ::SetTimer(hwnd, 2, 2000, nullptr);
  }
  ::ShowWindow(hwnd, hidden ? SW_HIDE : SW_SHOW);
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}
