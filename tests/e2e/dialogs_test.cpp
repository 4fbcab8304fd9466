// The tool entries "Aide" and "A Propos" of the real program: each opens its
// window over the bar, on top of the others, and its close button closes it.
#include <gtest/gtest.h>

#include <windows.h>

#include "driver.h"

namespace {

using e2e::Program;

bool Above(HWND upper, HWND lower) {
  for (HWND h = ::GetWindow(upper, GW_HWNDNEXT); h; h = ::GetWindow(h, GW_HWNDNEXT))
    if (h == lower) return true;
  return false;
}

class ToolDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    e2e::ClearSettings();
    e2e::SetSetting(L"Settings", L"Rec 3", L"0");
    e2e::SetSetting(L"Settings", L"Rec 5", L"0");
  }
  void TearDown() override { e2e::ClearSettings(); }

  // Opens the window by its tool entry, checks it stands over the bar, and
  // closes it by its close button.
  HWND OpenAndClose(Program& p, HWND main, const wchar_t* entry, const std::wstring& title) {
    HWND tool = e2e::FindChild(main, entry);
    EXPECT_NE(tool, nullptr) << entry;
    if (!tool) return nullptr;
    e2e::ClickWindow(tool);
    HWND dialog = p.WaitWindow(title);
    EXPECT_NE(dialog, nullptr) << title;
    if (!dialog) return nullptr;
    EXPECT_TRUE(::GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(::GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(Above(dialog, main));
    EXPECT_FALSE(::IsWindowEnabled(main));
    HWND close = e2e::FindChild(dialog, L"Fermer");
    EXPECT_NE(close, nullptr);
    if (close) e2e::ClickWindow(close);
    EXPECT_TRUE(e2e::WaitFor([&] { return !::IsWindow(dialog); }, 10000)) << title;
    EXPECT_TRUE(e2e::WaitFor([&] { return ::IsWindowEnabled(main) != FALSE; }, 5000));
    return dialog;
  }
};

TEST_F(ToolDialogs, HelpAndAboutOpenOverTheBarAndCloseWithTheirButtons) {
  Program p;
  HWND main = p.WaitMainWindow();
  ASSERT_NE(main, nullptr);
  OpenAndClose(p, main, L"Aide", L"Aide de Tolvane");
  EXPECT_TRUE(e2e::GetSetting(L"Settings", L"AideLeft").has_value());
  EXPECT_TRUE(e2e::GetSetting(L"Settings", L"AideTop").has_value());
  OpenAndClose(p, main, L"A Propos", L"A Propos de Tolvane");
  EXPECT_TRUE(p.Running());
}

}  // namespace
