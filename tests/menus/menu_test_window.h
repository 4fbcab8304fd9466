// Plain windows for the menu engine's tests: each records the messages its
// own procedure receives, after the engine has seen them.
#pragma once

#include <windows.h>

#include <thread>
#include <vector>

namespace menus::testing {

struct Received {
  UINT msg;
  WPARAM wp;
  LPARAM lp;
};

class TestWindow {
 public:
  // A top-level window, or a child of `parent`.
  explicit TestWindow(HWND parent = nullptr, bool visible = false);
  ~TestWindow();
  HWND hwnd() const { return hwnd_; }
  int Count(UINT msg) const;
  const std::vector<Received>& Log() const { return log_; }
  void Destroy();

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  HWND hwnd_ = nullptr;
  std::vector<Received> log_;
};

// Types keys into the menu this thread is about to track, from another
// thread once the menu is on screen; joins when it goes. A menu the keys did
// not close is cancelled through `owner`, so a test fails rather than hangs.
class MenuTypist {
 public:
  MenuTypist(HWND owner, std::vector<WORD> keys);
  ~MenuTypist() { thread_.join(); }

 private:
  std::thread thread_;
};

}  // namespace menus::testing
