// The lookups behind the menus: pictures by handle, list image or control
// name, and version descriptions; and a colour list's choices kept.
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
                 Case{brush.get(), nullptr}, Case{mono.get(), nullptr}}) {
    const ResolvedImage image = ResolveImageHandle(std::to_wstring(reinterpret_cast<UINT_PTR>(c.asked)), {});
    EXPECT_EQ(image.handle, c.found) << c.asked;
    EXPECT_EQ(image.bitmap, c.bitmap) << c.asked;
    EXPECT_EQ((std::pair{image.width, image.height}), (std::pair{c.w, c.h})) << c.asked;
  }
}

TEST(ImageLookup, ImagesOfTheImageListFromOneAndControlsByName) {
  ui::OwnedBitmap strip = ui::CreateDib(9 * 16, 16, 32);
  ui::ImageList list;
  ASSERT_TRUE(list.LoadStrip(strip.get(), 16, RGB(0xC0, 0xC0, 0xC0)));
  int controlLookups = 0;
  ImageSources sources = ListImageSources(&list);
  sources.controlPicture = [&](const std::wstring& name) -> HANDLE {
    ++controlLookups;
    if (name == L"Boom") throw std::runtime_error("lookup failed");
    return nullptr;
  };
  EXPECT_EQ(ResolveImageHandle(L"i9", sources).handle, list.Picture(8));
  for (auto text : {L"i0", L"i10", L"picNone", L"Boom"})
    EXPECT_EQ(ResolveImageHandle(text, sources).handle, nullptr) << text;
  EXPECT_EQ(controlLookups, 2);  // list images never ask the controls
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
  EXPECT_EQ(GetVersionLanguage({}), L"");
  EXPECT_EQ(GetVersionLanguage(std::vector<BYTE>(3, 0xFF)), L"");  // claims 65535 bytes
}

// A colour chosen is kept in the settings, with or without an event object;
// the custom entry opens the colour dialog on its own colour, and a cancel
// there leaves the stored one.
TEST(ColourList, AChoiceIsKeptAndACancelLeavesTheStoredOne) {
  tolvane::MemoryStore store;
  tolvane::testing::FakeDesktop desktop;
  SetListSettings(&store);
  store.Save(L"Font", L"FontColor", L"255");
  ui::OwnedMenu menu(BuildPresetListMenu(L"lvColors:", L"65280:ID:ink").menu);
  EXPECT_EQ(::GetMenuItemCount(menu.get()), 26);
  EXPECT_TRUE(::GetMenuState(menu.get(), 32483, MF_BYCOMMAND) & MF_CHECKED);  // "Rouge"
  auto caption = [&](UINT id) { return testing::MenuText(menu.get(), id, MF_BYCOMMAND); };
  EXPECT_TRUE(ListEntryChosen(caption(32499), false, nullptr, nullptr));
  EXPECT_EQ(store.Get(L"Font", L"FontColor", L""), L"16761024");

  testing::TipsLog tips;
  desktop.colourAnswers = {RGB(1, 2, 3)};
  EXPECT_TRUE(ListEntryChosen(caption(32474), false, nullptr, &tips));
  EXPECT_EQ(desktop.colourStarts, std::vector<COLORREF>{65280});
  EXPECT_EQ(store.Get(L"Font", L"FontColor", L""), std::to_wstring(RGB(1, 2, 3)));
  EXPECT_EQ(tips.choices, std::vector<std::wstring>{L"ink/Color/" + std::to_wstring(RGB(1, 2, 3))});
  EXPECT_FALSE(ListEntryChosen(caption(32474), false, nullptr, &tips));  // cancelled
  EXPECT_EQ(store.Get(L"Font", L"FontColor", L""), std::to_wstring(RGB(1, 2, 3)));
  EXPECT_EQ(tips.choices.size(), 1u);
  SetListSettings(nullptr);
}

}  // namespace
}  // namespace menus
