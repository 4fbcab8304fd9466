// The image button's stored properties as a design or a hand-edited form
// gives them (numbers as text), and the access key of its caption.
#include <cmath>
#include <cwchar>

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

// A value written and read back is the same value, NaN included.
bool Same(const Value& a, const Value& b) {
  const double* x = std::get_if<double>(&a);
  const double* y = std::get_if<double>(&b);
  if (x && y && std::isnan(*x)) return std::isnan(*y);
  return a == b;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto lines = fuzz::Lines(fuzz::Wide(data, size));
  auto line = [&](std::size_t i) { return i < lines.size() ? lines[i] : std::wstring(); };

  // Lines 0 to 4: XPicture, YPicture, WPicture, HPicture, XTexte; line 5 the
  // caption. A line starting with "#" is a number as a design stores it
  // ("#inf", "#nan" and "#1e999" included), any other a text.
  const Numeric which[] = {Numeric::XPicture, Numeric::YPicture, Numeric::WPicture, Numeric::HPicture,
                           Numeric::XTexte};
  Value values[5];
  for (std::size_t i = 0; i < 5; ++i) {
    const std::wstring l = line(i);
    values[i] = l.empty() && i % 2 ? Value()
                : !l.empty() && l[0] == L'#' ? Value(std::wcstod(l.c_str() + 1, nullptr))
                                             : Value(l);
    const auto n = NumberOf(values[i]);
    if (n) FUZZ_CHECK(std::isfinite(*n) && NumberOf(Value(*n)) == n);
    else FUZZ_CHECK(!std::holds_alternative<double>(values[i]) || !std::isfinite(std::get<double>(values[i])));
    if (Accepts(which[i], values[i])) FUZZ_CHECK(n.has_value());
    // Only an empty value gives way to the default, and the default is a number.
    const Value filled = ValueOrDefault(which[i], values[i]);
    FUZZ_CHECK(Same(filled, values[i]) || (l.empty() && NumberOf(filled)));
  }

  Properties p;
  p.xPicture = values[0], p.yPicture = values[1], p.wPicture = values[2], p.hPicture = values[3];
  p.xTexte = values[4];
  p.caption = line(5);
  const PictureBox box = PictureBoxOf(p);
  FUZZ_CHECK(std::abs(box.left) <= 32767 && std::abs(box.top) <= 32767);
  FUZZ_CHECK(box.width >= 0 && box.width <= 32767 && box.height >= 0 && box.height <= 32767);
  const int blanks = BlanksOf(ValueOrDefault(Numeric::XTexte, p.xTexte));  // as a loaded button draws them
  FUZZ_CHECK(blanks >= 0 && blanks <= 255);
  FUZZ_CHECK(CaptionLine(p.caption, blanks).size() == p.caption.size() + static_cast<std::size_t>(blanks));

  // What the form saves, it loads back as it was.
  const Ambient ambient{{}, kButtonText, L"XpBoutonImg1"};
  PropertyStore stored;
  WriteProperties(p, ambient, stored);
  const Properties back = ReadProperties(stored, ambient);
  FUZZ_CHECK(back.caption == p.caption && Same(back.xTexte, p.xTexte) && Same(back.wPicture, p.wPicture));
  FUZZ_CHECK(Same(back.xPicture, p.xPicture) && Same(back.yPicture, p.yPicture) && Same(back.hPicture, p.hPicture));
  FUZZ_CHECK(PictureBoxOf(back) == box && BlanksOf(back.xTexte) == blanks);

  CheckAccessKey(p.caption);
  return 0;
}
