#include "launcher/registry_helpers.h"

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
    EXPECT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                nullptr, &key, nullptr),
              ERROR_SUCCESS);
    return ui::OwnedKey(key);
  }

  void WriteRaw(const wchar_t* name, DWORD type, const void* data, DWORD bytes) {
    ui::OwnedKey key = MakeRoot(L"Valeurs");
    ASSERT_EQ(::RegSetValueExW(key.get(), name, 0, type, static_cast<const BYTE*>(data), bytes),
              ERROR_SUCCESS);
  }
};

TEST_F(RegistryHelpersTest, WriteReadDeleteRoundTrip) {
  EXPECT_EQ(LireValeurRegistre(HKEY_CURRENT_USER, kPath, L"Desktop", L"aucun"), L"aucun");
  EXPECT_EQ(LireValeurRegistre(HKEY_CURRENT_USER, kPath, L"Desktop"), L"");
  EXPECT_TRUE(EcrireValeurRegistre(HKEY_CURRENT_USER, kPath, L"Desktop", L"C:\\Bureau é"));
  EXPECT_EQ(LireValeurRegistre(HKEY_CURRENT_USER, kPath, L"Desktop", L"aucun"), L"C:\\Bureau é");
  EXPECT_TRUE(SupprimerValeurRegistre(HKEY_CURRENT_USER, kPath, L"Desktop"));
  EXPECT_EQ(LireValeurRegistre(HKEY_CURRENT_USER, kPath, L"Desktop", L"aucun"), L"aucun");
  // Nothing left to delete: reported, not fatal.
  EXPECT_FALSE(SupprimerValeurRegistre(HKEY_CURRENT_USER, kPath, L"Desktop"));
  EXPECT_FALSE(SupprimerValeurRegistre(HKEY_CURRENT_USER, L"Software\\TolvaneTest-none", L"x"));
}

TEST_F(RegistryHelpersTest, EmptyDataWritesOneNul) {
  ASSERT_TRUE(EcrireValeurRegistre(HKEY_CURRENT_USER, kPath, L"Vide", L""));
  ui::OwnedKey key = MakeRoot(L"Valeurs");
  DWORD type = 0, bytes = 99;
  ASSERT_EQ(::RegQueryValueExW(key.get(), L"Vide", nullptr, &type, nullptr, &bytes), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(bytes, sizeof(wchar_t));
  EXPECT_EQ(LireValeurRegistre(HKEY_CURRENT_USER, kPath, L"Vide", L"x"), L"");
}

TEST_F(RegistryHelpersTest, OtherTypesReadAsFallback) {
  const DWORD number = 1;
  WriteRaw(L"Nombre", REG_DWORD, &number, sizeof number);
  const wchar_t expandable[] = L"%USERPROFILE%\\Desktop";
  WriteRaw(L"Chemin", REG_EXPAND_SZ, expandable, sizeof expandable);
  EXPECT_EQ(LireValeurRegistre(HKEY_CURRENT_USER, kPath, L"Nombre", L"def"), L"def");
  EXPECT_EQ(LireValeurRegistre(HKEY_CURRENT_USER, kPath, L"Chemin", L"def"), L"def");
}

TEST_F(RegistryHelpersTest, ValueWithoutNulIsReadWhole) {
  const wchar_t text[] = {L'C', L':', L'\\', L'B'};
  WriteRaw(L"SansNul", REG_SZ, text, sizeof text);
  EXPECT_EQ(LireValeurRegistre(HKEY_CURRENT_USER, kPath, L"SansNul"), L"C:\\B");
}

TEST_F(RegistryHelpersTest, AutostartFallsBackWhenTheFirstRootRefuses) {
  ui::OwnedKey user = MakeRoot(L"User");
  const HKEY refusing = nullptr;  // no key at all: every write through it fails
  EXPECT_TRUE(detail::WriteToFirstAccepting({refusing, user.get()}, L"Run", L"Tolvane", L"\"a\""));
  EXPECT_EQ(LireValeurRegistre(user.get(), L"Run", L"Tolvane"), L"\"a\"");
  EXPECT_FALSE(detail::WriteToFirstAccepting({refusing}, L"Run", L"Tolvane", L"\"a\""));
  // Turning off through a refusing root is not reported as done.
  EXPECT_FALSE(detail::RemoveFromAll({refusing, user.get()}, L"Run", L"Tolvane"));
  EXPECT_EQ(LireValeurRegistre(user.get(), L"Run", L"Tolvane", L"none"), L"none");
}

TEST_F(RegistryHelpersTest, AutostartPrefersTheFirstRootAndOffClearsBoth) {
  ui::OwnedKey machine = MakeRoot(L"Machine");
  ui::OwnedKey user = MakeRoot(L"User");
  ASSERT_TRUE(detail::WriteToFirstAccepting({machine.get(), user.get()}, L"Run", L"Tolvane", L"m"));
  EXPECT_EQ(LireValeurRegistre(machine.get(), L"Run", L"Tolvane"), L"m");
  EXPECT_EQ(LireValeurRegistre(user.get(), L"Run", L"Tolvane", L"none"), L"none");
  // A value left under the user's key by an earlier refusal goes too.
  ASSERT_TRUE(EcrireValeurRegistre(user.get(), L"Run", L"Tolvane", L"u"));
  EXPECT_TRUE(detail::RemoveFromAll({machine.get(), user.get()}, L"Run", L"Tolvane"));
  EXPECT_EQ(LireValeurRegistre(machine.get(), L"Run", L"Tolvane", L"none"), L"none");
  EXPECT_EQ(LireValeurRegistre(user.get(), L"Run", L"Tolvane", L"none"), L"none");
  // Already off, or no Run key at all: still off.
  EXPECT_TRUE(detail::RemoveFromAll({machine.get(), user.get()}, L"Run", L"Tolvane"));
  EXPECT_TRUE(detail::RemoveFromAll({user.get()}, L"Nulle\\Part", L"Tolvane"));
}

TEST_F(RegistryHelpersTest, AutostartCommandQuotesThisProgram) {
  const std::wstring command = AutostartCommand();
  ASSERT_GE(command.size(), 3u);
  EXPECT_EQ(command.front(), L'"');
  EXPECT_EQ(command.back(), L'"');
  const std::wstring path = command.substr(1, command.size() - 2);
  EXPECT_NE(::GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(path.substr(path.size() - 4), L".exe");
}

}  // namespace
