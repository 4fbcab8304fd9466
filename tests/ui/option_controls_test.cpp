// The option dialogs' runtime under Wine: the sorted list box and a choice
// made from code, the screen font list, the preview's own font.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "ui/edit_controls.h"
#include "ui/form.h"
#include "ui/option_controls.h"
#include "ui/seams.h"

namespace {

class ListForm : public ui::Form {
 public:
  ListForm() : ui::Form(L"ListForm") {}
  ui::ListBox sorted, plain;

 protected:
  void Design() override {
    Move(0, 0, 4000, 3000);
    sorted.Create(*this, {.name = L"sorted", .width = 1500, .height = 1500}, true);
    plain.Create(*this, {.name = L"plain", .left = 1600, .width = 1500, .height = 1500});
  }
};

TEST(ListBox, SortedKeepsAlphabeticalOrderAndAChoiceFromCodeActsAsAClick) {
  ListForm f;
  f.Load();
  for (const wchar_t* name : {L"Verdana", L"Arial", L"Tahoma"}) {
    f.sorted.AddItem(name);
    f.plain.AddItem(name);
  }
  EXPECT_EQ(f.sorted.List(0) + L"," + f.sorted.List(1) + L"," + f.sorted.List(2), L"Arial,Tahoma,Verdana");
  EXPECT_EQ(f.plain.List(0) + L"," + f.plain.List(1) + L"," + f.plain.List(2), L"Verdana,Arial,Tahoma");
  std::vector<int> clicks;
  f.sorted.onClickItem = [&] { clicks.push_back(f.sorted.ListIndex()); };
  f.sorted.SetListIndex(2);
  f.sorted.SetListIndex(2);  // chosen again: the handler runs again, as for a click
  f.sorted.SetListIndex(0);
  f.sorted.SetListIndex(-1);
  EXPECT_EQ(clicks, (std::vector<int>{2, 2, 0}));
  f.Unload();
}

TEST(ScreenFonts, OneNamePerFamilyAndNoVerticalFaces) {
  const std::vector<std::wstring> fonts = ui::TheDesktop().ScreenFonts();
  ASSERT_FALSE(fonts.empty());
  EXPECT_EQ(std::set<std::wstring>(fonts.begin(), fonts.end()).size(), fonts.size());
  for (const std::wstring& name : fonts) EXPECT_TRUE(!name.empty() && name[0] != L'@') << name;
}

TEST(FontHolder, DeletesTheFontItReplaces) {
  ui::FontHolder holder;
  HFONT first = holder.Get({.name = L"Arial", .size = 9});
  EXPECT_EQ(holder.Get({.name = L"Arial", .size = 9}), first);
  EXPECT_EQ(::GetObjectType(first), static_cast<DWORD>(OBJ_FONT));
  HFONT second = holder.Get({.name = L"Tahoma", .size = 9});
  EXPECT_EQ(::GetObjectType(first), 0u) << "the replaced font is left behind";
  EXPECT_EQ(::GetObjectType(second), static_cast<DWORD>(OBJ_FONT));
}

}  // namespace
