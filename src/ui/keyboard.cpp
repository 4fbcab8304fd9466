#include "ui/keyboard.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/access_key.h"
#include "ui/form.h"

namespace ui {
namespace {

// One atom for the program's life: the property dies with each window and
// holds no reference of its own.
const wchar_t* OrderProperty() {
  static const ATOM atom = ::GlobalAddAtomW(L"Tolvane.TabOrder");
  return MAKEINTATOM(atom);
}

constexpr std::uintptr_t kUnnoted = UINTPTR_MAX;

std::uintptr_t OrderOf(HWND root, HWND window) {
  for (HWND h = window; h && h != root; h = ::GetParent(h)) {
    if (const auto order = reinterpret_cast<std::uintptr_t>(::GetPropW(h, OrderProperty()))) return order;
  }
  return kUnnoted;
}

// Shown and enabled up to the form: a hidden or disabled container leaves
// its controls out of reach whatever their own state.
bool Reachable(HWND root, HWND window) {
  for (HWND h = window; h && h != root; h = ::GetParent(h)) {
    if ((::GetWindowLongW(h, GWL_STYLE) & (WS_VISIBLE | WS_DISABLED)) != WS_VISIBLE) return false;
  }
  return true;
}

// Called by the system: a failure ends the walk rather than crossing it.
BOOL CALLBACK Collect(HWND window, LPARAM lp) {
  try {
    reinterpret_cast<std::vector<HWND>*>(lp)->push_back(window);
    return TRUE;
  } catch (...) {
    ReportCaughtFailure("the walk of a form's controls");
    return FALSE;
  }
}

// The controls of `root` the keyboard can reach, in tab order.
std::vector<HWND> InTabOrder(HWND root) {
  std::vector<HWND> all;
  ::EnumChildWindows(root, Collect, reinterpret_cast<LPARAM>(&all));
  std::vector<std::pair<std::uintptr_t, HWND>> keyed;
  for (HWND h : all) {
    if (Reachable(root, h)) keyed.emplace_back(OrderOf(root, h), h);
  }
  std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<HWND> ordered;
  for (const auto& k : keyed) ordered.push_back(k.second);
  return ordered;
}

// Where the control holding the focus stands in `controls` (the focus may be
// in a child of one of them), or the end when it stands nowhere.
std::size_t PlaceOf(const std::vector<HWND>& controls, HWND focus) {
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (controls[i] == focus || ::IsChild(controls[i], focus)) return i;
  }
  return controls.size();
}

LRESULT DialogCode(HWND window, const MSG* msg) {
  return ::SendMessageW(window, WM_GETDLGCODE, msg ? msg->wParam : 0,
                        reinterpret_cast<LPARAM>(const_cast<MSG*>(msg)));
}

bool IsFormWindow(HWND window) {
  const auto& forms = LoadedForms();
  return std::any_of(forms.begin(), forms.end(), [window](const Form* f) { return f->hwnd() == window; });
}

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// Starts after the focused control, as a dialog does. Buttons sharing a key
// take turns: the one clicked takes the focus, so the next press goes on to
// the next of them.
bool ClickAccessKey(HWND root, HWND focus, wchar_t typed) {
  const wchar_t key = tolvane::KeyToLower(typed);
  const std::vector<HWND> controls = InTabOrder(root);
  const std::size_t n = controls.size();
  const std::size_t start = PlaceOf(controls, focus) + 1;
  std::vector<HWND> keyed;
  for (std::size_t i = 0; i < n; ++i) {
    const HWND control = controls[(start + i) % n];
    if (!(DialogCode(control, nullptr) & (DLGC_BUTTON | DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) continue;
    if (tolvane::AccessKey(TextOf(control)) == key) keyed.push_back(control);
  }
  if (keyed.empty()) return false;
  if (keyed.size() > 1) ::SetFocus(keyed.front());
  ::SendMessageW(keyed.front(), BM_CLICK, 0, 0);
  return true;
}

bool Wants(const MSG& msg, LRESULT codes) { return (DialogCode(msg.hwnd, &msg) & codes) != 0; }

}  // namespace

void NoteTabOrder(HWND window) {
  static std::uintptr_t next = 0;
  if (window) ::SetPropW(window, OrderProperty(), reinterpret_cast<HANDLE>(++next));
}

HWND NextTabStop(HWND from, bool backward) {
  const HWND root = ::GetAncestor(from, GA_ROOT);
  if (!root) return nullptr;
  std::vector<HWND> stops = InTabOrder(root);
  std::erase_if(stops, [](HWND h) { return !(::GetWindowLongW(h, GWL_STYLE) & WS_TABSTOP); });
  if (stops.empty()) return nullptr;
  const std::size_t n = stops.size();
  const std::size_t at = PlaceOf(stops, from);
  if (at == n) return backward ? stops.back() : stops.front();
  return stops[backward ? (at + n - 1) % n : (at + 1) % n];
}

bool TabFrom(HWND from, bool backward) {
  const HWND next = NextTabStop(from, backward);
  if (!next) return false;
  ::SetFocus(next);
  // Arriving by the keyboard selects a text box's whole text, as in a dialog.
  if (::IsWindow(next) && ::GetFocus() == next && (DialogCode(next, nullptr) & DLGC_HASSETSEL)) {
    ::SendMessageW(next, EM_SETSEL, 0, -1);
  }
  return true;
}

void FocusOnActivation(HWND form, HWND last) {
  const HWND focus = ::GetFocus();
  if (focus && ::IsChild(form, focus)) return;
  const bool lastUsable = last && ::IsChild(form, last) && Reachable(form, last);
  const HWND target = lastUsable ? last : NextTabStop(form, false);
  if (target) ::SetFocus(target);
}

bool RouteFormKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_CHAR && msg.message != WM_SYSCHAR) return false;
  const HWND root = msg.hwnd ? ::GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  if (!root || !IsFormWindow(root)) return false;
  switch (msg.message) {
    case WM_KEYDOWN:
      if (msg.wParam != VK_TAB || ::GetKeyState(VK_CONTROL) < 0 || ::GetKeyState(VK_MENU) < 0) return false;
      if (Wants(msg, DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return false;
      return TabFrom(msg.hwnd, ::GetKeyState(VK_SHIFT) < 0);
    case WM_CHAR:
      // A plain key is an access key only where it would type nothing.
      if (msg.wParam < L' ' || Wants(msg, DLGC_WANTCHARS | DLGC_WANTMESSAGE)) return false;
      return ClickAccessKey(root, msg.hwnd, static_cast<wchar_t>(msg.wParam));
    default:
      return ClickAccessKey(root, msg.hwnd, static_cast<wchar_t>(msg.wParam));
  }
}

}  // namespace ui
