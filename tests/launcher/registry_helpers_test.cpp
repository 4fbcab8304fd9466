#include "base/registry_helpers.h"

#include <gtest/gtest.h>

#include "ui/handles.h"

namespace {

using namespace tolvane;

constexpr wchar_t kBase[] = L"Software\\TolvaneTest-helpers";
constexpr wchar_t kPath[] = L"Software\\TolvaneTest-helpers\\Valeurs";

class RegistryHelpersTest : public ::testing::Test {
 protected:
  void SetUp() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kBase); }
  void TearDown() override { SetUp(); }

  // A key of our own under HKEY_CURRENT_USER, to stand in for a root.
  ui::OwnedKey MakeRoot(const wchar_t* name) {
    HKEY key = nullptr;
    const std::wstring path = std::wstring(kBase) + L"\\" + name;
    ::RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    return ui::OwnedKey(key);
  }
};

TEST_F(RegistryHelpersTest, AutostartPrefersTheFirstAcceptingRootAndOffClearsAll) {
  ui::OwnedKey machine = MakeRoot(L"Machine");
  ui::OwnedKey user = MakeRoot(L"User");
  const HKEY refusing = nullptr;  // no key at all: every write through it fails
  EXPECT_TRUE(detail::WriteToFirstAccepting({refusing, user.get()}, L"Run", L"Tolvane", L"\"a\""));
  EXPECT_EQ(LireValeurRegistre(user.get(), L"Run", L"Tolvane"), L"\"a\"");
  EXPECT_FALSE(detail::WriteToFirstAccepting({refusing}, L"Run", L"Tolvane", L"\"a\""));
  EXPECT_TRUE(detail::RemoveFromAll({refusing, user.get()}, L"Run", L"Tolvane"))
      << "a root that holds no value is no failure";
  EXPECT_EQ(LireValeurRegistre(user.get(), L"Run", L"Tolvane", L"none"), L"none");

  ASSERT_TRUE(detail::WriteToFirstAccepting({machine.get(), user.get()}, L"Run", L"Tolvane", L"m"));
  EXPECT_EQ(LireValeurRegistre(machine.get(), L"Run", L"Tolvane"), L"m");
  ASSERT_TRUE(EcrireValeurRegistre(user.get(), L"Run", L"Tolvane", L"u"));  // left by an earlier refusal
  EXPECT_TRUE(detail::RemoveFromAll({machine.get(), user.get()}, L"Run", L"Tolvane"));
  EXPECT_EQ(LireValeurRegistre(machine.get(), L"Run", L"Tolvane", L"none"), L"none");
  EXPECT_EQ(LireValeurRegistre(user.get(), L"Run", L"Tolvane", L"none"), L"none");
  EXPECT_TRUE(detail::RemoveFromAll({user.get()}, L"Nulle\\Part", L"Tolvane"));  // no Run key: still off
}

}  // namespace
