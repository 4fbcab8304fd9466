#include "core/text_case.h"

namespace tolvane {

wchar_t FoldCase(wchar_t c) {
  if (c >= L'A' && c <= L'Z') return static_cast<wchar_t>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<wchar_t>(c + 32);
  return c;
}

std::size_t FindNoCase(std::wstring_view in, std::wstring_view what, std::size_t from) {
  if (what.empty()) return from <= in.size() ? from : std::wstring_view::npos;
  if (what.size() > in.size()) return std::wstring_view::npos;
  for (std::size_t i = from; i + what.size() <= in.size(); ++i) {
    std::size_t j = 0;
    while (j < what.size() && FoldCase(in[i + j]) == FoldCase(what[j])) ++j;
    if (j == what.size()) return i;
  }
  return std::wstring_view::npos;
}

bool EqualNoCase(std::wstring_view a, std::wstring_view b) { return a.size() == b.size() && FindNoCase(a, b) == 0; }

std::wstring RemoveAllNoCase(std::wstring_view in, std::wstring_view what) { return ReplaceAllNoCase(in, what, L""); }

std::wstring ReplaceAllNoCase(std::wstring_view in, std::wstring_view what, std::wstring_view with) {
  if (what.empty()) return std::wstring(in);
  std::wstring out;
  std::size_t at = 0;
  for (std::size_t k; (k = FindNoCase(in, what, at)) != std::wstring_view::npos; at = k + what.size()) {
    out.append(in.substr(at, k - at));
    out.append(with);
  }
  out.append(in.substr(at));
  return out;
}

}  // namespace tolvane
