// Comparisons of the menus' mark-up, where keys, keywords and separators
// match in any letter case (ASCII and Latin-1 letters; other characters
// compare as written).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tolvane {

wchar_t FoldCase(wchar_t c);

// First position at or after `from` where `what` occurs; npos when none.
std::size_t FindNoCase(std::wstring_view in, std::wstring_view what, std::size_t from = 0);

bool EqualNoCase(std::wstring_view a, std::wstring_view b);

// Every occurrence of `what` removed.
std::wstring RemoveAllNoCase(std::wstring_view in, std::wstring_view what);

// Every occurrence of `what` replaced by `with`.
std::wstring ReplaceAllNoCase(std::wstring_view in, std::wstring_view what, std::wstring_view with);

}  // namespace tolvane
