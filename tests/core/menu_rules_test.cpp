#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/menu_caption.h"
#include "core/menu_columns.h"
#include "core/menu_draw_rules.h"
#include "core/menu_lookup_rules.h"
#include "core/menu_store.h"

namespace tolvane {
namespace {

TEST(MenuCaption, SplitsTextTagsAndAccelerator) {
  struct Case { const wchar_t *caption, *text, *tags, *accelerator; };
  for (const Case& c : {
           Case{L"Ouvrir{TIP:Ouvre un fichier|DEFAULT}\tCtrl+O", L"Ouvrir", L"{TIP:Ouvre un fichier|DEFAULT|", L"Ctrl+O"},
           Case{L"Texte\t{DEFAULT}", L"Texte", L"", L"{DEFAULT}"},
           Case{L"A{B", L"A{B", L"", L""},
           Case{L"x{IMG:i1}y{DEFAULT}", L"xy{DEFAULT}", L"{IMG:i1|", L""},
           Case{L"  a {X} b {x}  ", L"a  b", L"{X|", L""},  // every copy of the block goes, any case
           Case{L"{}", L"", L"{|", L""},
       }) {
    CaptionParts p = SplitCaption(c.caption);
    EXPECT_EQ(p.text + L"/" + p.tags + L"/" + p.accelerator,
              std::wstring(c.text) + L"/" + c.tags + L"/" + c.accelerator) << c.caption;
  }
  // While the engine restores its menus on exit, the first picture's tag is the override's everywhere.
  struct Override { const wchar_t* caption; CaptionSwitches switches; const wchar_t* tags; };
  for (const Override& c : {Override{L"a{IMG:i5|TIP:IMG:i5}", {true, 42}, L"{IMG:42|TIP:IMG:42|"},
                            Override{L"a{img:i5|DEFAULT|IMG:2}", {true, -7}, L"{IMG:-7|DEFAULT|IMG:2|"},
                            Override{L"a{IMG:i5}", {false, 42}, L"{IMG:i5|"}, Override{L"{DEFAULT}", {true, 1}, L"{DEFAULT|"}})
    EXPECT_EQ(SplitCaption(c.caption, c.switches).tags, c.tags) << c.caption;
  EXPECT_EQ(LiteralCaption(L"R&D", L"{IMG:i9}", {true, 3}).tags, L"{IMG:3|");
  // A plain menu shows the text before the last picture block only.
  for (auto [caption, text] : {std::pair{L"a{IMG:1}b{IMG:2}", L"a{IMG:1}b"}, {L"Fin{img:3}", L"Fin{img:3}"}})
    EXPECT_EQ(CaptionText(caption), text) << caption;
}

TEST(MenuCaption, FindsTagValues) {
  struct Case { const wchar_t *tags, *key, *value; };
  for (const Case& c : {
           Case{L"{IMG:i5|", L"img:", L"i5"},
           Case{L"{TIP:Ouvre un fichier|DEFAULT|", L"DEFAULT", L"True"},
           Case{L"{TIP:voir :DEFAULT|IMG:i2|", L"DEFAULT", L""},  // a tip never fakes a tag
           Case{L"{IMG:|DEFAULT|", L"IMG:", L"0"},
           Case{L"{ALIGN:vbAlignBottom|", L"ALIGN:", L"Bot"},
           Case{L"{DefaultX|", L"Default", L"X"},  // the key is a prefix of the tag
           Case{L"{IMG:i5", L"IMG:", L""},         // no end to the tag
           Case{L"{a|b|", L"a|b", L"0"},  // a key longer than the tag it finds
       }) {
    EXPECT_EQ(GetCaptionTag(c.tags, c.key), c.value) << c.tags << L" / " << c.key;
  }
}

// Only a side bar cuts a pop-up into columns, each as high as the first.
TEST(MenuColumns, BreaksBesideASideBarAtTheFirstColumnsHeight) {
  auto items = [](int count, bool sideBar) {
    std::vector<int> heights(static_cast<std::size_t>(count), 10);
    if (sideBar) heights[0] = 0;
    return heights;
  };
  struct Case { std::vector<int> heights; bool sideBar; int limit; std::vector<int> breaks; };
  for (const auto& c : {
           Case{items(40, false), false, 100, {}},
           Case{items(11, true), true, 100, {1}},  // 10 x 10 pixels fill the limit exactly
           Case{items(12, true), true, 100, {1, 11}},
           Case{items(4, true), true, 0, {1, 2, 3}},
           // The first column closes at 40 pixels, and so do the later ones.
           Case{{0, 20, 20, 20, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5}, true, 50, {1, 3, 8}},
       })
    EXPECT_EQ(PlanMenuColumns(c.heights, c.sideBar, c.limit), c.breaks) << c.heights.size() << ", " << c.limit;
}

TEST(MenuColors, NamesNumbersAndHexadecimal) {
  struct Case { const wchar_t* text; std::optional<ColorValue> value; };
  for (auto c : {Case{L"VBRED", 0xFF}, Case{L"vbTan", 0x8CB4D2}, Case{L" 255 ", 255}, Case{L"2.5", 2},
                 Case{L"&HFF00zz", 0xFF00}, Case{L"&H", 0}, Case{L"&H80000005", SystemColorValue(5)},
                 // Nothing named: the caller keeps its default.
                 Case{L"rouge", std::nullopt}, Case{L"", std::nullopt}, Case{L" vbRed", std::nullopt},
                 Case{L"vbRedd", std::nullopt}, Case{L"99999999999", std::nullopt}, Case{L"1e300", std::nullopt}})
    EXPECT_EQ(ColorValueFromName(c.text), c.value) << std::wstring(c.text);
}

TEST(MenuGradient, BandsFollowTheScreenWidthAndColoursRunFromFirstToLast) {
  struct Case { int length, screen, count, step; };
  for (auto c : {Case{100, 1024, 100, 1}, Case{301, 1024, 150, 2}, Case{204, 1024, 204, 1}, Case{205, 1024, 102, 2},
                 Case{1, 0, 1, 1}, Case{2, 8, 1, 2}, Case{0, 1024, 0, 1}, Case{-5, 1024, 0, 1}}) {
    const GradientBands bands = PlanGradient(c.length, c.screen);
    EXPECT_EQ(std::pair(bands.count, bands.step), std::pair(c.count, c.step)) << c.length << " on " << c.screen;
  }
  auto blueToRed = GradientColors(0xFF0000, 0x0000FF, 100);
  ASSERT_EQ(blueToRed.size(), 101u);
  EXPECT_EQ(blueToRed[50], 0x800080u);  // 127.5 rounds to the even 128
  EXPECT_EQ(blueToRed[1], 0xFC0003u);   // 252.45 and 2.55
  EXPECT_EQ(GradientColors(0x123456, 0xFFFFFF, -3), std::vector<std::uint32_t>{0x123456});
}

// The common fits are drawn and checked by pixel in the menus' drawing tests.
TEST(MenuMaskedBlit, OddSizesDrawNothing) {
  EXPECT_FALSE(PlanMaskedBlit(1000, 1, {}, {0, 0, 1, 1}, 0, 0).draws) << "shrunk to nothing";
  EXPECT_FALSE(PlanMaskedBlit(32, 32, {}, {0, 0, 16, 16}, -4, 8).draws) << "negative size";
}

TEST(PathPart, EveryLetterOnEveryKindOfPath) {
  struct Case { const wchar_t* path; const wchar_t *d, *p, *n, *e, *m; };
  const Case cases[] = {
      {L"C:\\Program Files\\App\\tool.exe", L"C:\\", L"C:\\Program Files\\App\\", L"tool.exe", L"exe", L"tool"},
      {L"tool.exe", L"", L"", L"", L"exe", L"tool"},
      {L"\\\\server\\share\\x.txt", L"\\\\server\\", L"\\\\server\\share\\", L"x.txt", L"txt", L"x"},
      {L"\\\\server", L"\\\\server\\", L"\\\\", L"server", L"", L""},
      {L"C:tool.tar.gz", L"C:\\", L"C:\\", L"tool.tar.gz", L"gz", L"tool.tar"},
      {L"C:\\dir\\.profile", L"C:\\", L"C:\\dir\\", L".profile", L"profile", L""},
      {L"C:\\dir\\name.", L"C:\\", L"C:\\dir\\", L"name.", L"", L"name"},
      {L"a.b\\c", L"", L"a.b\\", L"c", L"", L""},
  };
  using Part = std::pair<const wchar_t*, const wchar_t*>;  // letters in either case
  for (const auto& c : cases)
    for (auto [letter, part] : {Part{L"D", c.d}, Part{L"p", c.p}, Part{L"N", c.n}, Part{L"e", c.e}, Part{L"m", c.m}})
      EXPECT_EQ(GetPathPart(c.path, letter), part) << c.path << L" " << letter;
  EXPECT_EQ(GetPathPart(L"C:\\App\\tool.exe", L""), L"C:\\");
  for (auto letter : {L"x", L"ED"}) EXPECT_EQ(GetPathPart(L"C:\\App\\tool.exe", letter), L"") << letter;
  EXPECT_EQ(StripNull(std::wstring(L"ab\0cd", 5)), L"ab");
}

TEST(ImageValue, HandlesListImagesAndControls) {
  using K = ImageRef::Kind;
  struct Case { const wchar_t* text; K kind; std::uint64_t handle; long long index; };
  for (auto c : {Case{L" &h3039 ", K::Handle, 12345, 0}, Case{L"18446744073709551615", K::Handle, ~0ull, 0},
                 Case{L"&H1234567890ABCDEF", K::Handle, 0x1234567890ABCDEFull, 0}, Case{L"I10", K::ListImage, 0, 10},
                 Case{L"i2.5", K::ListImage, 0, 0}, Case{L"", K::None, 0, 0},
                 Case{L"18446744073709551616", K::Control, 0, 0}, Case{L"&H1234567890ABCDEF0", K::Control, 0, 0},
                 Case{L"-5", K::Control, 0, 0}, Case{L"picLogo", K::Control, 0, 0}, Case{L"i", K::Control, 0, 0}}) {
    ImageRef ref = ParseImageRef(c.text);
    EXPECT_EQ(std::tuple(ref.kind, ref.handle, ref.listIndex), std::tuple(c.kind, c.handle, c.index)) << c.text;
    if (c.kind == K::Control) {
      EXPECT_EQ(ref.control, c.text);
    }
  }
}

// Handle values past 32 bits, as 64-bit Windows hands out; the two menus
// differ only above bit 32, so a store cutting handles to 32 bits mixes them.
constexpr HandleValue kMenuA = 0x1'0000'0ABCull;
constexpr HandleValue kMenuB = 0x2'0000'0ABCull;
constexpr HandleValue kSub = 0x3'0000'0042ull;

TEST(MenuStore, RecordsKeyedByFullHandlesAndRefreshedInPlace) {
  MenuStore store;
  MenuItemRec& first = store.PutItem(5, kMenuA);
  first.Caption = L"Ancien";
  store.PutItem(5, kMenuB).Caption = L"b";
  EXPECT_EQ(&store.PutItem(5, kMenuA), &first);
  EXPECT_EQ(first.Caption, L"Ancien");
  EXPECT_EQ(store.FindItem(5, kMenuB)->Caption, L"b");
  EXPECT_EQ(store.FindItem(5, 0x0ABC), nullptr);
  store.PutPanel(kMenuA).Slow = true;
  EXPECT_TRUE(store.PutPanel(kMenuA).Slow);
  EXPECT_EQ(store.FindPanel(kMenuB), nullptr);
  // A sub-menu's handle is a second key of its item's record.
  EXPECT_FALSE(store.AliasItem(kSub, 10, kMenuA));
  ASSERT_TRUE(store.AliasItem(kSub, 5, kMenuA));
  EXPECT_EQ(&store.PutItem(kSub, kMenuA), &first);
  EXPECT_EQ(store.ItemCount(), 2u);
}

TEST(MenuStore, ForgetsAPopupWholeAndARecycledHandleStartsAfresh) {
  MenuStore store;
  store.PutItem(1, kMenuA).Text = L"ancien";
  store.AliasItem(kSub, 1, kMenuA);
  store.PutPanel(kMenuA).SideBarBitmap = 0x5'0000'0001ull;
  store.PutItem(1, kMenuB).Text = L"autre";
  // Items of id 0 (separators) have a record each, under a key of its own
  // above any menu handle.
  const auto [one, titre] = store.PutUnnumbered(kMenuA, 0);
  titre->Text = L"Titre";
  titre->Position = 1;
  EXPECT_GT(one, 0xFFFF'FFFFull);
  EXPECT_EQ(store.MenuOfKey(one), std::make_optional(kMenuA));

  EXPECT_EQ(store.Forget(kMenuA), 0x5'0000'0001ull);
  EXPECT_EQ(store.Forget(kMenuA), 0u);
  EXPECT_EQ(store.FindItem(kSub, kMenuA), nullptr);
  EXPECT_EQ(store.FindItemAt(kMenuA, 1), nullptr);
  EXPECT_FALSE(store.MenuOfKey(one));
  EXPECT_EQ(store.FindByKey(one), nullptr);
  EXPECT_EQ(store.FindItem(1, kMenuB)->Text, L"autre");
  // The system hands the same value out again for a new pop-up.
  EXPECT_EQ(store.PutItem(1, kMenuA).Text, L"");
  EXPECT_FALSE(store.PutPanel(kMenuA).Slow);
}

// An item of ID 0 finds its record by the key it carries, wherever it now
// stands; a key is its pop-up's alone, and goes with its item.
TEST(MenuStore, RecordsOfID0GoWithTheKeysTheirItemsCarry) {
  MenuStore store;
  const auto [info, infoRec] = store.PutUnnumbered(kMenuA, 0);
  const auto line = store.PutUnnumbered(kMenuA, 0);
  EXPECT_EQ(store.PutUnnumbered(kMenuA, line.first), line);
  EXPECT_NE(store.PutUnnumbered(kMenuB, info).first, info);
  EXPECT_NE(MenuStore().PutUnnumbered(kMenuA, 0).first, info);  // nor another store's
  store.KeepUnnumbered(kMenuA, {line.first});  // the item of `info` was taken out
  EXPECT_EQ(store.FindByKey(info), nullptr);
  EXPECT_EQ(store.FindByKey(line.first), line.second);
  EXPECT_EQ(store.ItemCount(), 2u);
}

}  // namespace
}  // namespace tolvane
