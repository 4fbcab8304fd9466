#include "ui/key_watch.h"

#include <utility>

#include "ui/form.h"
#include "ui/registry_value.h"

namespace ui {

KeyWatch::KeyWatch(HKEY root, std::wstring path, std::function<void()> changed)
    : root_(root), path_(std::move(path)), changed_(std::move(changed)),
      event_(::CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
  if (!event_) return;
  Arm();
  WatchEvent(event_.get(), [this] { Signalled(); });
}

KeyWatch::~KeyWatch() {
  if (event_) UnwatchEvent(event_.get());
  // Closing the key ends its notification before the event goes.
  key_.reset();
}

void KeyWatch::Arm() {
  // A notification lasts for one change only. A key deleted and made again
  // by another program is a new key: the old handle would never hear of it.
  const auto notify = [this] {
    return key_ && ::RegNotifyChangeKeyValue(key_.get(), FALSE, REG_NOTIFY_CHANGE_LAST_SET | REG_NOTIFY_CHANGE_NAME,
                                             event_.get(), TRUE) == ERROR_SUCCESS;
  };
  if (notify()) return;
  key_ = CreateRegistryKey(root_, path_, KEY_NOTIFY);
  notify();
}

void KeyWatch::Signalled() {
  // Armed again first: a change made while `changed` runs is not missed.
  Arm();
  if (changed_) changed_();
}

}  // namespace ui
