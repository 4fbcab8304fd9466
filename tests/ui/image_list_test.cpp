#include "ui/image_list.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "ui/picture.h"

namespace ui {
namespace {

// A strip of three 16-pixel pictures: red, green, blue, each with a grey
// (mask colour) corner.
OwnedBitmap Strip() {
  void* bits = nullptr;
  OwnedBitmap strip = CreateDib(48, 16, 32, &bits);
  auto* pixels = static_cast<std::uint32_t*>(bits);
  const std::uint32_t colours[] = {0xFF0000, 0x00FF00, 0x0000FF};
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 48; ++x) pixels[y * 48 + x] = x % 16 < 4 && y < 4 ? 0xC0C0C0 : colours[x / 16];
  return strip;
}

SIZE IconSize(HICON icon) {
  ICONINFO info{};
  if (!::GetIconInfo(icon, &info)) return {};
  BITMAP bm{};
  ::GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
  if (info.hbmColor) ::DeleteObject(info.hbmColor);
  if (info.hbmMask) ::DeleteObject(info.hbmMask);
  return {bm.bmWidth, bm.bmHeight};
}

TEST(ImageList, EachPictureHasOneIconOwnedByTheList) {
  ImageList list;
  OwnedBitmap strip = Strip();
  ASSERT_TRUE(list.LoadStrip(strip.get(), 16, RGB(0xC0, 0xC0, 0xC0)));
  HICON second = list.Picture(1);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(list.Picture(1), second);  // made once
  EXPECT_NE(list.Picture(0), second);
  const SIZE size = IconSize(second);
  EXPECT_EQ((std::pair{size.cx, size.cy}), (std::pair{16L, 16L}));
  EXPECT_EQ(list.Picture(3), nullptr);
  EXPECT_EQ(list.Picture(-1), nullptr);
  // Loading again frees the old pictures.
  ASSERT_TRUE(list.LoadStrip(strip.get(), 16, RGB(0xC0, 0xC0, 0xC0)));
  ICONINFO info{};
  EXPECT_FALSE(::GetIconInfo(second, &info));
  EXPECT_NE(list.Picture(1), nullptr);
  EXPECT_EQ(ImageList().Picture(0), nullptr);
}

}  // namespace
}  // namespace ui
