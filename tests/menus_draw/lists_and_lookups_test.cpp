// Generated list menus and the lookups behind the menus: pictures by handle,
// list image or control name, short file names and version descriptions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../launcher/fake_desktop.h"
#include "core/settings_store.h"
#include "menu_testing.h"
#include "menus/list_menus.h"
#include "menus/lookups.h"
#include "ui/handles.h"
#include "ui/image_list.h"
#include "ui/picture.h"
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

TEST_F(ListMenus, ColoursAreKeptAndACancelLeavesTheStoredOne) {
  store.Save(L"Font", L"FontColor", L"255");
  ui::OwnedMenu menu(BuildPresetListMenu(L"lvColors:", L"65280:ID:ink").menu);
  ASSERT_EQ(::GetMenuItemCount(menu.get()), 26);
  EXPECT_TRUE(::GetMenuState(menu.get(), 32483, MF_BYCOMMAND) & MF_CHECKED);  // "Rouge"
  // No event object: the colour is kept all the same.
  EXPECT_TRUE(ListEntryChosen(Caption(menu.get(), 32499), false, parent, nullptr));
  EXPECT_EQ(store.Get(L"Font", L"FontColor", L""), L"16761024");

  const std::wstring custom = Caption(menu.get(), 32474);
  testing::TipsLog tips;
  desktop.colourAnswers = {RGB(1, 2, 3)};
  EXPECT_TRUE(ListEntryChosen(custom, false, parent, &tips));
  EXPECT_EQ(desktop.colourStarts, std::vector<COLORREF>{65280});
  EXPECT_EQ(store.Get(L"Font", L"FontColor", L""), std::to_wstring(RGB(1, 2, 3)));
  EXPECT_EQ(tips.choices, std::vector<std::wstring>{L"ink/Color/" + std::to_wstring(RGB(1, 2, 3))});
  EXPECT_FALSE(ListEntryChosen(custom, false, parent, &tips));  // cancelled
  EXPECT_EQ(store.Get(L"Font", L"FontColor", L""), std::to_wstring(RGB(1, 2, 3)));
  EXPECT_EQ(tips.choices.size(), 1u);
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

}  // namespace
}  // namespace menus
