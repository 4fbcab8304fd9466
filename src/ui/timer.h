// A form timer: raises onTimer every Interval milliseconds while enabled.
#pragma once

#include <windows.h>

#include <functional>

namespace ui {

class Timer {
 public:
  Timer() = default;
  ~Timer() { Stop(); }
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  void Start(UINT intervalMs);
  void Stop();
  bool Enabled() const { return id_ != 0; }

  std::function<void()> onTimer;

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD);
  UINT_PTR id_ = 0;
};

}  // namespace ui
