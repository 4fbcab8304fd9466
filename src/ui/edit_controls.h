// The text box and the list box of the dialogs: the system's own edit and
// list controls, each hosted in a window of ours so that its events reach
// the form's handlers like every other control's.
#pragma once

#include <functional>
#include <string>

#include "ui/controls.h"

namespace ui {

// A window of ours hosting one system control that fills it.
class HostWindow : public Window {
 protected:
  void CreateHost(Window& parent, const Design& d);
};

class TextBox : public HostWindow {
 public:
  void Create(Window& parent, const Design& d);
  std::wstring Text() const;
  void SetText(const std::wstring& text);
  void Focus();

  std::function<void()> onChange;
  // A key typed in the box (13 for Enter); the box does not beep at Enter.
  std::function<void(int key)> onKeyPress;

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnSized() override;

 private:
  static LRESULT CALLBACK EditProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  HWND edit_ = nullptr;
};

class ListBox : public HostWindow {
 public:
  // A sorted list keeps its entries in alphabetical order as they come.
  void Create(Window& parent, const Design& d, bool sorted = false);
  void AddItem(const std::wstring& text);
  void Clear();
  int ListCount() const;
  int ListIndex() const;  // -1 when nothing is chosen
  // Choosing an entry from code raises onClickItem, as a click does.
  void SetListIndex(int index);
  std::wstring List(int index) const;

  std::function<void()> onClickItem;

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnSized() override;

 private:
  HWND list_ = nullptr;
};

}  // namespace ui
