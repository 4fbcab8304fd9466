// The text box and the list box of the dialogs: the system's own edit and
// list controls, each hosted in a window of ours so that its events reach
// the form's handlers like every other control's.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/controls.h"

namespace ui {

// A window of ours hosting one system control that fills it.
class HostWindow : public Window {
 protected:
  void CreateHost(Window& parent, const Design& d);
};

// Its back and text colours and its font are the design's and follow every
// later change; a design that keeps the default back colour gets the
// system's window colour.
class TextBox : public HostWindow {
 public:
  void Create(Window& parent, const Design& d);
  std::wstring Text() const;
  void SetText(const std::wstring& text);
  void Focus();
  bool HasFocus() const;
  // Files dropped from the shell reach onDropFiles.
  void AcceptFiles(bool accept);
  HWND EditHwnd() const { return edit_; }

  std::function<void()> onChange;
  // A key typed in the box (13 for Enter); the box does not beep at Enter.
  std::function<void(int key)> onKeyPress;
  // The dropped files' paths, in the order the shell gives them.
  std::function<void(const std::vector<std::wstring>& files)> onDropFiles;

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnSized() override;
  void OnLookChanged() override;

 private:
  static LRESULT CALLBACK EditProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  void DropFiles(HDROP drop);

  HWND edit_ = nullptr;
  OwnedBrush backBrush_;
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
