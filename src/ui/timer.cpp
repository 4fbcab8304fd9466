#include "ui/timer.h"

#include <map>

#include "ui/window.h"

namespace ui {
namespace {

// Never destroyed: timers owned by statics may stop after it would have been.
std::map<UINT_PTR, Timer*>& Running() {
  static auto* running = new std::map<UINT_PTR, Timer*>;
  return *running;
}

}  // namespace

void Timer::Start(UINT intervalMs) {
  Stop();
  id_ = ::SetTimer(nullptr, 0, intervalMs, &Timer::Tick);
  if (id_) Running()[id_] = this;
}

void Timer::Stop() {
  if (!id_) return;
  ::KillTimer(nullptr, id_);
  Running().erase(id_);
  id_ = 0;
}

void CALLBACK Timer::Tick(HWND hwnd, UINT msg, UINT_PTR id, DWORD) {
  const MessageInHand inHand(hwnd, msg);
  auto it = Running().find(id);
  if (it != Running().end()) Raise(it->second->onTimer);
}

}  // namespace ui
