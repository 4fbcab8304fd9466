#include "ui/form.h"

#include <algorithm>
#include <cwctype>
#include <utility>

#include "core/twips.h"
#include "ui/control_array.h"
#include "ui/keyboard.h"

namespace ui {
namespace {

// Never destroyed: forms that are statics leave it after it would have gone.
std::vector<Form*>& Forms() {
  static auto* forms = new std::vector<Form*>;
  return *forms;
}

bool ending = false;

// Forms shown modal and still open, innermost last.
std::vector<Form*>& ModalForms() {
  static auto* forms = new std::vector<Form*>;
  return *forms;
}

std::vector<std::unique_ptr<Window>>& Unloaded() {
  static std::vector<std::unique_ptr<Window>> unloaded;
  return unloaded;
}

// Called by the system: a failure ends the walk rather than crossing it.
BOOL CALLBACK CollectEnabled(HWND hwnd, LPARAM lp) {
  try {
    auto* out = reinterpret_cast<std::vector<HWND>*>(lp);
    if (::IsWindowVisible(hwnd) && ::IsWindowEnabled(hwnd)) out->push_back(hwnd);
    return TRUE;
  } catch (...) {
    ReportCaughtFailure("the walk of the program's windows");
    return FALSE;
  }
}

// The forms' keys first, as a dialog's loop takes them.
void Deliver(const MSG& msg) {
  if (RouteFormKey(msg)) return;
  ::TranslateMessage(&msg);
  ::DispatchMessageW(&msg);
}

struct WatchedEvent {
  HANDLE event;
  std::function<void()> signalled;
};

std::vector<WatchedEvent>& Watched() {
  static auto* watched = new std::vector<WatchedEvent>;
  return *watched;
}

enum class Next { kMessage, kEvent, kEnd };

// The next message in `msg`, or the calls of the watched events set run in
// its stead: their caller's loop then looks again at whether it goes on.
Next NextMessage(MSG& msg) {
  if (Watched().empty()) return ::GetMessageW(&msg, nullptr, 0, 0) > 0 ? Next::kMessage : Next::kEnd;
  if (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return msg.message != WM_QUIT ? Next::kMessage : Next::kEnd;
  WaitForMessageOrEvent(INFINITE);
  return Next::kEvent;
}

// Pumps one message or event; false once the loop must stop.
bool PumpOne() {
  MSG msg;
  const Next next = NextMessage(msg);
  if (next == Next::kEnd) {
    ending = true;
    return false;
  }
  if (next == Next::kMessage) Deliver(msg);
  return true;
}

}  // namespace

const std::vector<Form*>& LoadedForms() { return Forms(); }

Form* FindFormByHwnd(HWND hwnd) {
  const std::vector<Form*>& forms = Forms();
  for (auto it = forms.rbegin(); it != forms.rend(); ++it)
    if (*it && hwnd && (*it)->hwnd() == hwnd) return *it;
  return nullptr;
}

Window* FindControlByName(const Window& form, std::wstring_view name) {
  std::wstring_view wanted = name;
  int index = -1;
  if (const std::size_t open = name.rfind(L'('); !name.empty() && name.back() == L')' && open != name.npos) {
    const std::wstring digits(name.substr(open + 1, name.size() - open - 2));
    if (digits.empty() || digits.size() > 9 || !std::all_of(digits.begin(), digits.end(), iswdigit)) return nullptr;
    index = std::stoi(digits);
    wanted = name.substr(0, open);
  }
  for (Window* child : form.Children()) {
    if (!child) continue;
    // Names are compared as the designs' code compares them: case aside.
    if (child->Index == index && child->Name.size() == wanted.size() &&
        ::CompareStringOrdinal(child->Name.data(), static_cast<int>(child->Name.size()), wanted.data(),
                               static_cast<int>(wanted.size()), TRUE) == CSTR_EQUAL)
      return child;
    if (Window* inside = FindControlByName(*child, name)) return inside;
  }
  return nullptr;
}

Form* ModalForm() { return ModalForms().empty() ? nullptr : ModalForms().back(); }

void DeferDelete(std::unique_ptr<Window> window) { Unloaded().push_back(std::move(window)); }

void CollectUnloaded() { Unloaded().clear(); }

void EndProgram(int code) {
  ending = true;
  ::PostQuitMessage(code);
}

bool Ending() { return ending; }

int RunMessageLoop() {
  MSG msg;
  for (;;) {
    CollectUnloaded();  // no handler is running between two messages of the outer loop
    const Next next = NextMessage(msg);
    if (next == Next::kEnd) break;
    if (next == Next::kMessage) Deliver(msg);
  }
  ending = true;
  return static_cast<int>(msg.wParam);
}

void WatchEvent(HANDLE event, std::function<void()> signalled) {
  UnwatchEvent(event);
  // One wait takes at most this many, the thread's messages aside.
  if (event && Watched().size() < MAXIMUM_WAIT_OBJECTS - 1) Watched().push_back({event, std::move(signalled)});
}

void UnwatchEvent(HANDLE event) {
  std::erase_if(Watched(), [event](const WatchedEvent& w) { return w.event == event; });
}

void WaitForMessageOrEvent(DWORD ms) {
  std::vector<HANDLE> events;
  for (const WatchedEvent& w : Watched()) events.push_back(w.event);
  const DWORD n = static_cast<DWORD>(events.size());
  const DWORD woken = ::MsgWaitForMultipleObjectsEx(n, events.data(), ms, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  if (woken >= WAIT_OBJECT_0 + n) return;
  // A copy: the call may watch or unwatch an event, which moves the list.
  const std::function<void()> signalled = Watched()[woken - WAIT_OBJECT_0].signalled;
  Raise(signalled);
}

Form::Form(std::wstring name) {
  Name = std::move(name);
  visible_ = false;  // a form shows when told to
}

Form::~Form() {
  std::erase(Forms(), this);
  std::erase(ModalForms(), this);
}

void Form::Load() {
  if (loaded_) return;
  loaded_ = true;
  Forms().push_back(this);
  CreateHwnd(nullptr, WS_POPUP, WS_EX_TOOLWINDOW);
  Design();
  Form_Load();
}

void Form::Show() {
  Load();
  if (!loaded_ || !hwnd()) return;  // the load may have ended the program
  SetVisible(true);
  ::ShowWindow(hwnd(), SW_SHOW);
}

void Form::ShowModal() {
  Load();
  if (!loaded_ || !hwnd()) return;
  modalPrevious_ = ::GetActiveWindow();
  modalDisabled_.clear();
  ::EnumThreadWindows(::GetCurrentThreadId(), CollectEnabled, reinterpret_cast<LPARAM>(&modalDisabled_));
  std::erase(modalDisabled_, hwnd());
  for (HWND h : modalDisabled_) ::EnableWindow(h, FALSE);
  modal_ = true;
  ModalForms().push_back(this);
  Show();
  while (loaded_ && !ending && PumpOne()) {
  }
  EndModal();
  if (ending) ::PostQuitMessage(0);  // let the outer loop see the end too
}

void Form::EndModal() {
  if (!modal_) return;
  modal_ = false;
  std::erase(ModalForms(), this);
  for (HWND h : modalDisabled_)
    if (::IsWindow(h)) ::EnableWindow(h, TRUE);
  modalDisabled_.clear();
  // Activated while this form still stands, the window sees where the
  // activation comes from, and its activation handler runs at once instead
  // of waiting for a click.
  HWND previous = std::exchange(modalPrevious_, nullptr);
  if (previous && previous != hwnd() && ::IsWindow(previous) && ::IsWindowVisible(previous) &&
      ::IsWindowEnabled(previous))
    ::SetActiveWindow(previous);
}

bool Form::Unload() {
  if (!loaded_) return true;
  bool cancel = false;
  try {
    Form_Unload(cancel);
  } catch (...) {
    ReportCaughtFailure("a form's unload");
  }
  if (cancel || !loaded_) return !loaded_;
  loaded_ = false;
  std::erase(Forms(), this);
  EndModal();
  if (hwnd()) ::DestroyWindow(hwnd());
  return true;
}

void Form::SetIcon(PicturePtr icon) {
  icon_ = std::move(icon);
  if (hwnd() && icon_ && icon_->Icon()) {
    ::SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_->Icon()));
    ::SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_->Icon()));
  }
}

void Form::OnSized() { Guarded([this] { Form_Resize(); }); }

LRESULT Form::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CLOSE:
      Unload();
      return 0;
    case WM_DESTROY:
      if (auto tips = static_cast<HWND>(::RemovePropW(hwnd(), L"TolvaneTips"))) ::DestroyWindow(tips);
      break;
    case WM_ACTIVATE: {
      if (LOWORD(wp) == WA_INACTIVE) {
        const HWND focus = ::GetFocus();
        lastFocus_ = focus && ::IsChild(hwnd(), focus) ? focus : nullptr;
        break;
      }
      // The system's handling puts the focus on the form itself: a form's
      // focus goes back to its control, as a dialog's does, and Form_Activate
      // comes after it so that its own choice of focus stands.
      const LRESULT r = Window::OnMessage(msg, wp, lp);
      if (!::IsIconic(hwnd())) FocusOnActivation(hwnd(), lastFocus_);
      // Activation among the program's own windows, as a form sees it:
      // coming back from another program is not a new activation.
      HWND from = reinterpret_cast<HWND>(lp);
      DWORD pid = 0;
      if (from) ::GetWindowThreadProcessId(from, &pid);
      if (!activatedOnce_ || !from || pid == ::GetCurrentProcessId()) {
        activatedOnce_ = true;
        Guarded([this] { Form_Activate(); });
      }
      return r;
    }
    case WM_PAINT: {
      LRESULT r = Window::OnMessage(msg, wp, lp);
      Guarded([this] { Form_Paint(); });
      return r;
    }
    case WM_SIZE:
      ArrangeAligned();
      if (wp != SIZE_MINIMIZED) OnSized();
      return 0;
    case WM_WINDOWPOSCHANGED: {
      // Follow moves made by the system, keeping our own twips when they
      // still name the same pixel.
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(lp);
      if (!(pos->flags & SWP_NOMOVE)) {
        if (tolvane::TwipsToPixels(left_) != pos->x) left_ = tolvane::PixelsToTwips(pos->x);
        if (tolvane::TwipsToPixels(top_) != pos->y) top_ = tolvane::PixelsToTwips(pos->y);
      }
      break;
    }
  }
  return Window::OnMessage(msg, wp, lp);
}

}  // namespace ui
