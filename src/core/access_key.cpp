#include "core/access_key.h"

namespace tolvane {

wchar_t KeyToLower(wchar_t c) {
  if (c >= L'A' && c <= L'Z') return static_cast<wchar_t>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<wchar_t>(c + 32);
  return c;
}

wchar_t AccessKey(std::wstring_view caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != L'&') continue;
    if (caption[i + 1] != L'&') return KeyToLower(caption[i + 1]);
    ++i;  // a doubled "&" is a plain one: skip the pair
  }
  return 0;
}

}  // namespace tolvane
