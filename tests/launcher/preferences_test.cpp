// The preferences window in process, on an in-memory store, Run keys of the
// test's own and the fake desktop.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "base/registry_helpers.h"
#include "base/skin.h"
#include "core/catalogue.h"
#include "core/options.h"
#include "dialogs/frm_pref.h"
#include "main_window_fixture.h"
#include "ui/font.h"
#include "ui/handles.h"

namespace tolvane::testing {
namespace {

constexpr wchar_t kBase[] = L"Software\\TolvaneTest-pref";
const std::wstring kOk = L"Le modification des références a été bien prise en compte !";

class PreferencesTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kBase);
    machine = MakeRoot(L"Machine");
    user = MakeRoot(L"User");
    LoadMain();
  }
  void TearDown() override {
    pref.reset();
    machine.reset();
    user.reset();
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kBase);
    MainWindowTest::TearDown();
  }

  ui::OwnedKey MakeRoot(const wchar_t* name) {
    HKEY key = nullptr;
    const std::wstring path = std::wstring(kBase) + L"\\" + name;
    ::RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    return ui::OwnedKey(key);
  }

  FrmPref& Open(std::vector<HKEY> roots) {
    pref = std::make_unique<FrmPref>();
    pref->runRoots = std::move(roots);
    pref->runKeyPath = L"Run";
    pref->Load();
    pref->Show();
    store.ClearWrites();
    return *pref;
  }

  // The seven states as shown, "1" for on, checking each picture agrees.
  std::string States() {
    std::string s;
    for (int i = 0; i < kOptionCount; ++i) {
      s += pref->Rec[i].Tag == L"1" ? '1' : pref->Rec[i].Tag == L"0" ? '0' : '?';
      EXPECT_EQ(pref->Rec[i].GetPicture(), TheSkin().optionStates[pref->Rec[i].Tag == L"1" ? 1 : 0]) << i;
    }
    return s;
  }

  std::string Stored() {
    std::string s;
    for (int i = 0; i < kOptionCount; ++i) {
      const std::wstring v = store.Get(kSectionSettings, OptionKey(i), L"-");
      s += v.size() == 1 ? static_cast<char>(v[0]) : '?';
    }
    return s;
  }

  static constexpr HKEY kRefusing = nullptr;  // every write through it fails
  ui::OwnedKey machine, user;
  std::unique_ptr<FrmPref> pref;
};

TEST_F(PreferencesTest, ShowsWhatTheProgramActsOnAndConfirmingAtOnceKeepsIt) {
  Open({kRefusing, user.get()});
  EXPECT_EQ(States(), "0101110") << "fresh store: 2 and 6 off, and no Run value";
  pref->Unload();

  for (int i = 0; i < kOptionCount; ++i) store.Save(kSectionSettings, OptionKey(i), L"2");
  ASSERT_TRUE(EcrireValeurRegistre(user.get(), L"Run", AppTitle(), L"\"x\""));
  Open({kRefusing, user.get()});
  EXPECT_EQ(States(), "1010100");
  pref->Btn_Click();
  EXPECT_EQ(Stored(), "1010100");
  EXPECT_EQ(LireValeurRegistre(user.get(), L"Run", AppTitle()), AutostartCommand());
  EXPECT_EQ(desktop.desktopShows, std::vector<bool>{true});
}

TEST_F(PreferencesTest, ClickTogglesAndHoverShowsTheLitPicture) {
  Open({user.get()});
  ui::PicturePanel& rec = pref->Rec[2];
  ::SendMessageW(rec.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
  EXPECT_EQ(rec.GetPicture(), TheSkin().optionStates[2]);
  PressAndRelease(rec);
  EXPECT_EQ(rec.Tag, L"1");
  EXPECT_EQ(rec.GetPicture(), TheSkin().optionStates[1]) << "plain picture after a click, pointer still over";
  ::SendMessageW(rec.hwnd(), WM_MOUSELEAVE, 0, 0);
  ::SendMessageW(rec.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
  EXPECT_EQ(rec.GetPicture(), TheSkin().optionStates[3]);
  PressAndRelease(rec);
  EXPECT_EQ(rec.Tag, L"0");
  EXPECT_EQ(States(), "0101110");
}

// Every caption is read whole: none is cut, at the font the panel has here.
TEST_F(PreferencesTest, EveryCaptionFitsItsPanel) {
  Open({user.get()});
  for (int i = 0; i < kOptionCount; ++i) {
    ui::PicturePanel& rec = pref->Rec[i];
    RECT client{};
    ::GetClientRect(rec.hwnd(), &client);
    const RECT room = rec.TextRoom(client);
    RECT need = room;
    ui::WindowDc dc(rec.hwnd());
    ui::ScopedSelect font(dc.get(), ui::GetFont(rec.Font()));
    const UINT lines = rec.GetDesign().wordWrap ? DT_WORDBREAK : DT_SINGLELINE;
    ::DrawTextW(dc.get(), rec.Caption().c_str(), -1, &need, DT_CALCRECT | DT_NOPREFIX | lines);
    EXPECT_LE(need.right - need.left, room.right - room.left) << i;
    EXPECT_LE(need.bottom - need.top, room.bottom - room.top) << i;
  }
}

TEST_F(PreferencesTest, CloseStoresNothingButThePlace) {
  Open({machine.get(), user.get()});
  for (int i : {0, 2, 4, 6}) PressAndRelease(pref->Rec[i]);
  pref->BtnClose.SetValue(true);  // as the pressed ribbon button reports
  PressAndRelease(pref->BtnClose);
  EXPECT_FALSE(pref->Loaded());
  ASSERT_EQ(store.Writes().size(), 2u);
  EXPECT_EQ(store.Writes()[0].key + L"," + store.Writes()[1].key, L"PrefLeft,PrefTop");
  EXPECT_FALSE(HasRegistryValue(machine.get(), L"Run", AppTitle()));
  EXPECT_TRUE(desktop.desktopShows.empty() && desktop.messages.empty());
}

TEST_F(PreferencesTest, ValiderAppliesAndStoresThenConfirmsOnceClosed) {
  Open({kRefusing, user.get()});
  for (int i : {0, 4, 6}) PressAndRelease(pref->Rec[i]);  // 0 and 6 on, the desktop hidden
  bool closedFirst = false;
  desktop.onMessage = [&] { closedFirst = !pref->Loaded(); };
  ::SendMessageW(pref->Btn.Button()->Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 16));
  ::SendMessageW(pref->Btn.Button()->Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(20, 16));
  EXPECT_FALSE(pref->Loaded());
  EXPECT_EQ(Stored(), "1101011");
  EXPECT_EQ(LireValeurRegistre(user.get(), L"Run", AppTitle()), AutostartCommand())
      << "in the user's key when the machine's refuses";
  EXPECT_EQ(AutostartCommand().front(), L'"');
  EXPECT_EQ(desktop.desktopShows, std::vector<bool>{false});
  EXPECT_EQ(desktop.messages, std::vector<std::wstring>{kOk});
  EXPECT_TRUE(closedFirst);

  // Off again: the value goes, and a root that cannot be written but holds
  // nothing is no failure.
  Open({kRefusing, user.get()});
  EXPECT_EQ(pref->Rec[0].Tag, L"1");
  PressAndRelease(pref->Rec[0]);
  pref->Btn_Click();
  EXPECT_FALSE(HasRegistryValue(user.get(), L"Run", AppTitle()));
  EXPECT_EQ(Stored(), "0101011");
  EXPECT_EQ(desktop.messages.back(), kOk);
}

TEST_F(PreferencesTest, ARefusingRegistryIsReportedAndStoredAsItStands) {
  Open({kRefusing});
  PressAndRelease(pref->Rec[0]);
  desktop.hasDesktopWindow = false;  // nothing to show: still stored, no message for it
  pref->Btn_Click();
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_NE(desktop.messages[0].find(L"n'a pas pu être enregistré"), std::wstring::npos);
  EXPECT_EQ(Stored(), "0101110");
}

// Refuses the first option only; everything else goes to the fixture's store.
struct RefusesFirstOption final : SettingsStore {
  explicit RefusesFirstOption(MemoryStore& s) : inner(s) {}
  std::wstring Get(std::wstring_view s, std::wstring_view k, std::wstring_view f) const override {
    return inner.Get(s, k, f);
  }
  bool Has(std::wstring_view s, std::wstring_view k) const override { return inner.Has(s, k); }
  bool Save(std::wstring_view s, std::wstring_view k, std::wstring_view v) override {
    return k != OptionKey(0) && inner.Save(s, k, v);
  }
  bool Delete(std::wstring_view s, std::wstring_view k) override { return inner.Delete(s, k); }
  bool DeleteSection(std::wstring_view s) override { return inner.DeleteSection(s); }
  std::vector<std::wstring> Keys(std::wstring_view s) const override { return inner.Keys(s); }
  MemoryStore& inner;
};

TEST_F(PreferencesTest, AStoreThatRefusesAnOptionIsReportedAndTakesTheOthers) {
  Open({user.get()});
  for (int i : {1, 2, 6}) PressAndRelease(pref->Rec[i]);
  const std::string before = Stored();
  RefusesFirstOption refusing(store);
  UseSettings(&refusing);
  pref->Btn_Click();
  UseSettings(&store);
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_NE(desktop.messages[0].find(L"n'a pas pu être enregistrée"), std::wstring::npos) << desktop.messages[0];
  EXPECT_EQ(Stored(), before.substr(0, 1) + States().substr(1));
}

}  // namespace
}  // namespace tolvane::testing
