#include "core/menu_store.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

// Handle values past 32 bits, as 64-bit Windows hands out; the two menus
// differ only above bit 32, so a store cutting handles to 32 bits mixes them.
constexpr HandleValue kMenuA = 0x1'0000'0ABCull;
constexpr HandleValue kMenuB = 0x2'0000'0ABCull;
constexpr HandleValue kSub = 0x3'0000'0042ull;

TEST(MenuStore, KeepsFullWidthHandlesApart) {
  MenuStore store;
  store.PutItem(7, kMenuA, 0).Text = L"a";
  store.PutItem(7, kMenuB, 0).Text = L"b";
  store.PutPanel(kMenuA).HasImages = true;
  ASSERT_NE(store.FindItem(7, kMenuA), nullptr);
  EXPECT_EQ(store.FindItem(7, kMenuA)->Text + store.FindItem(7, kMenuB)->Text, L"ab");
  EXPECT_EQ(store.FindItem(7, 0x0ABC), nullptr);
  EXPECT_EQ(store.FindPanel(kMenuB), nullptr);
}

TEST(MenuStore, RefreshesRecordsInPlaceUnderEitherKey) {
  MenuStore store;
  MenuItemRec& first = store.PutItem(5, kMenuA, 0);
  first.Caption = L"Ancien";
  EXPECT_EQ(&store.PutItem(5, kMenuA, 0), &first);
  EXPECT_EQ(first.Caption, L"Ancien");
  store.PutPanel(kMenuA).Slow = true;
  store.PutPanel(kMenuA).HasImages = true;
  EXPECT_TRUE(store.FindPanel(kMenuA)->Slow);
  // A sub-menu's handle is a second key of its item's record.
  EXPECT_FALSE(store.AliasItem(kSub, 10, kMenuA));
  ASSERT_TRUE(store.AliasItem(kSub, 5, kMenuA));
  EXPECT_EQ(store.FindItem(kSub, kMenuA), &first);
  EXPECT_EQ(&store.PutItem(kSub, kMenuA, 0), &first);
  EXPECT_EQ(store.ItemCount(), 1u);
  EXPECT_EQ(store.PopupCount(), 1u);
}

TEST(MenuStore, ForgetsAPopupWholeAndARecycledHandleStartsAfresh) {
  MenuStore store;
  store.PutItem(1, kMenuA, 0).Text = L"ancien";
  store.PutItem(0, kMenuA, 2).Position = 2;
  store.AliasItem(kSub, 1, kMenuA);
  store.PutPanel(kMenuA).SideBarBitmap = 0x5'0000'0001ull;
  store.PutItem(1, kMenuB, 0).Text = L"autre";

  EXPECT_EQ(store.Forget(kMenuA), 0x5'0000'0001ull);
  EXPECT_EQ(store.Forget(kMenuA), 0u);
  EXPECT_EQ(store.FindItem(1, kMenuA), nullptr);
  EXPECT_EQ(store.FindItem(kSub, kMenuA), nullptr);
  EXPECT_EQ(store.FindPanel(kMenuA), nullptr);
  EXPECT_EQ(store.FindItemAt(kMenuA, 2), nullptr);
  EXPECT_EQ(store.FindItem(1, kMenuB)->Text, L"autre");
  // The system hands the same value out again for a new pop-up.
  EXPECT_EQ(store.PutItem(1, kMenuA, 0).Text, L"");
  EXPECT_FALSE(store.PutPanel(kMenuA).Slow);
}

TEST(MenuStore, KeepsARecordPerPositionForItemsOfIdZero) {
  MenuStore store;
  store.PutItem(0, kMenuA, 1).Text = L"Titre";  // a caption bar beside a plain separator
  store.PutItem(0, kMenuA, 3);
  store.PutItem(4, kMenuA, 2).Position = 2;
  EXPECT_EQ(store.FindItemAt(kMenuA, 2)->ID + store.FindItemAt(kMenuA, 3)->ID, 4u);
  EXPECT_EQ(store.FindItemAt(kMenuA, 1)->Text, L"Titre");
  // Each is handed to the system under a key of its own, above any menu handle.
  const HandleValue one = store.PositionKey(kMenuA, 1);
  EXPECT_GT(one, 0xFFFF'FFFFull);
  EXPECT_EQ(store.FromPositionKey(store.PositionKey(kMenuA, 1)), std::make_optional(std::pair{kMenuA, 1}));
  EXPECT_NE(store.PositionKey(kMenuA, 3), one);
  store.Forget(kMenuA);
  EXPECT_FALSE(store.FromPositionKey(one));
}

}  // namespace
}  // namespace tolvane
