// Generated list menus and the lookups behind the menus: pictures by handle,
// list image or control name, short file names and version descriptions.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "../launcher/fake_desktop.h"
#include "core/settings_store.h"
#include "menus/list_menus.h"
#include "menus/lookups.h"
#include "ui/handles.h"
#include "ui/image_list.h"
#include "ui/picture.h"
#include "ui/seams.h"
#include "ui/window.h"

namespace menus {
namespace {

std::wstring Decimal(const void* h) { return std::to_wstring(reinterpret_cast<UINT_PTR>(h)); }

std::wstring Hex(const void* h) {
  wchar_t text[32];
  swprintf(text, 32, L"&H%llX", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(h)));
  return text;
}

ui::OwnedIcon Icon(HBITMAP mask, HBITMAP colour) {
  ICONINFO info{TRUE, 0, 0, mask, colour};
  return ui::OwnedIcon(::CreateIconIndirect(&info));
}

// Bitmaps of both kinds and colour icons by their handle's text; a stale
// number, another kind of object or an icon without colour give nothing.
TEST(ImageLookup, PicturesByTheirHandleText) {
  ui::OwnedBitmap dib = ui::CreateDib(12, 6, 32);
  ui::OwnedBitmap ddb(static_cast<HBITMAP>(::CopyImage(dib.get(), IMAGE_BITMAP, 0, 0, 0)));  // as resources load
  ui::OwnedBitmap mask(::CreateBitmap(24, 24, 1, 1, nullptr)), colour = ui::CreateDib(24, 24, 32);
  ui::OwnedIcon icon = Icon(mask.get(), colour.get()), mono = Icon(mask.get(), nullptr);
  ui::OwnedBrush brush(::CreateSolidBrush(RGB(1, 2, 3)));
  struct Case { HANDLE asked, found; bool bitmap; int w, h; };
  for (auto c : {Case{ddb.get(), ddb.get(), true, 12, 6}, Case{dib.get(), dib.get(), true, 12, 6},
                 Case{icon.get(), icon.get(), false, 24, 24}, Case{reinterpret_cast<HANDLE>(12345), nullptr},
                 Case{brush.get(), nullptr}, Case{mono.get(), nullptr}})
    for (const std::wstring& text : {Decimal(c.asked), Hex(c.asked)}) {
      ResolvedImage image = ResolveImageHandle(text, {});
      EXPECT_EQ(image.handle, c.found) << text;
      EXPECT_EQ(image.bitmap, c.bitmap) << text;
      EXPECT_EQ((std::pair{image.width, image.height}), (std::pair{c.w, c.h})) << text;
    }
}

TEST(ImageLookup, ImagesOfTheImageListFromOneAndControlsByName) {
  ui::OwnedBitmap strip = ui::CreateDib(9 * 16, 16, 32);
  ui::ImageList list;
  ASSERT_TRUE(list.LoadStrip(strip.get(), 16, RGB(0xC0, 0xC0, 0xC0)));
  ui::OwnedBitmap logo = ui::CreateDib(16, 16, 32);
  int controlLookups = 0;
  ImageSources sources = ListImageSources(&list);
  sources.controlPicture = [&](const std::wstring& name) -> HANDLE {
    ++controlLookups;
    if (name == L"Boom") throw std::runtime_error("lookup failed");
    return name == L"picLogo" ? logo.get() : nullptr;
  };
  ResolvedImage third = ResolveImageHandle(L"i3", sources);
  EXPECT_EQ(third.handle, list.Picture(2));
  EXPECT_FALSE(third.bitmap);
  EXPECT_EQ((std::pair{third.width, third.height}), (std::pair{16, 16}));
  EXPECT_EQ(ResolveImageHandle(L"I9", sources).handle, list.Picture(8));
  for (auto text : {L"i0", L"i10", L"i-1", L"i2.5", L"picNone", L"Boom"})
    EXPECT_EQ(ResolveImageHandle(text, sources).handle, nullptr) << text;
  EXPECT_EQ(ResolveImageHandle(L"picLogo", sources).handle, logo.get());
  EXPECT_EQ(controlLookups, 3);  // list images never ask the controls
  EXPECT_EQ(ui::TakeCaughtFailures(), 1) << "the failed lookup is reported";
  EXPECT_EQ(ResolveImageHandle(L"i3", ListImageSources(nullptr)).handle, nullptr);
}

std::wstring TempFolder() {
  wchar_t buffer[MAX_PATH];
  return std::wstring(buffer, ::GetTempPathW(MAX_PATH, buffer));
}

TEST(FileLookup, ShortNamesEvenLongerThanThreeHundredCharacters) {
  const std::wstring missing = TempFolder() + L"no such folder at all\\no such file.text";
  EXPECT_EQ(GetShortFileName(missing), missing);
  // One long name at the top, then names already in 8.3 form, so the short
  // form differs from the path and is about as long.
  std::vector<std::wstring> made;
  for (std::wstring path = TempFolder() + L"Tolvane deep folder"; path.size() <= 320; path += L"\\abcdefgh") {
    if (!::CreateDirectoryW(path.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) break;
    made.push_back(path);
  }
  ASSERT_GT(made.back().size(), 310u);
  for (const std::wstring& folder : {made.front(), made.back()}) {
    const std::wstring shortName = GetShortFileName(folder);
    EXPECT_EQ(shortName.find(L' '), std::wstring::npos) << shortName;
    EXPECT_NE(::GetFileAttributesW(shortName.c_str()), INVALID_FILE_ATTRIBUTES) << shortName;
  }
  EXPECT_GT(GetShortFileName(made.back()).size(), 300u);
  for (auto it = made.rbegin(); it != made.rend(); ++it) ::RemoveDirectoryW(it->c_str());
}

TEST(FileLookup, VersionDescriptions) {
  wchar_t buffer[MAX_PATH];
  const std::wstring system(buffer, ::GetSystemDirectoryW(buffer, MAX_PATH));
  const std::wstring description = GetFileDescription(system + L"\\comctl32.dll");
  EXPECT_FALSE(description.empty());
  EXPECT_EQ(description.find(L'\0'), std::wstring::npos);
  EXPECT_EQ(GetFileDescription(std::wstring(buffer, ::GetModuleFileNameW(nullptr, buffer, MAX_PATH))), L"");
  EXPECT_EQ(GetFileDescription(L"C:\\no such file.dll"), L"");
  EXPECT_EQ(GetVersionLanguage({}), L"");
  EXPECT_EQ(GetVersionLanguage(std::vector<BYTE>(3, 0xFF)), L"");  // claims 65535 bytes
}

struct Tips : cTips {
  std::vector<std::wstring> seen;
  void CustomSelection(std::wstring& UserID, std::wstring& Category, CustomValue& Value) override {
    seen.push_back(UserID + L"/" + Category + L"/" + std::to_wstring(std::get<long long>(Value)));
  }
};

class ListMenus : public ::testing::Test {
 protected:
  void SetUp() override { SetListSettings(&store); }
  void TearDown() override {
    SetListSettings(nullptr);
    ::DestroyWindow(parent);
  }
  HWND Child(const wchar_t* cls, DWORD style, std::vector<std::wstring> entries) {
    HWND h = ::CreateWindowW(cls, L"", WS_CHILD | WS_VSCROLL | style, 0, 0, 200, 200, parent, nullptr, nullptr, nullptr);
    const UINT add = std::wstring(cls) == L"COMBOBOX" ? CB_ADDSTRING : LB_ADDSTRING;
    for (const auto& e : entries) ::SendMessageW(h, add, 0, reinterpret_cast<LPARAM>(e.c_str()));
    return h;
  }
  static std::wstring Caption(HMENU menu, UINT id) {
    wchar_t text[512] = {};
    ::GetMenuStringW(menu, id, text, 512, MF_BYCOMMAND);
    return text;
  }
  HWND parent = ::CreateWindowW(L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 300, 300, nullptr, nullptr, nullptr, nullptr);
  tolvane::MemoryStore store;
  tolvane::testing::FakeDesktop desktop;
};

TEST_F(ListMenus, EmptyComboMultiColumnAndSeveralSelections) {
  ui::OwnedMenu empty(BuildControlListMenu(Child(L"COMBOBOX", CBS_DROPDOWNLIST, {}), 0, L"").menu);
  ASSERT_EQ(::GetMenuItemCount(empty.get()), 1);
  EXPECT_TRUE(::GetMenuState(empty.get(), 32500, MF_BYCOMMAND) & MF_GRAYED);
  const std::wstring caption = Caption(empty.get(), 32500);
  EXPECT_EQ(caption.substr(0, 25), L"-No Selections Available{");
  EXPECT_NE(caption.find(L"|Raised}"), std::wstring::npos);

  EXPECT_FALSE(BuildControlListMenu(Child(L"LISTBOX", LBS_MULTICOLUMN, {L"a"}), 1, L"").menu);
  EXPECT_FALSE(BuildControlListMenu(nullptr, 1, L"").menu);

  HWND multi = Child(L"LISTBOX", LBS_MULTIPLESEL, {L"a", L"b"});
  ::SendMessageW(multi, LB_SETSEL, TRUE, 1);
  ui::OwnedMenu several(BuildControlListMenu(multi, 1, L"").menu);
  ASSERT_TRUE(several);
  EXPECT_TRUE(::GetMenuState(several.get(), 32499, MF_BYCOMMAND) & MF_CHECKED);
  // A checked entry chosen again is deselected.
  ListEntryChosen(Caption(several.get(), 32499), true, parent, nullptr);
  EXPECT_EQ(::SendMessageW(multi, LB_GETSEL, 1, 0), 0);
  ListEntryChosen(Caption(several.get(), 32500), false, parent, nullptr);
  EXPECT_GT(::SendMessageW(multi, LB_GETSEL, 0, 0), 0);
}

TEST_F(ListMenus, ColoursAreKeptAndACancelLeavesTheStoredOne) {
  store.Save(L"Font", L"FontColor", L"255");
  ui::OwnedMenu menu(BuildPresetListMenu(L"lvColors:", L"65280:ID:ink").menu);
  ASSERT_EQ(::GetMenuItemCount(menu.get()), 26);
  EXPECT_TRUE(::GetMenuState(menu.get(), 32483, MF_BYCOMMAND) & MF_CHECKED);  // "Rouge"
  // No event object: the colour is kept all the same.
  EXPECT_TRUE(ListEntryChosen(Caption(menu.get(), 32499), false, parent, nullptr));
  EXPECT_EQ(store.Get(L"Font", L"FontColor", L""), L"16761024");

  const std::wstring custom = Caption(menu.get(), 32474);
  Tips tips;
  desktop.colourAnswers = {RGB(1, 2, 3)};
  EXPECT_TRUE(ListEntryChosen(custom, false, parent, &tips));
  EXPECT_EQ(desktop.colourStarts, std::vector<COLORREF>{65280});
  EXPECT_EQ(store.Get(L"Font", L"FontColor", L""), std::to_wstring(RGB(1, 2, 3)));
  EXPECT_EQ(tips.seen, std::vector<std::wstring>{L"ink/Color/" + std::to_wstring(RGB(1, 2, 3))});
  EXPECT_FALSE(ListEntryChosen(custom, false, parent, &tips));  // cancelled
  EXPECT_EQ(store.Get(L"Font", L"FontColor", L""), std::to_wstring(RGB(1, 2, 3)));
  EXPECT_EQ(tips.seen.size(), 1u);
}

TEST_F(ListMenus, AListReplacesOnlyAListAndGoesWithItsMenu) {
  HWND list = Child(L"LISTBOX", 0, {L"a", L"b", L"c"});
  cMenuItems owner;
  owner.InitializeSubMenu(parent, nullptr, nullptr, true);
  ui::OwnedMenu menu(::CreatePopupMenu());
  HMENU own = ::CreatePopupMenu();
  ::AppendMenuW(menu.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(own), L"own");
  ::AppendMenuW(menu.get(), MF_STRING, 6, L"list");
  HMENU first = AttachGeneratedList(owner, menu.get(), 1, BuildControlListMenu(list, 1, L""), L"");
  HMENU second = AttachGeneratedList(owner, menu.get(), 1, BuildControlListMenu(list, 1, L""), L"");
  ASSERT_TRUE(second);
  EXPECT_EQ(::GetSubMenu(menu.get(), 1), second);
  EXPECT_TRUE(owner.Generated(second));
  EXPECT_FALSE(::IsMenu(first));  // destroyed, with its instance
  EXPECT_FALSE(owner.Generated(first));
  // A sub-menu of the item's own is neither replaced nor destroyed.
  EXPECT_FALSE(AttachGeneratedList(owner, menu.get(), 0, BuildControlListMenu(list, 1, L""), L""));
  EXPECT_EQ(::GetSubMenu(menu.get(), 0), own);
  owner.ForgetPopup(menu.get());
  EXPECT_FALSE(owner.Generated(second));
}

// The system's colour dialog, as the custom colour entry opens it: full, on
// the entry's colour.
TEST(ListColourDialog, OpensFullOnTheEntrysColour) {
  LONG width = 0;
  UINT red = 0, green = 0;
  std::thread closer([&] {
    HWND dialog = nullptr;
    for (int i = 0; i < 400 && !dialog; ++i, ::Sleep(25)) dialog = ::FindWindowW(L"#32770", nullptr);
    ::Sleep(100);
    RECT r{};
    ::GetWindowRect(dialog, &r);
    width = r.right - r.left;
    red = ::GetDlgItemInt(dialog, 706, nullptr, FALSE);  // its red and green boxes
    green = ::GetDlgItemInt(dialog, 707, nullptr, FALSE);
    ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_FALSE(ui::TheDesktop().ChooseListColour(nullptr, RGB(10, 20, 30)));
  closer.join();
  EXPECT_GT(width, 400);
  EXPECT_EQ(red, 10u);
  EXPECT_EQ(green, 20u);
}

}  // namespace
}  // namespace menus
