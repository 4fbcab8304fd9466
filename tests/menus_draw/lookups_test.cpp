#include "menus/lookups.h"

#include <gtest/gtest.h>

#include <string>

#include "menus/gdi_count.h"
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

ui::OwnedBitmap DeviceBitmap(int w, int h) {
  HDC screen = ::GetDC(nullptr);
  ui::OwnedBitmap bitmap(::CreateCompatibleBitmap(screen, w, h));
  ::ReleaseDC(nullptr, screen);
  return bitmap;
}

ui::OwnedIcon ColourIcon(int size) {
  ui::OwnedBitmap colour = ui::CreateDib(size, size, 32);
  ui::OwnedBitmap mask(::CreateBitmap(size, size, 1, 1, nullptr));
  ICONINFO info{TRUE, 0, 0, mask.get(), colour.get()};
  return ui::OwnedIcon(::CreateIconIndirect(&info));
}

// Bitmaps of both kinds and colour icons by their handle's text; a stale
// number, another kind of object or an icon without colour give nothing.
TEST(ImageLookup, PicturesByTheirHandleText) {
  ui::OwnedBitmap ddb = DeviceBitmap(20, 10);  // no pixel pointer, as a loaded resource
  ui::OwnedBitmap dib = ui::CreateDib(12, 6, 32);
  ui::OwnedIcon icon = ColourIcon(24);
  ui::OwnedBrush brush(::CreateSolidBrush(RGB(1, 2, 3)));
  ui::OwnedBitmap monoMask(::CreateBitmap(8, 8, 1, 1, nullptr));
  ICONINFO monoInfo{TRUE, 0, 0, monoMask.get(), nullptr};
  ui::OwnedIcon monoIcon(::CreateIconIndirect(&monoInfo));
  struct Case { HANDLE asked, found; bool bitmap; int w, h; };
  for (auto c : {Case{ddb.get(), ddb.get(), true, 20, 10}, Case{dib.get(), dib.get(), true, 12, 6},
                 Case{icon.get(), icon.get(), false, 24, 24}, Case{reinterpret_cast<HANDLE>(12345), nullptr},
                 Case{brush.get(), nullptr}, Case{monoIcon.get(), nullptr}})
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
  const DWORD n = ::GetTempPathW(MAX_PATH, buffer);
  return std::wstring(buffer, n);
}

TEST(FileLookup, ShortNamesEvenLongerThanThreeHundredCharacters) {
  const std::wstring missing = TempFolder() + L"no such folder at all\\no such file.text";
  EXPECT_EQ(GetShortFileName(missing), missing);
  // One long name at the top, then names already in 8.3 form, so the short
  // form differs from the path and is about as long.
  std::wstring path = TempFolder() + L"Tolvane deep folder";
  std::vector<std::wstring> made;
  while (path.size() <= 320) {
    if (!::CreateDirectoryW(path.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) break;
    made.push_back(path);
    path += L"\\abcdefgh";
  }
  ASSERT_FALSE(made.empty());
  for (const std::wstring& folder : {made.front(), made.back()}) {
    const std::wstring shortName = GetShortFileName(folder);
    EXPECT_NE(shortName, folder);
    EXPECT_EQ(shortName.find(L' '), std::wstring::npos) << shortName;
    EXPECT_NE(::GetFileAttributesW(shortName.c_str()), INVALID_FILE_ATTRIBUTES) << shortName;
  }
  if (made.back().size() > 310) {
    EXPECT_GT(GetShortFileName(made.back()).size(), 300u);
  } else {
    ADD_FAILURE() << "no folder that deep here";
  }
  for (auto it = made.rbegin(); it != made.rend(); ++it) ::RemoveDirectoryW(it->c_str());
}

std::wstring SystemFile(const wchar_t* name) {
  wchar_t buffer[MAX_PATH];
  const UINT n = ::GetSystemDirectoryW(buffer, MAX_PATH);
  return std::wstring(buffer, n) + L"\\" + name;
}

std::wstring OwnPath() {
  wchar_t buffer[MAX_PATH];
  const DWORD n = ::GetModuleFileNameW(nullptr, buffer, MAX_PATH);
  return std::wstring(buffer, n);
}

TEST(FileLookup, VersionDescriptions) {
  const std::wstring description = GetFileDescription(SystemFile(L"comctl32.dll"));
  EXPECT_FALSE(description.empty());
  EXPECT_EQ(description.find(L'\0'), std::wstring::npos);
  EXPECT_EQ(GetFileDescription(OwnPath()), L"");  // no version resource
  EXPECT_EQ(GetFileDescription(L"C:\\no such file.dll"), L"");
  EXPECT_EQ(GetVersionLanguage({}), L"");
  EXPECT_EQ(GetVersionLanguage(std::vector<BYTE>(3, 0xFF)), L"");  // claims 65535 bytes
}

TEST(FileLookup, TheAssociatedIconIsSharedUntilReleased) {
  const long held = GdiObjectsHeld();
  HICON first = GetAssociatedIcon(SystemFile(L"notepad.exe"));
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(GetAssociatedIcon(SystemFile(L"comctl32.dll")), first);
  EXPECT_EQ(GetAssociatedIcon(std::wstring(400, L'x')), first);
  EXPECT_EQ(GdiObjectsHeld(), held + 1);
  ReleaseAssociatedIcon();
  EXPECT_EQ(GdiObjectsHeld(), held);
  EXPECT_EQ(GetAssociatedIcon(std::wstring(400, L'x')), nullptr);  // too long to ask about
}

}  // namespace
}  // namespace menus
