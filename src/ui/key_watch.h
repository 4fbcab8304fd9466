// Tells of changes to a registry key's values, whoever writes them, through
// the message loops: nothing runs and nothing wakes until one is made.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ui/handles.h"

namespace ui {

class KeyWatch {
 public:
  // Watches the values of `path` under `root` (made when missing, so that a
  // value set later is seen) and calls `changed` once per wake of the loop
  // that saw one or more of them change, or the key go.
  KeyWatch(HKEY root, std::wstring path, std::function<void()> changed);
  ~KeyWatch();
  KeyWatch(const KeyWatch&) = delete;
  KeyWatch& operator=(const KeyWatch&) = delete;

 private:
  void Arm();
  void Signalled();

  HKEY root_;
  std::wstring path_;
  std::function<void()> changed_;
  OwnedKey key_;
  OwnedHandle event_;
};

}  // namespace ui
