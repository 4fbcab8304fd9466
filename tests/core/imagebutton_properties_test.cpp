#include "controls/imagebutton/logic/access_key.h"
#include "controls/imagebutton/logic/face.h"
#include "controls/imagebutton/logic/properties.h"

#include <gtest/gtest.h>

#include <cmath>

namespace imagebutton {
namespace {

TEST(ImageButtonAccessKey, FirstSingleAmpersandAfterEveryDoubledPair) {
  struct Case { const wchar_t* caption; wchar_t key; };
  for (auto c : {Case{L"&Valider", L'v'}, Case{L"Va&lider", L'l'}, Case{L"A && &B", L'b'}, Case{L"A&&B", 0},
                 Case{L"&&&X", L'x'}, Case{L"X&", 0}, Case{L"Valider", 0}, Case{L"&\u00C9diter", L'\u00E9'},
                 Case{L"A&&B&&&C", L'c'}, Case{L"&&&&", 0}, Case{L"&&&&&", 0}, Case{L"1&&2&&3&4", L'4'}})
    EXPECT_EQ(AccessKey(c.caption), c.key) << c.caption;
}

// A number stored as text is read as its number; what is missing, as the default.
TEST(ImageButtonStore, DesignValuesLoad) {
  const PropertyStore design{{L"Caption", std::wstring(L"Valider")}, {L"Font", FontSpec{}},
                             {L"XPicture", std::wstring(L"3")},     {L"YPicture", std::wstring(L"1")},
                             {L"XTexte", std::wstring(L"13")},      {L"ForeColor", kWindowFrame},
                             {L"ForeHover", Colour{0}}};
  const Ambient kForm{FontSpec{L"Tahoma", 8.25}, kButtonText, L"XpBoutonImg1"};
  const Properties p = ReadProperties(design, kForm);
  EXPECT_EQ(PictureBoxOf(p), (PictureBox{3, 1, 33, 33}));
  EXPECT_EQ(BlanksOf(p.xTexte), 13);

  const Properties plain = ReadProperties(PropertyStore{}, kForm);
  EXPECT_EQ(plain.caption, L"XpBoutonImg1");
  EXPECT_EQ(PictureBoxOf(plain), (PictureBox{8, 8, 33, 33}));
}

TEST(ImageButtonNumbers, OnlyNumbersInRangeAreAcceptedAndBlanksClamped) {
  const struct { Numeric which; Value value; bool taken; } cases[] = {
      {Numeric::XTexte, std::wstring(L" 12.5 "), true}, {Numeric::XTexte, std::wstring(L"12,5"), false},  // no comma
      {Numeric::XTexte, std::wstring(), false},         {Numeric::XTexte, std::nan(""), false},
      {Numeric::XPicture, 1e9, false},                  {Numeric::HPicture, std::wstring(L"40000"), false}};
  for (const auto& c : cases) EXPECT_EQ(Accepts(c.which, c.value), c.taken) << static_cast<int>(c.which);
  EXPECT_EQ(BlanksOf(12.5), 12);
  EXPECT_EQ(BlanksOf(std::wstring(L"13.5")), 14);
  EXPECT_EQ(BlanksOf(1e12), 255);
  Properties p;
  p.wPicture = std::wstring(L"-5");  // a bad stored size counts as the default
  p.xPicture = 2.5;
  EXPECT_EQ(PictureBoxOf(p), (PictureBox{2, 8, 33, 33}));
}

TEST(ImageButtonFace, CaptionBoxIsCentredWithHalvesToEven) {
  EXPECT_EQ(CaptionBox(81, 33, 26), (TextBox{0, 4, 81, 30}));  // 3.5 -> 4, 29.5 -> 30
  EXPECT_EQ(CaptionBox(80, 30, 13), (TextBox{0, 8, 80, 22}));  // 8.5 -> 8, 21.5 -> 22
  EXPECT_EQ(FittingBlanks(13, 3, 35, 81), 13);  // as designed
  EXPECT_EQ(FittingBlanks(13, 4, 40, 81), 10);  // a wider font keeps the caption on its line
  EXPECT_EQ(FittingBlanks(13, 4, 90, 81), 0);
}

}  // namespace
}  // namespace imagebutton
