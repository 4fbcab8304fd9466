#include "menus/menu_fonts.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "menu_test_window.h"
#include "menus/menu_engine.h"

namespace menus {
namespace {

HFONT CurrentFont(HDC dc) { return static_cast<HFONT>(::GetCurrentObject(dc, OBJ_FONT)); }

LOGFONTW Describe(HFONT font) {
  LOGFONTW lf{};
  ::GetObjectW(font, sizeof lf, &lf);
  return lf;
}

class MenuFonts : public ::testing::Test {
 protected:
  void SetUp() override { CreateMenuFonts(true, false, L""); }
  void TearDown() override {
    CreateMenuFonts(false, false, L"");
    SetItalicText(false);
    MenuFontName.clear();
    MenuFontSize = 0;
    ::DeleteDC(dc);
  }
  HDC dc = ::CreateCompatibleDC(nullptr);
};

TEST_F(MenuFonts, NestedSelectionsGiveTheDcItsOwnFontBack) {
  HFONT own = CurrentFont(dc);
  {
    ScopedMenuFont outer(dc, 1);
    {
      ScopedMenuFont inner(dc, 2);
      inner.Select(3);
      inner.Select(0);  // no such slot: nothing changes
      EXPECT_EQ(CurrentFont(dc), MenuFont(3));
    }
    EXPECT_EQ(CurrentFont(dc), MenuFont(1));
    outer.Select(2);
  }
  EXPECT_EQ(CurrentFont(dc), own);
  ScopedMenuFont none(nullptr, 1);  // no DC: nothing to do
}

TEST_F(MenuFonts, AFontStillSelectedIsFreedOnlyOnceReleased) {
  HFONT own = CurrentFont(dc), text = MenuFont(1);
  {
    ScopedMenuFont held(dc, 1);
    CreateMenuFonts(false, false, L"");
    EXPECT_EQ(MenuFont(1), nullptr);
    EXPECT_EQ(::GetObjectType(text), static_cast<DWORD>(OBJ_FONT));
  }
  EXPECT_EQ(CurrentFont(dc), own);
  EXPECT_EQ(::GetObjectType(text), 0u);
}

TEST_F(MenuFonts, SizesFollowTheMenuFontAndLongFacesAreCut) {
  MenuFontName = L"Tahoma";  // a preset face, no size: the system's size
  CreateMenuFonts(true, false, L"");
  ASSERT_GT(MenuFontSize, 0.f);
  EXPECT_EQ(std::wstring(Describe(MenuFont(1)).lfFaceName), L"Tahoma");
  EXPECT_LT(Describe(MenuFont(3)).lfHeight, 0);
  EXPECT_GE(Describe(MenuFont(1)).lfHeight, -100);

  // The small font is 0.8 of the size, or half a point less below 7.5 points.
  struct Case { float points; LONG text, small; };
  for (Case c : {Case{7.92f, -11, -10}, Case{12, -16, -13}}) {
    HFONT replaced = MenuFont(1);
    MenuFontSize = c.points;
    CreateMenuFonts(true, false, L"");
    EXPECT_EQ(::GetObjectType(replaced), 0u);  // made again: the old one is gone
    EXPECT_EQ(Describe(MenuFont(1)).lfHeight, c.text) << c.points;
    EXPECT_EQ(Describe(MenuFont(3)).lfHeight, c.small) << c.points;
  }

  const std::wstring face(60, L'x');
  CreateMenuFonts(true, false, face);
  EXPECT_EQ(std::wstring(Describe(MenuFont(6)).lfFaceName), face.substr(0, LF_FACESIZE - 1));
  EXPECT_TRUE(Describe(MenuFont(7)).lfItalic);
}

TEST_F(MenuFonts, TheItalicPairIsMadeOnceAndAgainAfterTheLastWindowWent) {
  SetItalicText(true);
  HFONT italic = MenuFont(4);
  ASSERT_NE(italic, nullptr);
  SetItalicText(true);
  EXPECT_EQ(MenuFont(4), italic);
  {
    testing::TestWindow w;
    SubclassForm(w.hwnd(), nullptr, nullptr, 0);
  }
  EXPECT_FALSE(MenuFontsMade());
  testing::TestWindow w;
  SubclassForm(w.hwnd(), nullptr, nullptr, 0);
  EXPECT_NE(MenuFont(4), nullptr);
}

}  // namespace
}  // namespace menus
