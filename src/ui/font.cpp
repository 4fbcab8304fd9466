#include "ui/font.h"

#include <cmath>
#include <vector>

#include "ui/handles.h"

namespace ui {
namespace {

struct Entry {
  FontSpec spec;
  OwnedFont font;
};

std::vector<Entry>& Cache() {
  static std::vector<Entry> cache;
  return cache;
}

OwnedFont MakeFont(const FontSpec& spec) {
  LOGFONTW lf{};
  // Point sizes at the fixed 96 pixels per inch that 15 twips per pixel means.
  lf.lfHeight = -static_cast<LONG>(std::lround(spec.size * 96.0 / 72.0));
  lf.lfWeight = spec.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = spec.italic ? TRUE : FALSE;
  lf.lfUnderline = spec.underline ? TRUE : FALSE;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  lstrcpynW(lf.lfFaceName, spec.name.c_str(), LF_FACESIZE);
  return OwnedFont(::CreateFontIndirectW(&lf));
}

}  // namespace

HFONT GetFont(const FontSpec& spec) {
  for (const auto& e : Cache())
    if (e.spec == spec) return e.font.get();
  Cache().push_back({spec, MakeFont(spec)});
  return Cache().back().font.get();
}

std::size_t SharedFontCount() { return Cache().size(); }

HFONT FontHolder::Get(const FontSpec& spec) {
  if (!font_ || !(spec_ == spec)) {
    font_ = MakeFont(spec);  // the previous handle goes here
    spec_ = spec;
  }
  return font_.get();
}

}  // namespace ui
