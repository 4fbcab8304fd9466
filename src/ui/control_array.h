// Control arrays: element 0 comes from the form's design, further elements
// are loaded from it at run time and unloaded again. Events reach one handler
// per array, with the element's index.
#pragma once

#include <functional>
#include <map>
#include <memory>

#include "ui/controls.h"

namespace ui {

// Keeps unloaded controls alive until no handler can be running on them:
// a control may be unloaded from inside its own event.
void DeferDelete(std::unique_ptr<Window> window);
// Frees what DeferDelete kept; the message loop calls it between messages.
void CollectUnloaded();

template <typename T>
class ControlArray {
 public:
  std::function<void(int)> onClick;
  std::function<void(int, const MouseArgs&)> onMouseDown;
  std::function<void(int, const MouseArgs&)> onMouseUp;
  std::function<void(int)> onMouseEnter;
  std::function<void(int)> onMouseExit;

  // Element 0, from the design.
  T& Create(Window& parent, const Design& d) {
    parent_ = &parent;
    design_ = d;
    return Make(0, d, &parent);
  }

  // A new element with element 0's design, hidden, as a loaded element is;
  // in element 0's container unless another is named.
  T& Load(int index, Window* container = nullptr) {
    Design d = design_;
    d.visible = false;
    return Make(index, d, container ? container : parent_);
  }

  void Unload(int index) {
    auto it = items_.find(index);
    if (it == items_.end() || index == 0) return;
    std::unique_ptr<Window> gone = std::move(it->second);
    items_.erase(it);
    // Its window lives on until the loop collects it, and messages already
    // on their way, such as the pointer leaving it, still come: they must
    // not reach the handlers with an index gone or given to a new element.
    gone->onClick = nullptr;
    gone->onMouseDown = gone->onMouseUp = nullptr;
    gone->onMouseEnter = gone->onMouseExit = nullptr;
    gone->SetVisible(false);
    gone->LeaveParent();
    DeferDelete(std::move(gone));
  }

  // A new element from a design of its own, such as element 0's with
  // another place: made where it belongs, with nothing to move after.
  T& Load(int index, const Design& d, Window* container = nullptr) {
    return Make(index, d, container ? container : parent_);
  }
  const Design& GetDesign() const { return design_; }

  bool Exists(int index) const { return items_.count(index) > 0; }
  T& operator[](int index) { return *items_.at(index); }
  const T& operator[](int index) const { return *items_.at(index); }
  int Count() const { return static_cast<int>(items_.size()); }
  int UBound() const { return items_.empty() ? -1 : items_.rbegin()->first; }

  template <typename F>
  void ForEach(F f) {
    for (auto& [i, c] : items_) f(i, *c);
  }

 private:
  T& Make(int index, const Design& d, Window* parent) {
    auto c = std::make_unique<T>();
    T& ref = *c;
    items_[index] = std::move(c);
    ref.Index = index;
    ref.onClick = [this, index] { if (onClick) onClick(index); };
    ref.onMouseDown = [this, index](const MouseArgs& a) { if (onMouseDown) onMouseDown(index, a); };
    ref.onMouseUp = [this, index](const MouseArgs& a) { if (onMouseUp) onMouseUp(index, a); };
    ref.onMouseEnter = [this, index] { if (onMouseEnter) onMouseEnter(index); };
    ref.onMouseExit = [this, index] { if (onMouseExit) onMouseExit(index); };
    ref.Create(*parent, d);
    return ref;
  }

  Window* parent_ = nullptr;
  Design design_;
  std::map<int, std::unique_ptr<T>> items_;
};

}  // namespace ui
