// The image button's stored properties as a design or a hand-edited form
// gives them (numbers as text), and the access key of its caption.
#include <cmath>

#include "controls/imagebutton/logic/access_key.h"
#include "controls/imagebutton/logic/face.h"
#include "controls/imagebutton/logic/properties.h"
#include "core/text.h"
#include "fuzz_support.h"

using namespace imagebutton;

namespace {

void CheckAccessKey(const std::wstring& caption) {
  const wchar_t key = AccessKey(caption);
  if (key != 0) FUZZ_CHECK(caption.find(L'&') != std::wstring::npos && key != L'&');
  // A caption whose every "&" is doubled shows them all and has no key.
  std::wstring plain;
  for (wchar_t c : caption) plain += c == L'&' ? L"&&" : std::wstring(1, c);
  FUZZ_CHECK(AccessKey(plain) == 0);
  FUZZ_CHECK(AccessKey(L"&&&Z" + caption) == L'z');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto lines = fuzz::Lines(fuzz::Wide(data, size));
  auto line = [&](std::size_t i) { return i < lines.size() ? lines[i] : std::wstring(); };

  // Lines 0 to 4: XPicture, YPicture, WPicture, HPicture, XTexte; line 5 the caption.
  const Numeric which[] = {Numeric::XPicture, Numeric::YPicture, Numeric::WPicture, Numeric::HPicture,
                           Numeric::XTexte};
  Value values[5];
  for (std::size_t i = 0; i < 5; ++i) {
    values[i] = line(i).empty() && i % 2 ? Value() : Value(line(i));
    const auto n = NumberOf(values[i]);
    if (n) FUZZ_CHECK(std::isfinite(*n) && NumberOf(Value(*n)) == n);
    if (Accepts(which[i], values[i])) FUZZ_CHECK(n.has_value());
    // Only an empty value gives way to the default, and the default is a number.
    const Value filled = ValueOrDefault(which[i], values[i]);
    FUZZ_CHECK(filled == values[i] || (line(i).empty() && NumberOf(filled)));
  }

  Properties p;
  p.xPicture = values[0], p.yPicture = values[1], p.wPicture = values[2], p.hPicture = values[3];
  p.xTexte = values[4];
  p.caption = line(5);
  const PictureBox box = PictureBoxOf(p);
  FUZZ_CHECK(std::abs(box.left) <= 32767 && std::abs(box.top) <= 32767);
  FUZZ_CHECK(box.width >= 0 && box.width <= 32767 && box.height >= 0 && box.height <= 32767);
  const int blanks = BlanksOf(p.xTexte);
  FUZZ_CHECK(blanks >= 0 && blanks <= 255);
  FUZZ_CHECK(CaptionLine(p.caption, blanks).size() == p.caption.size() + static_cast<std::size_t>(blanks));

  // What the form saves, it loads back as it was.
  const Ambient ambient{{}, kButtonText, L"XpBoutonImg1"};
  PropertyStore stored;
  WriteProperties(p, ambient, stored);
  const Properties back = ReadProperties(stored, ambient);
  FUZZ_CHECK(back.caption == p.caption && back.xTexte == p.xTexte && back.wPicture == p.wPicture);
  FUZZ_CHECK(PictureBoxOf(back) == box && BlanksOf(back.xTexte) == blanks);

  CheckAccessKey(p.caption);
  return 0;
}
