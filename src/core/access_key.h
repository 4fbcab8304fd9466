// The access key of a caption, as the text drawing underlines it: the
// character after the first single "&"; "&&" stands for one "&".
#pragma once

#include <string_view>

namespace tolvane {

// Lower case for ASCII and the Latin-1 capitals, the letters a French caption
// can hold, without depending on the C library's locale.
wchar_t KeyToLower(wchar_t c);

// The access key in lower case, or 0 when the caption has none.
wchar_t AccessKey(std::wstring_view caption);

}  // namespace tolvane
