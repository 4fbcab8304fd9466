#include "ui/registry_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "core/catalogue_edit.h"
#include "ui/registry_value.h"

namespace {

constexpr wchar_t kTitle[] = L"TolvaneTest-registry";
constexpr wchar_t kSettingsRoot[] = L"Software\\VB and VBA Program Settings\\";

// Writes a value of any type straight into a section, as another program or
// an earlier version might have left it.
void WriteRaw(const wchar_t* section, const wchar_t* name, DWORD type, const void* data, DWORD bytes) {
  ui::OwnedKey key = ui::CreateRegistryKey(
      HKEY_CURRENT_USER, std::wstring(kSettingsRoot) + kTitle + L"\\" + section, KEY_SET_VALUE);
  ASSERT_EQ(::RegSetValueExW(key.get(), name, 0, type, static_cast<const BYTE*>(data), bytes), ERROR_SUCCESS);
}

class RegistryStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(kSettingsRoot) + kTitle).c_str()); }
  void TearDown() override { SetUp(); }

  ui::RegistryStore store_{kTitle};
};

TEST_F(RegistryStoreTest, AccentedTextRoundTripsAndDeletesTakeOnlyTheirOwn) {
  EXPECT_TRUE(store_.Save(L"Data", L"1", L"Nomgroupe=Groupe N°01") && store_.Save(L"Data", L"1-1c", L"Fic=é") &&
              store_.Save(L"Settings", L"Vide", L""));
  EXPECT_EQ(store_.Get(L"data", L"1", L"x"), L"Nomgroupe=Groupe N°01");  // keys compare without case
  EXPECT_EQ(store_.Get(L"Settings", L"Vide", L"x"), L"");

  EXPECT_TRUE(store_.Delete(L"Data", L"1"));
  EXPECT_EQ(store_.Get(L"Data", L"1", L"gone"), L"gone");
  EXPECT_EQ(store_.Get(L"Data", L"1-1c", L""), L"Fic=é");
  EXPECT_FALSE(store_.Delete(L"Data", L"1") || store_.Delete(L"Absente", L"1"));

  EXPECT_TRUE(store_.DeleteSection(L"Data"));
  EXPECT_EQ(store_.Get(L"Data", L"1-1c", L"none"), L"none");
  EXPECT_TRUE(store_.DeleteSection(L"Data"));  // already gone
  EXPECT_FALSE(store_.DeleteSection(L""));     // would name the whole application
  EXPECT_EQ(store_.Get(L"Settings", L"Vide", L"x"), L"");
}

// Each type as another program may leave it: texts read as their text,
// anything else is there but unreadable; a text moved by a delete keeps its
// type and every byte.
TEST_F(RegistryStoreTest, OddValuesReadAsFallbackOrWholeAreListedAndMovedWhole) {
  EXPECT_EQ(store_.Get(L"Settings", L"NGroupe", L"1"), L"1");  // no key at all
  const DWORD number = 7;
  const BYTE bytes[] = {1, 2, 3};
  const wchar_t expand[] = L"Fic=%TEMP%", multi[] = L"Nom=un\0deux\0";
  WriteRaw(L"Settings", L"Nombre", REG_DWORD, &number, sizeof number);
  WriteRaw(L"Data", L"Binaire", REG_BINARY, bytes, sizeof bytes);
  WriteRaw(L"Data", L"1-2c", REG_EXPAND_SZ, expand, sizeof expand);
  WriteRaw(L"Data", L"1-2", REG_MULTI_SZ, multi, sizeof multi);
  const struct {
    const wchar_t *section, *key, *read;
    bool unreadable;
  } cases[] = {{L"Settings", L"Nombre", L"0", true}, {L"Data", L"Binaire", L"0", true},
               {L"Data", L"1-2c", L"Fic=%TEMP%", false}, {L"Data", L"1-2", L"Nom=un", false},
               {L"Data", L"Absente", L"0", false}};
  for (const auto& c : cases) {
    EXPECT_EQ(store_.Get(c.section, c.key, L"0"), c.read) << c.key;
    EXPECT_EQ(store_.Has(c.section, c.key), std::wstring(c.key) != L"Absente") << c.key;
    EXPECT_EQ(tolvane::IsUnreadable(store_, c.section, c.key), c.unreadable) << c.key;
  }
  const wchar_t text[] = {L'N', L'b', L'O', L'c', L'c', L'=', L'1', L'2'};
  WriteRaw(L"Data", L"Groupe", REG_SZ, text, sizeof text);  // no terminating nul
  EXPECT_EQ(store_.Get(L"Data", L"Groupe", L""), L"NbOcc=12");
  WriteRaw(L"Data", L"Impair", REG_SZ, text, 2 * sizeof(wchar_t) + 1);  // a stray odd byte is no character
  EXPECT_EQ(store_.Get(L"Data", L"Impair", L""), L"Nb");

  const std::wstring longName(600, L'k');
  store_.Save(L"Data", longName, L"x");
  std::vector<std::wstring> keys = store_.Keys(L"data");
  std::sort(keys.begin(), keys.end());
  EXPECT_EQ(keys, (std::vector<std::wstring>{L"1-2", L"1-2c", L"Binaire", L"Groupe", L"Impair", longName}));

  store_.Save(L"Data", L"1Occ", L"NbOcc=3");  // "Groupe" counts 12
  ui::OwnedKey data = ui::OpenRegistryKey(HKEY_CURRENT_USER, std::wstring(kSettingsRoot) + kTitle + L"\\Data",
                                          KEY_QUERY_VALUE | KEY_SET_VALUE);
  const wchar_t text26[] = L"Nom=texte sans fin, 26 car";  // stored as 52 bytes, without its NUL
  const ui::RawValue bare{REG_SZ, std::vector<BYTE>(reinterpret_cast<const BYTE*>(text26),
                                                    reinterpret_cast<const BYTE*>(text26) + 52)};
  ASSERT_TRUE(ui::WriteRawValue(data.get(), L"1-3", bare));
  ASSERT_EQ(ui::ReadRawValue(data.get(), L"1-3"), bare);
  const auto name = ui::ReadRawValue(data.get(), L"1-2"), target = ui::ReadRawValue(data.get(), L"1-2c");
  ASSERT_TRUE(tolvane::ApplyEdit(store_, tolvane::PlanDeleteLink(store_, 1, 1)));
  EXPECT_TRUE(name && name->type == REG_MULTI_SZ && ui::ReadRawValue(data.get(), L"1-1") == name);
  EXPECT_TRUE(target && target->type == REG_EXPAND_SZ && ui::ReadRawValue(data.get(), L"1-1c") == target);
  EXPECT_EQ(ui::ReadRawValue(data.get(), L"1-2"), bare);
}

// A value that another writer keeps resizing is read whole or not at all.
TEST_F(RegistryStoreTest, ValueResizedWhileReadIsNeverCut) {
  const std::wstring shortText = L"Nom=court";
  const std::wstring longText(4000, L'x');
  ASSERT_TRUE(store_.Save(L"Data", L"1-1", shortText));
  std::atomic<bool> stop = false;
  std::thread writer([&] {
    ui::RegistryStore writerStore(kTitle);
    for (int i = 0; !stop; ++i) writerStore.Save(L"Data", L"1-1", i % 2 ? longText : shortText);
  });
  int wrong = 0;
  for (int i = 0; i < 3000; ++i) {
    const std::wstring read = store_.Get(L"Data", L"1-1", L"");
    if (read != shortText && read != longText) ++wrong;
  }
  stop = true;
  writer.join();
  EXPECT_EQ(wrong, 0);
}

}  // namespace
