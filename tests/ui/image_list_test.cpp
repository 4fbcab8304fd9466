#include "ui/image_list.h"

#include <gtest/gtest.h>

#include "ui/picture.h"

namespace ui {
namespace {

TEST(ImageList, EachPictureHasOneIconOwnedByTheList) {
  ImageList list;
  void* bits = nullptr;
  OwnedBitmap strip = CreateDib(48, 16, 32, &bits);  // three 16-pixel pictures
  ASSERT_TRUE(list.LoadStrip(strip.get(), 16, RGB(0xC0, 0xC0, 0xC0)));
  HICON second = list.Picture(1);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(list.Picture(1), second);  // made once
  EXPECT_NE(list.Picture(0), second);
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
